#include "export/batchjob.h"

#include <utility>

BatchJob::BatchJob(BatchRequest request, SharedGenerator &generator, QObject *parent)
    : QObject(parent)
    , m_request(std::move(request))
    , m_generator(generator)
{
}

void BatchJob::start()
{
    m_thread = std::jthread([this](std::stop_token stop) { run(stop); });
}

void BatchJob::run(const std::stop_token &stop)
{
    becomeBatchThread();
    std::chrono::steady_clock::time_point lastTold; // long ago: the first block is told at once
    const auto progressed = [&](std::uint64_t lines) {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastTold >= kProgressEvery || lines == m_request.lines) {
            lastTold = now;
            emit this->progressed(lines);
        }
    };
    const BatchOutcome outcome = writeBatch(m_request, m_generator, { stop, progressed, [this] { emit saving(); } });
    emit finished(outcome);
}
