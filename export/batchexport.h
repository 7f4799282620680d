#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class DrawRange;
class QLocale;
class RandomGenerator;

// The folder the export files go to: the root folder of drive C on Windows, the user's home
// folder elsewhere (HOME, or the user database's entry when HOME is unset or empty). Nothing
// when the user has no home folder.
std::optional<QString> exportFolder();
// What the user is told when there is no folder to export into.
QString noExportFolderMessage();

// The export file in folder: "randomnumbers.xls" for a batch that fits a spreadsheet,
// "randomnumbers.txt" otherwise.
QString exportPath(const QString &folder, bool excelOutput);

// The number of lines a batch of the given size has: the smallest whole number not below it.
double batchLineCount(double size);

// The least room a batch of lines drawn from range can take: every line as short as a number of
// the range can be written, with its CR LF.
double leastBatchBytes(double lines, const DrawRange &range);

// When the least room the batch can take is more than the file system of folder has free: the
// message that says so, naming the folder, the room needed and the room free. Nothing when the
// batch may fit, or when the free room cannot be found out (the batch then reports its own
// failure, if any).
std::optional<QString> batchSpaceProblem(const QString &folder, double lines, const DrawRange &range,
                                         const QLocale &locale);

struct BatchOutcome
{
    enum Status { Written, Cancelled, Failed };
    Status status;
    std::uint64_t written = 0; // numbers drawn
    QString error;             // the system's reason, when Failed
};

// Called every kBatchProgressStride numbers with the count written so far; false cancels.
using BatchProgressCallback = std::function<bool(std::uint64_t written)>;
inline constexpr std::uint64_t kBatchProgressStride = 1 << 16;

// Draws batchLineCount(size) numbers from range, one line each with CR LF, into path. The lines
// go to a temporary file that replaces path only once the batch is complete: a batch that fails
// or is cancelled leaves an earlier file as it was.
BatchOutcome writeBatch(const QString &path, double size, const DrawRange &range, RandomGenerator &generator,
                        const BatchProgressCallback &progress = {});
