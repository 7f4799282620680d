#include "export/ui/batchprogress.h"

#include "export/batchjob.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLocale>
#include <QPointer>
#include <QProgressBar>
#include <QProgressDialog>
#include <QTimer>

namespace {

constexpr int kShowAfterMs = 500;
constexpr int kFollowEveryMs = 20; // how often the window thread looks at the batch
constexpr int kSteps = 1000;

class ProgressDialog
{
public:
    ProgressDialog(QWidget *window, double lines)
        : m_dialog(new QProgressDialog(window))
        , m_bar(new QProgressBar)
        , m_lines(lines)
    {
        m_dialog->setObjectName(QStringLiteral("batchProgress"));
        m_dialog->setWindowTitle(QCoreApplication::applicationName());
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setAutoReset(false);
        m_dialog->setAutoClose(false);
        // The bar is set directly: the dialog's own setValue() would run a nested event loop.
        m_bar->setRange(0, kSteps);
        m_bar->setAccessibleName(QCoreApplication::translate("BatchProgress", "Export progress"));
        m_dialog->setBar(m_bar);
    }
    ~ProgressDialog() { delete m_dialog; }

    QProgressDialog *dialog() const { return m_dialog; }
    // Cancelled by the user, or gone with its window.
    bool cancelled() const { return !m_dialog || m_dialog->wasCanceled(); }
    bool shown() const { return m_dialog && m_dialog->isVisible(); }

    void hide()
    {
        if (m_dialog)
            m_dialog->hide();
    }

    void show(std::uint64_t written)
    {
        update(written);
        m_dialog->show();
    }

    void update(std::uint64_t written)
    {
        // Both counts the same way, in the user's locale.
        const QLocale locale;
        const QString text =
            QCoreApplication::translate("BatchProgress", "Exporting the random numbers: %1 of %2 written.");
        m_dialog->setLabelText(
            text.arg(locale.toString(static_cast<double>(written), 'f', 0), locale.toString(m_lines, 'f', 0)));
        m_bar->setValue(static_cast<int>(static_cast<double>(written) / m_lines * kSteps));
    }

private:
    QPointer<QProgressDialog> m_dialog;
    QPointer<QProgressBar> m_bar;
    double m_lines;
};

} // namespace

BatchOutcome runBatch(const BatchRequest &request, SharedGenerator &generator, QWidget *window)
{
    BatchJob job(request, generator);
    ProgressDialog progress(window, request.lines);
    QElapsedTimer clock;
    clock.start();

    // The wait lasts until the batch has finished or, unless it is stopping already, is cancelled;
    // the application's end ends it too.
    QEventLoop loop;
    bool stopping = false;
    QTimer follow;
    follow.setInterval(kFollowEveryMs);
    QObject::connect(&follow, &QTimer::timeout, &loop, [&] {
        if (job.finished() || (!stopping && progress.cancelled()))
            loop.quit();
        else if (progress.shown())
            progress.update(job.written());
        else if (clock.elapsed() >= kShowAfterMs)
            progress.show(job.written());
    });
    QObject::connect(progress.dialog(), &QProgressDialog::canceled, &loop, &QEventLoop::quit);
    follow.start();
    loop.exec();

    if (!job.finished()) {
        // Stopped: the batch ends within a stretch, and the windows answer meanwhile.
        job.stop();
        progress.hide();
        stopping = true;
        loop.exec();
    }
    return job.wait();
}
