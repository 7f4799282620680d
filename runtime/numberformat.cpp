#include "runtime/numberformat.h"

#include <QLocale>
#include <QString>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr double kExponentFrom = 1e15;
// The largest number of 15 significant digits that is still a double. Rounded to 15 digits,
// the doubles above it would read back as beyond a double's range.
constexpr double kLargest15Digits = 1.79769313486231e308;

// printf's "%.15G": up to 15 significant digits, trailing zeros dropped, exponent form for
// exponents below -4 and from 15 on, always with a sign and at least two digits.
std::size_t writeGeneral(double value, char *out)
{
    if (value == 0.0)
        value = 0.0; // no "-0"
    else if (std::fabs(value) > kLargest15Digits && std::isfinite(value))
        value = std::copysign(kLargest15Digits, value);
    const auto written = std::to_chars(out, out + kMaxWholeNumberChars, value, std::chars_format::general, 15);
    for (char *c = out; c != written.ptr; ++c) {
        if (*c == 'e')
            *c = 'E';
    }
    return static_cast<std::size_t>(written.ptr - out);
}

// A batch writes a whole number per line, so integers are written here rather than with
// std::to_chars: four digits at a time from a table, right to left, and the length from the
// bit width instead of a loop.
struct FourDigits
{
    char digits[4];
};
constexpr auto kFourDigits = [] {
    std::array<FourDigits, 10000> table {};
    for (int i = 0; i < 10000; ++i)
        table[i] = { { char('0' + i / 1000), char('0' + i / 100 % 10), char('0' + i / 10 % 10), char('0' + i % 10) } };
    return table;
}();

constexpr std::uint64_t kPowersOfTen[] = { 1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000,
                                           1000000000, 10000000000, 100000000000, 1000000000000,
                                           10000000000000, 100000000000000, 1000000000000000 };

// The number of digits of n, 0 included: log10 from log2, which is at most one too small. With the
// lowest bit set, 0 counts as the one digit it is written with, and no other count changes.
int decimalDigits(std::uint64_t n)
{
    n |= 1;
    const auto guess = static_cast<int>((std::bit_width(n) * 1233) >> 12);
    return guess + (n >= kPowersOfTen[guess]);
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
    if (!(std::fabs(value) < kExponentFrom))
        return writeGeneral(value, out);

    std::size_t sign = 0;
    if (value < 0)
        out[sign++] = '-';
    auto n = static_cast<std::uint64_t>(std::fabs(value));
    const int digits = decimalDigits(n);

    constexpr int kEnd = 16; // room for 15 digits rounded up to groups of four
    char scratch[2 * kEnd];
    int first = kEnd;
    do {
        first -= 4;
        std::memcpy(scratch + first, kFourDigits[n % 10000].digits, 4);
        n /= 10000;
    } while (n != 0);
    std::memcpy(out + sign, scratch + kEnd - digits, kEnd); // what follows the digits is overwritten
    return sign + static_cast<std::size_t>(digits);
}
