#include "export/ui/batchprogress.h"

#include "runtime/numberformat.h"

#include <QCoreApplication>
#include <QLocale>
#include <QProgressDialog>

namespace {
constexpr qint64 kShowAfterMs = 500;
constexpr qint64 kUpdateEveryMs = 200;
constexpr int kSteps = 1000;
}

BatchProgress::BatchProgress(QWidget *parent, double lines)
    : m_parent(parent)
    , m_lines(lines)
{
    m_clock.start();
}

BatchProgress::~BatchProgress() = default;

bool BatchProgress::update(std::uint64_t written)
{
    const qint64 now = m_clock.elapsed();
    if (now < kShowAfterMs || now - m_lastUpdate < kUpdateEveryMs)
        return !(m_dialog && m_dialog->wasCanceled());
    m_lastUpdate = now;

    if (!m_dialog) {
        m_dialog = std::make_unique<QProgressDialog>(m_parent);
        m_dialog->setObjectName(QStringLiteral("batchProgress"));
        m_dialog->setWindowTitle(QCoreApplication::applicationName());
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setRange(0, kSteps);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoReset(false);
        m_dialog->setAutoClose(false);
        m_dialog->show();
    }
    const QLocale locale;
    m_dialog->setLabelText(QStringLiteral("Exporting the random numbers: %1 of %2 written.")
                               .arg(locale.toString(static_cast<qulonglong>(written)), numberToText(m_lines, locale)));
    m_dialog->setValue(static_cast<int>(static_cast<double>(written) / m_lines * kSteps));
    QCoreApplication::processEvents();
    return !m_dialog->wasCanceled();
}
