#include "export/ui/frmnumberofrandomnumbers.h"

#include "export/batchjob.h"
#include "export/ui/batchprogress.h"
#include "generator/rangecheck.h"
#include "runtime/ui/accessiblewidgets.h"
#include "runtime/ui/messagebox.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace {

// A batch that runs longer than this shows its progress.
constexpr int kShowProgressAfterMs = 500;

// In tab order.
constexpr ControlSpec kControls[] = {
    { "txtNumberofRandomNumbers", ControlKind::TextBox, "", { 3000, 600, 1455, 375 } },
    { "lblNumberofRandomNumbers", ControlKind::Label,
      QT_TRANSLATE_NOOP("frmNumberofRandomNumbers",
                        "Please Enter How Many Random Numbers You Want To Create and Export Into Excel"),
      { 120, 480, 2655, 735 } },
    { "cmdCreateOutPut", ControlKind::Button, QT_TRANSLATE_NOOP("frmNumberofRandomNumbers", "Go"),
      { 960, 1440, 2535, 495 } },
    { "cmdClose", ControlKind::Button, QT_TRANSLATE_NOOP("frmNumberofRandomNumbers", "Close"),
      { 960, 2280, 2535, 495 } },
};

} // namespace

frmNumberofRandomNumbers::frmNumberofRandomNumbers(BoundsSource bounds, MessageSink &messages,
                                                   SharedGenerator &generator, QObject *parent)
    : Form({ "frmNumberofRandomNumbers", QT_TRANSLATE_NOOP("frmNumberofRandomNumbers", "Export To Excel"),
             { 4680, 3090 } },
           parent)
    , m_bounds(std::move(bounds))
    , m_messages(messages)
    , m_generator(generator)
{
}

frmNumberofRandomNumbers::~frmNumberofRandomNumbers()
{
    // Every batch stops, and its threads end, before its window goes.
    m_job.reset();
    m_stoppedJobs.clear();
}

void frmNumberofRandomNumbers::createControls(QWidget *client, const TwipsScale &scale)
{
    addControls(client, kControls, scale);
    txtNumberofRandomNumbers = control<QLineEdit>("txtNumberofRandomNumbers");
    labelFor(control<QLabel>("lblNumberofRandomNumbers"), txtNumberofRandomNumbers);
    onClick("cmdCreateOutPut", &frmNumberofRandomNumbers::cmdCreateOutPut_Click);
    onClick("cmdClose", &frmNumberofRandomNumbers::cmdClose_Click);
}

void frmNumberofRandomNumbers::onLoaded()
{
    txtNumberofRandomNumbers->setFocus();
}

void frmNumberofRandomNumbers::onUnloading()
{
    stopBatch();
}

void frmNumberofRandomNumbers::ValidateCount()
{
    m_checkedCount = checkCount(txtNumberofRandomNumbers->text(), QLocale());
    if (const QString message = countMessage(m_checkedCount.verdict); !message.isEmpty())
        m_messages.show(message, window());
    CountValid = m_checkedCount.accepted();
    if (!isLoaded())
        return; // the window went while the message showed
    if (!CountValid) {
        txtNumberofRandomNumbers->clear();
        txtNumberofRandomNumbers->setFocus();
        return;
    }
    ExcelOutput = m_checkedCount.verdict == CountVerdict::Spreadsheet;
}

std::optional<DrawRange> frmNumberofRandomNumbers::checkedRange()
{
    // A closed main window has no bounds: the check refuses them, and the window comes back,
    // empty, for the user to fill in.
    const auto [minimum, maximum] = m_bounds.texts();
    const RangeCheck check = checkRange(minimum, maximum, QLocale());
    if (!check.range) {
        m_messages.show(check.message(), window());
        if (isLoaded())
            m_bounds.reopen();
    }
    return check.range;
}

