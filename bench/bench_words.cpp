// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a dictionary against the least any loader must do: read the file, unscramble it and find its
// line breaks. Also the memory a loaded list of a million pairs holds.
#include "QuietOffscreen.h"
#include "Stopwatch.h"
#include "WordMaker.h"
#include "platform/TextCodec.h"
#include "shared/ScrambledText.h"
#include "words/LoadDictionary.h"
#include "words/WordList.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <malloc.h>
#include <map>
#include <random>
#include <string>
#include <unistd.h>

namespace {

QString makeDictionary(const QString& folder, int pairs) {
    WordMaker maker{unsigned(pairs)};
    QByteArray plain;
    plain.reserve(qsizetype(pairs) * 26);
    for (int i = 0; i < pairs; ++i)
        plain += maker.russian() + '|' + maker.english() + "\r\n";
    const QString path = folder + QStringLiteral("/dictionary-%1.txt").arg(pairs);
    WriteScrambledText(path, ansi::decode(plain), WriteMode::Replace);
    std::printf("dictionary of %d pairs: %lld bytes, %.1f bytes a line\n", pairs, qlonglong(plain.size()),
                double(plain.size()) / pairs);
    return path;
}

std::map<int, QString> dictionaries;
// Wall and processor seconds of one run, by benchmark and size.
RunTimes timePerRun;

void Baseline(benchmark::State& state) {
    const QString& path = dictionaries.at(int(state.range(0)));
    Stopwatch watch;
    for (auto _ : state) {
        watch.start();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot open the dictionary");
            return;
        }
        QByteArray bytes = file.readAll();
        char* data = bytes.data();
        const qsizetype size = bytes.size();
        for (qsizetype i = 0; i < size; ++i)
            data[i] = char(data[i] ^ 0x19);
        qsizetype lines = 0;
        for (qsizetype i = 0; i + 1 < size; ++i)
            if (data[i] == '\r' && data[i + 1] == '\n')
                ++lines;
        benchmark::DoNotOptimize(lines);
        benchmark::DoNotOptimize(data);
        watch.stop();
    }
    timePerRun.record(state, "baseline/" + std::to_string(state.range(0)), watch.perRun(state.iterations()));
}

void Load(benchmark::State& state) {
    const QString& path = dictionaries.at(int(state.range(0)));
    Stopwatch watch;
    for (auto _ : state) {
        watch.start();
        WordList list;
        loadDictionary(path, list);
        benchmark::DoNotOptimize(list.count());
        watch.stop();
    }
    const std::string size = std::to_string(state.range(0));
    timePerRun.record(state, "decoder/" + size, watch.perRun(state.iterations()), "baseline/" + size);
}

BENCHMARK(Baseline)->Arg(46000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(Load)->Arg(46000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MinTime(1.0);

double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void reportMemory() {
    malloc_trim(0);
    const double before = residentMegabytes();
    WordList list;
    loadDictionary(dictionaries.at(1000000), list);
    malloc_trim(0);
    const double after = residentMegabytes();
    const double buffers = double(list.text().size() + list.count() * sizeof(quint32)) / (1024.0 * 1024.0);
    std::printf("memory of a list of %lld pairs: %.1f MB resident (%.1f MB of lines and line starts)\n",
                qlonglong(list.count()), after - before, buffers);
}

} // namespace

int main(int argc, char** argv) {
    useQuietOffscreen();
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);

    QTemporaryDir folder;
    if (!folder.isValid())
        return 1;
    for (int pairs : {46000, 1000000})
        dictionaries[pairs] = makeDictionary(folder.path(), pairs);

    benchmark::RunSpecifiedBenchmarks();

    for (int pairs : {46000, 1000000}) {
        const std::string size = std::to_string(pairs);
        const RunTime* baseline = timePerRun.find("baseline/" + size);
        const RunTime* decoder = timePerRun.find("decoder/" + size);
        if (!baseline || !decoder)
            continue;
        const RunTime& b = *baseline;
        const RunTime& d = *decoder;
        std::printf("%7d pairs: Decoder %.1f ms (processor %.1f ms), baseline %.1f ms (processor %.1f ms), "
                    "ratio %.2f (processor %.2f)\n",
                    pairs, d.wall * 1e3, d.processor * 1e3, b.wall * 1e3, b.processor * 1e3, d.wall / b.wall,
                    d.processor / b.processor);
    }
    reportMemory();
    benchmark::Shutdown();
    return 0;
}
