// SPDX-License-Identifier: GPL-3.0-or-later
// One question, and one whole answer (scoring, the counters shown, the sound call, the next question),
// on the real main window, against the least a question must do: its five draws and the four list
// lookups, with nothing shown. The program folder has no sound files, so the sound call finds none.
// Also a wrong answer of a player, its mistake recorded: the answer queues the edit, and the write of
// the mistakes file, which runs once the answer's handler has returned, is timed on its own.
#include "QuietOffscreen.h"
#include "app/TfrmMain.h"
#include "mistakes/MistakesFile.h"
#include "mistakes/MistakesStore.h"
#include "platform/KeyStore.h"
#include "platform/QtPlatform.h"
#include "quiz/Question.h"
#include "shared/ScrambledText.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <ctime>
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

// Every answer wrong: the answer path alone, in processor time of this thread (the machine may be busy),
// for a player whose mistake is then queued (1) and for no player, so nothing is kept (0). The queue is
// written once, after the loop; MistakesWrite times such a write on its own.
void WrongAnswer(benchmark::State& state) {
    TfrmMain& window = windowWith(1'000'000);
    window.game.GameRunning = true;
    window.game.PlayerName = state.range(0) ? QStringLiteral("Ольга") : QString();
    window.NewQuestion();
    const auto threadTime = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
    };
    for (auto _ : state) {
        const double start = threadTime();
        window.AnswerClick(window.game.RealButton % 4 + 1);
        state.SetIterationTime(threadTime() - start);
        window.game.YesCount = window.game.NoCount = window.game.Points = 0;
    }
    QCoreApplication::processEvents();
    window.game.GameRunning = false;
    window.game.PlayerName.clear();
}

// The write that follows a miss: one edit applied to the mistakes file of 1,000 pairs and written.
void MistakesWrite(benchmark::State& state) {
    MistakesStore store(program().folder.filePath(QStringLiteral("bench-mistakes.ini")));
    QString text;
    for (int k = 0; k < 1000; ++k)
        text = mistakes::withMiss(text, u"Ольга", QStringLiteral("слово%1|word%1").arg(k),
                                  u"07.03.2007 9:05:00");
    WriteScrambledText(program().folder.filePath(QStringLiteral("bench-mistakes.ini")), text,
                       WriteMode::Replace);
    int k = 0;
    for (auto _ : state) {
        const QString pair = QStringLiteral("слово%1|word%1").arg(k++ % 1000);
        store.apply(
            [&](QStringView t) { return mistakes::withMiss(t, u"Ольга", pair, u"07.03.2007 9:05:01"); });
    }
}

BENCHMARK(Baseline)->Arg(4)->Arg(46'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(NewQuestion)->Arg(4)->Arg(46'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(AnswerClick)->Arg(4)->Arg(46'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(WrongAnswer)->Arg(0)->Arg(1)->UseManualTime()->Iterations(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK(MistakesWrite)->Unit(benchmark::kMillisecond);

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
        const double kept = timeOf("WrongAnswer/1/");
        const double unkept = timeOf("WrongAnswer/0/");
        if (kept > 0 && unkept > 0)
            std::printf(
                " 1000000 pairs, processor time: wrong answer with its mistake queued %.2f us, without "
                "a player %.2f us (%.2fx); the write that follows %.2f ms\n",
                kept, unkept, kept / unkept, timeOf("MistakesWrite"));
    }

private:
    double timeOf(const std::string& prefix) const {
        for (const auto& [name, time] : m_times)
            if (name.rfind(prefix, 0) == 0)
                return time;
        return 0;
    }
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
