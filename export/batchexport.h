#pragma once

#include "generator/draw.h"

#include <QString>

#include <atomic>
#include <cstdint>
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
    double lines; // a whole number, at least 1
    DrawRange range;
};

// The batch of the given size (as the count check read it, fraction included) into the export
// file in folder: as many lines as the smallest whole number not below the size.
BatchRequest makeBatchRequest(const QString &folder, bool excelOutput, double size, const DrawRange &range);

// The least room the batch can take: every line as short as a number of its range can be
// written, with its CR LF.
double leastBatchBytes(const BatchRequest &request);

// When the least room the batch can take is more than the file system of its folder has free:
// the message that says so, naming the folder, the room needed and the room free. Nothing when
// the batch may fit, or when the free room cannot be found out (the batch then reports its own
// failure, if any).
std::optional<QString> batchSpaceProblem(const BatchRequest &request, const QLocale &locale);

struct BatchOutcome
{
    enum Status { Written, Stopped, Failed };
    Status status;
    std::uint64_t written = 0; // numbers drawn
    QString error;             // the system's reason, when Failed
};

// The batch draws and writes this many numbers between two looks at whether it is to stop, and
// holds the generator for the draws of one stretch only.
inline constexpr std::size_t kBatchStretch = 16384;

// How another thread follows a running batch and stops it.
struct BatchControl
{
    std::stop_token stop;
    std::atomic<std::uint64_t> *written = nullptr; // the count written so far, when followed
};

// Draws request.lines numbers from request.range, one line each with CR LF, into request.path.
// The lines go to a temporary file that replaces the path only once the batch is complete: a
// batch that fails or is stopped removes it and leaves an earlier file as it was. The numbers are
// drawn on a second thread, "zandrel-draw", which has ended when this returns.
BatchOutcome writeBatch(const BatchRequest &request, SharedGenerator &generator, const BatchControl &control = {});

// Makes the calling thread one of a batch's: named as debuggers and the system's process lists
// show it, and behind the windows and the rest of the desktop when they want the processor.
void becomeBatchThread(const char *name);
