// Arbitrary bound and count texts (three lines: minimum, maximum, count; the first byte picks a
// locale) through the range check, the count check and a bounded draw. Every range the checks
// accept draws whole numbers between its bounds within a bounded number of attempts; a refused
// range draws nothing.
#include "export/countcheck.h"
#include "generator/draw.h"
#include "generator/rangecheck.h"
#include "runtime/numerictext.h"
#include "runtime/randomgenerator.h"
#include "support/countinggenerator.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include "fuzzcheck.h"

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QLocale &locale = fuzzLocales()[data[0] % fuzzLocales().size()];
    QStringList texts = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1))
                            .split(QLatin1Char('\n'));
    while (texts.size() < 3)
        texts.append(QString());
    const QString &minimumText = texts[0];
    const QString &maximumText = texts[1];
    const QString &countText = texts[2];
    const QString input = texts.join(QStringLiteral("' '")) + QStringLiteral("' in ") + locale.name();

    MixingGenerator mixing(size);
    CountingGenerator generator(mixing);
    const RangeCheck check = checkRange(minimumText, maximumText, locale);
    const auto minimum = toNumber(minimumText, locale);
    const auto maximum = toNumber(maximumText, locale);
    if (check.verdict == RangeVerdict::Valid) {
        require(minimum && maximum && *minimum >= 0 && *minimum < *maximum, "an accepted range that is not one", input);
        require(check.range.has_value(), "an accepted range with nothing to draw from", input);
        for (int i = 0; i < 8; ++i) {
            generator.draws = 0;
            const double value = DrawRandomNumber(*check.range, generator);
            require(value >= *minimum && value <= *maximum, "a number outside the bounds", input);
            require(value == std::floor(value), "a number that is not whole", input);
            require(generator.draws <= kMaxDrawAttempts, "too many attempts", input);
        }
    } else {
        require(!check.range, "a refused range with something to draw from", input);
        require(!check.message().isEmpty(), "a refusal without a message", input);
        require(check.boundsRefused() != (check.verdict == RangeVerdict::NoWholeNumber), "the wrong kind of refusal",
                input);
        if (check.verdict == RangeVerdict::NoWholeNumber)
            require(std::ceil(*minimum) > std::floor(*maximum), "a whole number between the bounds is missed", input);
        require(generator.draws == 0 && generator.reinitialisations == 0, "a refused range touched the generator",
                input);
    }

    const CountCheck count = checkCount(countText, locale);
    const auto size_ = toNumber(countText, locale);
    require(count.accepted() == (size_ && *size_ > 0), "the count check misjudges the size", input);
    if (count.accepted()) {
        require((count.verdict == CountVerdict::TextFile) == (*size_ > kSpreadsheetRows), "the wrong file", input);
        require(count.count == *size_, "the size read differently", input);
    } else {
        require(!countMessage(count.verdict).isEmpty(), "a refusal without a message", input);
    }
    return 0;
}
