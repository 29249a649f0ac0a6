// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>

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

// The time per run of each benchmark, kept to be compared with a baseline measured in the same run.
class RunTimes {
public:
    // Keeps a benchmark's time; once its baseline has run, the table shows the ratios as counters.
    void record(benchmark::State& state, const std::string& name, const RunTime& perRun,
                const std::string& baseline = "baseline") {
        m_times[name] = perRun;
        if (const auto found = m_times.find(baseline); name != baseline && found != m_times.end()) {
            state.counters["x_baseline_wall"] = perRun.wall / found->second.wall;
            state.counters["x_baseline_cpu"] = perRun.processor / found->second.processor;
        }
    }
    const RunTime* find(const std::string& name) const {
        const auto found = m_times.find(name);
        return found == m_times.end() ? nullptr : &found->second;
    }
    // Every time, with its ratio to the baseline that baselineOf names for it; none when it names none.
    template <typename BaselineOf> void print(BaselineOf baselineOf) const {
        for (const auto& [name, time] : m_times) {
            std::printf("%-26s %8.2f ms (processor %8.2f ms)", name.c_str(), time.wall * 1e3,
                        time.processor * 1e3);
            const std::string baselineName = baselineOf(name);
            if (const RunTime* baseline = find(baselineName); baseline && name != baselineName)
                std::printf(", %.2f x baseline (processor %.2f x)", time.wall / baseline->wall,
                            time.processor / baseline->processor);
            std::printf("\n");
        }
    }
    void print() const {
        print([](const std::string&) { return std::string("baseline"); });
    }

private:
    std::map<std::string, RunTime> m_times;
};
