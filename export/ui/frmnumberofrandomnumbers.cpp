#include "export/ui/frmnumberofrandomnumbers.h"

#include "export/batchjob.h"
#include "export/countcheck.h"
#include "export/ui/batchprogress.h"
#include "generator/rangecheck.h"
#include "runtime/ui/accessiblewidgets.h"
#include "runtime/ui/messagebox.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>

namespace {

// A batch that runs longer than this shows its progress.
constexpr int kProgressAfterMs = 500;

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

// Every batch's threads have ended once m_jobs has gone.
frmNumberofRandomNumbers::~frmNumberofRandomNumbers() = default;

void frmNumberofRandomNumbers::createControls(QWidget *client)
{
    addControls(client, kControls);
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
    const CountCheck check = checkCount(txtNumberofRandomNumbers->text(), QLocale());
    const QString message = countMessage(check.verdict);
    const bool read = message.isEmpty() || messageRead(m_messages, message);
    CountValid = check.accepted() && read; // a window closed under the message goes no further
    if (CountValid) {
        ExcelOutput = check.verdict == CountVerdict::Spreadsheet;
        NumberOfBatch = check.count;
    } else if (read) {
        txtNumberofRandomNumbers->clear();
        txtNumberofRandomNumbers->setFocus();
    }
}

std::optional<DrawRange> frmNumberofRandomNumbers::checkedRange()
{
    // A closed main window has no bounds: the check refuses them, and the window comes back,
    // empty, for the user to fill in.
    const auto [minimum, maximum] = m_bounds.texts();
    const RangeCheck check = checkRange(minimum, maximum, QLocale());
    if (!check.range && messageRead(m_messages, check.message()))
        m_bounds.reopen();
    return check.range;
}

void frmNumberofRandomNumbers::cmdCreateOutPut_Click()
{
    if (m_running)
        return;
    ValidateCount();
    if (!CountValid)
        return;
    const std::optional<DrawRange> range = checkedRange();
    if (!range)
        return;
    const std::optional<QString> folder = exportFolder();
    if (!folder) {
        messageRead(m_messages, noExportFolderMessage());
        return;
    }
    const BatchRequest request = makeBatchRequest(exportPath(*folder, ExcelOutput), NumberOfBatch, *range);
    // A batch that cannot fit is refused before it fills the disk.
    if (const auto problem = batchSpaceProblem(request, QLocale())) {
        messageRead(m_messages, *problem);
        return;
    }
    if (!messageRead(m_messages, tr("Generating the random numbers. Please wait.")) || m_running)
        return;
    GenerateBatchRandomNumbers(request);
}

void frmNumberofRandomNumbers::cmdClose_Click()
{
    Unload();
}

void frmNumberofRandomNumbers::GenerateBatchRandomNumbers(const BatchRequest &request)
{
    m_running = m_jobs.emplace_back(std::make_unique<BatchJob>(request, m_generator)).get();
    m_progress = new BatchProgress(request.lines, window());
    placeBelow(m_progress);
    QTimer::singleShot(kProgressAfterMs, m_progress, [this] { showBelow(m_progress, true); });
    connect(m_running, &BatchJob::progressed, m_progress, &BatchProgress::setWritten);
    connect(m_running, &BatchJob::saving, m_progress, &BatchProgress::setSaving);
    connect(m_progress, &BatchProgress::cancelled, this, &frmNumberofRandomNumbers::cancelBatch);
    connect(m_running, &BatchJob::finished, this,
            [this, job = m_running](const BatchOutcome &outcome) { batchFinished(job, outcome); });
    m_running->start();
}

void frmNumberofRandomNumbers::stopBatch()
{
    if (!m_running)
        return;
    m_running->stop();
    m_running = nullptr;
    dropProgress();
}

void frmNumberofRandomNumbers::dropProgress()
{
    if (isLoaded())
        showBelow(m_progress, false);
    m_progress->deleteLater(); // it may be telling of a click
    m_progress = nullptr;
}

void frmNumberofRandomNumbers::cancelBatch()
{
    stopBatch();
    announce(window(), tr("The export was stopped."));
}

void frmNumberofRandomNumbers::batchFinished(BatchJob *job, const BatchOutcome &outcome)
{
    if (job == m_running) {
        m_running = nullptr;
        dropProgress();
    }
    const QString message = batchOutcomeMessage(job->request().path, outcome);
    std::erase_if(m_jobs, [job](const auto &each) { return each.get() == job; }); // its threads end at once
    if (m_jobs.empty())
        emit batchesEnded();
    if (isLoaded() && !message.isEmpty()) // else the window went, and the batch with it
        m_messages.tell(message, window());
}
