// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestHelpers.h"
#include "platform/ProgramFolder.h"
#include "players/PlayerActions.h"
#include "players/PlayerFile.h"
#include "players/PlayerHost.h"
#include "players/PlayerStore.h"
#include "shared/ScrambledText.h"

#include <QStringList>
#include <QTemporaryDir>

// Olga with two games, then Max without any.
inline QString twoPlayers() {
    return listText({QStringLiteral("$/$/$/$/$Olga$\\$\\$\\$\\$"),
                     QStringLiteral("Date:=05.03.2007 18:42:10|06.03.2007 19:05:33|"),
                     QStringLiteral("Yes:=14|9|"), QStringLiteral("No:=3|6|"),
                     QStringLiteral("Очки:=1100|300|"), QStringLiteral("GameTime:=0:03:00|0:03:00|"),
                     QStringLiteral("$/$/$/$/$Max$\\$\\$\\$\\$"), QStringLiteral("Date:="),
                     QStringLiteral("Yes:="), QStringLiteral("No:="), QStringLiteral("Очки:="),
                     QStringLiteral("GameTime:=")});
}

// A block of these games, each "date;yes;no;points;time".
inline QString blockOf(const QString& name, const QStringList& games) {
    QStringList lines(6);
    lines[0] = players::headerOf(name);
    for (int i = 0; i < players::RecordLineCount; ++i)
        lines[i + 1] = players::Keys[i].toString();
    for (const QString& game : games) {
        const QStringList values = game.split(QLatin1Char(';'));
        for (int i = 0; i < players::RecordLineCount; ++i)
            lines[i + 1] += values.value(i) + QLatin1Char('|');
    }
    return listText(lines);
}

// Game k of a test: dated "0k.01.2007", k right answers, k * 100 points.
inline QString gameNumber(int k) {
    return QStringLiteral("0%1.01.2007;%1;0;%2;0:03:00").arg(k).arg(k * 100);
}

inline QString fiveGames(const QString& name) {
    QStringList games;
    for (int k = 1; k <= 5; ++k)
        games << gameNumber(k);
    return blockOf(name, games);
}

// A program folder with a player file and its owner, and the main window's side of the player
// windows: the labels and what the windows asked of it.
struct PlayerTestHost : PlayerHost {
    QTemporaryDir dir;
    ProgramFolder folder{dir.path()};
    players::PlayerStore store{folder};
    QString currentPlayerLabel;
    QString recordLabel;
    int labelUpdates = 0;
    int clockStops = 0;
    int mainWindowCloses = 0;
    int settingsLoads = 0;

    // Points the host and its player file's owner at another program folder.
    void moveTo(const QString& root) {
        folder = ProgramFolder(root);
        store = players::PlayerStore(folder);
    }
    QString path() const { return store.path(); }
    const QString& MemoPlayers() const { return store.MemoPlayers(); }
    QByteArray bytes() const { return readBytes(path()); }
    // Writes the player file and loads it, as start-up does.
    void start(const QString& plainText) {
        WriteScrambledText(path(), plainText, WriteMode::Replace);
        store.reload();
    }

    void setCurrentPlayerLabel(const QString& text) override {
        currentPlayerLabel = text;
        ++labelUpdates;
    }
    void setRecordLabel(const QString& text) override {
        recordLabel = text;
        ++labelUpdates;
    }
    void stopGameClock() override { ++clockStops; }
    void closeMainWindow() override { ++mainWindowCloses; }
    void reloadSettings() override { ++settingsLoads; }
};
