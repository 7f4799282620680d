#pragma once

#include "runtime/rounding.h"

#include <algorithm>
#include <cstdint>
#include <span>

class RandomGenerator;

// The generator's values are whole multiples of 2^-53: 53 random bits, a double's precision.
inline constexpr int kGeneratorValueBits = 53;

// The bounds of a draw, read once, and the one rule by which a value r of the generator becomes
// a candidate:
//
//   the candidate is maximum * r + minimum rounded to a whole number (halves to even), and it is
//   drawn again until it lies between the bounds, both included.
//
// So the span that r scales is the maximum itself. With whole bounds the sums that round to the
// minimum run only from the minimum to the minimum + 1/2, for no sum lies below the minimum: the
// minimum is half as likely as the other numbers. With a minimum of 0 the maximum is too, for
// every sum lies below minimum + maximum. acceptedOffsets() in draw.cpp cuts both halves.
//
// Two refinements change no number's chance:
//  - r is taken only from the interval whose candidates lie between the bounds, rather than
//    drawn again and again from [0, 1): r uniform there gives every number the chance that
//    drawing again would give it, with next to no draws thrown away.
//  - For whole bounds from 0 to below 2^53 the candidate is worked out exactly, in integers. A
//    generator value u then stands for all the values from u up to the next, u + 2^-53, and the
//    draw takes the middle of that interval: every whole number gets its share of the generator's
//    values to within one value, and no middle lands exactly halfway between two whole numbers,
//    where rounding would favour the even one. Other bounds are worked out in floating point
//    with u itself, as the rule above has it; the redraw is there for its rounding at the
//    interval's ends.
class DrawRange
{
public:
    DrawRange(double minimum, double maximum);

    // Whether a number can be drawn at all: some whole number lies between the bounds and the
    // maximum is above zero.
    bool hasWholeNumber() const { return m_width > 0; }

    // The candidate for the generator's value u, 0 <= u < 1.
    double candidate(double u) const
    {
        if (!m_exact)
            return roundToWhole(m_maximum * (m_low + m_width * u) + m_minimum);
        return exactCandidate(static_cast<std::uint64_t>(u * kGeneratorValues));
    }
    // Whole bounds from 0 to below 2^53, whose candidates are worked out in integers. Each such
    // candidate lies between the bounds: none is drawn again.
    bool exact() const { return m_exact; }
    // The candidate for the generator's value j / 2^53, with exact().
    double exactCandidate(std::uint64_t j) const
    {
        // With u = j / 2^53 and the interval's width in halves (it starts at the minimum), the
        // offset from the minimum plus one half, in units of 2^-55, is 2^54 + width * (2j + 1):
        // the added half turns rounding into taking the whole part, as no middle lands on a half.
        // The largest j gives less than (width + 1) / 2, at most the maximum's offset.
        __extension__ using Wide = unsigned __int128;
        constexpr int kMiddleBits = kGeneratorValueBits + 1; // (2j + 1) / 2^54 is the middle
        constexpr int kUnitBits = kMiddleBits + 1;           // halves times middles
        const Wide offset =
            (Wide { 1 } << kMiddleBits) + static_cast<Wide>(m_widthHalves) * static_cast<Wide>(2 * j + 1);
        return m_minimum + static_cast<double>(static_cast<std::int64_t>(offset >> kUnitBits));
    }
    bool contains(double candidate) const { return candidate >= m_minimum && candidate <= m_maximum; }
    // The whole number between the bounds nearest to candidate.
    double nearest(double candidate) const { return std::clamp(candidate, m_first, m_last); }
    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    // The smallest and the largest whole number between the bounds.
    double first() const { return m_first; }
    double last() const { return m_last; }

private:
    static constexpr double kGeneratorValues = 0x1p53; // 2^kGeneratorValueBits

    double m_minimum;
    double m_maximum;
    double m_first;
    double m_last;
    // r is taken from [m_low, m_low + m_width).
    double m_low = 0;
    double m_width = 0;
    // For whole bounds from 0 to below 2^53: maximum * r runs over the same interval, from 0
    // (the minimum is the first whole number), this many halves wide.
    bool m_exact = false;
    std::int64_t m_widthHalves = 0;
};

// With r from the accepted interval nearly every attempt is accepted: only the rounding of
// floating-point arithmetic at the interval's ends, with bounds that are not whole or lie
// beyond 2^53, can make a candidate miss. So many misses in a row come only from a generator
// that gives such values again and again, and the draw then settles on the nearest whole number
// between the bounds rather than run on.
inline constexpr int kMaxDrawAttempts = 64;

// Draws one whole number from range: candidates until one lies between the bounds. Needs
// range.hasWholeNumber(). The generator is one stream, so there is nothing to re-initialise and
// no clock to read before a draw: each value is a fresh one.
double DrawRandomNumber(const DrawRange &range, RandomGenerator &generator);
// Draws out.size() numbers from range, one after another, each as DrawRandomNumber draws it.
void drawBlock(const DrawRange &range, RandomGenerator &generator, std::span<double> out);
