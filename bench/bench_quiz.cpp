// SPDX-License-Identifier: GPL-3.0-or-later
// One question on the real main window, against the least a question must do: its five draws and
// the four list lookups, with nothing shown.
#include "app/TfrmMain.h"
#include "platform/KeyStore.h"
#include "platform/QtPlatform.h"
#include "quiz/Question.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

struct Program {
    QTemporaryDir folder;
    QtPlatform platform;
    KeyStore keyStore{folder.filePath(QStringLiteral("LexiTrainer.reg"))};
    TfrmMain window{platform, keyStore};
};

Program& program() {
    static Program instance;
    return instance;
}

// The window's list filled with n pairs, refilled only when n changes.
TfrmMain& windowWith(qsizetype n) {
    TfrmMain& window = program().window;
    if (window.lstQuestion.count() != n) {
        window.lstQuestion.clear();
        for (qsizetype k = 0; k < n; ++k)
            window.lstQuestion.append(QStringLiteral("слово%1|word%1").arg(k));
        window.DirectionTrans = QStringLiteral("EN\\RU");
    }
    return window;
}

void Baseline(benchmark::State& state) {
    TfrmMain& window = windowWith(state.range(0));
    Platform& platform = program().platform;
    for (auto _ : state) {
        const qsizetype right = platform.randomBelow(int(window.lstQuestion.count()));
        benchmark::DoNotOptimize(question::sides(window.lstQuestion.at(right), window.DirectionTrans));
        benchmark::DoNotOptimize(platform.randomBelow(4));
        for (qsizetype wrong : question::drawWrong(window.lstQuestion, right, platform))
            benchmark::DoNotOptimize(question::sides(window.lstQuestion.at(wrong), window.DirectionTrans));
    }
}

void NewQuestion(benchmark::State& state) {
    TfrmMain& window = windowWith(state.range(0));
    for (auto _ : state)
        window.NewQuestion();
}

BENCHMARK(Baseline)->Arg(4)->Arg(46'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(NewQuestion)->Arg(4)->Arg(46'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

// Collects the per-question times to print the ratios after the table.
class Reporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const char* n : {"4", "46000", "1000000"}) {
            const double base = m_times[std::string("Baseline/") + n];
            const double question = m_times[std::string("NewQuestion/") + n];
            if (base > 0)
                std::printf("%8s pairs: NewQuestion %.2f us, baseline %.2f us, ratio %.1fx\n", n, question,
                            base, question / base);
        }
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
