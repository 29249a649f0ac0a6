// SPDX-License-Identifier: GPL-3.0-or-later
// dictconvert INDEX DATA OUTPUT: writes the game's standard dictionary from a dictd English-Russian
// database. dictconvert --decode FILE: prints a scrambled file's text, for checking.
#include "DictConvert.h"

#include "dicttool/Dictd.h"
#include "platform/Failure.h"
#include "shared/ScrambledText.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

void print(const QString& text) {
    std::fputs(text.toUtf8().constData(), stdout);
}

QByteArray readFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("Cannot read %1: %2").arg(fileName, file.errorString()));
    return file.readAll();
}

int convertFiles(const QString& indexName, const QString& dataName, const QString& outputName) {
    using namespace dictconvert;
    const QList<Article> articles = readArticles(readFile(indexName), dictd::readData(readFile(dataName)));
    const Conversion result = convert(articles);

    QDir().mkpath(QFileInfo(outputName).absolutePath());
    WriteScrambledText(outputName, result.pairs.text(), WriteMode::Replace);

    print(QStringLiteral("%1: %2 entries read, %3 header entries skipped\n")
              .arg(QFileInfo(dataName).fileName())
              .arg(result.articles)
              .arg(result.metaArticles));
    print(QStringLiteral("%1: %2 pairs written\n").arg(outputName).arg(result.pairs.size()));
    for (int v = 0; v < verdictCount; ++v) {
        const auto verdict = Verdict(v);
        if (verdict != Verdict::Written && result.pairs.count(verdict) > 0)
            print(QStringLiteral("  dropped, %1: %2\n")
                      .arg(QString::fromUtf8(verdictName(verdict)))
                      .arg(result.pairs.count(verdict)));
    }
    if (result.pairs.size() < 4)
        throw Failure(QStringLiteral("Too few pairs for a game in %1").arg(outputName));
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Converts a dictd English-Russian dictionary into the "
                                                    "LexiTrainer standard dictionary."));
    parser.addHelpOption();
    const QCommandLineOption decode(QStringLiteral("decode"),
                                    QStringLiteral("Print the text of a scrambled file."),
                                    QStringLiteral("file"));
    parser.addOption(decode);
    parser.addPositionalArgument(QStringLiteral("index"), QStringLiteral("The dictd index (.index)."));
    parser.addPositionalArgument(QStringLiteral("data"),
                                 QStringLiteral("The dictd data (.dict or .dict.dz)."));
    parser.addPositionalArgument(QStringLiteral("output"),
                                 QStringLiteral("The dictionary to write (main.txt)."));
    parser.process(app);

    try {
        if (parser.isSet(decode)) {
            print(ReadScrambledText(parser.value(decode)));
            return 0;
        }
        const QStringList args = parser.positionalArguments();
        if (args.size() != 3)
            parser.showHelp(2);
        return convertFiles(args[0], args[1], args[2]);
    } catch (const Failure& failure) {
        std::fprintf(stderr, "dictconvert: %s\n", failure.what());
        return 1;
    }
}
