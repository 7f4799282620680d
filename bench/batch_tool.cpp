// Writes a batch exactly as the export window's "Go" does, its checks and threads included,
// without the windows:
//   zandrel_batch COUNT MIN MAX FILE
// The texts are read in the user's locale like the windows read them. SIGTERM, SIGHUP and SIGINT
// stop the batch as Cancel does, keeping an earlier FILE; the status is then 128 + the signal's
// number. Any other failure prints its reason and gives status 1.
#include "export/batchjob.h"
#include "export/countcheck.h"
#include "generator/rangecheck.h"
#include "runtime/randomgenerator.h"
#include "runtime/terminationsignals.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>

#include <csignal>
#include <cstdio>

namespace {

int fail(const QString &why)
{
    std::fprintf(stderr, "%s\n", qPrintable(why));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    std::signal(SIGXFSZ, SIG_IGN); // a file-size limit is a failure with its reason, as in the program
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s COUNT MIN MAX FILE\n", argv[0]);
        return 2;
    }
    const QLocale locale;
    const CountCheck count = checkCount(QString::fromLocal8Bit(argv[1]), locale);
    if (!count.accepted())
        return fail(countMessage(count.verdict));
    const RangeCheck check = checkRange(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), locale);
    if (!check.range)
        return fail(check.message());
    const QFileInfo file(QString::fromLocal8Bit(argv[4]));
    const BatchRequest request = makeBatchRequest(file.absoluteFilePath(), count.count, *check.range);
    if (const auto problem = batchSpaceProblem(request, locale))
        return fail(*problem);

    BatchJob job(request, processGenerator());
    TerminationSignals endSignals;
    int stoppedBy = 0;
    QObject::connect(&endSignals, &TerminationSignals::received, [&](int signalNumber) {
        stoppedBy = signalNumber;
        job.stop();
    });
    BatchOutcome outcome;
    QObject::connect(&job, &BatchJob::finished, &application, [&](const BatchOutcome &ended) {
        outcome = ended;
        QCoreApplication::quit();
    });
    job.start();
    application.exec();
    switch (outcome.status) {
    case BatchOutcome::Written:
        return 0;
    case BatchOutcome::Stopped:
        return 128 + stoppedBy;
    case BatchOutcome::Unconfirmed:
        return fail(QStringLiteral("%1 is in place, but its folder could not be synced: %2")
                        .arg(request.path, outcome.error));
    case BatchOutcome::Failed:
        break;
    }
    return fail(outcome.error);
}
