#pragma once

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
struct BatchOutcome;
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

    // Some batch's threads have not ended yet: a stopped batch may still wait for the disk.
    bool batchesEnding() const { return !m_jobs.empty(); }

    // The count that passed the last ValidateCount, as "Go" hands it to the batch.
    double NumberOfBatch = 0;

signals:
    // The last batch's threads have ended.
    void batchesEnded();

protected:
    void createControls(QWidget *client) override;
    void onLoaded() override;
    void onUnloading() override;

private:
    void ValidateCount();
    // The bounds as they stand, checked again; tells the user when they are refused.
    std::optional<DrawRange> checkedRange();
    void cmdCreateOutPut_Click();
    void cmdClose_Click();

    // Stops the running batch, if there is one; its progress goes.
    void stopBatch();
    void dropProgress();
    void cancelBatch();
    void batchFinished(BatchJob *job, const BatchOutcome &outcome);

    BoundsSource m_bounds;
    MessageSink &m_messages;
    SharedGenerator &m_generator;
    bool CountValid = false;
    bool ExcelOutput = false;

    // Every batch whose threads have not ended, each until its end has been told. A stopped batch
    // ends on its own, and is told of only should it have ended otherwise.
    std::vector<std::unique_ptr<BatchJob>> m_jobs;
    // The batch "Go" started, until it ends or is stopped: meanwhile "Go" starts no other.
    BatchJob *m_running = nullptr;
    QPointer<BatchProgress> m_progress; // the running batch's


    QPointer<QLineEdit> txtNumberofRandomNumbers;
};
