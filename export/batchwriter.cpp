#include "export/batchwriter.h"

#include "runtime/numberformat.h"
#include "runtime/outputfile.h"
#include "runtime/randomgenerator.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <pthread.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kBatchNiceness = 10;

// The order in which a batch's two threads take its blocks: block k is drawn only after block
// k - 1 is drawn, and written only after block k - 1 is written, so that the numbers follow the
// generator's stream, and the file their order, as one thread would make them. A thread waits
// for its turn unless the batch stops or fails meanwhile.
class BlockOrder
{
public:
    // Wait until block may be drawn, or written; false when the batch ends first.
    bool awaitDraw(std::uint64_t block, const std::stop_token &stop) { return await(m_drawn, block, stop); }
    bool awaitWrite(std::uint64_t block, const std::stop_token &stop) { return await(m_written, block, stop); }
    void drawn() { change([this] { ++m_drawn; }); }
    void written() { change([this] { ++m_written; }); }
    // The batch has failed: no thread waits for a turn any more.
    void fail() { change([this] { m_failed = true; }); }

    std::uint64_t blocksWritten()
    {
        const std::lock_guard lock(m_mutex);
        return m_written;
    }

private:
    bool await(const std::uint64_t &done, std::uint64_t block, const std::stop_token &stop)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, stop, [&] { return done == block || m_failed; });
        return done == block && !m_failed && !stop.stop_requested();
    }
    template<typename Change>
    void change(Change &&change)
    {
        {
            const std::lock_guard lock(m_mutex);
            change();
        }
        m_changed.notify_all();
    }

    std::mutex m_mutex;
    std::condition_variable_any m_changed;
    std::uint64_t m_drawn = 0;   // blocks drawn: the next one to draw
    std::uint64_t m_written = 0; // blocks written: the next one to write
    bool m_failed = false;
};

// Every other block of the batch, from first: each drawn from the one generator in its turn,
// formatted into lines beside the other thread, and written in its turn.
void writeBlocks(std::uint64_t first, const BatchRequest &request, SharedGenerator &generator,
                 const BatchControl &control, OutputFile &file, BlockOrder &order)
{
    std::vector<double> numbers(kBlockLines);
    std::vector<char> lines(kBlockLines * (kMaxWholeNumberChars + 2));
    const std::uint64_t blocks = (request.lines - 1) / kBlockLines + 1;
    for (std::uint64_t block = first; block < blocks; block += 2) {
        const auto count =
            static_cast<std::size_t>(std::min<std::uint64_t>(request.lines - block * kBlockLines, kBlockLines));
        if (!order.awaitDraw(block, control.stop))
            return;
        generator.use([&](RandomGenerator &held) { drawBlock(request.range, held, std::span(numbers.data(), count)); });
        order.drawn();

        char *end = lines.data();
        for (std::size_t i = 0; i < count; ++i) {
            end += writeWholeNumber(numbers[i], end);
            *end++ = '\r';
            *end++ = '\n';
        }

        if (!order.awaitWrite(block, control.stop))
            return;
        file.write(lines.data(), static_cast<std::size_t>(end - lines.data()));
        if (!file.ok()) {
            order.fail();
            return;
        }
        if (control.progressed)
            control.progressed(std::min(request.lines, (block + 1) * kBlockLines));
        order.written();
    }
}

BatchOutcome ended(BatchOutcome::Status status, std::uint64_t lines, const OutputFile &file)
{
    const bool reason = status == BatchOutcome::Failed || status == BatchOutcome::Unconfirmed;
    return { status, lines, reason ? file.errorString() : QString(), file.leftBehind(), file.leftBehindReason() };
}

} // namespace

void becomeBatchThread()
{
    pthread_setname_np(pthread_self(), "zandrel-batch"); // as debuggers and `top -H` show it
    // Measured under Xvfb with another process busy: the window thread's longest wait during a
    // batch of 100,000,000 numbers fell from 13 to 19 ms to 6 to 9 ms, and the batch took as long.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kBatchNiceness);
}

BatchOutcome writeBatch(const BatchRequest &request, SharedGenerator &generator, const BatchControl &control)
{
    OutputFile file(request.path, { kSpreadsheetName, kTextName });
    if (!file.open())
        return ended(BatchOutcome::Failed, 0, file);

    BlockOrder order;
    {
        // Two threads, so that the second core works as hard as the first. Measured on
        // 10,000,000 numbers from 0 to 1,000,000: formatting and writing took 0.6 of the time and
        // drawing 0.3, so one thread drawing for another that formatted and wrote left the drawer
        // idle half the time; each draws, formats and writes instead.
        const std::jthread other([&] {
            becomeBatchThread();
            writeBlocks(1, request, generator, control, file, order);
        });
        writeBlocks(0, request, generator, control, file, order);
    }
    // Both threads are done: every line is written, or the batch stopped or failed.
    const std::uint64_t lines = std::min(request.lines, order.blocksWritten() * kBlockLines);
    if (control.stop.stop_requested()) {
        file.discard();
        return ended(BatchOutcome::Stopped, lines, file);
    }
    if (file.ok() && control.saving)
        control.saving();
    if (!file.sync())
        return ended(BatchOutcome::Failed, lines, file);
    if (control.stop.stop_requested()) { // while the file went to the disk: the earlier file stays
        file.discard();
        return ended(BatchOutcome::Stopped, lines, file);
    }
    switch (file.commit()) {
    case OutputFile::Commit::Done:
        return ended(BatchOutcome::Written, lines, file);
    case OutputFile::Commit::Unconfirmed:
        return ended(BatchOutcome::Unconfirmed, lines, file);
    case OutputFile::Commit::Failed:
        break;
    }
    return ended(BatchOutcome::Failed, lines, file);
}
