#include "export/batchjob.h"

#include <utility>

namespace {

// The request with texts of its own: nothing the job's thread reads is shared with another.
BatchRequest unshared(BatchRequest request)
{
    request.folder.detach();
    request.path.detach();
    return request;
}

} // namespace

BatchJob::BatchJob(BatchRequest request, SharedGenerator &generator)
    : m_request(unshared(std::move(request)))
    , m_thread([this, &generator](std::stop_token stop) { run(std::move(stop), generator); })
{
}

void BatchJob::run(std::stop_token stop, SharedGenerator &generator)
{
    becomeBatchThread("zandrel-batch");
    m_outcome = writeBatch(m_request, generator, { std::move(stop), &m_written });
    m_finished.store(true, std::memory_order_release);
}

BatchOutcome BatchJob::wait()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_outcome;
}
