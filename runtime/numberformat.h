#pragma once

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

class QLocale;
class QString;

// Numbers of this magnitude and more are shown and written in exponent form: 10^15 is "1E+15".
inline constexpr int kExponentFormExponent = 15;
inline constexpr double kExponentFormFrom = [] {
    double power = 1;
    for (int i = 0; i < kExponentFormExponent; ++i)
        power *= 10; // exact: every power of ten up to 10^22 is a double
    return power;
}();

// The shortest decimal form of value with at most 15 significant digits, no group separators
// and the locale's decimal separator and minus sign. Magnitudes of 10^15 and more, and below
// 10^-4, take the exponent form 1E+15 (capital E, sign, at least two digits) in every locale.
// Where 15 digits would read back as another number, the fewest digits that name this one, up
// to 17: 4503599627370497 is 4.503599627370497E+15, never 4.5035996273705E+15.
QString numberToText(double value, const QLocale &locale);

// Writes a whole value as it appears in the export file: std::to_chars's digits with a leading
// '-' when negative, or the exponent form above for magnitudes of 10^15 and more, with a period
// as decimal separator; it always reads back as value. Returns the number of characters written;
// out needs room for kMaxWholeNumberChars.
inline constexpr std::size_t kMaxWholeNumberChars = 32;
std::size_t writeExponentForm(double value, char *out);

// The decimal digits of value, as std::to_chars writes them (fuzz_numbers checks that they are
// the same): two at a time from a table, from the last, once the length is known. Written by
// hand for the export, which writes one number a line: libstdc++'s std::to_chars took 1.5 times
// as long for the numbers from 0 to 10^6, with 90 instructions a number against 35.
inline constexpr char kDigitPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                      "8081828384858687888990919293949596979899";
inline std::size_t writeDigits(std::uint32_t value, char *out)
{
    std::size_t length = 1;
    for (std::uint32_t rest = value;; rest /= 10000, length += 4) {
        if (rest < 10)
            break;
        if (rest < 100) {
            length += 1;
            break;
        }
        if (rest < 1000) {
            length += 2;
            break;
        }
        if (rest < 10000) {
            length += 3;
            break;
        }
    }
    char *next = out + length;
    for (; value >= 100; value /= 100)
        std::memcpy(next -= 2, kDigitPairs + 2 * (value % 100), 2);
    if (value >= 10)
        std::memcpy(next - 2, kDigitPairs + 2 * value, 2);
    else
        next[-1] = static_cast<char>('0' + value);
    return length;
}

inline std::size_t writeWholeNumber(double value, char *out)
{
    // Inline, for the export writes one number per line.
    if (value >= 0 && value < 0x1p32)
        return writeDigits(static_cast<std::uint32_t>(value), out);
    if (!(std::fabs(value) < kExponentFormFrom))
        return writeExponentForm(value, out);
    // Below 10^15 a whole double is exactly an integer of at most 15 digits.
    const auto written = std::to_chars(out, out + kMaxWholeNumberChars, static_cast<std::int64_t>(value));
    return static_cast<std::size_t>(written.ptr - out);
}
