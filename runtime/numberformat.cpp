#include "runtime/numberformat.h"

#include <QLocale>
#include <QString>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr double kExponentFrom = 1e15;

// printf's "%.<digits>G", except that the exponent form starts at 10^15 whatever the digits:
// trailing zeros dropped, exponent form for exponents below -4 and from 15 on, always with a
// sign and at least two digits.
std::size_t writeDigits(double value, int digits, char *out)
{
    char *const end = out + kMaxWholeNumberChars;
    auto written = std::to_chars(out, end, value, std::chars_format::general, digits);
    const char *integerEnd = std::find(out, written.ptr, '.');
    const bool exponent = std::find(out, written.ptr, 'e') != written.ptr;
    if (!exponent && integerEnd - out - (value < 0) > 15) {
        // 16 or 17 digits of a number from 10^15 on: general would write them out in full.
        written = std::to_chars(out, end, value, std::chars_format::scientific, digits - 1);
        char *const e = std::find(out, written.ptr, 'e');
        char *mantissaEnd = e;
        while (mantissaEnd[-1] == '0')
            --mantissaEnd;
        if (mantissaEnd[-1] == '.')
            --mantissaEnd;
        written.ptr = std::copy(e, written.ptr, mantissaEnd);
    }
    std::replace(out, written.ptr, 'e', 'E');
    return static_cast<std::size_t>(written.ptr - out);
}

// The fewest significant digits that read back as value (up to 17).
int shortestDigits(double value)
{
    char text[kMaxWholeNumberChars];
    char *const end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific).ptr;
    char *const exponent = std::find(text, end, 'e');
    return static_cast<int>(std::count_if(text, exponent, [](char c) { return c >= '0' && c <= '9'; }));
}

// The shortest form with at most 15 significant digits or, where 15 digits would name another
// number (a whole number from 10^15 on, say), with the fewest digits that name this one.
std::size_t writeGeneral(double value, char *out)
{
    if (value == 0.0)
        value = 0.0; // no "-0"
    // A whole number below 10^15 has at most 15 digits.
    if (std::fabs(value) < kExponentFrom && value == std::trunc(value))
        return writeDigits(value, 15, out);
    return writeDigits(value, std::max(15, shortestDigits(value)), out);
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
