#pragma once

#include <QtGlobal>

// A small deterministic random source (splitmix64). The standard library's
// distributions may differ between library versions; these do not, so the
// sample study comes out the same on every machine.
class RandomSource {
public:
    explicit RandomSource(quint64 seed) : m_state(seed) {}

    quint64 next();
    // Uniform in [0, 1).
    double uniform();
    double uniform(double low, double high) { return low + (high - low) * uniform(); }
    // Uniform integer in [0, count).
    int below(int count);
    // Standard normal (Box-Muller).
    double normal();
    // A whole number whose expectation is the given non-negative value.
    qint64 roundRandomly(double value);

private:
    quint64 m_state;
};
