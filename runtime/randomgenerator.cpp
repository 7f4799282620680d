#include "runtime/randomgenerator.h"

#include <bit>
#include <random>

namespace {

constexpr std::uint64_t kGoldenGamma = 0x9E3779B97F4A7C15u;

// SplitMix64's output function: a bijection of 64-bit values that spreads every input bit.
std::uint64_t mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

} // namespace

MixingGenerator::MixingGenerator(std::uint64_t seed)
    : m_state(seed)
{
}

void MixingGenerator::reinitialise(double seed)
{
    // XOR with a value and a bijective mix keep every state distinct: no two states collapse.
    m_state = mix(m_state ^ mix(std::bit_cast<std::uint64_t>(seed) + kGoldenGamma));
}

float MixingGenerator::next(float /*argument*/)
{
    m_state += kGoldenGamma;
    const auto bits = static_cast<std::uint32_t>(mix(m_state) >> 40); // 24 bits
    return static_cast<float>(bits) * 0x1p-24f; // exact: 24 bits fit a float's mantissa
}

RandomGenerator &processGenerator()
{
    static MixingGenerator generator([] {
        std::random_device device;
        return (std::uint64_t { device() } << 32) ^ device();
    }());
    return generator;
}
