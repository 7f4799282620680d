#pragma once

#include <cstddef>

class QLocale;
class QString;

// The shortest decimal form of value with at most 15 significant digits, no group separators
// and the locale's decimal separator and minus sign. Magnitudes of 10^15 and more, and below
// 10^-4, take the exponent form 1E+15 (capital E, sign, at least two digits) in every locale.
// Where 15 digits would read back as another number, the fewest digits that name this one, up
// to 17: 4503599627370497 is 4.503599627370497E+15, never 4.5035996273705E+15.
QString numberToText(double value, const QLocale &locale);

// Writes a whole value as it appears in the export file: plain ASCII digits with a leading '-'
// when negative, or the exponent form above for magnitudes of 10^15 and more, with a period as
// decimal separator; it always reads back as value. Returns the number of characters of the number; out needs room for
// kMaxWholeNumberChars, and what follows the number in it may be overwritten.
inline constexpr std::size_t kMaxWholeNumberChars = 32;
std::size_t writeWholeNumber(double value, char *out);
