// SPDX-License-Identifier: GPL-3.0-or-later
// The player file's writes in a file of 200 players with 1,000 games each, against the least any
// replacement of that file must do: scramble as many bytes and write them through a temporary file.
// Also the opening of the results window and of the results chart on a player with 10,000 games.
#include "QuietOffscreen.h"
#include "platform/Files.h"
#include "platform/ProgramFolder.h"
#include "platform/QtPlatform.h"
#include "players/PlayerActions.h"
#include "players/PlayerFile.h"
#include "players/PlayerHost.h"
#include "players/PlayerStore.h"
#include "players/ProgressChart.h"
#include "players/TfrmChart.h"
#include "players/TfrmUsers.h"
#include "shared/GameState.h"
#include "shared/ScrambledText.h"
#include "shared/TimeValue.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>

namespace {

struct Host : PlayerHost {
    void setCurrentPlayerLabel(const QString&) override {}
    void setRecordLabel(const QString&) override {}
    void stopGameClock() override {}
    void closeMainWindow() override {}
    void reloadSettings() override {}
};

QString playerText(int playerCount, int games) {
    QString text;
    for (int p = 0; p < playerCount; ++p) {
        std::array<QString, players::RecordLineCount> lines;
        for (int i = 0; i < players::RecordLineCount; ++i)
            lines[i] = players::Keys[i].toString();
        for (int g = 0; g < games; ++g) {
            lines[0] += QStringLiteral("%1.%2.2007 %3:%4:%5|")
                            .arg(1 + g % 28, 2, 10, QLatin1Char('0'))
                            .arg(1 + g % 12, 2, 10, QLatin1Char('0'))
                            .arg(g % 24)
                            .arg(g % 60, 2, 10, QLatin1Char('0'))
                            .arg((g * 7) % 60, 2, 10, QLatin1Char('0'));
            lines[1] += QString::number(g % 40) + u'|';
            lines[2] += QString::number(g % 17) + u'|';
            lines[3] += QString::number((g % 40 - g % 17) * 100) + u'|';
            lines[4] += QStringLiteral("0:03:00|");
        }
        text += players::headerOf(QStringLiteral("Игрок номер %1").arg(p)) + QStringLiteral("\r\n");
        for (const QString& line : lines)
            text += line + QStringLiteral("\r\n");
    }
    return text;
}

struct Files {
    QTemporaryDir dir;
    ProgramFolder folder{dir.path()};
    QtPlatform platform;
    Host host;
    players::PlayerStore store{folder};
    QString original;

    Files() {
        original = playerText(200, 1000);
        restore();
        std::printf("player file of 200 players with 1000 games each: %lld bytes\n",
                    qlonglong(original.size()));
    }
    void restore() {
        WriteScrambledText(store.path(), original, WriteMode::Replace);
        store.reload();
    }
};

Files& playerFiles() {
    static Files instance;
    return instance;
}

std::map<std::string, double> secondsPerRun;

template <typename Work, typename Reset>
void timed(benchmark::State& state, const char* name, Work work, Reset reset) {
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        total += seconds;
        reset();
    }
    secondsPerRun[name] = total / double(state.iterations());
}

// Scrambles as many bytes as the file holds and replaces the file with them.
void Baseline(benchmark::State& state) {
    Files& f = playerFiles();
    const qsizetype size = f.original.size();
    QByteArray plain(size, 'a');
    timed(
        state, "baseline",
        [&] {
            QByteArray bytes = plain;
            char* data = bytes.data();
            for (qsizetype i = 0; i < size; ++i)
                data[i] = char(data[i] ^ 0x19);
            files::replaceFile(f.store.path() + QStringLiteral(".baseline"), bytes);
        },
        [] {});
}

// The whole recording of a finished game for the last player: edit, replace the file, reload it.
void RecordGame(benchmark::State& state) {
    Files& f = playerFiles();
    GameState game;
    game.PlayerName = QStringLiteral("Игрок номер 199");
    game.YesCount = 20;
    game.NoCount = 3;
    game.Points = 1700;
    game.GameTime = timevalue::fromHms(0, 3, 0);
    timed(
        state, "record", [&] { players::recordFinishedGame(f.platform, game, f.store, f.host); }, [] {});
    f.restore();
}

