#include "support/sequencegenerator.h"

#include <utility>

SequenceGenerator::SequenceGenerator(std::vector<float> values)
    : m_values(std::move(values))
{
}

SequenceGenerator SequenceGenerator::evenlySpread(int count)
{
    std::vector<float> values;
    for (int i = 0; i < count; ++i)
        values.push_back(static_cast<float>((i + 0.5) / count));
    return SequenceGenerator(std::move(values));
}

void SequenceGenerator::reinitialise(double seed)
{
    ++reinitialisations;
    lastSeed = seed;
}

float SequenceGenerator::next(float argument)
{
    ++draws;
    lastArgument = argument;
    const float value = m_values[m_next];
    m_next = (m_next + 1) % m_values.size();
    return value;
}
