#include "generator/rangecheck.h"

#include "runtime/numerictext.h"

#include <QCoreApplication>
#include <QString>

bool RangeCheck::boundsRefused() const
{
    return verdict != RangeVerdict::Valid && verdict != RangeVerdict::NoWholeNumber;
}

QString RangeCheck::message() const
{
    return rangeMessage(verdict);
}

RangeCheck checkRange(const QString &minimumText, const QString &maximumText, const QLocale &locale)
{
    const auto maximum = toNumber(maximumText, locale);
    const auto minimum = toNumber(minimumText, locale);
    if (!maximum || !minimum)
        return { RangeVerdict::NotNumbers, std::nullopt };
    if (*maximum <= *minimum)
        return { RangeVerdict::MinNotBelowMax, std::nullopt };
    if (*minimum < 0 || *maximum < 0)
        return { RangeVerdict::Negative, std::nullopt };
    const DrawRange range(*minimum, *maximum);
    if (!range.hasWholeNumber())
        return { RangeVerdict::NoWholeNumber, std::nullopt };
    return { RangeVerdict::Valid, range };
}

QString rangeMessage(RangeVerdict verdict)
{
    switch (verdict) {
    case RangeVerdict::Valid:
        break;
    case RangeVerdict::NotNumbers:
        return QCoreApplication::translate("RangeCheck",
                                           "Please enter minimum and maximum random number desired range");
    case RangeVerdict::MinNotBelowMax:
        return QCoreApplication::translate("RangeCheck", "Min Value should be smaller than Max Value");
    case RangeVerdict::Negative:
        return QCoreApplication::translate("RangeCheck",
                                           "Min Value and Max Value should be equal or greater than zero");
    case RangeVerdict::NoWholeNumber:
        return QCoreApplication::translate("RangeCheck", "There is no whole number between Min Value and Max Value.");
    }
    return {};
}
