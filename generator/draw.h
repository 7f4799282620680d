#pragma once

#include "runtime/clock.h"
#include "runtime/rounding.h"

#include <algorithm>
#include <optional>

class QLocale;
class QString;
class RandomGenerator;

// The draw of one whole number between a minimum and a maximum. A candidate is
// maximum * r + minimum rounded to a whole number (halves to even) for a value r of the
// generator, and is drawn again until it lies between the bounds, both included. So the span
// that r scales is the maximum itself, and the minimum is half as likely as the other numbers.
//
// Rather than throw most candidates away, r is drawn only from the interval whose candidates
// can land between the bounds; r uniform there gives the same distribution as redrawing from
// [0, 1). The redraw stays as a guard against rounding at the interval's ends.
class DrawRange
{
public:
    DrawRange(double minimum, double maximum);

    // Whether the draw can give a number at all: some whole number lies between the bounds and
    // the maximum is above zero.
    bool hasWholeNumber() const { return m_width > 0; }

    // Reads the clock's second, re-initialises the generator with 3 and draws one number.
    // Needs hasWholeNumber(). Generator is a RandomGenerator, or one of its final classes so that
    // a batch draws without virtual calls.
    template<typename Generator>
    double draw(Generator &generator) const
    {
        const auto second = static_cast<float>(secondOfMinute());
        generator.reinitialise(3);
        double candidate = m_first;
        for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
            const double r = m_low + m_width * generator.next(second);
            candidate = roundToWhole(m_minimum + m_maximum * r);
            if (candidate >= m_minimum && candidate <= m_maximum) // also refuses a sum beyond a double
                return candidate;
        }
        return std::clamp(candidate, m_first, m_last);
    }

private:
    // With r from the accepted interval nearly every attempt is accepted; this many rejections
    // in a row can only come from rounding at the interval's ends, and the draw then settles
    // on the nearest whole number between the bounds.
    static constexpr int kMaxAttempts = 64;

    double m_minimum;
    double m_maximum;
    double m_first; // the smallest and largest whole numbers between the bounds
    double m_last;
    double m_low = 0; // r is drawn from [m_low, m_low + m_width)
    double m_width = 0;
};

// One number between the bounds the texts hold in locale, or nothing when no whole number can be
// drawn between them. Throws TypeMismatch when a text is not a number.
std::optional<double> DrawRandomNumber(const QString &minimumText, const QString &maximumText, const QLocale &locale,
                                       RandomGenerator &generator);
