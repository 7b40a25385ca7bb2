#include "random_source.h"

#include <cmath>
#include <numbers>

quint64 RandomSource::next() {
    m_state += 0x9E3779B97F4A7C15ULL;
    quint64 z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double RandomSource::uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }

int RandomSource::below(int count) { return count <= 0 ? 0 : int(next() % quint64(count)); }

double RandomSource::normal() {
    const double u1 = 1.0 - uniform(); // (0, 1], keeps log finite
    const double u2 = uniform();
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
}

qint64 RandomSource::roundRandomly(double value) {
    if (value <= 0)
        return 0;
    const double whole = std::floor(value);
    return qint64(whole) + (uniform() < value - whole ? 1 : 0);
}
