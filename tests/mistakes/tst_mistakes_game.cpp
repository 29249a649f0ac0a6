// SPDX-License-Identifier: GPL-3.0-or-later
// The player's mistakes on the real main window: kept from the game's answers, listed, practised,
// carried by a rename and removed with the player.
#include "MainWindowFixture.h"
#include "mistakes/MistakesFile.h"
#include "mistakes/TfrmMistakes.h"
#include "players/TfrmChoiceUser.h"
#include "players/TfrmUsers.h"
#include "shared/TimeValue.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <map>

namespace {

const QString Players = listText({"$/$/$/$/$Olga$\\$\\$\\$\\$", "Date:=05.03.2007 18:42:10|", "Yes:=14|",
                                  "No:=3|", "Очки:=1100|", "GameTime:=0:03:00|", "$/$/$/$/$Max$\\$\\$\\$\\$",
                                  "Date:=", "Yes:=", "No:=", "Очки:=", "GameTime:="});

// The main window over eight pairs "wordK|answerK" and two players, Olga chosen at every start.
struct Game : MainWindowFixture {
    Game() {
        folder.writeDictionary("словарь/main.txt", TestFolder::pairs(8));
        WriteScrambledText(folder.path("Players.ini"), Players, WriteMode::Replace);
        restart();
    }
    void restart() {
        window.reset();
        platform.onModal([](QDialog& dialog) {
            auto& choice = static_cast<TfrmChoiceUser&>(dialog);
            control<QListWidget>(choice, "ListBox1")->setCurrentRow(0);
            control<QPushButton>(choice, "Button1")->click();
        });
        start();
        QTRY_VERIFY(!control<QTimer>(*window, "Timer2")->isActive());
    }
    // The pair on the board, from the number in the word asked.
    QString asked() const {
        const QString word =
            control<GameBoard>(*window, "board")->memoText().section(QStringLiteral("\r\n"), 1);
        const QString k = word.right(1);
        return QStringLiteral("word%1|answer%1").arg(k);
    }
    void answer(bool right) {
        const int real = window->game.RealButton;
        window->AnswerClick(right ? real : real % 4 + 1);
    }
    QList<mistakes::Mistake> kept(const QString& player = QStringLiteral("Olga")) const {
        const QString path = folder.path("Mistakes.ini");
        return QFile::exists(path) ? mistakes::mistakesOf(ReadScrambledText(path), player)
                                   : QList<mistakes::Mistake>{};
    }
    QByteArray playerBytes() const { return readBytes(folder.path("Players.ini")); }
};

std::map<QString, int> counts(const QList<mistakes::Mistake>& list) {
    std::map<QString, int> result;
    for (const mistakes::Mistake& m : list)
        result[m.pair] = m.misses;
    return result;
}

} // namespace

