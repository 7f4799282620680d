#include "export/batchexport.h"

#include "generator/draw.h"
#include "runtime/numberformat.h"
#include "runtime/outputfile.h"
#include "runtime/randomgenerator.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStorageInfo>

#include <algorithm>
#include <cmath>

#ifndef Q_OS_WIN
#include <pwd.h>
#include <unistd.h>
#endif

std::optional<QString> exportFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:/");
#else
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
#endif
}

QString noExportFolderMessage()
{
    return QStringLiteral("The random numbers could not be exported: there is no home folder to put the file in "
                          "(HOME is not set, and the user database has no home folder for this user).");
}

QString exportPath(const QString &folder, bool excelOutput)
{
    const QString name = excelOutput ? QStringLiteral("randomnumbers.xls") : QStringLiteral("randomnumbers.txt");
    return QDir(folder).filePath(name);
}

double batchLineCount(double size)
{
    return std::ceil(size);
}

double leastBatchBytes(double lines, const DrawRange &range)
{
    char text[kMaxWholeNumberChars];
    auto shortest = static_cast<double>(writeWholeNumber(range.first(), text));
    if (range.last() >= 1e15)
        shortest = std::min(shortest, 5.0); // the shortest exponent form, "1E+15"
    return lines * (shortest + 2);
}

std::optional<QString> batchSpaceProblem(const QString &folder, double lines, const DrawRange &range,
                                         const QLocale &locale)
{
    const QStorageInfo storage(folder);
    if (!storage.isValid() || !storage.isReady())
        return std::nullopt;
    const double needed = leastBatchBytes(lines, range);
    const qint64 available = storage.bytesAvailable();
    if (available < 0 || needed <= static_cast<double>(available))
        return std::nullopt;
    // formattedDataSize takes whole bytes; a need beyond those is past any disk anyway.
    const auto neededBytes = static_cast<qint64>(std::min(needed, 0x1p62));
    return QStringLiteral("The random numbers cannot be exported into '%1': the file needs at least %2, "
                          "and only %3 are free there.")
        .arg(QDir::toNativeSeparators(folder), locale.formattedDataSize(neededBytes),
             locale.formattedDataSize(available));
}

namespace {

template<typename Generator>
BatchOutcome writeLines(OutputFile &file, double size, const DrawRange &range, Generator &generator,
                        const BatchProgressCallback &progress)
{
    const double lines = batchLineCount(size);
    std::uint64_t written = 0;
    do {
        file.writeLine(DrawRandomNumber(range, generator));
        ++written;
        if (written % kBatchProgressStride == 0) {
            if (!file.ok())
                break;
            if (progress && !progress(written))
                return { BatchOutcome::Cancelled, written, {} }; // the temporary file goes with `file`
        }
    } while (static_cast<double>(written) < lines);

    if (!file.commit())
        return { BatchOutcome::Failed, written, file.errorString() };
    return { BatchOutcome::Written, written, {} };
}

} // namespace

BatchOutcome writeBatch(const QString &path, double size, const DrawRange &range, RandomGenerator &generator,
                        const BatchProgressCallback &progress)
{
    OutputFile file(path);
    if (!file.open())
        return { BatchOutcome::Failed, 0, file.errorString() };
    // The program's own generator is drawn from in the loop itself, without a call per number.
    if (auto *mixing = dynamic_cast<MixingGenerator *>(&generator))
        return writeLines(file, size, range, *mixing, progress);
    return writeLines(file, size, range, generator, progress);
}
