#include "rng.h"

#include <chrono>

namespace rasp {

quint64 Rng::clockSeed()
{
    return quint64(std::chrono::system_clock::now().time_since_epoch().count());
}

int Rng::bounded(int lo, int hi)
{
    if (hi <= lo)
        return lo;
    // Rejection keeps every value equally likely: draws from the incomplete last block of
    // `range` values are thrown away.
    const quint64 range = quint64(qint64(hi) - qint64(lo)) + 1;
    const quint64 limit = std::mt19937_64::max() - (std::mt19937_64::max() % range + 1) % range;
    quint64 x = m_engine();
    while (x > limit)
        x = m_engine();
    return int(qint64(lo) + qint64(x % range));
}

} // namespace rasp
