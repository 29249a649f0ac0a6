// SPDX-License-Identifier: GPL-3.0-or-later
// The players on the real main window: the selection at start-up, the recording at time-up, the change
// of player and the results window.
#include "MainWindowFixture.h"
#include "PlayerTestHost.h"
#include "players/TfrmChoiceUser.h"
#include "players/TfrmUsers.h"
#include "shared/TimeValue.h"

#include <QListWidget>
#include <QPushButton>
#include <QTimer>

class TestPlayersOnMainWindow : public QObject {
    Q_OBJECT

    // The main window over a player file, with the player selection at start-up answered by choosing
    // the player in the given row.
    struct Started : MainWindowFixture {
        explicit Started(const QString& players, int row = 0) {
            WriteScrambledText(folder.path("Players.ini"), players, WriteMode::Replace);
            platform.onModal([row](QDialog& dialog) {
                auto& choice = static_cast<TfrmChoiceUser&>(dialog);
                control<QListWidget>(choice, "ListBox1")->setCurrentRow(row);
                control<QPushButton>(choice, "Button1")->click();
            });
            start();
            QTRY_VERIFY(!control<QTimer>(*window, "Timer2")->isActive());
        }
        QString plain() const { return ReadScrambledText(folder.path("Players.ini")); }
        // The last tick of a running game with these counts.
        void lastTick(int yes, int no) {
            window->game.GameRunning = true;
            window->game.YesCount = yes;
            window->game.NoCount = no;
            window->game.Points = (yes - no) * 100;
            window->game.TimeLeft = timevalue::fromHms(0, 0, 1);
            control<QTimer>(*window, "Timer1")->start();
            window->Timer1Timer();
            QVERIFY(!window->game.GameRunning);
        }
    };

private slots:
    void firstStartWithoutAPlayerFile() {
        MainWindowFixture f;
        QStringList shown;
        f.platform.onModal([&](QDialog& dialog) {
            shown << dialog.windowTitle();
            control<QPushButton>(dialog, "Button3")->click();
        });
        TfrmMain& window = f.start();
        QCOMPARE(readBytes(f.folder.path("Players.ini")), QByteArray(""));
        QVERIFY(QFile::exists(f.folder.path("Players.ini")));
        QTRY_COMPARE(shown, QStringList{"Список игроков"});
        QTRY_VERIFY(!window.isVisible()); // nobody to play: the program ends
    }

    void theChosenPlayerIsShown() {
        Started f(twoPlayers(), 0);
        TfrmMain& window = *f.window;
        QCOMPARE(window.game.PlayerName, QStringLiteral("Olga"));
        QCOMPARE(control<QLabel>(window, "lblCurrentPlayer")->text(), QStringLiteral("Текущий игрок: Olga"));
        QCOMPARE(control<QLabel>(window, "lblPlayerReccord")->text(), QStringLiteral("Ваш рекорд: 1100"));
        QVERIFY(window.isVisible());
    }

    void timeUpRecordsTheGame() {
        Started f(twoPlayers() + fiveGames("Anna"), 1);
        TfrmMain& window = *f.window;
        QCOMPARE(window.game.PlayerName, QStringLiteral("Max"));
        f.platform.setNow(QDateTime(QDate(2007, 3, 6), QTime(20, 15, 0)));
        f.lastTick(7, 9);
        const QString olga = twoPlayers().first(twoPlayers().indexOf(QStringLiteral("$/$/$/$/$Max")));
        QCOMPARE(f.plain(),
                 olga + blockOf("Max", {"06.03.2007 20:15:00;7;9;-200;0:03:00"}) + fiveGames("Anna"));
        QCOMPARE(window.playerStore.MemoPlayers(), f.plain());
        QCOMPARE(control<QLabel>(window, "lblPlayerReccord")->text(), QStringLiteral("Ваш рекорд: 0"));

        f.lastTick(20, 1);
        QCOMPARE(control<QLabel>(window, "lblPlayerReccord")->text(), QStringLiteral("Ваш рекорд: 1900"));
        QCOMPARE(players::gameRows(window.playerStore.MemoPlayers(), u"Max").size(), 2);
    }

    void aRestoredGameIsNotRecorded() {
        Started f(twoPlayers());
        const QString before = f.plain();
        f.window->game.LoadedGame = true;
        f.lastTick(3, 0);
        QCOMPARE(f.plain(), before);
    }

