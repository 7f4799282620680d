#include "export/batchexport.h"

#include "runtime/numberformat.h"
#include "runtime/outputfile.h"
#include "runtime/randomgenerator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <csignal>
#include <filesystem>
#include <mutex>
#include <pthread.h>
#include <pwd.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <vector>

std::optional<QString> exportFolder()
{
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
}

QString noExportFolderMessage()
{
    return QCoreApplication::translate("BatchExport",
                                       "The random numbers could not be exported: there is no home folder to put the "
                                       "file in (HOME is not set, and the user database has no home folder for this "
                                       "user).");
}

namespace {
const QByteArray kSpreadsheetName = QByteArrayLiteral("randomnumbers.xls");
const QByteArray kTextName = QByteArrayLiteral("randomnumbers.txt");
} // namespace

QString exportPath(const QString &folder, bool excelOutput)
{
    return QDir(folder).filePath(QString::fromLatin1(excelOutput ? kSpreadsheetName : kTextName));
}

QString BatchRequest::folder() const
{
    return QFileInfo(followLinks(path).value_or(path)).absolutePath();
}

BatchRequest makeBatchRequest(const QString &path, double size, const DrawRange &range)
{
    const double lines = std::ceil(size);
    const std::uint64_t whole = lines < 0x1p64 ? static_cast<std::uint64_t>(lines) : UINT64_MAX;
    return { path, whole, range };
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
        .arg(folder, neededText, freeText);
}

std::optional<QString> batchSpaceProblem(const BatchRequest &request, const QLocale &locale)
{
    const QString folder = request.folder();
    std::error_code error;
    const std::filesystem::space_info space = std::filesystem::space(QFile::encodeName(folder).toStdString(), error);
    if (error) {
        return QCoreApplication::translate("BatchExport", "The random numbers cannot be exported into '%1': the "
                                                          "space free there cannot be read: %2")
            .arg(folder, QString::fromStdString(error.message()));
    }
    const auto free = static_cast<qint64>(std::min<std::uintmax_t>(space.available, INT64_MAX));
    const double needed = std::ceil(expectedBatchBytes(request));
    if (needed <= static_cast<double>(free))
        return std::nullopt;
    // Sizes are told in whole bytes, up to 8 EiB; no disk holds a file of so many.
    if (needed >= 0x1p63) {
        return QCoreApplication::translate("BatchExport", "The random numbers cannot be exported into '%1': so many "
                                                          "numbers need far more space than any disk holds.")
            .arg(folder);
    }
    return spaceMessage(folder, static_cast<qint64>(needed), free, locale);
}

QString batchOutcomeMessage(const QString &path, const BatchOutcome &outcome)
{
    switch (outcome.status) {
    case BatchOutcome::Written:
        return QCoreApplication::translate("BatchExport", "The random numbers are exported into '%1'. Thanks.").arg(path);
    case BatchOutcome::Unconfirmed:
        return QCoreApplication::translate("BatchExport", "The random numbers are exported into '%1', but the system "
                                                          "could not confirm that the file will survive a power cut: %2")
            .arg(path, outcome.error);
    case BatchOutcome::Failed: {
        const QString failed =
            QCoreApplication::translate("BatchExport", "The random numbers could not be exported into '%1': %2")
                .arg(path, outcome.error);
        if (outcome.leftBehind.isEmpty())
            return failed;
        return failed + QLatin1Char(' ')
            + QCoreApplication::translate("BatchExport", "Its unfinished file '%1' could not be removed: %2")
                  .arg(outcome.leftBehind, outcome.leftBehindReason);
    }
    case BatchOutcome::Stopped:
        if (outcome.leftBehind.isEmpty())
            break;
        return QCoreApplication::translate("BatchExport",
                                           "The export was stopped, but its unfinished file '%1' could not be removed: %2")
            .arg(outcome.leftBehind, outcome.leftBehindReason);
    }
    return {};
}