class TestMistakesGame : public QObject {
    Q_OBJECT
private slots:
    void wrongAnswersAreKeptListedAndPractised() {
        Game g;
        const QByteArray players = g.playerBytes();
        g.platform.setNow(QDateTime(QDate(2007, 3, 7), QTime(9, 5, 0)));
        g.window->mnuNewGameClick();
        std::map<QString, int> missed;
        for (int k = 0; k < 12; ++k) {
            const bool right = k % 3 == 0;
            if (!right)
                ++missed[g.asked()];
            g.answer(right);
        }
        // Written once the answers' handlers have returned, not during them.
        QVERIFY(!QFile::exists(g.folder.path("Mistakes.ini")));
        QTRY_COMPARE(counts(g.kept()), missed);
        QCOMPARE(g.kept().first().lastMiss, QStringLiteral("07.03.2007 9:05:00"));
        QCOMPARE(g.playerBytes(), players);

        // Kept across runs, and listed most missed first.
        g.restart();
        g.platform.onModal([&](QDialog& dialog) {
            auto& list = static_cast<TfrmMistakes&>(dialog);
            QCOMPARE(list.windowTitle(), QStringLiteral("Мои ошибки — Olga"));
            QCOMPARE(control<QTableWidget>(list, "table")->rowCount(), int(missed.size()));
            int previous = INT_MAX;
            for (int row = 0; row < control<QTableWidget>(list, "table")->rowCount(); ++row) {
                const int count = control<QTableWidget>(list, "table")->item(row, 2)->text().toInt();
                QVERIFY(count <= previous);
                previous = count;
                const QString pair = g.window->game.DirectionTrans == "EN\\RU"
                                         ? control<QTableWidget>(list, "table")->item(row, 0)->text() + "|" +
                                               control<QTableWidget>(list, "table")->item(row, 1)->text()
                                         : control<QTableWidget>(list, "table")->item(row, 1)->text() + "|" +
                                               control<QTableWidget>(list, "table")->item(row, 0)->text();
                QCOMPARE(count, missed[pair]);
            }
            QVERIFY(control<QPushButton>(list, "btnPractice")->isEnabled());
            QVERIFY(control<QLabel>(list, "lblEmpty")->isHidden());
            control<QPushButton>(list, "btnPractice")->click();
        });
        g.window->mnuMistakesClick();

        // A practice game asks only the mistakes, and two right answers take a pair off the list.
        TfrmMain& w = *g.window;
        QVERIFY(w.game.Practice);
        QVERIFY(w.game.GameRunning);
        QVERIFY(control<QTimer>(w, "Timer1")->isActive());
        QVERIFY(control<QLabel>(w, "Label3")->text().startsWith(QStringLiteral("Тренировка: ")));
        QVERIFY(!control<QAction>(w, "mnuSave")->isEnabled());
        QVERIFY(!control<QAction>(w, "mnuSaveAs")->isEnabled());
        g.answer(true);
        g.answer(false); // the next one, missed: counted up again
        for (int k = 0; k < 40 && w.game.Practice; ++k) {
            QVERIFY2(missed.count(g.asked()), qPrintable(g.asked()));
            g.answer(true);
        }
        QVERIFY(!w.game.Practice);
        QVERIFY(!w.game.GameRunning);
        QCOMPARE(g.platform.messages.last().text,
                 QStringLiteral("Все слова из списка ошибок выучены. Тренировка закончена."));
        QTRY_VERIFY(g.kept().isEmpty());
        QCOMPARE(g.playerBytes(), players);
    }

    void aPracticeGameIsNeitherRecordedNorSaved() {
        Game g;
        WriteScrambledText(g.folder.path("Mistakes.ini"),
                           listText({"$/$/$/$/$Olga$\\$\\$\\$\\$", "4|0|01.03.2007|word3|answer3"}),
                           WriteMode::Replace);
        const QByteArray players = g.playerBytes();
        g.platform.onModal([](QDialog& dialog) { control<QPushButton>(dialog, "btnPractice")->click(); });
        g.window->mnuMistakesClick();
        TfrmMain& w = *g.window;
        QCOMPARE(g.asked(), QStringLiteral("word3|answer3"));
        g.answer(false);
        QCOMPARE(g.asked(), QStringLiteral("word3|answer3"));
        // The close question does not offer to save it.
        const qsizetype shown = g.platform.messages.size();
        QVERIFY(w.FormCloseQuery());
        QCOMPARE(g.platform.messages.size(), shown);
        // Its time-up leaves the history as it was.
        w.game.TimeLeft = timevalue::fromHms(0, 0, 1);
        w.Timer1Timer();
        QVERIFY(!w.game.GameRunning);
        QCOMPARE(control<QLabel>(w, "Label3")->text(), QStringLiteral("Тренировка: 0:00:00"));
        QVERIFY(!control<QAction>(w, "mnuSave")->isEnabled());
        QCOMPARE(g.playerBytes(), players);
        QTRY_COMPARE(g.kept().first().misses, 5);

        // The next new game is an ordinary one again.
        w.mnuNewGameClick();
        QVERIFY(!w.game.Practice);
        QVERIFY(control<QAction>(w, "mnuSave")->isEnabled());
        QVERIFY(control<QLabel>(w, "Label3")->text().startsWith(QStringLiteral("У вас осталось: ")));
    }

