// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Platform.h"

#include <random>

int drawBelow(quint32 seed, int n) {
    // Nothing to choose from: 0, as Random(0) answers, rather than a division by zero.
    if (n <= 1)
        return 0;
    std::mt19937 generator(seed);
    // Rejection keeps every value in [0, n) equally likely.
    const quint32 range = quint32(n);
    const quint32 limit = quint32(0xFFFFFFFFu - (0xFFFFFFFFu % range + 1) % range);
    quint32 value;
    do {
        value = quint32(generator());
    } while (value > limit);
    return int(value % range);
}

int Platform::randomBelow(int n) {
    return drawBelow(performanceCounter(), n);
}
