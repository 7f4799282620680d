#include "runtime/numberformat.h"

#include <QLocale>
#include <QString>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr double kExponentFrom = 1e15;

// printf's "%.15G": up to 15 significant digits, trailing zeros dropped, exponent form for
// exponents below -4 and from 15 on, always with a sign and at least two digits.
std::size_t writeGeneral(double value, char *out)
{
    if (value == 0.0)
        value = 0.0; // no "-0"
    const auto written = std::to_chars(out, out + kMaxWholeNumberChars, value, std::chars_format::general, 15);
    for (char *c = out; c != written.ptr; ++c) {
        if (*c == 'e')
            *c = 'E';
    }
    return static_cast<std::size_t>(written.ptr - out);
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

std::size_t writeWholeNumber(double value, char *out)
{
    if (std::fabs(value) < kExponentFrom) {
        const auto written = std::to_chars(out, out + kMaxWholeNumberChars, static_cast<std::int64_t>(value));
        return static_cast<std::size_t>(written.ptr - out);
    }
    return writeGeneral(value, out);
}
