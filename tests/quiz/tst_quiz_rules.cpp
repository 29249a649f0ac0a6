// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Failure.h"
#include "platform/ScriptedPlatform.h"
#include "quiz/GameRules.h"
#include "quiz/Question.h"
#include "shared/GameState.h"
#include "shared/TimeValue.h"
#include "words/WordList.h"

#include <QTest>
#include <limits>

class TestQuizRules : public QObject {
    Q_OBJECT
private slots:
    void timeText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::addRow("three minutes") << timevalue::fromHms(0, 3, 0) << "0:03:00";
        QTest::addRow("no leading zero on hours") << timevalue::fromHms(1, 5, 9) << "1:05:09";
        QTest::addRow("whole-day part ignored") << 46000 + timevalue::fromHms(0, 5, 0) << "0:05:00";
        QTest::addRow("negative shows its absolute value") << -timevalue::fromHms(0, 0, 1) << "0:00:01";
        QTest::addRow("day less a second") << 46000 - timevalue::OneSecond << "23:59:59";
        QTest::addRow("zero") << 0.0 << "0:00:00";
    }
    void timeText() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(timevalue::toText(value), text);
    }

    void parsingTimeText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("back");
        QTest::addRow("seconds") << "0:03:00"
                                 << "0:03:00";
        QTest::addRow("two-digit hours") << "12:34:56"
                                         << "12:34:56";
        QTest::addRow("without seconds") << "1:05"
                                         << "1:05:00";
        QTest::addRow("blanks around") << " 0:00:07 "
                                       << "0:00:07";
    }
    void parsingTimeText() {
        QFETCH(QString, text);
        QFETCH(QString, back);
        QCOMPARE(timevalue::toText(timevalue::fromText(text)), back);
    }

    void invalidTimeText_data() {
        QTest::addColumn<QString>("text");
        for (const char* bad : {"", "abc", "24:00:00", "0:60:00", "0:00:60", "1:2:3:4", "-0:01:00"})
            QTest::addRow("%s", bad) << QString::fromLatin1(bad);
    }
    void invalidTimeText() {
        QFETCH(QString, text);
        try {
            timevalue::fromText(text);
            QFAIL("no failure");
        } catch (const Failure& failure) {
            QCOMPARE(failure.message(), QStringLiteral("'%1' is not a valid time").arg(text));
        }
    }

    // The clock ends on the tick that finds "0:00:01", so a game of T seconds lasts T ticks.
    void countdown_data() {
        QTest::addColumn<double>("length");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("lastShown");
        QTest::addRow("three minutes") << timevalue::fromHms(0, 3, 0) << 180 << "0:00:01";
        QTest::addRow("with a whole-day part") << 46000 + timevalue::fromHms(0, 0, 30) << 30 << "0:00:01";
        QTest::addRow("zero without a day") << 0.0 << 2 << "0:00:01";
        QTest::addRow("zero with a day") << 46000.0 << 86400 << "0:00:01";
    }
    void countdown() {
        QFETCH(double, length);
        QFETCH(int, ticks);
        QFETCH(QString, lastShown);
        GameState game;
        game.GameTime = game.TimeLeft = length;
        game.GameRunning = true;
        game.RealButton = 2;
        QString shown;
        int count = 0;
        while (true) {
            ++count;
            if (game.tick())
                break;
            shown = timevalue::toText(game.TimeLeft);
            QVERIFY(count < 100000);
        }
        QCOMPARE(count, ticks);
        QCOMPARE(shown, lastShown);
        QCOMPARE(game.TimeLeft, length);
        QCOMPARE(game.RealButton, 0);
        QVERIFY(!game.GameRunning);
    }

    void zeroLengthWithADayShowsADayLeft() {
        GameState game;
        game.GameTime = game.TimeLeft = 46000.0;
        QVERIFY(!game.tick());
        QCOMPARE(timevalue::toText(game.TimeLeft), QStringLiteral("23:59:59"));
    }

    void scoring() {
        GameState game;
        game.RealButton = 3;
        for (int position : {3, 3, 1, 3, 4})
            game.scoreAnswer(position);
        QCOMPARE(game.YesCount, 3);
        QCOMPARE(game.NoCount, 2);
        QCOMPARE(game.Points, 100);
        QCOMPARE(gamerules::pointsText(game), QStringLiteral("Количество набранных очков: 100"));
        game.startGame();
        for (int k = 0; k < 5; ++k)
            game.scoreAnswer(1);
        QCOMPARE(game.Points, -500);
        QCOMPARE(gamerules::pointsText(game), QStringLiteral("Количество набранных очков: -500"));
        QCOMPARE(gamerules::wrongCountText(game), QStringLiteral("Количество неправильных ответов: 5"));
    }

    void overflowIsRefusedAndLeavesTheScore() {
        GameState game;
        game.RealButton = 1;
        game.Points = std::numeric_limits<qint32>::max() - 50;
        game.YesCount = 7;
        QVERIFY_THROWS_EXCEPTION(Failure, game.scoreAnswer(1));
        QCOMPARE(game.YesCount, 7);
        QCOMPARE(game.Points, std::numeric_limits<qint32>::max() - 50);
        game.Points = std::numeric_limits<qint32>::min() + 99;
        QVERIFY_THROWS_EXCEPTION(Failure, game.scoreAnswer(2));
        QCOMPARE(game.NoCount, 0);
    }

    void sides_data() {
        QTest::addColumn<QString>("pair");
        QTest::addColumn<QString>("direction");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("answer");
        QTest::addRow("forward") << "кошка|cat"
                                 << "EN\\RU"
                                 << "кошка"
                                 << "cat";
        QTest::addRow("reverse") << "кошка|cat"
                                 << "RU\\EN"
                                 << "cat"
                                 << "кошка";
        QTest::addRow("first bar splits") << "a|b|c"
                                          << "EN\\RU"
                                          << "a"
                                          << "b|c";
        QTest::addRow("first bar splits, reverse") << "a|b|c"
                                                   << "RU\\EN"
                                                   << "b|c"
                                                   << "a";
        QTest::addRow("no bar is both sides") << "abc"
                                              << "EN\\RU"
                                              << "abc"
                                              << "abc";
        QTest::addRow("trailing bar, empty answer") << "abc|"
                                                    << "EN\\RU"
                                                    << "abc"
                                                    << "";
        QTest::addRow("lower case is the reverse") << "кошка|cat"
                                                   << "en\\ru"
                                                   << "cat"
                                                   << "кошка";
        QTest::addRow("empty direction is the reverse") << "кошка|cat"
                                                        << ""
                                                        << "cat"
                                                        << "кошка";
    }
    void sides() {
        QFETCH(QString, pair);
        QFETCH(QString, direction);
        QFETCH(QString, word);
        QFETCH(QString, answer);
        const auto sides = question::sides(pair, direction);
        QCOMPARE(sides.word.toString(), word);
        QCOMPARE(sides.answer.toString(), answer);
    }

    void wrongAnswersTakeTheFreePositionsInOrder() {
        QCOMPARE(question::wrongPositions(1), (std::array<int, 3>{2, 3, 4}));
        QCOMPARE(question::wrongPositions(2), (std::array<int, 3>{1, 3, 4}));
        QCOMPARE(question::wrongPositions(3), (std::array<int, 3>{1, 2, 4}));
        QCOMPARE(question::wrongPositions(4), (std::array<int, 3>{1, 2, 3}));
        QCOMPARE(question::prefix(1), QStringLiteral("A.   "));
        QCOMPARE(question::prefix(4), QStringLiteral("D.   "));
    }

    // Rejected draws repeat, each after a fresh re-seed, until three other positions are found.
    void wrongDrawsRepeatUntilDistinct() {
        WordList list;
        for (const char* line : {"a|1", "b|2", "c|3", "d|4"})
            list.append(QString::fromLatin1(line));
        ScriptedPlatform platform;
        platform.queueDraws({2, 2, 0, 2, 0, 3, 1});
        const auto wrong = question::drawWrong(list, 2, platform);
        QCOMPARE(wrong, (std::array<qsizetype, 3>{0, 3, 1}));
        QCOMPARE(platform.counterReads, 7);
    }

    void withExactlyFourPairsTheOthersComeOnceEach() {
        WordList list;
        for (const char* line : {"a|1", "b|2", "c|3", "d|4"})
            list.append(QString::fromLatin1(line));
        ScriptedPlatform platform;
        for (int round = 0; round < 200; ++round) {
            const qsizetype right = round % 4;
            auto wrong = question::drawWrong(list, right, platform);
            std::sort(wrong.begin(), wrong.end());
            std::array<qsizetype, 3> others{};
            int k = 0;
            for (qsizetype i = 0; i < 4; ++i)
                if (i != right)
                    others[k++] = i;
            QCOMPARE(wrong, others);
        }
    }

    // What closing and a change of player ask along the life of a game and of a reopened one. The
    // change of player asks to save first when "saved" differs from "reopened", as the game always has.
    void questionsOnTheWayOut() {
        GameState game;
        const auto asks = [&] { return std::pair{!game.mayCloseUnasked(), game.playerChangeAsksToSave()}; };
        QCOMPARE(asks(), std::pair(false, false)); // no game
        game.startGame();
        game.askQuestion(2);
        QCOMPARE(asks(), std::pair(true, false));
        game.savedTo(QStringLiteral("a.gsv"));
        QCOMPARE(asks(), std::pair(false, true));
        game.askQuestion(3);
        QCOMPARE(asks(), std::pair(true, false));
        game.abortGame();
        QCOMPARE(asks(), std::pair(false, false));
        QCOMPARE(game.SaveFileName, QString());

        game.reopenedFrom(QStringLiteral("b.gsv"));
        QCOMPARE(asks(), std::pair(false, false));
        game.askQuestion(1);
        QCOMPARE(asks(), std::pair(true, true));
        game.detachFromFile();
        QCOMPARE(game.SaveFileName, QString());
        QVERIFY(game.LoadedGame);
        game.leaveReopenedGame();
        QCOMPARE(asks(), std::pair(true, false));
        // A practice game is nothing to save: neither question comes.
        game.choosePractice(true);
        game.startGame();
        game.askQuestion(4);
        QCOMPARE(asks(), std::pair(false, false));
        QVERIFY(!game.isRecorded());
    }
};

QTEST_GUILESS_MAIN(TestQuizRules)
#include "tst_quiz_rules.moc"
