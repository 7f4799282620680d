#pragma once

#include "generator/draw.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>

class QLocale;
class SharedGenerator;

// The folder the export files go to: the root folder of drive C on Windows, the user's home
// folder elsewhere (HOME, or the user database's entry when HOME is unset or empty). Nothing
// when the user has no home folder.
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
    QString folder;
    QString path;
    std::uint64_t lines; // at least 1
    DrawRange range;
};

// The batch of the given size (as the count check read it, fraction included) into the export
// file in folder: as many lines as the smallest whole number not below the size. A size beyond
// 2^64 lines, which no disk holds, is cut to 2^64 - 1.
BatchRequest makeBatchRequest(const QString &folder, bool excelOutput, double size, const DrawRange &range);

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
};

// The batch draws and writes this many numbers between two looks at whether it is to stop, and
// holds the generator for the draws of one stretch only.
inline constexpr std::size_t kBatchStretch = 16384;

// How another thread follows a running batch and stops it. The callbacks run on the batch's thread.
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
// disk: a batch that fails or is stopped removes it and leaves an earlier file as it was. The
// numbers are drawn on a second thread, "zandrel-draw", which has ended when this returns.
BatchOutcome writeBatch(const BatchRequest &request, SharedGenerator &generator, const BatchControl &control = {});

// Makes the calling thread one of a batch's: named as debuggers and the system's process lists
// show it, and behind the windows and the rest of the desktop when they want the processor.
void becomeBatchThread(const char *name);
