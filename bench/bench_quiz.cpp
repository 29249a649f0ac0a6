// SPDX-License-Identifier: GPL-3.0-or-later
// One question, and one whole answer (scoring, the counters shown, the sound call, the next question),
// on the real main window, against the least a question must do: its five draws and the four list
// lookups, with nothing shown. The program folder has no sound files, so the sound call finds none.
#include "QuietOffscreen.h"
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
    TfrmMain window{platform, keyStore, ProgramFolder(folder.path())};
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
        window.game.DirectionTrans = QStringLiteral("EN\\RU");
    }
    return window;
}

void Baseline(benchmark::State& state) {
    TfrmMain& window = windowWith(state.range(0));
    Platform& platform = program().platform;
    for (auto _ : state) {
        const qsizetype right = platform.randomBelow(int(window.lstQuestion.count()));
        benchmark::DoNotOptimize(question::sides(window.lstQuestion.at(right), window.game.DirectionTrans));
        benchmark::DoNotOptimize(platform.randomBelow(4));
        for (qsizetype wrong : question::drawWrong(window.lstQuestion, right, platform))
            benchmark::DoNotOptimize(
                question::sides(window.lstQuestion.at(wrong), window.game.DirectionTrans));
    }
}

void NewQuestion(benchmark::State& state) {
    TfrmMain& window = windowWith(state.range(0));
    for (auto _ : state)
        window.NewQuestion();
}

void AnswerClick(benchmark::State& state) {
    TfrmMain& window = windowWith(state.range(0));
    window.game.GameRunning = true;
    int position = 0;
    for (auto _ : state) {
        window.AnswerClick(position % 4 + 1);
        ++position;
        // Far from the counters' limit, at the cost of three stores.
        window.game.YesCount = window.game.NoCount = window.game.Points = 0;
    }
    window.game.GameRunning = false;
}

BENCHMARK(Baseline)->Arg(4)->Arg(46'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(NewQuestion)->Arg(4)->Arg(46'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(AnswerClick)->Arg(4)->Arg(46'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

// Collects the per-question times to print the ratios after the table.
class Reporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // With repetitions the mean stands for the run; its name carries "_mean", so the plain one is used.
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "mean")
                m_times[run.run_name.str()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const char* n : {"4", "46000", "1000000"}) {
            const double base = m_times[std::string("Baseline/") + n];
            const double question = m_times[std::string("NewQuestion/") + n];
            const double answer = m_times[std::string("AnswerClick/") + n];
            if (base > 0)
                std::printf(
                    "%8s pairs: NewQuestion %.2f us (%.1fx), AnswerClick %.2f us (%.1fx), baseline %.2f us\n",
                    n, question, question / base, answer, answer / base, base);
        }
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char** argv) {
    useQuietOffscreen();
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