void frmNumberofRandomNumbers::cmdCreateOutPut_Click()
{
    if (m_job)
        return;
    // Each message waits for the user, who may close the window meanwhile: then nothing more
    // happens, and nothing is written.
    ValidateCount();
    if (!CountValid || !isLoaded())
        return;
    const std::optional<DrawRange> range = checkedRange();
    if (!range || !isLoaded())
        return;
    const std::optional<QString> folder = exportFolder();
    if (!folder) {
        m_messages.show(noExportFolderMessage(), window());
        return;
    }
    const BatchRequest request = makeBatchRequest(*folder, ExcelOutput, m_checkedCount.count, *range);
    // A batch that cannot fit is refused before it fills the disk.
    if (const auto problem = batchSpaceProblem(request, QLocale())) {
        m_messages.show(*problem, window());
        return;
    }
    m_messages.show(tr("Generating the random numbers. Please wait."), window());
    if (!isLoaded() || m_job)
        return;
    NumberOfBatch = m_checkedCount.count;
    GenerateBatchRandomNumbers(request);
}

void frmNumberofRandomNumbers::cmdClose_Click()
{
    Unload();
}

void frmNumberofRandomNumbers::GenerateBatchRandomNumbers(const BatchRequest &request)
{
    m_job = std::make_unique<BatchJob>(request, m_generator);
    if (!m_batchWindow)
        m_batchWindow.emplace(*this);
    m_progress = new BatchProgress(window(), request.lines);
    connect(m_progress, &QProgressDialog::canceled, this, &frmNumberofRandomNumbers::cancelBatch);
    connect(m_progress, &QDialog::rejected, this, &frmNumberofRandomNumbers::cancelBatch);
    // The progress may be closed, and the job gone, before either of these comes.
    QTimer::singleShot(kShowProgressAfterMs, this, [this, progress = m_progress] {
        if (progress && progress == m_progress && m_job) {
            m_progress->update(m_job->written());
            m_progress->show();
        }
    });
    connect(m_job.get(), &BatchJob::progressed, this, [this] {
        if (m_progress && m_job)
            m_progress->update(m_job->written());
    });
    connect(m_job.get(), &BatchJob::finished, this, [this, job = m_job.get()] { batchFinished(job); });
    m_job->start();
}

void frmNumberofRandomNumbers::cancelBatch()
{
    if (!m_progress)
        return; // cancelled already
    stopBatch();
    announce(window(), tr("The export was stopped."));
}

void frmNumberofRandomNumbers::stopBatch()
{
    // Once stopped, the batch is no longer the window's: "Go" may start another while it ends.
    if (m_job) {
        m_job->stop();
        m_stoppedJobs.push_back(std::move(m_job));
    }
    closeProgress();
}

void frmNumberofRandomNumbers::closeProgress()
{
    if (!m_progress)
        return;
    m_progress->hide();
    m_progress->deleteLater(); // it may be what asked for the stop
    m_progress = nullptr;
}

void frmNumberofRandomNumbers::batchFinished(BatchJob *job)
{
    std::unique_ptr<BatchJob> ended;
    if (job == m_job.get()) {
        ended = std::move(m_job);
        closeProgress();
    } else {
        const auto stopped = std::find_if(m_stoppedJobs.begin(), m_stoppedJobs.end(),
                                          [job](const auto &each) { return each.get() == job; });
        ended = std::move(*stopped);
        m_stoppedJobs.erase(stopped);
    }
    const BatchOutcome outcome = ended->outcome();
    const QString shownPath = QDir::toNativeSeparators(ended->request().path);
    ended.reset();
    if (!m_job && m_stoppedJobs.empty())
        m_batchWindow.reset();
    if (!isLoaded())
        return; // the window went, and the batch with it
    switch (outcome.status) {
    case BatchOutcome::Written:
        m_messages.show(tr("The random numbers are exported into '%1'. Thanks.").arg(shownPath), window());
        break;
    case BatchOutcome::Unconfirmed:
        m_messages.show(tr("The random numbers are exported into '%1', but the system could not confirm that the "
                           "file will survive a power cut: %2")
                            .arg(shownPath, outcome.error),
                        window());
        break;
    case BatchOutcome::Failed:
        m_messages.show(tr("The random numbers could not be exported into '%1': %2").arg(shownPath, outcome.error),
                        window());
        break;
    case BatchOutcome::Stopped:
        break;
    }
}