// Deleting every tenth game of the last player: edit, replace the file, reload it.
void DeleteGames(benchmark::State& state) {
    Files& f = playerFiles();
    const QString name = QStringLiteral("Игрок номер 199");
    QList<bool> selected(1000);
    for (int k = 0; k < selected.size(); k += 10)
        selected[k] = true;
    timed(
        state, "delete",
        [&] {
            f.store.apply([&](const QString& text) { return players::withoutGames(text, name, selected); });
        },
        [&] { f.restore(); });
}

// The two halves of a write: replacing the file, and reading it back.
void WriteFile(benchmark::State& state) {
    Files& f = playerFiles();
    timed(
        state, "write only",
        [&] { WriteScrambledText(f.store.path(), f.store.MemoPlayers(), WriteMode::Replace); }, [] {});
}

void ReloadFile(benchmark::State& state) {
    Files& f = playerFiles();
    timed(
        state, "reload only", [&] { f.store.reload(); }, [] {});
}

// Only the edit of the text, without the file.
void RecordGameTextOnly(benchmark::State& state) {
    Files& f = playerFiles();
    const std::array<QString, players::RecordLineCount> values = {"06.03.2007 20:15:00", "20", "3", "1700",
                                                                  "0:03:00"};
    timed(
        state, "record text",
        [&] {
            benchmark::DoNotOptimize(
                players::withGameRecorded(f.store.MemoPlayers(), u"Игрок номер 199", values));
        },
        [] {});
}

// Creating and showing the results window on a player with 10,000 games, painted once.
void OpenResults(benchmark::State& state) {
    QTemporaryDir dir;
    ProgramFolder folder(dir.path());
    Host host;
    players::PlayerStore store(folder);
    WriteScrambledText(store.path(), playerText(1, 10000), WriteMode::Replace);
    store.reload();
    QtPlatform platform;
    GameState game;
    game.PlayerName = QStringLiteral("Игрок номер 0");
    timed(
        state, "open results",
        [&] {
            TfrmUsers window(platform, game, store, host);
            window.show();
            benchmark::DoNotOptimize(window.grab());
        },
        [] {});
}

// Creating and showing the results chart on the same player, painted once; and, as its baseline,
// only reading that player's games out of the text.
void OpenChart(benchmark::State& state) {
    const QString text = playerText(1, 10000);
    const QString name = QStringLiteral("Игрок номер 0");
    timed(
        state, "open chart",
        [&] {
            TfrmChart window(text, name);
            window.show();
            benchmark::DoNotOptimize(window.grab());
        },
        [] {});
}

void ReadChartGames(benchmark::State& state) {
    const QString text = playerText(1, 10000);
    timed(
        state, "chart games", [&] { benchmark::DoNotOptimize(progress::gamesOf(text, u"Игрок номер 0")); },
        [] {});
}

BENCHMARK(Baseline)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(RecordGame)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(DeleteGames)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(WriteFile)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(ReloadFile)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(RecordGameTextOnly)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(OpenResults)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(ReadChartGames)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(OpenChart)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    useQuietOffscreen();
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    playerFiles();
    benchmark::RunSpecifiedBenchmarks();
    const double baseline = secondsPerRun["baseline"];
    for (const char* name : {"record", "delete", "write only", "reload only", "record text", "open results",
                             "chart games", "open chart"}) {
        const auto found = secondsPerRun.find(name);
        if (found == secondsPerRun.end())
            continue;
        std::printf("%-13s %7.2f ms", name, found->second * 1e3);
        if (std::string(name) == "open chart" && secondsPerRun["chart games"] > 0)
            std::printf("   %.1f x reading its games", found->second / secondsPerRun["chart games"]);
        else if (baseline > 0 && std::string(name).rfind("open", 0) != 0 &&
                 std::string(name) != "chart games")
            std::printf("   %.2f x baseline (%.2f ms)", found->second / baseline, baseline * 1e3);
        std::printf("\n");
    }
    benchmark::Shutdown();
    return 0;
}
