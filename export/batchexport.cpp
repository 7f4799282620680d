#include "export/batchexport.h"

#include "runtime/numberformat.h"
#include "runtime/outputfile.h"
#include "runtime/randomgenerator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>

#include <algorithm>
#include <array>
#include <cmath>
#include <condition_variable>
#include <memory>
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
    const double lines = std::ceil(size);
    const std::uint64_t whole = lines < 0x1p64 ? static_cast<std::uint64_t>(lines) : UINT64_MAX;
    return { folder, exportPath(folder, excelOutput), whole, range };
}

namespace {

// The mean length of the exponent forms of the whole numbers from `from` to `to`, CR LF included:
// it varies with how many significant digits each needs, so it is taken over a fixed sample.
double meanExponentFormLine(double from, double to)
{
    constexpr int kSample = 1024;
    MixingGenerator sample(kSample);
    char text[kMaxWholeNumberChars];
    double total = 0;
    for (int i = 0; i < kSample; ++i)
        total += static_cast<double>(writeWholeNumber(std::round(from + (to - from) * sample.next()), text) + 2);
    return total / kSample;
}

} // namespace

double expectedBatchBytes(const BatchRequest &request)
{
    // Every sum maximum * r + minimum is as likely as any other between minimum and minimum +
    // maximum, and each whole number k takes the sums within a half of it that round to a number
    // between the bounds: so the minimum, when whole, and the maximum, when the minimum is 0, take
    // half the share of the others.
    const DrawRange &range = request.range;
    const double low = std::max(range.first() - 0.5, range.minimum());
    const double high = std::min(range.last() + 0.5, range.minimum() + range.maximum());
    const auto share = [&](double from, double to) { // of the whole numbers from `from` to `to`
        return (std::clamp(to + 0.5, low, high) - std::clamp(from - 0.5, low, high)) / (high - low);
    };
    // Below 10^15 a line is the number's digits and CR LF.
    double lineBytes = 0;
    double from = 0;
    for (int digits = 1; digits <= kExponentFormExponent; ++digits) {
        const double to = from == 0 ? 9 : from * 10 - 1;
        lineBytes += share(from, to) * (digits + 2);
        from = to + 1;
    }
    if (const double exponentForms = share(kExponentFormFrom, HUGE_VAL); exponentForms > 0)
        lineBytes += exponentForms * meanExponentFormLine(std::max(kExponentFormFrom, range.first()), range.last());
    return lineBytes * static_cast<double>(request.lines);
}

QString spaceMessage(const QString &folder, qint64 needed, qint64 free, const QLocale &locale)
{
    QString neededText;
    QString freeText;
    for (int decimals = 2; decimals <= 15 && neededText == freeText; ++decimals) {
        neededText = locale.formattedDataSize(needed, decimals);
        freeText = locale.formattedDataSize(free, decimals);
    }
    return QCoreApplication::translate("BatchExport", "The random numbers cannot be exported into '%1': the file "
                                                      "needs about %2, and only %3 are free there.")
        .arg(QDir::toNativeSeparators(folder), neededText, freeText);
}

std::optional<QString> batchSpaceProblem(const BatchRequest &request, const QLocale &locale)
{
    QString error;
    const qint64 free = freeSpace(request.folder, &error);
    if (free < 0) {
        return QCoreApplication::translate("BatchExport", "The random numbers cannot be exported into '%1': the "
                                                          "space free there cannot be read: %2")
            .arg(QDir::toNativeSeparators(request.folder), error);
    }
    const double needed = std::ceil(expectedBatchBytes(request));
    if (needed <= static_cast<double>(free))
        return std::nullopt;
    // Sizes are told in whole bytes, up to 8 EiB; no disk holds a file of so many.
    if (needed >= 0x1p63) {
        return QCoreApplication::translate("BatchExport", "The random numbers cannot be exported into '%1': so many "
                                                          "numbers need far more space than any disk holds.")
            .arg(QDir::toNativeSeparators(request.folder));
    }
    return spaceMessage(request.folder, static_cast<qint64>(needed), free, locale);
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
    void emptied() { change([this] { ++m_emptied; }); }
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
    std::uint64_t drawn = 0;
    while (drawn < request.lines) {
        Stretches::Stretch *stretch = stretches.toFill(stop);
        if (!stretch)
            break;
        stretch->count = static_cast<std::size_t>(std::min<std::uint64_t>(request.lines - drawn, kBatchStretch));
        generator.use([&](RandomGenerator &held) {
            for (std::size_t i = 0; i < stretch->count; ++i)
                stretch->numbers[i] = DrawRandomNumber(request.range, held);
        });
        drawn += stretch->count;
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

    // Two threads share the work: this one formats and writes what the other draws. The ring,
    // half a megabyte, lives on the heap rather than on either thread's stack.
    const auto stretches = std::make_unique<Stretches>();
    const std::jthread drawer([&] { drawBatch(request, generator, control.stop, *stretches); });
    std::uint64_t lines = 0;
    while (const Stretches::Stretch *stretch = stretches->toWrite()) {
        for (std::size_t i = 0; i < stretch->count; ++i)
            file.writeLine(stretch->numbers[i]);
        lines += stretch->count;
        stretches->emptied();
        if (control.progressed)
            control.progressed(lines);
        if (!file.ok() || control.stop.stop_requested()) {
            stretches->close();
            break;
        }
    }
    // The drawer has nothing left to do: it finished, or was told to stop. It is joined when this
    // returns, before `file` goes; a file that is not committed goes with it.

    if (control.stop.stop_requested())
        return { BatchOutcome::Stopped, lines, {} };
    if (file.ok() && control.saving)
        control.saving();
    if (!file.sync())
        return { BatchOutcome::Failed, lines, file.errorString() };
    if (control.stop.stop_requested()) // while the file went to the disk: the earlier file stays
        return { BatchOutcome::Stopped, lines, {} };
    switch (file.commit()) {
    case OutputFile::Commit::Done:
        return { BatchOutcome::Written, lines, {} };
    case OutputFile::Commit::Unconfirmed:
        return { BatchOutcome::Unconfirmed, lines, file.errorString() };
    case OutputFile::Commit::Failed:
        break;
    }
    return { BatchOutcome::Failed, lines, file.errorString() };
}