    void aRenamedPlayersGameGoesNowhere() {
        Started f(twoPlayers());
        f.platform.onModal([](QDialog& dialog) {
            auto& results = static_cast<TfrmUsers&>(dialog);
            QCOMPARE(results.windowTitle(), QStringLiteral("Результаты игр"));
            control<QPushButton>(results, "Button3")->click();
        });
        f.platform.answerInput(QStringLiteral("Ольга"));
        control<QAction>(*f.window, "mnuShowResults")->trigger();
        QCOMPARE(f.window->game.PlayerName, QStringLiteral("Olga"));
        const QString renamed = f.plain();
        QVERIFY(renamed.startsWith(QStringLiteral("$/$/$/$/$Ольга$")));
        f.platform.messages.clear();
        f.lastTick(3, 0);
        QCOMPARE(f.plain(), renamed);
        QCOMPARE(f.platform.messages.size(), 1);
        QCOMPARE(f.platform.messages[0].caption, QStringLiteral("Результат не записан"));
    }

    void changeOfPlayer_data() {
        QTest::addColumn<bool>("running");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("chosen"); // the selection opened and the game ended
        const QString endQuestion =
            QStringLiteral("Вы действительно хотите сменить игрока ? Это визвет окончание игры.");
        const QString saveQuestion = QStringLiteral("Перед выбором нового игрока сохранить изменения ? ");
        QTest::addRow("no game") << false << false << false << 0 << QString() << true;
        QTest::addRow("new game, no") << true << false << false << mb::IdNo << endQuestion << false;
        QTest::addRow("new game, yes") << true << false << false << mb::IdYes << endQuestion << true;
        QTest::addRow("restored unchanged, yes") << true << true << true << mb::IdYes << endQuestion << true;
        QTest::addRow("restored and played, cancel")
            << true << false << true << mb::IdCancel << saveQuestion << false;
        QTest::addRow("restored and played, no") << true << false << true << mb::IdNo << saveQuestion << true;
        QTest::addRow("restored and played, yes")
            << true << false << true << mb::IdYes << saveQuestion << true;
        QTest::addRow("saved new game, no") << true << true << false << mb::IdNo << saveQuestion << true;
    }

    void changeOfPlayer() {
        QFETCH(bool, running);
        QFETCH(bool, saved);
        QFETCH(bool, loaded);
        QFETCH(int, answer);
        QFETCH(QString, asked);
        QFETCH(bool, chosen);
        Started f(twoPlayers());
        TfrmMain& window = *f.window;
        f.platform.messages.clear();
        window.game.GameRunning = running;
        window.game.Saved = saved;
        window.game.LoadedGame = loaded;
        const QString saveFile = f.folder.path("game.gsv");
        window.game.SaveFileName = saveFile;
        window.game.GameTime = timevalue::fromHms(0, 7, 0); // taken from the restored game
        if (running)
            control<QTimer>(window, "Timer1")->start();
        if (answer)
            f.platform.answerMessage(answer);
        bool selectionOpened = false;
        bool clockWhileChoosing = false;
        f.platform.onModal([&](QDialog& dialog) {
            selectionOpened = true;
            clockWhileChoosing = control<QTimer>(window, "Timer1")->isActive();
            auto& choice = static_cast<TfrmChoiceUser&>(dialog);
            control<QListWidget>(choice, "ListBox1")->setCurrentRow(1);
            control<QPushButton>(choice, "Button1")->click();
        });
        control<QAction>(window, "mnuChangePlayer")->trigger();

        QCOMPARE(f.platform.messages.size(), asked.isEmpty() ? 0 : 1);
        if (!asked.isEmpty()) {
            QCOMPARE(f.platform.messages[0].caption, QStringLiteral("Вопрос"));
            QCOMPARE(f.platform.messages[0].text, asked);
            QCOMPARE(f.platform.messages[0].flags,
                     (asked.endsWith(u' ') ? mb::YesNoCancel : mb::YesNo) | mb::IconQuestion);
        }
        QCOMPARE(selectionOpened, chosen);
        // Yes to the save question writes the game to its file first.
        QCOMPARE(QFile::exists(saveFile), answer == mb::IdYes && asked.endsWith(u' '));
        QCOMPARE(window.game.PlayerName, chosen ? QStringLiteral("Max") : QStringLiteral("Olga"));
        QCOMPARE(window.game.GameRunning, running && !chosen);
        if (chosen) {
            QVERIFY(!clockWhileChoosing);
            QVERIFY(!control<QTimer>(window, "Timer1")->isActive());
            QCOMPARE(control<QLabel>(window, "lblCurrentPlayer")->text(),
                     QStringLiteral("Текущий игрок: Max"));
            // Closing the selection after a restored game puts the configured length back.
            QVERIFY(!window.game.LoadedGame);
            QCOMPARE(timevalue::toText(window.game.GameTime),
                     loaded ? QStringLiteral("0:03:00") : QStringLiteral("0:07:00"));
        } else if (running) {
            QVERIFY(control<QTimer>(window, "Timer1")->isActive()); // the game goes on, its clock running
        }
        f.platform.onModal({});
    }
};

QTEST_MAIN(TestPlayersOnMainWindow)
#include "tst_players_mainwindow.moc"
