#pragma once

#include <optional>

class QLocale;
class QString;

// The strict conversion of a text to a number in a given locale; a text is a number exactly when
// it gives a value. The whole text must be one finite number: blanks around it, a sign, the
// locale's decimal and group separators and an exponent are allowed; "inf", "nan", trailing text
// and values beyond a double's range are not numbers.
std::optional<double> toNumber(const QString &text, const QLocale &locale);
