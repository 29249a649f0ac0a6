// SPDX-License-Identifier: GPL-3.0-or-later
// A writer for tst_failures_kills: records games, saves a game and adds pairs to the user dictionary in
// the program folder it is given, through the program's own writers, until it is killed.
#include "platform/ProgramFolder.h"
#include "platform/WriteLock.h"
#include "players/PlayerStore.h"
#include "saves/SavedGame.h"
#include "shared/ScrambledText.h"
#include "words/UserDictionary.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 3)
        return 2;
    const ProgramFolder folder(QString::fromLocal8Bit(argv[1]));
    const QString round = QString::fromLatin1(argv[2]);
    QDir().mkpath(folder.file(QStringLiteral("Save")));
    players::PlayerStore store(folder);
    std::puts("ready");
    std::fflush(stdout);
    // Each round begins at another of the three writers, so that kills meet all three alike.
    for (int step = round.toInt();; ++step) {
        const QString n = QString::number(step);
        if (step % 3 == 0) {
            store.recordGame(QStringLiteral("Olga"),
                             {QStringLiteral("07.12.2026 10:00:00"), n, QStringLiteral("0"),
                              QString::number(step * 100), QStringLiteral("0:03:00")});
        } else if (step % 3 == 1) {
            SavedGame saved;
            saved.YesCount = step;
            saved.Points = step * 100;
            saved.PlayerName = QStringLiteral("Olga");
            saved.DirectionTrans = QStringLiteral("EN\\RU");
            const QString path = folder.file(QStringLiteral("Save/game.gsv"));
            WriteLock lock(folder.root());
            lock.lockFor(path);
            WriteScrambledText(path, savedgame::format(saved), WriteMode::Replace);
        } else {
            userdictionary::appendPair(folder, QStringLiteral("слово%1_%2").arg(round, n),
                                       QStringLiteral("word%1_%2").arg(round, n));
        }
    }
}
