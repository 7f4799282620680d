#include "runtime/numerictext.h"

#include "runtime/errors.h"

#include <QLocale>
#include <QString>

#include <cmath>

std::optional<double> toNumber(const QString &text, const QLocale &locale)
{
    bool ok = false;
    const double value = locale.toDouble(text, &ok); // ignores blanks around the number
    if (!ok || !std::isfinite(value)) // QLocale takes "inf" and "nan" as numbers
        return std::nullopt;
    return value;
}

bool isNumericText(const QString &text, const QLocale &locale)
{
    return toNumber(text, locale).has_value();
}

double toNumberStrict(const QString &text, const QLocale &locale)
{
    if (const auto value = toNumber(text, locale))
        return *value;
    throw TypeMismatch("Type mismatch: '" + text.left(80).toStdString() + "' is not a number");
}
