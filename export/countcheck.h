#pragma once

class QLocale;
class QString;

// The most rows a spreadsheet takes: a larger batch goes to the text-named file.
inline constexpr double kSpreadsheetRows = 65536;

enum class CountVerdict {
    NotANumber,
    NotPositive,
    TextFile,    // accepted, too large for a spreadsheet
    Spreadsheet, // accepted
};

struct CountCheck
{
    CountVerdict verdict;
    double count = 0; // the batch size as read, when it is a number

    bool accepted() const { return verdict == CountVerdict::TextFile || verdict == CountVerdict::Spreadsheet; }
};

// Checks the batch size the user typed, read with the same conversion as the bounds. Sizes above 0
// up to 65536 rows go to the spreadsheet-named file, larger ones, fractions included, to the
// text-named file.
CountCheck checkCount(const QString &text, const QLocale &locale);

// What the user is told: the refusal, or the note that the batch goes to a text file. Empty for
// Spreadsheet.
QString countMessage(CountVerdict verdict);
