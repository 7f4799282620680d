#include "export/batchexport.h"

#include "generator/draw.h"
#include "runtime/outputfile.h"
#include "runtime/randomgenerator.h"

#include <QDir>

#include <cmath>

QString exportFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:/");
#else
    return QDir::homePath();
#endif
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
