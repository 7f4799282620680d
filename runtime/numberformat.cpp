#include "runtime/numberformat.h"

#include <QLocale>
#include <QString>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>

namespace {

// The end of the digits that matter after a decimal point: trailing zeros, and a point with
// nothing left after it, are dropped.
char *dropTrailingZeros(char *begin, char *end)
{
    if (std::find(begin, end, '.') == end)
        return end;
    while (end[-1] == '0')
        --end;
    return end[-1] == '.' ? end - 1 : end;
}

// value in printf's "%G" form, except that its exponent form (capital E, a sign and at least two
// digits) starts at 10^15 whatever the number of digits, as it does below 10^-4: rounded to the
// given number of significant digits, trailing zeros dropped, or with no number of digits given,
// with std::to_chars's shortest digits that read back as value.
std::size_t writeForm(double value, std::optional<int> digits, char *out)
{
    char *const limit = out + kMaxWholeNumberChars;
    char *end = digits ? std::to_chars(out, limit, value, std::chars_format::scientific, *digits - 1).ptr
                       : std::to_chars(out, limit, value, std::chars_format::scientific).ptr;
    char *const e = std::find(out, end, 'e');
    int exponent = 0; // of the value as written
    std::from_chars(e + 2, end, exponent);
    if (e[1] == '-')
        exponent = -exponent;

    if (exponent < -4 || exponent >= kExponentFormExponent) {
        *e = 'E';
        end = std::copy(e, end, dropTrailingZeros(out, e));
    } else {
        end = digits ? std::to_chars(out, limit, value, std::chars_format::fixed, *digits - 1 - exponent).ptr
                     : std::to_chars(out, limit, value, std::chars_format::fixed).ptr;
        end = dropTrailingZeros(out, end);
    }
    return static_cast<std::size_t>(end - out);
}

// The number of significant digits of std::to_chars's shortest form: the fewest that read back
// as value (up to 17).
int shortestDigits(double value)
{
    char text[kMaxWholeNumberChars];
    char *const end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific).ptr;
    char *const exponent = std::find(text, end, 'e');
    return static_cast<int>(std::count_if(text, exponent, [](char c) { return c >= '0' && c <= '9'; }));
}

// The shortest form with at most 15 significant digits or, where no 15 digits read back as value
// (a whole number from 10^15 on, say), with the fewest digits that do.
std::size_t writeGeneral(double value, char *out)
{
    if (value == 0.0)
        value = 0.0; // no "-0"
    // Where some 15 digits name value, so do its 15 digits rounded, which lie closer to it.
    if (shortestDigits(value) <= 15)
        return writeForm(value, 15, out);
    return writeForm(value, std::nullopt, out);
}

} // namespace

QString numberToText(double value, const QLocale &locale)
{
    char ascii[kMaxWholeNumberChars];
    const std::size_t length = writeGeneral(value, ascii);

    QString text;
    text.reserve(static_cast<qsizetype>(length) + 2);
    bool inExponent = false;
    for (std::size_t i = 0; i < length; ++i) {
        const char c = ascii[i];
        if (c == 'E')
            inExponent = true;
        if (c == '.')
            text += locale.decimalPoint();
        else if (c == '-' && !inExponent)
            text += locale.negativeSign();
        else
            text += QLatin1Char(c);
    }
    return text;
}

std::size_t writeExponentForm(double value, char *out)
{
    return writeGeneral(value, out);
}
