// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Platform.h"

#include <cstdint>

namespace {

// SplitMix64: cheap to seed (every question re-seeds five times or more), and its mixing spreads
// seeds that differ in a few low bits, as successive counter readings do, over the whole range.
class SplitMix {
public:
    explicit SplitMix(std::uint64_t seed) : m_state(seed) {}
    std::uint32_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return std::uint32_t((z ^ (z >> 31)) >> 32);
    }

private:
    std::uint64_t m_state;
};

} // namespace

int drawBelow(quint32 seed, int n) {
    // Nothing to choose from: 0, as Random(0) answers, rather than a division by zero.
    if (n <= 1)
        return 0;
    SplitMix generator(seed);
    // Rejection keeps every value in [0, n) equally likely.
    const quint32 range = quint32(n);
    const quint32 limit = quint32(0xFFFFFFFFu - (0xFFFFFFFFu % range + 1) % range);
    quint32 value;
    do {
        value = generator.next();
    } while (value > limit);
    return int(value % range);
}

int Platform::randomBelow(int n) {
    return drawBelow(performanceCounter(), n);
}
