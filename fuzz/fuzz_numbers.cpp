// Arbitrary text through the numeric-text test, the strict conversion and number to text, in a
// few locales. The contract: the test says yes exactly when the conversion succeeds; a converted
// value is finite; its text converts back to the same number within 15 significant digits.
#include "runtime/errors.h"
#include "runtime/numberformat.h"
#include "runtime/numerictext.h"
#include "runtime/rounding.h"

#include <QLocale>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void require(bool condition, const char *what, const QString &text, const QLocale &locale)
{
    if (condition)
        return;
    std::fprintf(stderr, "broken: %s for '%s' in %s\n", what, qPrintable(text), qPrintable(locale.name()));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QLocale locales[] = {
        QLocale::c(),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::Swedish, QLocale::Sweden),
    };
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const QLocale &locale : locales) {
        const auto value = toNumber(text, locale);
        require(isNumericText(text, locale) == value.has_value(), "the test disagrees with the conversion", text, locale);
        bool threw = false;
        try {
            const double strict = toNumberStrict(text, locale);
            require(value && strict == *value, "the strict conversion differs", text, locale);
        } catch (const TypeMismatch &) {
            threw = true;
        }
        require(threw == !value, "the strict conversion accepts what the test refuses", text, locale);
        if (!value)
            continue;
        require(std::isfinite(*value), "a number that is not finite", text, locale);

        const QString shown = numberToText(*value, locale);
        const auto back = toNumber(shown, locale);
        require(back.has_value(), "number to text does not read back", shown, locale);
        require(std::fabs(*back - *value) <= std::fabs(*value) * 1e-14, "number to text reads back as another number",
                shown, locale);

        const double rounded = roundHalfEven(*value, 2);
        require(std::fabs(rounded - *value) <= 0.005 + std::fabs(*value) * 1e-15, "rounding went too far", text, locale);
        const double whole = roundHalfEven(*value, 0);
        require(whole == std::floor(whole) && std::fabs(whole - *value) <= 0.5, "not the nearest whole number", text,
                locale);
        char line[kMaxWholeNumberChars];
        const std::size_t length = writeWholeNumber(whole, line);
        require(length > 0 && length < kMaxWholeNumberChars, "a whole number of odd length", text, locale);
        const auto reread = toNumber(QString::fromLatin1(line, static_cast<qsizetype>(length)), QLocale::c());
        require(reread && std::fabs(*reread - whole) <= std::fabs(whole) * 1e-14, "the file's form reads back wrong",
                text, locale);
    }
    return 0;
}
