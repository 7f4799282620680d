#pragma once

#include "generator/draw.h"

#include <optional>

class QLocale;
class QString;

enum class RangeVerdict {
    Valid,
    NotNumbers,     // either bound is not a number
    MinNotBelowMax, // the maximum is not above the minimum
    Negative,       // a bound lies below zero
    NoWholeNumber,  // no whole number lies between the bounds
};

// Two bound texts read once, with the one conversion every draw uses: a range ready to draw
// from, or what the user is told instead.
struct RangeCheck
{
    RangeVerdict verdict;
    std::optional<DrawRange> range; // exactly when Valid

    // The bounds fail one of the tests the user hears about before anything is drawn, in this
    // order: both are numbers, the maximum lies above the minimum, neither is negative. Bounds
    // that pass them and still hold no whole number are not refused this way: NoWholeNumber.
    bool boundsRefused() const;
    // What the user is told; empty for Valid.
    QString message() const;
};

RangeCheck checkRange(const QString &minimumText, const QString &maximumText, const QLocale &locale);

QString rangeMessage(RangeVerdict verdict);
