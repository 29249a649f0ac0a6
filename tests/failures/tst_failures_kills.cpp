// SPDX-License-Identifier: GPL-3.0-or-later
// A real writer process killed at random moments, again and again, while it records games, saves a
// game and adds pairs: every file reads back whole, holds all that was written before, and once the
// start-up clean-up has run nothing of ours is left beside the files. LEXITRAINER_KILL_ROUNDS sets the
// number of kills (scripts/killtest runs thousands).
#include "TestHelpers.h"
#include "platform/Files.h"
#include "platform/ProgramFolder.h"
#include "players/PlayerFile.h"
#include "saves/SavedGame.h"
#include "shared/CrLfLines.h"
#include "shared/ScrambledText.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

class TestKills : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    ProgramFolder m_folder{m_dir.path()};
    int m_games = 0;
    QSet<QString> m_pairs;
    int m_leftovers = 0;

    QStringList entries(const QString& relative) const {
        return QDir(m_folder.file(relative)).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    // Every file whole, nothing written before lost.
    void checkFiles(int round) {
        const QString players = ReadScrambledText(m_folder.file(players::FileName));
        QCOMPARE(players::playerNames(players), QStringList{QStringLiteral("Olga")});
        const std::optional<players::Block> block = players::findBlock(players, u"Olga");
        QVERIFY(block);
        QCOMPARE(block->lineCount, players::RecordLineCount);
        const QList<players::GameRow> games = players::gameRows(players, u"Olga");
        for (const players::GameRow& game : games)
            QCOMPARE(game.columns, players::RecordLineCount);
        QVERIFY2(games.size() >= m_games, qPrintable(QStringLiteral("round %1: games lost").arg(round)));
        m_games = int(games.size());

        const QString save = m_folder.file(QStringLiteral("Save/game.gsv"));
        if (QFile::exists(save)) {
            const SavedGame saved = savedgame::parse(ReadScrambledText(save));
            QCOMPARE(saved.Points, saved.YesCount * 100);
        }

        const QString user = m_folder.file(QStringLiteral("словарь/User.txt"));
        if (QFile::exists(user) || !m_pairs.isEmpty()) {
            const QString text = ReadScrambledText(user);
            QVERIFY(text.isEmpty() || text.endsWith(QStringLiteral("\r\n")));
            static const QRegularExpression pair(QStringLiteral("^слово(\\d+_\\d+)\\|word(\\d+_\\d+)$"));
            QSet<QString> now;
            CrLfLines lines(text);
            while (lines.next()) {
                const QRegularExpressionMatch match = pair.match(lines.line());
                QVERIFY2(match.hasMatch() && match.captured(1) == match.captured(2),
                         qPrintable(lines.line().toString()));
                now.insert(lines.line().toString());
            }
            QVERIFY2(now.contains(m_pairs), qPrintable(QStringLiteral("round %1: pairs lost").arg(round)));
            m_pairs = now;
        }
    }

    // What is left beside the files: only ours, cleared as start-up clears it, and the write lock that
    // the next writer takes over.
    void checkNothingLeft() {
        for (const QString& relative : {QString(), QStringLiteral("словарь"), QStringLiteral("Save")}) {
            const qsizetype before = entries(relative).size();
            files::removeLeftovers(m_folder.file(relative));
            m_leftovers += int(before - entries(relative).size());
        }
        static const QStringList expected = {QStringLiteral("Players.ini"), QStringLiteral("User.txt"),
                                             QStringLiteral("game.gsv")};
        for (const QString& relative : {QString(), QStringLiteral("словарь"), QStringLiteral("Save")})
            for (const QString& name : entries(relative))
                QVERIFY2(expected.contains(name) || name.startsWith(QStringLiteral("LexiTrainer.write.lock")),
                         qPrintable(name));
    }

private slots:
    void killedWriterLeavesEveryFileWhole() {
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("словарь")));
        WriteScrambledText(m_folder.file(players::FileName), players::newBlock(u"Olga"), WriteMode::Replace);
        const QString writer = QCoreApplication::applicationDirPath() + QStringLiteral("/killed_writer");
        const int rounds = qEnvironmentVariableIntValue("LEXITRAINER_KILL_ROUNDS") > 0
                               ? qEnvironmentVariableIntValue("LEXITRAINER_KILL_ROUNDS")
                               : 100;
        for (int round = 0; round < rounds; ++round) {
            QProcess process;
            process.start(writer, {m_dir.path(), QString::number(round)});
            QVERIFY(process.waitForReadyRead(10000));
            // Up to a few whole turns of the writer (each write waits for the disk): every step of
            // every write is met some time.
            QThread::usleep(QRandomGenerator::global()->bounded(120000));
            QCOMPARE(process.state(), QProcess::Running);
            process.kill();
            QVERIFY(process.waitForFinished(10000));
            checkFiles(round);
            if (QTest::currentTestFailed())
                return;
            checkNothingLeft();
        }
        qInfo("%d kills: %d games recorded, %lld pairs added, %d leftovers cleared", rounds, m_games,
              qlonglong(m_pairs.size()), m_leftovers);
        QVERIFY(m_games > 0);
        QVERIFY(!m_pairs.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestKills)
#include "tst_failures_kills.moc"
