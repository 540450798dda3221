#pragma once

#include <QtGlobal>

#include <random>

namespace rasp {

// The editor's pseudo-random generator: one seedable object, so tests and the CLI can fix the
// seed while the window seeds it from the clock. Every draw is uniform over its range.
class Rng
{
public:
    explicit Rng(quint64 seed = 0)
        : m_engine(seed)
    { }

    // Starts the sequence again from `seed`.
    void seed(quint64 seed) { m_engine.seed(seed); }

    // A seed taken from the clock (nanoseconds since the epoch).
    static quint64 clockSeed();

    // A uniform integer in lo..hi, both included (lo when hi < lo).
    int bounded(int lo, int hi);

private:
    std::mt19937_64 m_engine;
};

} // namespace rasp
