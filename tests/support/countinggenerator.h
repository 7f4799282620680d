#pragma once

#include "runtime/randomgenerator.h"

// Counts what is asked of another generator.
class CountingGenerator final : public RandomGenerator
{
public:
    explicit CountingGenerator(RandomGenerator &inner)
        : m_inner(inner)
    {
    }
    void reinitialise(double seed) override
    {
        ++reinitialisations;
        m_inner.reinitialise(seed);
    }
    double next(float argument) override
    {
        ++draws;
        return m_inner.next(argument);
    }

    long long reinitialisations = 0;
    long long draws = 0;

private:
    RandomGenerator &m_inner;
};
