#pragma once

#include "export/batchexport.h"

#include <QObject>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

// A batch on threads of its own, from the first number to the rename. The thread that starts the
// job, the window thread, is told through queued signals how far the batch has come and that it
// has ended, and may stop it at any time; it never waits for it. The job's threads have always
// ended before the job goes: destroying a job that still runs stops it and waits for them.
class BatchJob final : public QObject
{
    Q_OBJECT

public:
    BatchJob(BatchRequest request, SharedGenerator &generator);
    ~BatchJob() override = default; // stops the batch and waits for its threads: see m_thread

    const BatchRequest &request() const { return m_request; }

    // Starts the batch; connect to the signals first.
    void start();
    // Asks the batch to stop. It stops after the stretch it is drawing, removes its temporary
    // file and leaves an earlier file as it was; a batch that has finished stays as it ended.
    void stop() { m_thread.request_stop(); }

    // The numbers written so far.
    std::uint64_t written() const { return m_written.load(std::memory_order_relaxed); }
    // How the batch went, once finished() has come.
    BatchOutcome outcome();

signals:
    // More numbers are written: at most ten times a second.
    void progressed();
    // The batch has ended, written, stopped or failed; its threads end at once.
    void finished();

private:
    static constexpr std::chrono::milliseconds kProgressEvery { 100 };

    void run(const std::stop_token &stop);

    const BatchRequest m_request;
    SharedGenerator &m_generator;
    std::atomic<std::uint64_t> m_written { 0 };
    std::chrono::steady_clock::time_point m_lastProgress; // on the job's thread only
    BatchOutcome m_outcome { BatchOutcome::Stopped, 0, {} };
    // Last, so that on destruction it is stopped and joined before the rest goes.
    std::jthread m_thread;
};
