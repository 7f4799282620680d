#include "runtime/numerictext.h"

#include <QLocale>
#include <QString>

#include <cmath>

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F);
}

// The forms people type for what the locale writes differently: the exponent with a small e
// (locales whose own exponent sign is "×10^" take only a capital E), any blank as the group
// separator where the locale groups with a blank (plain, no-break or narrow no-break: pasted
// text holds any of them), and the keyboard's apostrophe where the locale groups with U+2019.
QString asTheLocaleWritesIt(QString text, const QLocale &locale)
{
    const QString group = locale.groupSeparator();
    const bool blankGroups = group.size() == 1 && isBlank(group[0]);
    const bool apostropheGroups = group == QString(QChar(0x2019));
    for (QChar &c : text) {
        if (c == QLatin1Char('e'))
            c = QLatin1Char('E');
        else if (blankGroups && isBlank(c))
            c = group[0];
        else if (apostropheGroups && c == QLatin1Char('\''))
            c = group[0];
    }
    return text;
}

} // namespace

std::optional<double> toNumber(const QString &text, const QLocale &locale)
{
    bool ok = false;
    // QLocale ignores blanks around the number.
    const double value = locale.toDouble(asTheLocaleWritesIt(text, locale), &ok);
    if (!ok || !std::isfinite(value)) // QLocale takes "inf" and "nan" as numbers
        return std::nullopt;
    return value;
}

bool isNumericText(const QString &text, const QLocale &locale)
{
    return toNumber(text, locale).has_value();
}
