#include "export/countcheck.h"

#include "runtime/numerictext.h"

#include <QCoreApplication>
#include <QString>

CountCheck checkCount(const QString &text, const QLocale &locale)
{
    const auto count = toNumber(text, locale);
    if (!count)
        return { CountVerdict::NotANumber };
    if (*count <= 0)
        return { CountVerdict::NotPositive, *count };
    if (*count > kSpreadsheetRows)
        return { CountVerdict::TextFile, *count };
    return { CountVerdict::Spreadsheet, *count };
}

QString countMessage(CountVerdict verdict)
{
    switch (verdict) {
    case CountVerdict::NotANumber:
        return QCoreApplication::translate("CountCheck",
                                           "Please enter number of random numbers you want to generate and output");
    case CountVerdict::NotPositive:
        return QCoreApplication::translate(
            "CountCheck", "Number of random numbers you want to generate  should be greater than zero");
    case CountVerdict::TextFile:
        return QCoreApplication::translate("CountCheck",
                                           "Excel cannot have more than 65536 rows. Therefore the output file be a "
                                           "text file, which you can open with notepad.");
    case CountVerdict::Spreadsheet:
        break;
    }
    return {};
}
