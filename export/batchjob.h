#pragma once

#include "export/batchwriter.h"

#include <QObject>

#include <chrono>
#include <cstdint>
#include <thread>

// A batch on threads of its own, from the first number to the rename. The thread that starts the
// job, the window thread, is told through queued signals how far the batch has come and how it
// ended, and may stop it at any time; it never waits for it. The job's threads have always ended
// before the job goes: destroying a job that still runs stops it and waits for them.
class BatchJob final : public QObject
{
    Q_OBJECT

public:
    BatchJob(BatchRequest request, SharedGenerator &generator, QObject *parent = nullptr);
    ~BatchJob() override = default; // stops the batch and waits for its threads: see m_thread

    const BatchRequest &request() const { return m_request; }

    // Starts the batch; connect to the signals first.
    void start();
    // Asks the batch to stop. It stops after the block it is drawing, removes its temporary
    // file and leaves an earlier file as it was; a batch that has finished stays as it ended.
    void stop() { m_thread.request_stop(); }

signals:
    // So many lines are written: at most ten times a second, and always once the last one is.
    void progressed(quint64 lines);
    // Every line is written, and the file is going to the disk.
    void saving();
    // The batch has ended, written, stopped or failed; its threads end at once.
    void finished(const BatchOutcome &outcome);

private:
    static constexpr std::chrono::milliseconds kProgressEvery { 100 };

    void run(const std::stop_token &stop);

    const BatchRequest m_request;
    SharedGenerator &m_generator;
    // Last, so that on destruction it is stopped and joined before the rest goes.
    std::jthread m_thread;
};
