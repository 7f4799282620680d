#pragma once

#include "runtime/clock.h"
#include "runtime/rounding.h"

#include <algorithm>

// The bounds of a draw, read once. A candidate is maximum * r + minimum rounded to a whole
// number (halves to even) for a value r of the generator, and is drawn again until it lies
// between the bounds, both included. So the span that r scales is the maximum itself, and the
// minimum is half as likely as the other numbers.
//
// Rather than throw most candidates away, r is drawn only from the interval whose candidates
// can land between the bounds; r uniform there gives the same distribution as redrawing from
// [0, 1). The redraw stays as a guard against rounding at the interval's ends.
class DrawRange
{
public:
    DrawRange(double minimum, double maximum);

    // Whether a number can be drawn at all: some whole number lies between the bounds and the
    // maximum is above zero.
    bool hasWholeNumber() const { return m_width > 0; }

    // The candidate for the generator's value, 0 <= value < 1.
    double candidate(float value) const { return roundToWhole(m_minimum + m_maximum * (m_low + m_width * value)); }
    bool contains(double candidate) const { return candidate >= m_minimum && candidate <= m_maximum; }
    // The whole number between the bounds nearest to candidate.
    double nearest(double candidate) const { return std::clamp(candidate, m_first, m_last); }

private:
    double m_minimum;
    double m_maximum;
    double m_first; // the smallest and largest whole numbers between the bounds
    double m_last;
    double m_low = 0; // r is drawn from [m_low, m_low + m_width)
    double m_width = 0;
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
