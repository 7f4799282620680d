// Arbitrary bound and count texts (three lines: minimum, maximum, count; the first byte picks a
// locale) through the range check, the count check and the draw. Every range the checks accept
// draws whole numbers between its bounds within a bounded number of attempts; a refused range
// draws nothing. For whole bounds from 0 to below 2^53, where each generator value lands agrees
// with a slow reference in exact rational arithmetic.
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

namespace {

__extension__ using Wide = unsigned __int128;

// Where the generator's value j / 2^53 lands for whole bounds 0 <= minimum < maximum < 2^53, by
// the rule itself: the sums minimum + maximum * r that round (halves to even) to a whole number
// between the bounds run from the minimum to maximum + 1/2, and below minimum + maximum; the value
// stands for the middle of its interval, (2j + 1) / 2^54, of that interval. Worked out as one
// fraction with the remainder of its long division, so that a half is seen as one.
double landsOn(std::uint64_t minimum, std::uint64_t maximum, std::uint64_t j, const QString &input)
{
    const Wide twiceLength = std::min<Wide>(2 * (Wide { maximum } - minimum) + 1, 2 * Wide { maximum });
    const Wide numerator = twiceLength * (2 * Wide { j } + 1); // the offset is numerator / 2^55
    const Wide unit = Wide { 1 } << 55;
    Wide whole = numerator / unit;
    const Wide twiceRemainder = 2 * (numerator % unit);
    require(twiceRemainder != unit, "a generator value lands halfway between two whole numbers", input);
    if (twiceRemainder > unit)
        ++whole;
    return static_cast<double>(minimum + static_cast<std::uint64_t>(whole));
}

} // namespace

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

    MixingGenerator mixing(size ^ (std::uint64_t { data[0] } << 32));
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
        const bool exact = *minimum == std::floor(*minimum) && *maximum == std::floor(*maximum) && *maximum < 0x1p53;
        if (exact) {
            MixingGenerator values(size + 1);
            for (int i = 0; i < 16; ++i) {
                const double u = i == 0 ? 0 : i == 1 ? 1 - 0x1p-53 : values.next();
                const auto j = static_cast<std::uint64_t>(u * 0x1p53);
                const double expected =
                    landsOn(static_cast<std::uint64_t>(*minimum), static_cast<std::uint64_t>(*maximum), j, input);
                require(check.range->candidate(u) == expected, "a value lands elsewhere than the rule says", input);
                require(check.range->contains(expected), "the rule lands outside the bounds", input);
            }
        }
    } else {
        require(!check.range, "a refused range with something to draw from", input);
        require(!check.message().isEmpty(), "a refusal without a message", input);
        require(check.boundsRefused() != (check.verdict == RangeVerdict::NoWholeNumber), "the wrong kind of refusal",
                input);
        if (check.verdict == RangeVerdict::NoWholeNumber)
            require(std::ceil(*minimum) > std::floor(*maximum), "a whole number between the bounds is missed", input);
        require(generator.draws == 0, "a refused range touched the generator",
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
