// SPDX-License-Identifier: GPL-3.0-or-later
// A save folder of 10,000 saved games listed into the save and the open window, against the least a
// listing must do (reading the folder), with the longest stretch in which no event ran; and restoring
// one saved game.
#include "Controls.h"
#include "QuietOffscreen.h"
#include "platform/Files.h"
#include "platform/ProgramFolder.h"
#include "platform/QtPlatform.h"
#include "platform/TextCodec.h"
#include "saves/SaveListBox.h"
#include "saves/SavedGame.h"
#include "saves/TfrmOpen.h"
#include "saves/TfrmSave.h"
#include "shared/GameState.h"
#include "shared/ScrambledText.h"
#include "shared/TimeValue.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

constexpr int Games = 10'000;

struct Program {
    QTemporaryDir folder;
    QtPlatform platform;
    GameState game;
    ProgramFolder programFolder{folder.path()};
    QString saveFolder = folder.filePath(QStringLiteral("Save"));

    Program() {
        QDir().mkpath(saveFolder);
        game.PlayerName = QStringLiteral("Иван Петров");
        game.GameTime = timevalue::fromHms(0, 3, 0);
        game.TimeLeft = timevalue::fromHms(0, 1, 12);
        game.YesCount = 12;
        game.NoCount = 3;
        game.Points = 900;
        game.RealButton = 2;
        game.DirectionTrans = QStringLiteral("EN\\RU");
        // Written directly: the safe replace syncs every file to disk, which would take minutes here.
        const QByteArray bytes = ansi::encode(Coding(savedgame::format(snapshot())));
        for (int k = 0; k < Games; ++k) {
            QFile file(saveFolder + QStringLiteral("/06.12.2026 9-5-%1.gsv").arg(k));
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                qFatal("cannot write the save folder");
        }
    }

    SavedGame snapshot() {
        return savedgame::snapshot(game, u"Выберите перевод слова \"table\":\r\ntable",
                                   {QStringLiteral("A.   стол"), QStringLiteral("B.   кошка"),
                                    QStringLiteral("C.   дом"), QStringLiteral("D.   окно")},
                                   QDateTime(QDate(2026, 12, 6), QTime(9, 5, 7)));
    }
};

Program& program() {
    static Program instance;
    return instance;
}

// The longest time between two runs of the event loop while a window lists the folder: a timer that
// fires as often as it can notes each run.
class EventGaps {
public:
    EventGaps() {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout,
                         [this] { m_longest = std::max(m_longest, m_sinceLast.restart()); });
    }
    void start() {
        m_sinceLast.start();
        m_timer.start();
    }
    void stop() {
        m_longest = std::max(m_longest, m_sinceLast.elapsed());
        m_timer.stop();
    }
    qint64 longestMs() const { return m_longest; }

private:
    QTimer m_timer;
    QElapsedTimer m_sinceLast;
    qint64 m_longest = 0;
};

void Baseline(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(files::listFolder(program().saveFolder, QStringLiteral("*.gsv")).size());
}

// Shows the window and runs events until its list holds every game.
template <typename Window> void listInto(benchmark::State& state, Window& window) {
    EventGaps gaps;
    for (auto _ : state) {
        state.PauseTiming();
        control<SaveListBox>(window, "ListBox1")->clear();
        state.ResumeTiming();
        gaps.start();
        window.show();
        while (control<SaveListBox>(window, "ListBox1")->count() < Games)
            QCoreApplication::processEvents();
        gaps.stop();
        state.PauseTiming();
        window.hide();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["longest_ms_without_events"] = double(gaps.longestMs());
}

void ListIntoSaveWindow(benchmark::State& state) {
    Program& p = program();
    TfrmSave window(p.platform, p.programFolder, p.game, [&p] { return p.snapshot(); });
    listInto(state, window);
}

void ListIntoOpenWindow(benchmark::State& state) {
    Program& p = program();
    TfrmOpen window(p.platform, p.programFolder, p.game, [](const SavedGame&) {});
    listInto(state, window);
}

void RestoreOne(benchmark::State& state) {
    Program& p = program();
    GameState game;
    TfrmOpen window(p.platform, p.programFolder, game, [](const SavedGame& saved) {
        benchmark::DoNotOptimize(savedgame::questionBoxText(saved));
    });
    control<SaveListBox>(window, "ListBox1")->addItem(QStringLiteral("06.12.2026 9-5-0.gsv"));
    control<SaveListBox>(window, "ListBox1")->setCurrentRow(0);
    for (auto _ : state)
        window.Button1Click();
    if (game.Points != p.game.Points)
        state.SkipWithError("the game was not restored");
}

BENCHMARK(Baseline)->Unit(benchmark::kMillisecond);
BENCHMARK(ListIntoSaveWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(ListIntoOpenWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(RestoreOne)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    useQuietOffscreen();
    QApplication application(argc, argv);
    program();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