namespace {

constexpr int kBatchNiceness = 10;

// Two workers share the batch, taking its stretches in turn, so that the second core works as
// hard as the first. Each draws its stretch from the one generator in its turn, so that the
// numbers follow the generator's stream line by line as one thread would draw them; formats it
// into lines on its own, beside the other; and hands the lines to the file in its turn again.
// Measured on 10,000,000 numbers from 0 to 1,000,000: formatting and writing took 0.6 of the
// time and drawing 0.3, so one thread drawing for another that formatted and wrote left the
// drawer idle half the time.
constexpr int kWorkers = 2;

// Whose turn it is, to draw and to write: stretch k is drawn, and written, only after stretch
// k - 1. A worker waits for its turn unless the batch stops or fails meanwhile.
class Turns
{
public:
    // Waits until stretch's turn at next; false when the batch ends first.
    bool wait(std::uint64_t &next, std::uint64_t stretch, const std::stop_token &stop)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, stop, [&] { return next == stretch || m_ended; });
        return next == stretch && !m_ended && !stop.stop_requested();
    }
    void pass(std::uint64_t &next) { change([&] { ++next; }); }
    // The batch ends early: no worker waits for a turn any more.
    void end() { change([this] { m_ended = true; }); }

    std::uint64_t toDraw = 0;  // the next stretch to draw
    std::uint64_t toWrite = 0; // the next stretch to write

private:
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
    bool m_ended = false;
};

// One worker's stretches: every kWorkers-th, from its own first.
void work(int worker, const BatchRequest &request, SharedGenerator &generator, const BatchControl &control,
          OutputFile &file, Turns &turns)
{
    becomeBatchThread("zandrel-lines");
    std::vector<double> numbers(kBatchStretch);
    std::vector<char> lines(kBatchStretch * (kMaxWholeNumberChars + 2));
    const std::uint64_t stretches = (request.lines - 1) / kBatchStretch + 1;
    for (std::uint64_t stretch = worker; stretch < stretches; stretch += kWorkers) {
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(request.lines - stretch * kBatchStretch,
                                                                            kBatchStretch));
        if (!turns.wait(turns.toDraw, stretch, control.stop))
            return;
        generator.use([&](RandomGenerator &held) { drawStretch(request.range, held, std::span(numbers.data(), count)); });
        turns.pass(turns.toDraw);

        char *end = lines.data();
        for (std::size_t i = 0; i < count; ++i) {
            end += writeWholeNumber(numbers[i], end);
            *end++ = '\r';
            *end++ = '\n';
        }

        if (!turns.wait(turns.toWrite, stretch, control.stop))
            return;
        file.write(lines.data(), static_cast<std::size_t>(end - lines.data()));
        if (!file.ok()) {
            turns.end();
            return;
        }
        if (control.progressed)
            control.progressed(std::min(request.lines, (stretch + 1) * kBatchStretch));
        turns.pass(turns.toWrite);
    }
}

BatchOutcome ended(BatchOutcome::Status status, std::uint64_t lines, const OutputFile &file)
{
    const bool reason = status == BatchOutcome::Failed || status == BatchOutcome::Unconfirmed;
    return { status, lines, reason ? file.errorString() : QString(), file.leftBehind(), file.leftBehindReason() };
}

} // namespace

void becomeBatchThread(const char *name)
{
    pthread_setname_np(pthread_self(), name); // as debuggers and `top -H` show it
    // Measured under Xvfb with another process busy: the window thread's longest wait during a
    // batch of 100,000,000 numbers fell from 13 to 19 ms to 6 to 9 ms, and the batch took as long.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kBatchNiceness);
    // A write beyond a file-size limit raises SIGXFSZ for the thread that makes it, which ends the
    // program unless ignored: blocked here, it stays pending until the thread ends, and goes with
    // it, while the write fails with EFBIG.
    sigset_t fileSize;
    sigemptyset(&fileSize);
    sigaddset(&fileSize, SIGXFSZ);
    pthread_sigmask(SIG_BLOCK, &fileSize, nullptr);
}

BatchOutcome writeBatch(const BatchRequest &request, SharedGenerator &generator, const BatchControl &control)
{
    OutputFile file(request.path, { kSpreadsheetName, kTextName });
    if (!file.open())
        return ended(BatchOutcome::Failed, 0, file);

    Turns turns;
    {
        std::vector<std::jthread> workers;
        for (int worker = 0; worker < kWorkers; ++worker)
            workers.emplace_back([&, worker] { work(worker, request, generator, control, file, turns); });
    }
    // Both workers have ended: every line is written, or the batch stopped or failed.
    const std::uint64_t lines = std::min(request.lines, turns.toWrite * kBatchStretch);
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
