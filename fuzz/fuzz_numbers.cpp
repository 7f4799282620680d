// Arbitrary text through the numeric-text test, the strict conversion and number to text, in a
// few locales. The contract: the test says yes exactly when the conversion succeeds; a converted
// value is finite; its text, and the export file's form of a whole number, convert back to
// exactly the same number.
#include "runtime/numberformat.h"
#include "runtime/numerictext.h"
#include "runtime/rounding.h"

#include <QLocale>
#include <QString>

#include "fuzzcheck.h"

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const QLocale &locale : fuzzLocales()) {
        const QString input = text + QStringLiteral("' in ") + locale.name();
        const auto value = toNumber(text, locale);
        require(isNumericText(text, locale) == value.has_value(), "the test disagrees with the conversion", input);
        if (!value)
            continue;
        require(std::isfinite(*value), "a number that is not finite", input);

        const QString shown = numberToText(*value, locale);
        const QString shownInput = shown + QStringLiteral("' in ") + locale.name();
        const auto back = toNumber(shown, locale);
        require(back.has_value(), "number to text does not read back", shownInput);
        require(*back == *value, "number to text reads back as another number", shownInput);

        const double rounded = roundHalfEven(*value, 2);
        require(std::fabs(rounded - *value) <= 0.005 + std::fabs(*value) * 1e-15, "rounding went too far", input);
        const double whole = roundHalfEven(*value, 0);
        require(whole == std::floor(whole) && std::fabs(whole - *value) <= 0.5, "not the nearest whole number", input);
        char line[kMaxWholeNumberChars];
        const std::size_t length = writeWholeNumber(whole, line);
        require(length > 0 && length < kMaxWholeNumberChars, "a whole number of odd length", input);
        const auto reread = toNumber(QString::fromLatin1(line, static_cast<qsizetype>(length)), QLocale::c());
        require(reread && *reread == whole, "the file's form reads back as another number", input);
    }
    return 0;
}
