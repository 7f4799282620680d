#include "runtime/numerictext.h"

#include <QLocale>
#include <QString>

#include <cmath>

namespace {

// A whole number in plain ASCII digits with blanks around it, the text users type nearly always,
// means the same in every locale; with at most 15 digits it is exactly a double. Reading it
// directly spares QLocale's parser, which needs half a microsecond for ten digits.
std::optional<double> plainWholeNumber(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    if (begin == end || end - begin > 15)
        return std::nullopt;
    double value = 0;
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    return value;
}

} // namespace

std::optional<double> toNumber(const QString &text, const QLocale &locale)
{
    if (const auto value = plainWholeNumber(text))
        return value;
    bool ok = false;
    const double value = locale.toDouble(text, &ok); // ignores blanks around the number
    if (!ok || !std::isfinite(value)) // QLocale takes "inf" and "nan" as numbers
        return std::nullopt;
    return value;
}

bool isNumericText(const QString &text, const QLocale &locale)
{
    return toNumber(text, locale).has_value();
}
