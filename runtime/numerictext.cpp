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
    if (const auto value = plainWholeNumber(text))
        return value;
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
