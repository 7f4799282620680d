// Writes a batch exactly as the export window's "Go" does, its thread included, without the
// windows, for timing:
//   zandrel_batch COUNT MIN MAX FILE
// The texts are read in the user's locale like the windows read them.
#include "export/batchjob.h"
#include "export/countcheck.h"
#include "generator/rangecheck.h"
#include "runtime/randomgenerator.h"

#include <QFileInfo>
#include <QLocale>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s COUNT MIN MAX FILE\n", argv[0]);
        return 2;
    }
    const QLocale locale;
    const CountCheck count = checkCount(QString::fromLocal8Bit(argv[1]), locale);
    if (!count.accepted()) {
        std::fprintf(stderr, "%s\n", qPrintable(countMessage(count.verdict)));
        return 1;
    }
    const RangeCheck check = checkRange(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), locale);
    if (!check.range) {
        std::fprintf(stderr, "%s\n", qPrintable(check.message()));
        return 1;
    }
    const QFileInfo file(QString::fromLocal8Bit(argv[4]));
    BatchRequest request = makeBatchRequest(file.absolutePath(), true, count.count, *check.range);
    request.path = file.absoluteFilePath(); // any name, for timing
    BatchJob job(request, processGenerator());
    const BatchOutcome outcome = job.wait();
    if (outcome.status != BatchOutcome::Written) {
        std::fprintf(stderr, "%s\n", qPrintable(outcome.error));
        return 1;
    }
    return 0;
}
