// SPDX-License-Identifier: GPL-3.0-or-later
// Importing Mueller's English-Russian dictionary (about 46,000 entries) into an empty user dictionary
// with lexitrainer-dict, against reading the two files of the database and inflating its data as one
// stream on one core, as zcat does; the import itself inflates a dictzip file's chunks on both cores.
// Debian's mueller7-dict is used when installed; otherwise a database of the same size and shape is made up.
// Likewise an Anki package of 20,000 notes, in the old and the zstd layout, against reading it and unpacking
// its collection.
#include "AnkiDeck.h"
#include "DictdFiles.h"
#include "Stopwatch.h"
#include "WordMaker.h"
#include "dicttool/AnkiPackage.h"
#include "dicttool/Dictd.h"
#include "dicttool/ImportSource.h"
#include "platform/TextCodec.h"
#include "shared/ScrambledText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

#include <sys/resource.h>
#include <zlib.h>

namespace {

constexpr int Entries = 46000;
constexpr int AnkiNotes = 20000;
const QString installedIndex = QStringLiteral("/usr/share/dictd/mueller7.index");
const QString installedData = QStringLiteral("/usr/share/dictd/mueller7.dict.dz");
// Run with this and the two files of a database, the benchmark only reads and inflates them.
const QString readAndInflate = QStringLiteral("--read-and-inflate");

struct Data {
    QTemporaryDir folder;
    QString index;
    QString data;
    QString programFolder;
    QString ankiPackages[2]; // old layout, zstd layout
};

Data& data() {
    static Data instance;
    return instance;
}

QByteArray readFile(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
}

void makeDatabase(const QString& index, const QString& dataFile) {
    WordMaker maker{7};
    QByteArray text;
    QByteArray lines;
    for (int i = 0; i < Entries; ++i) {
        const QByteArray headword = maker.english() + QByteArray::number(i);
        QString article = QString::fromLatin1(headword) +
                          QStringLiteral("\n   [ˈ%1] _n.\n").arg(QString::fromLatin1(headword));
        for (int sense = 1; sense <= 1 + i % 4; ++sense)
            article += QStringLiteral("   %1) %2, %3; %4 %5\n")
                           .arg(sense)
                           .arg(ansi::decode(maker.russian()), ansi::decode(maker.russian()),
                                QString::fromLatin1(maker.english()), ansi::decode(maker.russian()));
        const QByteArray bytes = article.toUtf8();
        lines += headword + '\t' + indexDigits(text.size()).toLatin1() + '\t' +
                 indexDigits(bytes.size()).toLatin1() + '\n';
        text += bytes;
    }
    writeFile(index, lines);
    writeFile(dataFile, gzip(text));
}

RunTimes timePerRun;

void record(benchmark::State& state, const std::string& name, const RunTime& perRun,
            const std::string& baselineName = "baseline") {
    timePerRun.record(state, name, perRun, baselineName);
}

void Baseline(benchmark::State& state) {
    Stopwatch watch;
    for (auto _ : state) {
        watch.start();
        const QByteArray index = readFile(data().index);
        const QByteArray inflated = dictd::readData(readFile(data().data));
        benchmark::DoNotOptimize(index.size() + inflated.size());
        watch.stop();
    }
    record(state, "baseline", watch.perRun(state.iterations()));
}

double childProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// Runs a program to its end, adding its wall and processor time, as the system counts them; false, with
// its error output given to the benchmark, when it failed.
bool timedRun(benchmark::State& state, const QString& program, const QStringList& arguments, RunTime& total) {
    const auto wallStart = std::chrono::steady_clock::now();
    const double processorStart = childProcessorSeconds();
    QProcess child;
    child.start(program, arguments);
    child.waitForFinished(-1);
    total.wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    total.processor += childProcessorSeconds() - processorStart;
    if (child.exitCode() == 0)
        return true;
    state.SkipWithError(child.readAllStandardError().constData());
    return false;
}

// The same as a program of its own does it, the way the import runs: in fresh memory, after its start.
void FreshBaseline(benchmark::State& state) {
    RunTime total;
    for (auto _ : state)
        if (!timedRun(state, QCoreApplication::applicationFilePath(),
                      {readAndInflate, data().index, data().data}, total))
            return;
    const double runs = double(state.iterations());
    record(state, "fresh baseline", {total.wall / runs, total.processor / runs});
}

// The reading part of the import alone, in this process.
void ReadPairs(benchmark::State& state) {
    Stopwatch watch;
    for (auto _ : state) {
        watch.start();
        const QList<Pair> pairs = importsource::read(data().index, readFile(data().index), {});
        benchmark::DoNotOptimize(pairs.size());
        watch.stop();
    }
    record(state, "read pairs", watch.perRun(state.iterations()));
}

// Runs the tool's import of one file into an empty user dictionary as a user does, adding its wall and
// processor time; the number of lines the user dictionary then holds, or none when the tool failed.
std::optional<qint64> timedImport(benchmark::State& state, const QString& input, RunTime& total) {
    const QString userFile = data().programFolder + QStringLiteral("/словарь/User.txt");
    QFile::remove(userFile);
    if (!timedRun(state, QStringLiteral(LEXITRAINER_DICT),
                  {QStringLiteral("import"), QStringLiteral("--folder"), data().programFolder, input}, total))
        return std::nullopt;
    return ReadScrambledText(userFile).count(u'\n');
}

// The whole import as a user runs it: the tool starts, reads, checks against the standard dictionary
// and writes the user dictionary. Its processor time is the tool's own, as the system counts it.
void Import(benchmark::State& state) {
    RunTime total;
    qint64 added = 0;
    for (auto _ : state) {
        const std::optional<qint64> lines = timedImport(state, data().index, total);
        if (!lines)
            return;
        added = *lines;
    }
    state.counters["pairs_added"] = double(added);
    const double runs = double(state.iterations());
    record(state, "import (fresh)", {total.wall / runs, total.processor / runs}, "fresh baseline");
    record(state, "import", {total.wall / runs, total.processor / runs});
}

// An Anki package: reading its file and unpacking its collection (inflating zstd in the new layout).
void AnkiBaseline(benchmark::State& state) {
    const int layout = int(state.range(0));
    Stopwatch watch;
    for (auto _ : state) {
        watch.start();
        benchmark::DoNotOptimize(anki::collection(readFile(data().ankiPackages[layout])).size());
        watch.stop();
    }
    record(state, layout ? "anki zstd baseline" : "anki baseline", watch.perRun(state.iterations()));
}

// The notes read and made into pairs, in this process.
void AnkiReadPairs(benchmark::State& state) {
    const int layout = int(state.range(0));
    Stopwatch watch;
    for (auto _ : state) {
        watch.start();
        const QList<Pair> pairs =
            importsource::read(data().ankiPackages[layout], readFile(data().ankiPackages[layout]), {});
        benchmark::DoNotOptimize(pairs.size());
        watch.stop();
    }
    record(state, layout ? "anki zstd read" : "anki read", watch.perRun(state.iterations()),
           layout ? "anki zstd baseline" : "anki baseline");
}

// The whole import as a user runs it, into an empty user dictionary.
void AnkiImport(benchmark::State& state) {
    const int layout = int(state.range(0));
    RunTime total;
    qint64 added = 0;
    for (auto _ : state) {
        const std::optional<qint64> lines = timedImport(state, data().ankiPackages[layout], total);
        if (!lines)
            return;
        added = *lines;
    }
    state.counters["pairs_added"] = double(added);
    const double runs = double(state.iterations());
    record(state, layout ? "anki zstd import" : "anki import", {total.wall / runs, total.processor / runs},
           layout ? "anki zstd baseline" : "anki baseline");
}

BENCHMARK(Baseline)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(FreshBaseline)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(ReadPairs)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(Import)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(AnkiBaseline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(AnkiReadPairs)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(AnkiImport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    // Before anything else, so that the fresh baseline costs no more than a program's start.
    if (argc == 4 && QString::fromLocal8Bit(argv[1]) == readAndInflate) {
        const QByteArray index = readFile(QString::fromLocal8Bit(argv[2]));
        const QByteArray inflated = dictd::readData(readFile(QString::fromLocal8Bit(argv[3])));
        return index.isEmpty() || inflated.isEmpty() ? 1 : 0;
    }
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);

    Data& d = data();
    if (!d.folder.isValid())
        return 1;
    const bool installed = QFileInfo::exists(installedIndex) && QFileInfo::exists(installedData);
    if (installed) {
        d.index = installedIndex;
        d.data = installedData;
    } else {
        d.index = d.folder.filePath(QStringLiteral("mueller-sized.index"));
        d.data = d.folder.filePath(QStringLiteral("mueller-sized.dict.dz"));
        makeDatabase(d.index, d.data);
    }
    std::printf("input: %s (%s)\n", qPrintable(d.index),
                installed ? "Debian's mueller7-dict" : "made up, of the same size");
    // A program folder with a standard dictionary of FreeDict's size, as the build ships it.
    d.programFolder = d.folder.filePath(QStringLiteral("program"));
    QDir().mkpath(d.programFolder + QStringLiteral("/словарь"));
    WordMaker maker{3};
    QByteArray standard;
    for (int i = 0; i < 2100; ++i)
        standard += maker.russian() + '|' + maker.english() + "\r\n";
    WriteScrambledText(d.programFolder + QStringLiteral("/словарь/main.txt"), ansi::decode(standard),
                       WriteMode::Replace);

    for (const int layout : {0, 1}) {
        d.ankiPackages[layout] =
            d.folder.filePath(layout ? QStringLiteral("new.apkg") : QStringLiteral("old.apkg"));
        writeFile(d.ankiPackages[layout], ankiPackage(AnkiNotes, layout == 1));
    }

    benchmark::RunSpecifiedBenchmarks();

    // Each is set against the baseline of its input.
    timePerRun.print([](const std::string& name) {
        if (name.ends_with("(fresh)"))
            return std::string("fresh baseline");
        return std::string(name.starts_with("anki zstd") ? "anki zstd baseline"
                           : name.starts_with("anki")    ? "anki baseline"
                                                         : "baseline");
    });
    benchmark::Shutdown();
    return 0;
}
