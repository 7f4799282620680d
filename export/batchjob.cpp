#include "export/batchjob.h"

#include <utility>

BatchJob::BatchJob(BatchRequest request, SharedGenerator &generator)
    : m_request(std::move(request))
    , m_generator(generator)
{
}

void BatchJob::start()
{
    m_thread = std::jthread([this](std::stop_token stop) { run(stop); });
}

void BatchJob::run(const std::stop_token &stop)
{
    becomeBatchThread("zandrel-batch");
    m_lastProgress = std::chrono::steady_clock::now();
    const auto written = [this](std::uint64_t count) {
        m_written.store(count, std::memory_order_relaxed);
        const auto now = std::chrono::steady_clock::now();
        if (now - m_lastProgress >= kProgressEvery) {
            m_lastProgress = now;
            emit progressed();
        }
    };
    m_outcome = writeBatch(m_request, m_generator, { stop, written });
    emit finished();
}

BatchOutcome BatchJob::outcome()
{
    if (m_thread.joinable())
        m_thread.join(); // the thread has emitted finished(): it ends at once
    return m_outcome;
}
