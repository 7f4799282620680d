#include "runtime/numerictext.h"

#include <QLocale>
#include <QString>

#include <cmath>

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F);
}

// The marks that set the direction of text (left-to-right, right-to-left, Arabic letter) in the
// signs of some locales: invisible, and no part of the number.
bool isDirectionMark(QChar c)
{
    return c == QChar(0x200E) || c == QChar(0x200F) || c == QChar(0x061C);
}

QString withoutDirectionMarks(QString text)
{
    text.removeIf(isDirectionMark);
    return text;
}

// The text as QLocale reads it. People type the exponent with a small e, any blank as the group
// separator where the locale groups with a blank (plain, no-break or narrow no-break: pasted text
// holds any of them), and the keyboard's apostrophe where the locale groups with U+2019. And
// QLocale does not read back all it writes itself: exponent signs such as "×10^", "·10^" or
// "اس", signs within the exponent, and direction marks. Every exponent sign becomes a capital
// E, which every locale reads, with an ASCII sign after it, and the marks go.
QString asQLocaleReadsIt(QString text, const QLocale &locale)
{
    text = withoutDirectionMarks(text);
    const QString exponent = withoutDirectionMarks(locale.exponential());
    if (exponent.compare(QLatin1String("e"), Qt::CaseInsensitive) != 0)
        text.replace(exponent, QStringLiteral("E"));

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

    if (const qsizetype e = text.indexOf(QLatin1Char('E')); e >= 0) {
        QString power = text.mid(e + 1);
        power.replace(withoutDirectionMarks(locale.negativeSign()), QStringLiteral("-"));
        power.replace(withoutDirectionMarks(locale.positiveSign()), QStringLiteral("+"));
        text = text.left(e + 1) + power;
    }
    return text;
}

} // namespace

std::optional<double> toNumber(const QString &text, const QLocale &locale)
{
    bool ok = false;
    // QLocale ignores blanks around the number.
    const double value = locale.toDouble(asQLocaleReadsIt(text, locale), &ok);
    if (!ok || !std::isfinite(value)) // QLocale takes "inf" and "nan" as numbers
        return std::nullopt;
    return value;
}
