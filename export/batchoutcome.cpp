#include "export/batchoutcome.h"

#include <QCoreApplication>

QString batchOutcomeMessage(const QString &path, const BatchOutcome &outcome)
{
    switch (outcome.status) {
    case BatchOutcome::Written:
        return QCoreApplication::translate("BatchExport", "The random numbers are exported into '%1'. Thanks.").arg(path);
    case BatchOutcome::Unconfirmed:
        return QCoreApplication::translate("BatchExport", "The random numbers are exported into '%1', but the system "
                                                          "could not confirm that the file will survive a power cut: %2")
            .arg(path, outcome.error);
    case BatchOutcome::Failed: {
        const QString failed =
            QCoreApplication::translate("BatchExport", "The random numbers could not be exported into '%1': %2")
                .arg(path, outcome.error);
        if (outcome.leftBehind.isEmpty())
            return failed;
        return failed + QLatin1Char(' ')
            + QCoreApplication::translate("BatchExport", "Its unfinished file '%1' could not be removed: %2")
                  .arg(outcome.leftBehind, outcome.leftBehindReason);
    }
    case BatchOutcome::Stopped:
        if (outcome.leftBehind.isEmpty())
            break;
        return QCoreApplication::translate("BatchExport",
                                           "The export was stopped, but its unfinished file '%1' could not be removed: %2")
            .arg(outcome.leftBehind, outcome.leftBehindReason);
    }
    return {};
}