    void theListWindowStopsTheClockAndDeletes() {
        Game g;
        WriteScrambledText(g.folder.path("Mistakes.ini"),
                           listText({"$/$/$/$/$Olga$\\$\\$\\$\\$", "1|0|01.03.2007|word1|answer1",
                                     "2|0|02.03.2007|word2|answer2", "$/$/$/$/$Max$\\$\\$\\$\\$",
                                     "1|0|01.03.2007|word5|answer5"}),
                           WriteMode::Replace);
        TfrmMain& w = *g.window;
        w.mnuNewGameClick();
        g.platform.onModal([&](QDialog& dialog) {
            auto& list = static_cast<TfrmMistakes&>(dialog);
            QVERIFY(!control<QTimer>(w, "Timer1")->isActive());
            QVERIFY(!control<QPushButton>(list, "btnDelete")->isEnabled());
            control<QTableWidget>(list, "table")->selectRow(0); // word2, the most missed
            control<QPushButton>(list, "btnDelete")->click();
            QCOMPARE(control<QTableWidget>(list, "table")->rowCount(), 1);
            QCOMPARE(control<QTableWidget>(list, "table")->item(0, 2)->text(), QStringLiteral("1"));
        });
        w.mnuMistakesClick();
        QVERIFY(control<QTimer>(w, "Timer1")->isActive());
        QCOMPARE(counts(g.kept()), (std::map<QString, int>{{"word1|answer1", 1}}));
        QCOMPARE(counts(g.kept("Max")).size(), size_t(1));

        // A player without mistakes: an empty table, no practice.
        WriteScrambledText(g.folder.path("Mistakes.ini"), QString(), WriteMode::Replace);
        g.platform.onModal([](QDialog& dialog) {
            auto& list = static_cast<TfrmMistakes&>(dialog);
            QCOMPARE(control<QTableWidget>(list, "table")->rowCount(), 0);
            QVERIFY(!control<QPushButton>(list, "btnPractice")->isEnabled());
            QVERIFY(!control<QLabel>(list, "lblEmpty")->isHidden());
            QCOMPARE(control<QLabel>(list, "lblEmpty")->text(), QStringLiteral("Ошибок пока нет."));
        });
        w.mnuMistakesClick();
    }

    void renameCarriesAndDeleteRemoves() {
        Game g;
        const QString before = listText({"$/$/$/$/$Olga$\\$\\$\\$\\$", "1|0|01.03.2007|word1|answer1",
                                         "$/$/$/$/$Max$\\$\\$\\$\\$", "1|0|01.03.2007|word5|answer5"});
        WriteScrambledText(g.folder.path("Mistakes.ini"), before, WriteMode::Replace);
        g.platform.answerInput(QStringLiteral("Ольга"));
        g.platform.onModal([](QDialog& dialog) {
            auto& results = static_cast<TfrmUsers&>(dialog);
            control<QListWidget>(results, "ListBox1")->setCurrentRow(0);
            control<QPushButton>(results, "Button3")->click();
        });
        g.window->mnuShowResultsClick();
        QVERIFY(g.kept("Olga").isEmpty());
        QCOMPARE(counts(g.kept("Ольга")), (std::map<QString, int>{{"word1|answer1", 1}}));

        // Clearing the games keeps the mistakes; deleting the player removes them.
        g.platform.answerMessage(mb::IdYes);
        g.platform.answerMessage(mb::IdYes);
        g.platform.onModal([](QDialog& dialog) {
            auto& results = static_cast<TfrmUsers&>(dialog);
            control<QListWidget>(results, "ListBox1")->setCurrentRow(0);
            control<QPushButton>(results, "Button1")->click();
            control<QPushButton>(results, "SpeedButton1")->click();
        });
        g.window->mnuShowResultsClick();
        QCOMPARE(ReadScrambledText(g.folder.path("Mistakes.ini")),
                 listText({"$/$/$/$/$Max$\\$\\$\\$\\$", "1|0|01.03.2007|word5|answer5"}));
    }
};

QTEST_MAIN(TestMistakesGame)
#include "tst_mistakes_game.moc"
