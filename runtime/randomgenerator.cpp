#include "runtime/randomgenerator.h"

#include <random>

MixingGenerator::MixingGenerator(std::uint64_t seed)
    : m_state(seed)
{
}

SharedGenerator &processGenerator()
{
    static MixingGenerator generator([] {
        std::random_device device;
        return (std::uint64_t { device() } << 32) ^ device();
    }());
    static SharedGenerator shared(generator);
    return shared;
}
