// The yardstick for a batch: the plainest fast writer of COUNT whole numbers from MIN to MAX, one
// per line with CR LF, into FILE. THREADS workers draw (SplitMix64, and Lemire's multiply-shift
// into the range) and format (two digits at a time from a table) chunks of lines in parallel; the
// main thread writes them in order. At the end it syncs the file and renames it over FILE. It
// keeps none of Zandrel's promises beyond those: no exact shares, no checked write-back, no
// folder sync.
//   zandrel_plain_writer COUNT MIN MAX FILE THREADS
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::uint64_t kChunkLines = 1 << 16;
constexpr int kLineBytes = 22; // 20 digits and CR LF, with room to spare

std::uint64_t splitMix(std::uint64_t &state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

char *writeLine(char *out, std::uint64_t value)
{
    static const char pairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                "8081828384858687888990919293949596979899";
    char digits[20];
    char *end = digits + sizeof digits;
    char *start = end;
    for (; value >= 100; value /= 100)
        std::memcpy(start -= 2, pairs + 2 * (value % 100), 2);
    if (value >= 10)
        std::memcpy(start -= 2, pairs + 2 * value, 2);
    else
        *--start = static_cast<char>('0' + value);
    const auto length = static_cast<std::size_t>(end - start);
    std::memcpy(out, start, length);
    out[length] = '\r';
    out[length + 1] = '\n';
    return out + length + 2;
}

struct Slot
{
    std::vector<char> bytes = std::vector<char>(kChunkLines * kLineBytes);
    std::size_t used = 0;
    std::uint64_t chunk = UINT64_MAX; // the chunk it holds, once filled
};

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s COUNT MIN MAX FILE THREADS\n", argv[0]);
        return 2;
    }
    const auto count = static_cast<std::uint64_t>(std::strtod(argv[1], nullptr));
    const std::uint64_t minimum = std::strtoull(argv[2], nullptr, 10);
    const std::uint64_t span = std::strtoull(argv[3], nullptr, 10) - minimum + 1;
    const std::string path = argv[4];
    const int threads = std::atoi(argv[5]);
    const std::string temporary = path + ".writing";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return std::perror(temporary.c_str()), 1;

    const std::uint64_t chunks = (count + kChunkLines - 1) / kChunkLines;
    std::vector<Slot> slots(2 * static_cast<std::size_t>(threads));
    std::mutex mutex;
    std::condition_variable changed;
    std::uint64_t written = 0; // chunks written so far
    std::vector<std::thread> workers;
    for (int worker = 0; worker < threads; ++worker) {
        workers.emplace_back([&, worker] {
            for (std::uint64_t chunk = worker; chunk < chunks; chunk += threads) {
                Slot &slot = slots[chunk % slots.size()];
                {
                    std::unique_lock lock(mutex); // the slot is free once its chunk before is written
                    changed.wait(lock, [&] { return chunk < written + slots.size(); });
                }
                std::uint64_t state = chunk * 0x2545F4914F6CDD1Du + 7;
                const std::uint64_t lines = std::min(kChunkLines, count - chunk * kChunkLines);
                char *out = slot.bytes.data();
                __extension__ using Wide = unsigned __int128;
                for (std::uint64_t i = 0; i < lines; ++i)
                    out = writeLine(out, minimum + static_cast<std::uint64_t>((Wide { splitMix(state) } * span) >> 64));
                const std::lock_guard lock(mutex);
                slot.used = static_cast<std::size_t>(out - slot.bytes.data());
                slot.chunk = chunk;
                changed.notify_all();
            }
        });
    }
    for (std::uint64_t chunk = 0; chunk < chunks; ++chunk) {
        Slot &slot = slots[chunk % slots.size()];
        {
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return slot.chunk == chunk; });
        }
        for (std::size_t done = 0; done < slot.used;) {
            const ssize_t now = ::write(fd, slot.bytes.data() + done, slot.used - done);
            if (now <= 0)
                return std::perror("write"), 1;
            done += static_cast<std::size_t>(now);
        }
        const std::lock_guard lock(mutex);
        ++written;
        changed.notify_all();
    }
    for (std::thread &worker : workers)
        worker.join();
    if (::fdatasync(fd) != 0 || ::close(fd) != 0 || std::rename(temporary.c_str(), path.c_str()) != 0)
        return std::perror(path.c_str()), 1;
    return 0;
}
