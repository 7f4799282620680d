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
    // The candidate rounds into [first, last] when minimum + maximum * r lies in
    // [first - 0.5, last + 0.5).
    const double low = std::max(0.0, (m_first - 0.5 - minimum) / maximum);
    const double high = std::min(1.0, (m_last + 0.5 - minimum) / maximum);
    if (low < high) {
        m_low = low;
        m_width = high - low;
    }
}
