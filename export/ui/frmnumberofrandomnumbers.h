#pragma once

#include "export/countcheck.h"
#include "runtime/ui/form.h"

#include <QLineEdit>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class BatchJob;
class BatchProgress;
class DrawRange;
class MessageSink;
class SharedGenerator;
struct BatchRequest;

// Where the export window finds its range: the bounds as they stand in the window that holds
// them, read afresh at every "Go".
struct BoundsSource
{
    // The minimum's and the maximum's texts; both empty while that window is closed.
    std::function<std::pair<QString, QString>()> texts;
    // Brings that window back, empty, when it has been closed.
    std::function<void()> reopen;
};

// The export window: how many numbers to draw between the main window's bounds, and "Go".
class frmNumberofRandomNumbers final : public Form
{
    Q_OBJECT

public:
    frmNumberofRandomNumbers(BoundsSource bounds, MessageSink &messages, SharedGenerator &generator,
                             QObject *parent = nullptr);
    ~frmNumberofRandomNumbers() override;

    // Starts drawing the requested numbers into the export file on threads of their own, and
    // returns. The user is told how it went once the batch has ended.
    void GenerateBatchRandomNumbers(const BatchRequest &request);

    double NumberOfBatch = 0;

protected:
    void createControls(QWidget *client, const TwipsScale &scale) override;
    void onLoaded() override;
    void onUnloading() override;

private:
    void ValidateCount();
    // The bounds as they stand, checked again; tells the user when they are refused.
    std::optional<DrawRange> checkedRange();
    void cmdCreateOutPut_Click();
    void cmdClose_Click();

    void cancelBatch();
    void stopBatch();
    void closeProgress();
    void batchFinished(BatchJob *job);

    BoundsSource m_bounds;
    MessageSink &m_messages;
    SharedGenerator &m_generator;
    bool CountValid = false;
    bool ExcelOutput = false;
    // The count as the last ValidateCount read it.
    CountCheck m_checkedCount { CountVerdict::NotANumber };

    // Every batch whose threads have not ended yet, and the running one among them, from "Go"
    // until it has ended or is stopped; "Go" starts no second one meanwhile. Stopped batches end
    // on their own, each telling how it went should it have ended otherwise. The window stays,
    // hidden once unloaded, until every batch's threads have ended.
    std::optional<Handling> m_batchWindow;
    std::vector<std::unique_ptr<BatchJob>> m_jobs;
    BatchJob *m_running = nullptr;
    QPointer<BatchProgress> m_progress;

    QPointer<QLineEdit> txtNumberofRandomNumbers;
};
