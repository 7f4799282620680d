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
    double next() override
    {
        ++draws;
        return m_inner.next();
    }

    long long draws = 0;

private:
    RandomGenerator &m_inner;
};
