#pragma once

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>

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
inline std::size_t writeWholeNumber(double value, char *out)
{
    if (!(std::fabs(value) < kExponentFormFrom))
        return writeExponentForm(value, out);
    // Below 10^15 a whole double is exactly an integer of at most 15 digits. Inline, for the
    // export writes one number per line.
    const auto written = std::to_chars(out, out + kMaxWholeNumberChars, static_cast<std::int64_t>(value));
    return static_cast<std::size_t>(written.ptr - out);
}
