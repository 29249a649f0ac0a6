// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/CommandLine.h"
#include "dicttool/Commands.h"
#include "dicttool/Console.h"
#include "dicttool/DelimitedWriter.h"
#include "dicttool/KvtmlWriter.h"
#include "dicttool/Texts.h"
#include "shared/CrLfLines.h"
#include "shared/ScrambledText.h"
#include "shared/WordPair.h"
#include "words/UserDictionary.h"

#include <QFileInfo>

namespace {

enum class Format { Tsv, Csv, Kvtml };

Format formatOf(const Invocation& invocation, const QString& output) {
    const QString name = invocation.has(QStringLiteral("format")) ? invocation.value(QStringLiteral("format"))
                                                                  : QFileInfo(output).suffix().toLower();
    if (name == u"csv")
        return Format::Csv;
    if (name == u"kvtml")
        return Format::Kvtml;
    if (name == u"tsv" || !invocation.has(QStringLiteral("format")))
        return Format::Tsv;
    throw UsageError{
        localized(u"неизвестный формат \"%1\" (tsv, csv, kvtml)", u"unknown format \"%1\" (tsv, csv, kvtml)")
            .arg(name)};
}

} // namespace

int runExport(const Invocation& invocation) {
    const QString output =
        invocation.has(QStringLiteral("o")) ? invocation.value(QStringLiteral("o")) : QStringLiteral("-");
    const Format format = formatOf(invocation, output);
    const ProgramFolder folder = console::programFolder(invocation);
    const bool standard = invocation.has(QStringLiteral("standard"));
    const QString fileName = folder.file(standard ? userdictionary::MainFile : userdictionary::UserFile);

    // No user dictionary yet is an empty one, as the editor sees it.
    const QString text = standard || QFileInfo::exists(fileName) ? ReadScrambledText(fileName) : QString();
    QList<Pair> pairs;
    qsizetype skipped = 0;
    for (CrLfLines lines(text); lines.next();) {
        const wordpair::Sides sides = wordpair::sides(lines.line());
        const bool isPair = lines.line().contains(u'|');
        if (!isPair ||
            (format == Format::Kvtml && !(kvtml::fitsXml(sides.russian) && kvtml::fitsXml(sides.english)))) {
            ++skipped;
            continue;
        }
        pairs.append({sides.russian.toString(), sides.english.toString()});
    }

    switch (format) {
    case Format::Tsv:
        console::writeOutput(output, delimited::write(pairs, u'\t'));
        break;
    case Format::Csv:
        console::writeOutput(output, delimited::write(pairs, u','));
        break;
    case Format::Kvtml:
        console::writeOutput(output, kvtml::write(pairs, QFileInfo(fileName).fileName()));
        break;
    }
    console::note(
        localized(u"%1: выведено пар %2, пропущено строк %3", u"%1: exported %2 pairs, skipped %3 lines")
            .arg(fileName)
            .arg(pairs.size())
            .arg(skipped));
    return 0;
}
