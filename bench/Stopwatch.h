// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

// Wall and processor seconds of one run. The machine may be shared, so the processor time is the
// steadier comparison.
struct RunTime {
    double wall = 0;
    double processor = 0;
};
inline double processorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

class Stopwatch {
public:
    void start() {
        m_wallStart = std::chrono::steady_clock::now();
        m_processorStart = processorSeconds();
    }
    void stop() {
        m_total.wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - m_wallStart).count();
        m_total.processor += processorSeconds() - m_processorStart;
    }
    RunTime perRun(benchmark::IterationCount runs) const {
        return {m_total.wall / double(runs), m_total.processor / double(runs)};
    }

private:
    std::chrono::steady_clock::time_point m_wallStart;
    double m_processorStart = 0;
    RunTime m_total;
};
