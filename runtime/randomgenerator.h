#pragma once

#include <cstdint>

// A source of pseudo-random values r with 0 <= r < 1.
class RandomGenerator
{
public:
    virtual ~RandomGenerator() = default;

    // Mixes seed into the state. The state is never reset to a fixed value, so re-initialising
    // with the same seed before every draw still gives varying values.
    virtual void reinitialise(double seed) = 0;

    // The next value, 0 <= r < 1. The argument (the draw passes the clock's second) does not
    // change what comes out: any argument, 0 included, gives a fresh value.
    virtual float next(float argument) = 0;
};

// SplitMix64 with 24 random bits scaled into [0, 1): every value is a multiple of 2^-24 and the
// largest is 1 - 2^-24, so no rounding can produce 1.
class MixingGenerator final : public RandomGenerator
{
public:
    explicit MixingGenerator(std::uint64_t seed);

    void reinitialise(double seed) override;
    float next(float argument) override;

private:
    std::uint64_t m_state;
};

// The one generator of the process, shared by every draw. Seeded once from std::random_device
// on first use, so that two runs of the program differ.
RandomGenerator &processGenerator();
