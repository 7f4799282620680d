#pragma once

#include "export/batchexport.h"

#include <atomic>
#include <cstdint>
#include <thread>

// A batch on a thread of its own, from the first number to the rename. The thread that starts
// the job follows it through written() and finished(), and may stop it at any time; the job's
// thread has always ended before the job goes, for destroying a job that still runs stops it
// and waits for it.
class BatchJob
{
public:
    BatchJob(BatchRequest request, SharedGenerator &generator);
    ~BatchJob() = default; // stops the batch and waits for its thread: see m_thread

    BatchJob(const BatchJob &) = delete;
    BatchJob &operator=(const BatchJob &) = delete;

    // The numbers written so far.
    std::uint64_t written() const { return m_written.load(std::memory_order_relaxed); }
    // The batch has ended, written, stopped or failed: wait() returns at once.
    bool finished() const { return m_finished.load(std::memory_order_acquire); }
    // Asks the batch to stop. It stops after the stretch it is drawing, removes its temporary
    // file and leaves an earlier file as it was; a batch that has finished stays as it ended.
    void stop() { m_thread.request_stop(); }
    // Waits for the thread to end; how the batch went.
    BatchOutcome wait();

private:
    void run(std::stop_token stop, SharedGenerator &generator);

    const BatchRequest m_request;
    std::atomic<std::uint64_t> m_written { 0 };
    std::atomic<bool> m_finished { false };
    BatchOutcome m_outcome { BatchOutcome::Stopped, 0, {} };
    // Last, so that it starts once the rest exists and, on destruction, is stopped and joined
    // before the rest goes.
    std::jthread m_thread;
};
