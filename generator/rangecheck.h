#pragma once

class QLocale;
class QString;

enum class RangeVerdict {
    Valid,
    NotNumbers,     // either bound is not a number
    MinNotBelowMax, // the maximum is not above the minimum
    Negative,       // a bound lies below zero
    NoWholeNumber,  // no whole number lies between the bounds
};

struct RangeCheck
{
    RangeVerdict verdict;
    double minimum = 0; // the bounds as read, when both are numbers
    double maximum = 0;
};

// Checks a range in the order the user is told about it: both bounds are numbers, the maximum
// lies above the minimum, neither is negative. The first test that fails decides. Both bounds are
// read with the same conversion the draw uses. Whether a whole number lies between them is the
// draw's question (DrawRange::hasWholeNumber).
RangeCheck checkRange(const QString &minimumText, const QString &maximumText, const QLocale &locale);

// What the user is told for a refused range; empty for Valid.
QString rangeMessage(RangeVerdict verdict);
