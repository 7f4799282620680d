#pragma once

#include <QString>

#include <cstdint>

// How a batch ended, and what the user is told of it.

struct BatchOutcome
{
    enum Status {
        Written,     // the file is in place, and on the disk
        Unconfirmed, // the file is in place, but the system could not confirm it will survive a power cut
        Stopped,
        Failed,
    };
    Status status = Failed;
    std::uint64_t lines = 0; // lines written to the file before the batch ended
    QString error;           // the system's reason, when Unconfirmed or Failed
    // An unfinished file that could not be removed, and the system's reason; empty when none was
    // left.
    QString leftBehind;
    QString leftBehindReason;
};

// What the user is told of a batch into path that has ended so: nothing for a batch that was
// stopped and left nothing behind.
QString batchOutcomeMessage(const QString &path, const BatchOutcome &outcome);
