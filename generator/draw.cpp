#include "generator/draw.h"

#include <cmath>

DrawRange::DrawRange(double minimum, double maximum)
    : m_minimum(minimum)
    , m_maximum(maximum)
    , m_first(std::ceil(minimum))
    , m_last(std::floor(maximum))
{
    if (!(m_first <= m_last) || !(maximum > 0) || !std::isfinite(minimum) || !std::isfinite(maximum))
        return;
    // The candidate rounds into [first, last] when maximum * r lies in
    // [first - minimum - 0.5, last - minimum + 0.5). The differences come first: from 2^52 on,
    // a whole number plus 0.5 is no longer a double, and the half would be lost.
    const double low = std::max(0.0, ((m_first - minimum) - 0.5) / maximum);
    const double high = std::min(1.0, ((m_last - minimum) + 0.5) / maximum);
    if (!(low < high))
        return;
    m_low = low;
    m_width = high - low;

    if (minimum == m_first && maximum == m_last && minimum >= 0 && maximum < 0x1p53) {
        const auto first = static_cast<std::uint64_t>(minimum);
        const auto last = static_cast<std::uint64_t>(maximum);
        // From a minimum of 0, r < 1 ends the stretch at the maximum; from 1 on, the last
        // candidate that rounds to the maximum ends it half a step beyond.
        m_twiceSpan = first == 0 ? 2 * last : 2 * (last - first) + 1;
    }
}
