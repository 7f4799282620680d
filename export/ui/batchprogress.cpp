#include "export/ui/batchprogress.h"

#include <QCoreApplication>
#include <QLocale>
#include <QProgressBar>
#include <QProgressDialog>
#include <QWindow>

namespace {
constexpr qint64 kShowAfterMs = 500;
constexpr qint64 kUpdateEveryMs = 200;
constexpr qint64 kPaintWithinMs = 250;
constexpr int kSteps = 1000;
}

BatchProgress::BatchProgress(QWidget *parent, double lines)
    : m_parent(parent)
    , m_lines(lines)
{
    m_clock.start();
}

BatchProgress::~BatchProgress()
{
    delete m_dialog;
}

bool BatchProgress::update(std::uint64_t written)
{
    const bool gone = m_shown ? !m_dialog : !m_parent;
    if (gone)
        return false;
    const qint64 now = m_clock.elapsed();
    if (now < kShowAfterMs || now - m_lastUpdate < kUpdateEveryMs)
        return !(m_dialog && m_dialog->wasCanceled());
    m_lastUpdate = now;

    if (!m_shown) {
        showDialog(written);
    } else {
        setProgress(written);
        QCoreApplication::processEvents();
    }
    return m_dialog && !m_dialog->wasCanceled(); // the window, and the dialog with it, may have gone
}

void BatchProgress::setProgress(std::uint64_t written)
{
    // Both counts the same way, in the user's locale.
    const QLocale locale;
    m_dialog->setLabelText(QStringLiteral("Exporting the random numbers: %1 of %2 written.")
                               .arg(locale.toString(static_cast<double>(written), 'f', 0),
                                    locale.toString(m_lines, 'f', 0)));
    m_dialog->setValue(static_cast<int>(static_cast<double>(written) / m_lines * kSteps));
}

void BatchProgress::showDialog(std::uint64_t written)
{
    m_shown = true;
    m_dialog = new QProgressDialog(m_parent);
    m_dialog->setObjectName(QStringLiteral("batchProgress"));
    m_dialog->setWindowTitle(QCoreApplication::applicationName());
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setRange(0, kSteps);
    m_dialog->setMinimumDuration(0);
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    if (auto *bar = m_dialog->findChild<QProgressBar *>())
        bar->setAccessibleName(QStringLiteral("Export progress"));
    setProgress(written);
    m_dialog->show();
    // The batch has the event loop to itself between updates: let the dialog appear and paint
    // now, rather than stand there blank until the next update.
    QElapsedTimer waiting;
    waiting.start();
    while (m_dialog && !m_dialog->windowHandle()->isExposed() && waiting.elapsed() < kPaintWithinMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (m_dialog)
        m_dialog->repaint();
}
