#pragma once

#include <cstdint>
#include <mutex>
#include <utility>

// A source of pseudo-random values r with 0 <= r < 1: one stream, each value a fresh one. It needs
// no re-initialisation and no argument, such as the clock's second, to keep varying.
class RandomGenerator
{
public:
    virtual ~RandomGenerator() = default;

    virtual double next() = 0;
};

// SplitMix64 with 53 random bits scaled into [0, 1), a double's full precision: every value is
// a multiple of 2^-53 and the largest is 1 - 2^-53, so no rounding can produce 1.
class MixingGenerator final : public RandomGenerator
{
public:
    explicit MixingGenerator(std::uint64_t seed);

    double next() override
    {
        return static_cast<double>(nextBits()) * 0x1p-53; // exact: 53 bits fit a double
    }
    // The next value's 53 bits, j: the value is j / 2^53.
    std::uint64_t nextBits()
    {
        m_state += kGoldenGamma;
        return mix(m_state) >> 11;
    }

private:
    static constexpr std::uint64_t kGoldenGamma = 0x9E3779B97F4A7C15u;

    // SplitMix64's output function: a bijection of 64-bit values that spreads every input bit.
    static std::uint64_t mix(std::uint64_t z)
    {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }

    std::uint64_t m_state;
};

// A generator that more than one thread draws from: the windows' draws on the window thread and
// a batch on its own. Whoever draws holds the lock, so no two threads ever draw at once, and the
// draws of both go on from one state.
class SharedGenerator
{
public:
    explicit SharedGenerator(RandomGenerator &generator)
        : m_generator(generator)
    {
    }

    // Runs draw(generator) with the lock held and returns what it returns. Hold it briefly: the
    // window thread waits for it.
    template<typename Draw>
    auto use(Draw &&draw)
    {
        const std::lock_guard lock(m_mutex);
        return std::forward<Draw>(draw)(m_generator);
    }

private:
    std::mutex m_mutex;
    RandomGenerator &m_generator;
};

// The one generator of the process, shared by every draw. Seeded once from std::random_device
// on first use, so that two runs of the program differ.
SharedGenerator &processGenerator();
