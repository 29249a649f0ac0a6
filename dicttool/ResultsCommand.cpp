// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/CommandLine.h"
#include "dicttool/Commands.h"
#include "dicttool/Console.h"
#include "dicttool/DelimitedWriter.h"
#include "dicttool/Texts.h"
#include "platform/Failure.h"
#include "platform/TextCodec.h"
#include "players/PlayerFile.h"
#include "players/PlayerStore.h"

#include <QDateTime>
#include <QFileInfo>

namespace {

// The program's own date text ("05.03.2007 18:42:10").
const QString programDates = QStringLiteral("dd.MM.yyyy");

// The game's date as ISO 8601, which spreadsheets read as a date in any locale; a value that is no date
// stays as it is written.
QString isoDate(QStringView stored) {
    const QDateTime date = QDateTime::fromString(stored.toString(), QStringLiteral("dd.MM.yyyy H:mm:ss"));
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : stored.toString();
}

} // namespace

int runResults(const Invocation& invocation) {
    const bool ownDates = invocation.value(QStringLiteral("format")) == programDates;
    if (invocation.has(QStringLiteral("format")) && !ownDates)
        throw UsageError{localized(u"--format знает только %1 (даты, как их пишет программа)",
                                   u"--format knows only %1 (dates as the program writes them)")
                             .arg(programDates)};

    players::PlayerStore store(console::programFolder(invocation));
    const QString fileName = store.path();
    // Read as the game reads it, but no file is no players rather than a file to create.
    if (QFileInfo::exists(fileName))
        store.reload();
    const QString& text = store.MemoPlayers();

    const bool everyone = invocation.arguments.isEmpty();
    QStringList names;
    if (everyone) {
        names = players::playerNames(text);
        // A second block of the same name can never be shown: every lookup finds the first.
        names.removeDuplicates();
    } else {
        // Names are stored in the code page, as the player typed them.
        names.append(ansi::fromUser(invocation.arguments.front()));
        if (!players::findBlock(text, names.front()))
            throw Failure(localized(u"%1: нет игрока \"%2\"", u"%1: there is no player \"%2\"")
                              .arg(fileName, invocation.arguments.front()));
    }

    QStringList header = {QStringLiteral("date"), QStringLiteral("right"), QStringLiteral("wrong"),
                          QStringLiteral("points"), QStringLiteral("game length")};
    if (everyone)
        header.prepend(QStringLiteral("player"));
    QString csv = delimited::record(header, u',');
    for (const QString& name : names) {
        for (const players::GameRow& row : players::gameRows(text, name)) {
            QStringList fields;
            if (everyone)
                fields.append(name);
            // A last game whose lines ran short keeps its empty cells, so the columns stay in place.
            for (int column = 0; column < players::RecordLineCount; ++column)
                fields.append(column >= row.columns      ? QString()
                              : column == 0 && !ownDates ? isoDate(row.values[column])
                                                         : row.values[column].toString());
            csv += delimited::record(fields, u',');
        }
    }
    console::writeOutput(QStringLiteral("-"), csv.toUtf8());
    return 0;
}
