// SPDX-License-Identifier: GPL-3.0-or-later
// One keystroke in the translator and one duplicate test of the dictionary editor on a million pairs,
// against a single scan of the list's text, and the making of the indexes they look through; and the opening
// of the editor on a user dictionary of 100,000 lines, against reading that file alone.
#include "Controls.h"
#include "QuietOffscreen.h"
#include "Stopwatch.h"
#include "WordMaker.h"
#include "platform/ProgramFolder.h"
#include "platform/QtPlatform.h"
#include "platform/TextCodec.h"
#include "shared/ScrambledText.h"
#include "words/LoadDictionary.h"
#include "words/SideIndex.h"
#include "words/TfrmAddWord.h"
#include "words/TfrmTranslate.h"
#include "words/UserDictionary.h"
#include "words/WordList.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

constexpr int ListPairs = 1000000;
constexpr int UserLines = 100000;

QByteArray pairLines(int pairs, unsigned seed) {
    WordMaker maker{seed};
    QByteArray plain;
    plain.reserve(qsizetype(pairs) * 26);
    for (int i = 0; i < pairs; ++i)
        plain += maker.russian() + '|' + maker.english() + "\r\n";
    return plain;
}

struct Data {
    QtPlatform platform;
    QTemporaryDir folder;
    WordList list;
    WordList noUserWords;
    QString userFile;
};

Data& data() {
    static Data instance;
    return instance;
}

RunTimes timePerRun;

void record(benchmark::State& state, const std::string& name, const Stopwatch& watch) {
    timePerRun.record(state, name, watch.perRun(state.iterations()));
}

void Baseline(benchmark::State& state) {
    const WordList& list = data().list;
    Stopwatch watch;
    for (auto _ : state) {
        watch.start();
        const QByteArrayView text = list.bytes();
        const char* p = text.data();
        qsizetype bars = 0;
        for (qsizetype i = 0, n = text.size(); i < n; ++i)
            bars += p[i] == '|';
        benchmark::DoNotOptimize(bars);
        watch.stop();
    }
    record(state, "baseline", watch);
}

// Two words taken in turn, so that every step changes the field.
void Keystroke(benchmark::State& state, const QString& first, const QString& second,
               const std::string& name) {
    TfrmTranslate window(data().platform, data().list);
    bool odd = false;
    Stopwatch watch;
    for (auto _ : state) {
        watch.start();
        control<QLineEdit>(window, "Edit1")->setText((odd = !odd) ? first : second);
        watch.stop();
    }
    record(state, name, watch);
}

void KeystrokeEnglishNotFound(benchmark::State& state) {
    Keystroke(state, QStringLiteral("zzqa"), QStringLiteral("zzqb"), "keystroke EN, no match");
}
void KeystrokeRussianNotFound(benchmark::State& state) {
    Keystroke(state, QStringLiteral("яяя"), QStringLiteral("яяю"), "keystroke RU, no match");
}
void KeystrokeEnglishTenFound(benchmark::State& state) {
    Keystroke(state, QStringLiteral("ta"), QStringLiteral("tab"), "keystroke EN, ten found");
}

void DuplicateTest(benchmark::State& state) {
    Stopwatch watch;
    for (auto _ : state) {
        watch.start();
        benchmark::DoNotOptimize(
            userdictionary::check(data().list, data().noUserWords, u"новоеслово", u"newword"));
        watch.stop();
    }
    record(state, "duplicate test", watch);
}

// The lookups' indexes, made once for a list on its first lookup.
void BuildIndexes(benchmark::State& state) {
    Stopwatch watch;
    for (auto _ : state) {
        watch.start();
        benchmark::DoNotOptimize(SideIndex(data().list, SideIndex::Key::English));
        benchmark::DoNotOptimize(SideIndex(data().list, SideIndex::Key::Line));
        watch.stop();
    }
    record(state, "indexes made", watch);
}

void ReadUserFile(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadScrambledText(data().userFile).size());
}

void OpenEditor(benchmark::State& state) {
    const ProgramFolder folder(data().folder.path());
    const WordList wordList;
    Stopwatch watch;
    for (auto _ : state) {
        watch.start();
        TfrmAddWord window(data().platform, folder, wordList, {});
        window.show();
        QCoreApplication::processEvents();
        watch.stop();
        window.hide();
    }
    record(state, "open editor", watch);
}

BENCHMARK(Baseline)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(KeystrokeEnglishNotFound)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(KeystrokeRussianNotFound)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(KeystrokeEnglishTenFound)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(DuplicateTest)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BuildIndexes)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ReadUserFile)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(OpenEditor)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    useQuietOffscreen();
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);

    Data& d = data();
    if (!d.folder.isValid() || !QDir(d.folder.path()).mkpath(QStringLiteral("словарь")))
        return 1;
    const QString text = ansi::decode(pairLines(ListPairs, 1));
    d.list.reserve(text.size());
    for (qsizetype start = 0, end; (end = text.indexOf(u"\r\n", start)) >= 0; start = end + 2)
        d.list.append(QStringView(text).sliced(start, end - start));
    // The lookups below are the keystrokes after the first; the first makes the indexes, timed on its own.
    d.list.englishIndex();
    d.list.lineIndex();
    d.userFile = ProgramFolder(d.folder.path()).file(userdictionary::UserFile);
    WriteScrambledText(d.userFile, ansi::decode(pairLines(UserLines, 2)), WriteMode::Replace);

    benchmark::RunSpecifiedBenchmarks();

    timePerRun.print([](const std::string& name) {
        return name == "open editor" ? std::string() : std::string("baseline");
    });
    benchmark::Shutdown();
    return 0;
}
