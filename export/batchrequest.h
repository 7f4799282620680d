#pragma once

#include "generator/draw.h"

#include <QString>

#include <cstdint>
#include <optional>

class QLocale;

// What "Go" decides before a batch starts: where its file goes, how many lines it has, the range
// its numbers come from, and whether the disk has room for it.

// The names of the two export files.
inline constexpr char kSpreadsheetName[] = "randomnumbers.xls";
inline constexpr char kTextName[] = "randomnumbers.txt";

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
