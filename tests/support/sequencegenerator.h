#pragma once

#include "runtime/randomgenerator.h"

#include <vector>

// Gives the values of a fixed sequence, over and over, and counts what is asked of it.
class SequenceGenerator final : public RandomGenerator
{
public:
    explicit SequenceGenerator(std::vector<double> values);
    // count values spread evenly over [0, 1): (i + 0.5) / count.
    static SequenceGenerator evenlySpread(int count);

    double next() override;

    int draws = 0;

private:
    std::vector<double> m_values;
    std::size_t m_next = 0;
};
