#pragma once

#include <QString>

#include <cstdint>
#include <functional>

class DrawRange;
class RandomGenerator;

// The folder the export files go to: the root folder of drive C on Windows, the user's home
// folder elsewhere.
QString exportFolder();

// The export file in folder: "randomnumbers.xls" for a batch that fits a spreadsheet,
// "randomnumbers.txt" otherwise.
QString exportPath(const QString &folder, bool excelOutput);

// The number of lines a batch of the given size has: the smallest whole number not below it.
double batchLineCount(double size);

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
