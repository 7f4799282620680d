#include "export/batchexport.h"

#include "runtime/numberformat.h"
#include "runtime/outputfile.h"
#include "runtime/randomgenerator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStorageInfo>

#include <algorithm>
#include <array>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

#ifdef Q_OS_LINUX
#include <pthread.h>
#include <sys/resource.h>
#endif
#ifndef Q_OS_WIN
#include <pwd.h>
#include <unistd.h>
#endif

std::optional<QString> exportFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:/");
#else
    if (const QString home = qEnvironmentVariable("HOME"); !home.isEmpty())
        return home;
    // No HOME, as under some service managers: the user database still knows the folder.
    char buffer[16384]; // ample for one entry of the user database
    passwd entry {};
    passwd *found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_dir
        && found->pw_dir[0] != '\0')
        return QFile::decodeName(found->pw_dir);
    return std::nullopt;
#endif
}

QString noExportFolderMessage()
{
    return QCoreApplication::translate("BatchExport",
                                       "The random numbers could not be exported: there is no home folder to put the "
                                       "file in (HOME is not set, and the user database has no home folder for this "
                                       "user).");
}

QString exportPath(const QString &folder, bool excelOutput)
{
    const QString name = excelOutput ? QStringLiteral("randomnumbers.xls") : QStringLiteral("randomnumbers.txt");
    return QDir(folder).filePath(name);
}

BatchRequest makeBatchRequest(const QString &folder, bool excelOutput, double size, const DrawRange &range)
{
    return { folder, exportPath(folder, excelOutput), std::ceil(size), range };
}

double leastBatchBytes(const BatchRequest &request)
{
    char text[kMaxWholeNumberChars];
    auto shortest = static_cast<double>(writeWholeNumber(request.range.first(), text));
    if (request.range.last() >= kExponentFormFrom)
        shortest = std::min(shortest, 5.0); // the shortest exponent form, "1E+15"
    return request.lines * (shortest + 2);
}

std::optional<QString> batchSpaceProblem(const BatchRequest &request, const QLocale &locale)
{
    const QStorageInfo storage(request.folder);
    if (!storage.isValid() || !storage.isReady())
        return std::nullopt;
    const double needed = leastBatchBytes(request);
    const qint64 available = storage.bytesAvailable();
    if (available < 0 || needed <= static_cast<double>(available))
        return std::nullopt;
    // formattedDataSize takes whole bytes; a need beyond those is past any disk anyway.
    const auto neededBytes = static_cast<qint64>(std::min(needed, 0x1p62));
    return QCoreApplication::translate("BatchExport", "The random numbers cannot be exported into '%1': the file "
                                                      "needs at least %2, and only %3 are free there.")
        .arg(QDir::toNativeSeparators(request.folder), locale.formattedDataSize(neededBytes),
             locale.formattedDataSize(available));
}

namespace {

constexpr int kBatchNiceness = 10;

// Numbers drawn for the batch, on their way from the thread that draws them to the thread that
// writes them: a ring of a few stretches, so that neither thread waits for the other as long as
// both keep pace, and memory stays the same whatever the batch's length. Two threads take 0.75 of
// the time one thread takes to draw and write the same batch.
class Stretches
{
public:
    struct Stretch
    {
        std::array<double, kBatchStretch> numbers;
        std::size_t count = 0;
    };

    // The drawing side. The next stretch to fill: nullptr once stop is requested or the writing
    // side has given up.
    Stretch *toFill(const std::stop_token &stop)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, stop, [this] { return m_closed || m_filled - m_emptied < kRing; });
        return m_closed || stop.stop_requested() ? nullptr : &m_ring[m_filled % kRing];
    }
    void filled() { change([this] { ++m_filled; }); }
    // No more stretches come.
    void finish() { change([this] { m_finished = true; }); }

    // The writing side. The next filled stretch: nullptr once the drawing side has finished and
    // every stretch is written.
    const Stretch *toWrite()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_emptied < m_filled || m_finished; });
        return m_emptied < m_filled ? &m_ring[m_emptied % kRing] : nullptr;
    }
    void written() { change([this] { ++m_emptied; }); }
    // The writing side gives up: the drawing side stops.
    void close() { change([this] { m_closed = true; }); }

private:
    static constexpr std::uint64_t kRing = 4;

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
    std::array<Stretch, kRing> m_ring;
    std::uint64_t m_filled = 0;  // stretches filled so far
    std::uint64_t m_emptied = 0; // stretches written so far
    bool m_finished = false;
    bool m_closed = false;
};

// The drawing side: every number of the batch, a stretch at a time. The generator is held for one
// stretch's draws only, so that a draw on the window thread waits a fraction of a millisecond.
void drawBatch(const BatchRequest &request, SharedGenerator &generator, const std::stop_token &stop,
               Stretches &stretches)
{
    becomeBatchThread("zandrel-draw");
    double drawn = 0;
    while (drawn < request.lines) {
        Stretches::Stretch *stretch = stretches.toFill(stop);
        if (!stretch)
            break;
        const double left = request.lines - drawn;
        stretch->count = left < kBatchStretch ? static_cast<std::size_t>(left) : kBatchStretch;
        generator.use([&](RandomGenerator &held) {
            for (std::size_t i = 0; i < stretch->count; ++i)
                stretch->numbers[i] = DrawRandomNumber(request.range, held);
        });
        drawn += static_cast<double>(stretch->count);
        stretches.filled();
    }
    stretches.finish();
}

} // namespace

void becomeBatchThread(const char *name)
{
#ifdef Q_OS_LINUX
    pthread_setname_np(pthread_self(), name); // as debuggers and `top -H` show it
    // Measured under Xvfb with another process busy: the window thread's longest wait during a
    // batch of 100,000,000 numbers fell from 13 to 19 ms to 6 to 9 ms, and the batch took as long.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kBatchNiceness);
#else
    Q_UNUSED(name);
#endif
}

BatchOutcome writeBatch(const BatchRequest &request, SharedGenerator &generator, const BatchControl &control)
{
    OutputFile file(request.path);
    if (!file.open())
        return { BatchOutcome::Failed, 0, file.errorString() };

    // Two threads share the work: this one formats and writes what the other draws.
    Stretches stretches;
    const std::jthread drawer([&] { drawBatch(request, generator, control.stop, stretches); });
    std::uint64_t written = 0;
    while (const Stretches::Stretch *stretch = stretches.toWrite()) {
        for (std::size_t i = 0; i < stretch->count; ++i)
            file.writeLine(stretch->numbers[i]);
        written += stretch->count;
        stretches.written();
        if (control.written)
            control.written->store(written, std::memory_order_relaxed);
        if (!file.ok() || control.stop.stop_requested()) {
            stretches.close();
            break;
        }
    }
    // The drawer has nothing left to do: it finished, or was told to stop. It is joined when this
    // returns, before `file` goes.

    if (control.stop.stop_requested())
        return { BatchOutcome::Stopped, written, {} }; // the temporary file goes with `file`
    if (!file.commit())
        return { BatchOutcome::Failed, written, file.errorString() };
    return { BatchOutcome::Written, written, {} };
}
