#include "generator/draw.h"

#include "runtime/clock.h"
#include "runtime/numerictext.h"
#include "runtime/randomgenerator.h"
#include "runtime/rounding.h"

#include <algorithm>
#include <cmath>

namespace {
// With r from the accepted interval nearly every attempt is accepted; this many rejections in a
// row can only come from rounding at the interval's ends, and the draw then settles the matter.
constexpr int kMaxAttempts = 64;
}

DrawRange::DrawRange(double minimum, double maximum)
    : m_minimum(minimum)
    , m_maximum(maximum)
    , m_first(std::ceil(minimum))
    , m_last(std::floor(maximum))
{
    if (!(m_first <= m_last) || !(maximum > 0) || !std::isfinite(minimum) || !std::isfinite(maximum))
        return;
    // The candidate rounds into [first, last] when minimum + maximum * r lies in
    // [first - 0.5, last + 0.5).
    const double low = std::max(0.0, (m_first - 0.5 - minimum) / maximum);
    const double high = std::min(1.0, (m_last + 0.5 - minimum) / maximum);
    if (low < high) {
        m_low = low;
        m_width = high - low;
    }
}

double DrawRange::draw(RandomGenerator &generator) const
{
    const auto second = static_cast<float>(secondOfMinute());
    generator.reinitialise(3);
    double candidate = m_first;
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        const double r = m_low + m_width * generator.next(second);
        candidate = roundHalfEven(m_minimum + m_maximum * r, 0);
        if (candidate >= m_minimum && candidate <= m_maximum) // also refuses a sum beyond a double
            return candidate;
    }
    return std::clamp(candidate, m_first, m_last);
}

std::optional<double> DrawRandomNumber(const QString &minimumText, const QString &maximumText, const QLocale &locale,
                                       RandomGenerator &generator)
{
    const DrawRange range(toNumberStrict(minimumText, locale), toNumberStrict(maximumText, locale));
    if (!range.hasWholeNumber())
        return std::nullopt;
    return range.draw(generator);
}
