#include "export/ui/batchprogress.h"

#include <QGuiApplication>
#include <QLocale>
#include <QProgressBar>

#include <climits>

namespace {
constexpr int kSteps = 1000;
} // namespace

BatchProgress::BatchProgress(QWidget *window, std::uint64_t lines)
    : QProgressDialog(window)
    , m_bar(new QProgressBar)
    , m_lines(lines)
{
    setObjectName(QStringLiteral("batchProgress"));
    setWindowTitle(QGuiApplication::applicationDisplayName());
    // Shown by its window, when it wants; the bar is set here, not by the dialog's own timing.
    setAutoReset(false);
    setAutoClose(false);
    setMinimumDuration(INT_MAX);
    m_bar->setRange(0, kSteps);
    m_bar->setAccessibleName(tr("Export progress"));
    // Where the percent sign goes, and the blank before it, is the language's.
    m_bar->setFormat(tr("%p%"));
    setBar(m_bar);

    update(lines); // the widest the text gets
    setFixedSize(sizeHint());
    update(0);
}

void BatchProgress::update(std::uint64_t written)
{
    const QLocale locale;
    setLabelText(
        tr("Exporting the random numbers: %1 of %2 written.").arg(locale.toString(written), locale.toString(m_lines)));
    m_bar->setValue(static_cast<int>(static_cast<double>(written) / static_cast<double>(m_lines) * kSteps));
}
