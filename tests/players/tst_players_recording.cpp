// SPDX-License-Identifier: GPL-3.0-or-later
// Recording a finished game in the player file.
#include "PlayerTestHost.h"
#include "platform/ScriptedPlatform.h"
#include "shared/GameState.h"
#include "shared/TimeValue.h"

#include <QFile>
#include <QTest>

class TestRecording : public QObject {
    Q_OBJECT

    struct Fixture {
        PlayerTestHost host;
        ScriptedPlatform platform;
        GameState game;

        Fixture() {
            host.start(twoPlayers());
            game.GameTime = timevalue::fromHms(0, 3, 0);
        }
        void record() { players::recordFinishedGame(platform, game, host.store, host); }
    };

private slots:
    void valuesOfTheGame_data() {
        QTest::addColumn<QString>("player");
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<double>("gameTime");
        QTest::addColumn<QStringList>("values");
        QTest::addRow("Max's game") << QStringLiteral("Max") << QDateTime(QDate(2007, 3, 6), QTime(20, 15, 0))
                                    << timevalue::fromHms(0, 3, 0)
                                    << QStringList{"06.03.2007 20:15:00", "7", "9", "-200", "0:03:00"};
        QTest::addRow("midnight, five minutes")
            << QStringLiteral("Max") << QDateTime(QDate(2007, 3, 7), QTime(0, 0, 0))
            << 38000 + timevalue::fromHms(0, 5, 0) << QStringList{"07.03.2007", "7", "9", "-200", "0:05:00"};
        QTest::addRow("name with blanks around")
            << QStringLiteral(" Max\t") << QDateTime(QDate(2007, 3, 6), QTime(9, 1, 2))
            << timevalue::fromHms(1, 5, 9) << QStringList{"06.03.2007 9:01:02", "7", "9", "-200", "1:05:09"};
    }

    void valuesOfTheGame() {
        QFETCH(QString, player);
        QFETCH(QDateTime, end);
        QFETCH(double, gameTime);
        QFETCH(QStringList, values);
        Fixture f;
        f.platform.setNow(end);
        f.game.PlayerName = player;
        f.game.GameTime = gameTime;
        f.game.TimeLeft = timevalue::fromHms(0, 0, 42); // the clock is not what is stored
        f.game.YesCount = 7;
        f.game.NoCount = 9;
        f.game.Points = -200;
        f.record();
        const QString olga = twoPlayers().first(twoPlayers().indexOf(QStringLiteral("$/$/$/$/$Max")));
        QCOMPARE(ReadScrambledText(f.host.path()),
                 olga + blockOf(QStringLiteral("Max"), {values.join(u';')}));
        QCOMPARE(f.host.MemoPlayers(), ReadScrambledText(f.host.path()));
        QCOMPARE(f.host.currentPlayerLabel, QStringLiteral("Текущий игрок: ") + player);
        QCOMPARE(f.host.recordLabel, QStringLiteral("Ваш рекорд: 0"));
        QVERIFY(f.platform.messages.isEmpty());
    }

    void recordIncludesTheNewGame() {
        Fixture f;
        f.game.PlayerName = QStringLiteral("Olga");
        f.game.Points = 1200;
        f.record();
        QCOMPARE(f.host.recordLabel, QStringLiteral("Ваш рекорд: 1200"));
        QCOMPARE(players::gameRows(f.host.MemoPlayers(), u"Olga").size(), 3);
    }

    // Renamed or deleted in the results window meanwhile: the result goes nowhere, and the player is told.
    void playerWithoutBlock() {
        Fixture f;
        f.game.PlayerName = QStringLiteral("olga");
        const QByteArray before = f.host.bytes();
        f.record();
        QCOMPARE(f.host.bytes(), before);
        QCOMPARE(f.host.labelUpdates, 0);
        QCOMPARE(f.platform.messages.size(), 1);
        QCOMPARE(f.platform.messages[0].flags, mb::IconExclamation);
        QVERIFY(f.platform.messages[0].text.contains(QStringLiteral("\"olga\"")));
    }

    // Another game on the same folder added a player and recorded a game since this one read the file:
    // both stay, and the text held is the file's.
    void recordingKeepsWhatAnotherGameWrote() {
        Fixture f;
        f.game.PlayerName = QStringLiteral("Max");
        const QString other = *players::withGameRecorded(twoPlayers() + players::newBlock(u"Anna"), u"Olga",
                                                         {"07.03.2007", "1", "0", "100", "0:03:00"});
        WriteScrambledText(f.host.path(), other, WriteMode::Replace);
        f.record();
        QCOMPARE(players::playerNames(f.host.MemoPlayers()), QStringList({"Olga", "Max", "Anna"}));
        QCOMPARE(players::gameRows(f.host.MemoPlayers(), u"Olga").size(), 3);
        QCOMPARE(players::gameRows(f.host.MemoPlayers(), u"Max").size(), 1);
        QCOMPARE(ReadScrambledText(f.host.path()), f.host.MemoPlayers());
        QCOMPARE(f.host.recordLabel, QStringLiteral("Ваш рекорд: 0"));
    }

    // A game that cannot be written is kept, said so, and written with the next edit that succeeds.
    void failedWriteKeepsTheResult() {
        Fixture f;
        f.game.PlayerName = QStringLiteral("Max");
        const QByteArray before = f.host.bytes();
        const QString text = f.host.MemoPlayers();
        QVERIFY(QFile(f.host.path()).setPermissions(QFile::ReadOwner));
        f.record();
        QCOMPARE(f.host.bytes(), before);
        QCOMPARE(f.host.MemoPlayers(), text);
        QCOMPARE(f.host.labelUpdates, 0);
        QCOMPARE(f.platform.messages.size(), 1);
        QCOMPARE(f.platform.messages[0].caption, QStringLiteral("Результат не записан"));
        QVERIFY(f.platform.messages[0].text.contains(f.host.path()));
        QVERIFY(f.platform.messages[0].text.contains(QStringLiteral("Результат игры не потерян")));
        QCOMPARE(f.host.store.unrecordedCount(), 1);

        QVERIFY(QFile(f.host.path()).setPermissions(QFile::ReadOwner | QFile::WriteOwner));
        f.host.store.apply([](const QString& t) { return players::renamed(t, u"Olga", u"Оля"); });
        QCOMPARE(f.host.store.unrecordedCount(), 0);
        QCOMPARE(players::gameRows(f.host.MemoPlayers(), u"Max").size(), 1);
        QCOMPARE(players::playerNames(f.host.MemoPlayers()), QStringList({"Оля", "Max"}));
        QCOMPARE(ReadScrambledText(f.host.path()), f.host.MemoPlayers());
    }
};

QTEST_APPLESS_MAIN(TestRecording)
#include "tst_players_recording.moc"
