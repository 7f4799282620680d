#include "support/sequencegenerator.h"

#include <utility>

SequenceGenerator::SequenceGenerator(std::vector<double> values)
    : m_values(std::move(values))
{
}

SequenceGenerator SequenceGenerator::evenlySpread(int count)
{
    std::vector<double> values;
    for (int i = 0; i < count; ++i)
        values.push_back((i + 0.5) / count);
    return SequenceGenerator(std::move(values));
}

double SequenceGenerator::next()
{
    ++draws;
    const double value = m_values[m_next];
    m_next = (m_next + 1) % m_values.size();
    return value;
}
