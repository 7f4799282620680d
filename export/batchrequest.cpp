#include "export/batchrequest.h"

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
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

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
    constexpr std::uint64_t kSampleSeed = 1; // the same sample every time
    MixingGenerator sample(kSampleSeed);
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
