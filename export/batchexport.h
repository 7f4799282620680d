#pragma once

#include "generator/draw.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>

class QLocale;
class SharedGenerator;

// The folder the export files go to: the user's home folder (HOME, or the user database's entry
// when HOME is unset or empty). Nothing when the user has no home folder.
std::optional<QString> exportFolder();
// What the user is told when there is no folder to export into.
QString noExportFolderMessage();

// The export file in folder: "randomnumbers.xls" for a batch that fits a spreadsheet,
// "randomnumbers.txt" otherwise.
QString exportPath(const QString &folder, bool excelOutput);

// One batch as "Go" asks for it, worked out once: where it goes, how many lines it has and the
// range every one of its numbers is drawn from.
struct BatchRequest
{
    QString path;
    std::uint64_t lines; // at least 1
    DrawRange range;

    // The folder the file is written in, where a link at path leads.
    QString folder() const;
};

// The batch of the given size (as the count check read it, fraction included) into the file at
// path: as many lines as the smallest whole number not below the size. A size beyond 2^64 lines,
// which no disk holds, is cut to 2^64 - 1.
BatchRequest makeBatchRequest(const QString &path, double size, const DrawRange &range);

// The size the batch's file is expected to have: its lines times the mean length of a line, CR
// LF included, as the draw spreads the numbers of its range.
double expectedBatchBytes(const BatchRequest &request);

// Why the batch is refused before anything is written: its expected size is beyond the space
// free in its folder, or that space cannot be read. The message names the folder, and the size
// needed and the space free. Nothing when the batch may go ahead.
std::optional<QString> batchSpaceProblem(const BatchRequest &request, const QLocale &locale);
// The message for a batch of needed bytes into folder where only free bytes are free: the two
// sizes with as many decimals as it takes for them to read differently.
QString spaceMessage(const QString &folder, qint64 needed, qint64 free, const QLocale &locale);

struct BatchOutcome
{
    enum Status {
        Written,     // the file is in place, and on the disk
        Unconfirmed, // the file is in place, but the system could not confirm it will survive a power cut
        Stopped,
        Failed,
    };
    Status status = Failed;
    std::uint64_t lines = 0; // lines written to the file before the batch ended
    QString error;           // the system's reason, when Unconfirmed or Failed
    // An unfinished file that could not be removed, and the system's reason; empty when none was
    // left.
    QString leftBehind;
    QString leftBehindReason;
};

// What the user is told of a batch into path that has ended so: nothing for a batch that was
// stopped and left nothing behind.
QString batchOutcomeMessage(const QString &path, const BatchOutcome &outcome);

// The batch draws, formats and writes this many numbers at a time, and holds the generator for
// the draws of one stretch only (the main window's Generate waits a fraction of a millisecond).
// Measured on 10^7 numbers from 0 to 10^6: with 65536 the batch took 0.9 of the time it took
// with 16384, and 0.93 of that with 32768, its two threads handing their turns over less often.
inline constexpr std::size_t kBatchStretch = 65536;

// How another thread follows a running batch and stops it. The callbacks run on the batch's threads,
// one at a time.
struct BatchControl
{
    std::stop_token stop;
    // Told the lines written so far, after every stretch, the last one included.
    std::function<void(std::uint64_t)> progressed;
    // Told once every line is written, as the file goes to the disk.
    std::function<void()> saving;
};

// Draws request.lines numbers from request.range, one line each with CR LF, into request.path.
// The lines go to a temporary file that replaces the path only once the whole batch is on the
// disk: a batch that fails or is stopped removes it and leaves an earlier file as it was. Two
// threads of its own, "zandrel-lines", share the drawing, formatting and writing; they have
// ended when this returns.
BatchOutcome writeBatch(const BatchRequest &request, SharedGenerator &generator, const BatchControl &control = {});

// Makes the calling thread one of a batch's: named as debuggers and the system's process lists
// show it; behind the windows and the rest of the desktop when it wants the processor; and with a
// file-size limit failing its writes (EFBIG) rather than ending the program (SIGXFSZ).
void becomeBatchThread(const char *name);
