#pragma once

#include "runtime/clock.h"
#include "runtime/rounding.h"

#include <algorithm>
#include <cstdint>

// The bounds of a draw, read once. A candidate is maximum * r + minimum rounded to a whole
// number (halves to even) for a value r of the generator, and is drawn again until it lies
// between the bounds, both included. So the span that r scales is the maximum itself, and the
// minimum is half as likely as the other numbers (with a minimum of 0, the maximum too).
//
// Rather than throw most candidates away, r is drawn only from the interval whose candidates
// can land between the bounds; r uniform there gives the same distribution as redrawing from
// [0, 1). The redraw stays as a guard against rounding at the interval's ends.
//
// Whole bounds from 0 to below 2^53 are drawn exactly: the generator's value v, a multiple of
// 2^-53, stands for all the values from v up to the next one, and the candidate is worked out in
// integers for the middle of that stretch. So every whole number between the bounds gets its
// share of the generator's values to within one value in 2^53, and no value lands exactly
// halfway between two whole numbers, where rounding would favour the even one. Other bounds are
// drawn in floating point.
class DrawRange
{
public:
    DrawRange(double minimum, double maximum);

    // Whether a number can be drawn at all: some whole number lies between the bounds and the
    // maximum is above zero.
    bool hasWholeNumber() const { return m_width > 0; }

    // The candidate for the generator's value, 0 <= value < 1.
    double candidate(double value) const
    {
        if (m_twiceSpan == 0)
            return roundToWhole(m_minimum + m_maximum * (m_low + m_width * value));
        // maximum * r ranges over [0, span): the middle of value's stretch lands at
        // span * (2 * step + 1) / 2^54, and the candidate adds half and keeps the whole part.
        __extension__ using Wide = unsigned __int128;
        const auto step = static_cast<std::uint64_t>(value * 0x1p53);
        const Wide scaled = static_cast<Wide>(m_twiceSpan) * (2 * step + 1) + (Wide { 1 } << 54);
        return m_minimum + static_cast<double>(static_cast<std::uint64_t>(scaled >> 55));
    }
    bool contains(double candidate) const { return candidate >= m_minimum && candidate <= m_maximum; }
    // The whole number between the bounds nearest to candidate.
    double nearest(double candidate) const { return std::clamp(candidate, m_first, m_last); }
    // The smallest and the largest whole number between the bounds.
    double first() const { return m_first; }
    double last() const { return m_last; }

private:
    double m_minimum;
    double m_maximum;
    double m_first;
    double m_last;
    double m_low = 0; // r is drawn from [m_low, m_low + m_width)
    double m_width = 0;
    // For whole bounds below 2^53, twice the length of the stretch that maximum * r covers:
    // 2 * maximum from a minimum of 0, else 2 * (maximum - minimum) + 1. 0 for other bounds.
    std::uint64_t m_twiceSpan = 0;
};

// With r from the accepted interval nearly every attempt is accepted; this many rejections in a
// row can only come from rounding at the interval's ends, and the draw then settles on the
// nearest whole number between the bounds.
inline constexpr int kMaxDrawAttempts = 64;

// Draws one whole number from range: reads the clock's second, re-initialises the generator with
// 3, and draws candidates until one lies between the bounds. Needs range.hasWholeNumber().
// Generator is a RandomGenerator, or one of its final classes so that a batch draws without
// virtual calls.
template<typename Generator>
double DrawRandomNumber(const DrawRange &range, Generator &generator)
{
    const auto second = static_cast<float>(secondOfMinute());
    generator.reinitialise(3);
    double candidate = 0;
    for (int attempt = 0; attempt < kMaxDrawAttempts; ++attempt) {
        candidate = range.candidate(generator.next(second));
        if (range.contains(candidate)) // also refuses a sum beyond a double
            return candidate;
    }
    return range.nearest(candidate);
}
