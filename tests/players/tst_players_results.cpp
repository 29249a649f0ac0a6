// SPDX-License-Identifier: GPL-3.0-or-later
// The results window over a real player file.
#include "PlayerTestHost.h"
#include "platform/ScriptedPlatform.h"
#include "players/GamesModel.h"
#include "players/TfrmUsers.h"
#include "shared/GameState.h"

#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

namespace {

const QString Anna = QStringLiteral("Anna");

} // namespace

class TestResults : public QObject {
    Q_OBJECT

    struct Fixture {
        PlayerTestHost host;
        ScriptedPlatform platform;
        GameState game;
        std::unique_ptr<TfrmUsers> window;

        Fixture(const QString& plainText, const QString& current) {
            host.start(plainText);
            game.PlayerName = current;
            window = std::make_unique<TfrmUsers>(platform, game, host.store, host);
        }
        // Shown and active, so that the table can take the focus.
        TfrmUsers& shown() {
            window->show();
            window->activateWindow();
            if (!QTest::qWaitForWindowActive(window.get()))
                qFatal("the results window did not become active");
            return *window;
        }
        QStringList listed() const { return itemsOf(control<QListWidget>(*window, "ListBox1")); }
        QString selected() const {
            const auto items = control<QListWidget>(*window, "ListBox1")->selectedItems();
            return items.isEmpty() ? QString() : items.first()->text();
        }
        // The table's column, top to bottom.
        QStringList column(int c) const {
            QStringList values;
            for (int r = 0; r < control<GamesModel>(*window, "games")->rowCount(); ++r)
                values << control<GamesModel>(*window, "games")->index(r, c).data().toString();
            return values;
        }
        void selectRows(const QList<int>& rows) {
            control<QTableView>(*window, "ListView1")->clearSelection();
            for (int r : rows)
                control<QTableView>(*window, "ListView1")
                    ->selectionModel()
                    ->select(control<GamesModel>(*window, "games")->index(r, 0),
                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    };

private slots:
    void openingShowsTheCurrentPlayer() {
        Fixture f{twoPlayers() + fiveGames(Anna), QStringLiteral("Olga")};
        TfrmUsers& w = f.shown();
        QCOMPARE(w.windowTitle(), QStringLiteral("Результаты игр"));
        QCOMPARE(w.size(), QSize(488, 478));
        QCOMPARE(f.listed(), QStringList({"Olga", "Max", "Anna"}));
        QCOMPARE(f.selected(), QStringLiteral("Olga"));
        QCOMPARE(f.column(0), QStringList({"05.03.2007 18:42:10", "06.03.2007 19:05:33"}));
        QCOMPARE(f.column(3), QStringList({"1100", "300"}));
        QCOMPARE(f.column(4), QStringList({"0:03:00", "0:03:00"}));
        QCOMPARE(control<QLabel>(w, "Label1")->text(), QStringLiteral("Всего игр: 2"));
        QStringList captions;
        for (int c = 0; c < 5; ++c)
            captions << control<GamesModel>(w, "games")->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(captions, QStringList({"Дата", "Правильно", "Не правильно", "Очки", "Время игры"}));
        QCOMPARE(control<QTableView>(w, "ListView1")->horizontalHeader()->sectionSize(0), 110);
    }

    void whoIsShownAtOpening_data() {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("games");
        QTest::addRow("without games") << QStringLiteral("Max") << QStringLiteral("Max") << 0;
        QTest::addRow("unknown: the last") << QStringLiteral("Nobody") << Anna << 5;
        QTest::addRow("other case: the last") << QStringLiteral("olga") << Anna << 5;
        QTest::addRow("blanks around: the last") << QStringLiteral(" Olga") << Anna << 5;
    }

    void whoIsShownAtOpening() {
        QFETCH(QString, current);
        QFETCH(QString, shown);
        QFETCH(int, games);
        Fixture f{twoPlayers() + fiveGames(Anna), current};
        TfrmUsers& w = f.shown();
        QCOMPARE(f.selected(), shown);
        QCOMPARE(w.ShownPlayer, shown);
        QCOMPARE(control<GamesModel>(w, "games")->rowCount(), games);
        QCOMPARE(control<QLabel>(w, "Label1")->text(), QStringLiteral("Всего игр: %1").arg(games));
    }

    void clickingAPlayer() {
        Fixture f{twoPlayers() + fiveGames(Anna), Anna};
        TfrmUsers& w = f.shown();
        QSignalSpy resets(control<GamesModel>(w, "games"), &QAbstractItemModel::modelReset);
        const auto click = [&](int row) {
            QTest::mouseClick(control<QListWidget>(w, "ListBox1")->viewport(), Qt::LeftButton, {},
                              control<QListWidget>(w, "ListBox1")
                                  ->visualItemRect(control<QListWidget>(w, "ListBox1")->item(row))
                                  .center());
        };
        click(2);
        QCOMPARE(resets.size(), 0);
        click(0);
        QCOMPARE(resets.size(), 1);
        QCOMPARE(f.column(1), QStringList({"14", "9"}));
        QCOMPARE(w.ShownPlayerIndex, 0);
        QTest::keyClick(control<QListWidget>(w, "ListBox1"), Qt::Key_Down);
        QCOMPARE(control<QLabel>(w, "Label1")->text(), QStringLiteral("Всего игр: 0"));
    }

    void deletingChosenGames() {
        Fixture f{twoPlayers() + fiveGames(Anna), Anna};
        TfrmUsers& w = f.shown();
        control<QTableView>(w, "ListView1")->setFocus(Qt::MouseFocusReason);
        f.selectRows({0, 2});
        control<QPushButton>(w, "SpeedButton2")->click();
        QCOMPARE(f.column(0), QStringList({"02.01.2007", "04.01.2007", "05.01.2007"}));
        QCOMPARE(f.host.MemoPlayers(),
                 twoPlayers() + blockOf(Anna, {gameNumber(2), gameNumber(4), gameNumber(5)}));
        QCOMPARE(ReadScrambledText(f.host.path()), f.host.MemoPlayers());
        QCOMPARE(control<QLabel>(w, "Label1")->text(), QStringLiteral("Всего игр: 3"));
        QCOMPARE(f.selected(), Anna);
        QCOMPARE(f.host.recordLabel, QStringLiteral("Ваш рекорд: 500"));
        QVERIFY(control<QTableView>(w, "ListView1")->hasFocus());
        QVERIFY(control<QPushButton>(w, "SpeedButton2")->isEnabled());
    }

    // A game recorded while the window is open stands after the rows shown and is not touched.
    void deletingAfterAGameWasRecordedMeanwhile() {
        Fixture f{fiveGames(Anna) + twoPlayers(), Anna};
        TfrmUsers& w = f.shown();
        f.game.YesCount = 6;
        f.game.Points = 600;
        players::recordFinishedGame(f.platform, f.game, f.host.store, f.host);
        QCOMPARE(control<GamesModel>(w, "games")->rowCount(), 5);
        control<QTableView>(w, "ListView1")->setFocus(Qt::TabFocusReason);
        f.selectRows({4});
        control<QPushButton>(w, "SpeedButton2")->click();
        QCOMPARE(f.column(1), QStringList({"1", "2", "3", "4", "6"}));
    }

    void restoredGameKeepsTheLabels() {
        Fixture f{fiveGames(Anna), Anna};
        f.game.LoadedGame = true;
        TfrmUsers& w = f.shown();
        const int updates = f.host.labelUpdates;
        control<QTableView>(w, "ListView1")->setFocus(Qt::TabFocusReason);
        f.selectRows({4});
        control<QPushButton>(w, "SpeedButton2")->click();
        f.platform.answerMessage(mb::IdYes);
        control<QPushButton>(w, "Button1")->click();
        QCOMPARE(f.host.MemoPlayers(), blockOf(Anna, {}));
        QCOMPARE(f.host.labelUpdates, updates);
    }

    void deleteButtonFollowsTheTablesFocus() {
        Fixture f{twoPlayers(), QStringLiteral("Olga")};
        TfrmUsers& w = f.shown();
        QVERIFY(!control<QPushButton>(w, "SpeedButton2")->isEnabled());
        QCOMPARE(control<QPushButton>(w, "SpeedButton1")->focusPolicy(), Qt::NoFocus);
        QCOMPARE(control<QPushButton>(w, "SpeedButton2")->focusPolicy(), Qt::NoFocus);
        QTest::mouseClick(control<QTableView>(w, "ListView1")->viewport(), Qt::LeftButton, {}, QPoint(20, 5));
        QVERIFY(control<QTableView>(w, "ListView1")->hasFocus());
        QVERIFY(control<QPushButton>(w, "SpeedButton2")->isEnabled());
        control<QListWidget>(w, "ListBox1")->setFocus(Qt::MouseFocusReason);
        QVERIFY(!control<QPushButton>(w, "SpeedButton2")->isEnabled());
        control<QTableView>(w, "ListView1")->setFocus(Qt::TabFocusReason);
        QVERIFY(control<QPushButton>(w, "SpeedButton2")->isEnabled());
        control<QPushButton>(w, "Button1")->setFocus(Qt::TabFocusReason);
        QVERIFY(!control<QPushButton>(w, "SpeedButton2")->isEnabled());
    }

    void clearingOnlyThatPlayer_data() {
        QTest::addColumn<int>("answer");
        QTest::addRow("yes") << mb::IdYes;
        QTest::addRow("no") << mb::IdNo;
    }

    void clearingOnlyThatPlayer() {
        QFETCH(int, answer);
        Fixture f{twoPlayers() + fiveGames(Anna), QStringLiteral("Olga")};
        TfrmUsers& w = f.shown();
        const QByteArray before = f.host.bytes();
        f.platform.answerMessage(answer);
        control<QPushButton>(w, "Button1")->click();
        QCOMPARE(f.platform.messages.size(), 1);
        QCOMPARE(f.platform.messages[0].caption, QStringLiteral("Вопрос"));
        QCOMPARE(f.platform.messages[0].text, QStringLiteral("Вы действительно хотите очистить список ?"));
        QCOMPARE(f.platform.messages[0].flags, mb::YesNo | mb::IconQuestion);
        if (answer == mb::IdNo) {
            QCOMPARE(f.host.bytes(), before);
            return;
        }
        QCOMPARE(f.host.MemoPlayers(), blockOf("Olga", {}) + blockOf("Max", {}) + fiveGames(Anna));
        QCOMPARE(f.listed(), QStringList({"Olga", "Max", "Anna"}));
        QCOMPARE(f.selected(), QStringLiteral("Olga"));
        QCOMPARE(control<GamesModel>(w, "games")->rowCount(), 0);
        QCOMPARE(f.host.recordLabel, QStringLiteral("Ваш рекорд: 0"));
    }

    void enterPressesNoButton() {
        Fixture f{twoPlayers(), QStringLiteral("Olga")};
        TfrmUsers& w = f.shown();
        const QByteArray before = f.host.bytes();
        f.platform.answerMessage(mb::IdYes);
        f.platform.answerMessage(mb::IdYes);
        QTest::keyClick(control<QListWidget>(w, "ListBox1"), Qt::Key_Return);
        control<QTableView>(w, "ListView1")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(control<QTableView>(w, "ListView1"), Qt::Key_Return);
        QVERIFY(f.platform.messages.isEmpty());
        QCOMPARE(f.host.bytes(), before);
        QVERIFY(w.isVisible());
    }

    void renaming_data() {
        QTest::addColumn<std::optional<QString>>("typed");
        QTest::addColumn<QStringList>("listed");
        QTest::addRow("other case") << std::optional<QString>("anna") << QStringList{"Olga", "Max", "anna"};
        QTest::addRow("another's name")
            << std::optional<QString>(" Olga ") << QStringList{"Olga", "Max", "Olga"};
        QTest::addRow("cancelled") << std::optional<QString>() << QStringList{"Olga", "Max", "Anna"};
        QTest::addRow("unchanged") << std::optional<QString>("Anna ") << QStringList{"Olga", "Max", "Anna"};
        QTest::addRow("empty") << std::optional<QString>(" ") << QStringList{"Olga", "Max", "Anna"};
        QTest::addRow("marker") << std::optional<QString>("$/$/$/$/$") << QStringList{"Olga", "Max", "Anna"};
    }

    void renaming() {
        QFETCH(std::optional<QString>, typed);
        QFETCH(QStringList, listed);
        Fixture f{twoPlayers() + fiveGames(Anna), Anna};
        TfrmUsers& w = f.shown();
        const QByteArray before = f.host.bytes();
        f.platform.answerInput(typed);
        control<QPushButton>(w, "Button3")->click();
        QCOMPARE(f.platform.inputDialogs.size(), 1);
        QCOMPARE(f.platform.inputDialogs[0].caption, QStringLiteral("Изменение"));
        QCOMPARE(f.platform.inputDialogs[0].prompt, QStringLiteral("Введите новое имя"));
        QCOMPARE(f.platform.inputDialogs[0].initial, Anna);
        QCOMPARE(f.listed(), listed);
        QCOMPARE(f.platform.messages.size(), typed == QStringLiteral("$/$/$/$/$") ? 1 : 0);
        if (listed.last() == Anna) {
            QCOMPARE(f.host.bytes(), before);
            return;
        }
        QCOMPARE(f.host.MemoPlayers(), twoPlayers() + fiveGames(listed.last()));
        // The current player's old name is gone: the last player is selected, the label keeps the name,
        // and a name that two players share shows the first one's games.
        QCOMPARE(f.selected(), listed.last());
        QCOMPARE(control<GamesModel>(w, "games")->rowCount(),
                 listed.last() == QStringLiteral("Olga") ? 2 : 5);
        QCOMPARE(f.host.currentPlayerLabel, QStringLiteral("Текущий игрок: Anna"));
        QCOMPARE(f.host.recordLabel, QStringLiteral("Ваш рекорд: 0"));
        QCOMPARE(f.game.PlayerName, Anna);
    }

    void deletingPlayers() {
        Fixture f{twoPlayers() + fiveGames(Anna), Anna};
        TfrmUsers& w = f.shown();
        const auto deleteRow = [&](int row, int answer) {
            control<QListWidget>(w, "ListBox1")->setCurrentRow(row);
            f.platform.answerMessage(answer);
            control<QPushButton>(w, "SpeedButton1")->click();
        };
        deleteRow(1, mb::IdNo);
        QCOMPARE(f.listed().size(), 3);
        QCOMPARE(f.platform.messages.last().caption, QStringLiteral("Подтверждение удаления"));
        QCOMPARE(f.platform.messages.last().text,
                 QStringLiteral("Вы действительно хотите удалить выбранного игрока"));
        QCOMPARE(f.platform.messages.last().flags, mb::YesNo);

        deleteRow(1, mb::IdYes);
        QCOMPARE(f.host.MemoPlayers(), blockOf("Olga", {"05.03.2007 18:42:10;14;3;1100;0:03:00",
                                                        "06.03.2007 19:05:33;9;6;300;0:03:00"}) +
                                           fiveGames(Anna));
        QCOMPARE(f.selected(), Anna); // back to the current player

        deleteRow(1, mb::IdYes);
        QCOMPARE(f.listed(), QStringList{"Olga"});
        QCOMPARE(control<GamesModel>(w, "games")->rowCount(), 2);
        QCOMPARE(f.host.recordLabel, QStringLiteral("Ваш рекорд: 0"));

        deleteRow(0, mb::IdYes);
        QCOMPARE(f.host.bytes(), QByteArray());
        QCOMPARE(f.listed(), QStringList());
        QCOMPARE(control<GamesModel>(w, "games")->rowCount(), 0);
        QCOMPARE(control<QLabel>(w, "Label1")->text(), QStringLiteral("Всего игр: 0"));

        // With nobody left, every command leaves the file alone.
        const int messages = f.platform.messages.size();
        f.platform.answerInput(QStringLiteral("Zed"));
        control<QPushButton>(w, "Button3")->click();
        control<QPushButton>(w, "SpeedButton1")->click();
        control<QPushButton>(w, "SpeedButton2")->click();
        control<QPushButton>(w, "Button1")->click();
        QCOMPARE(f.platform.messages.size(), messages);
        QCOMPARE(f.host.bytes(), QByteArray());
    }

    // A file that cannot be replaced stays whole, and both the text and the window keep showing it.
    void failedWriteChangesNothing() {
        Fixture f{twoPlayers() + fiveGames(Anna), Anna};
        TfrmUsers& w = f.shown();
        const QByteArray before = f.host.bytes();
        const QString text = f.host.MemoPlayers();
        QVERIFY(QFile(f.host.path()).setPermissions(QFile::ReadOwner));
        control<QTableView>(w, "ListView1")->setFocus(Qt::TabFocusReason);
        f.selectRows({0});
        control<QPushButton>(w, "SpeedButton2")->click();
        f.platform.answerMessage(mb::IdYes);
        control<QPushButton>(w, "SpeedButton1")->click();
        QCOMPARE(f.platform.messages.size(), 3);
        QCOMPARE(f.platform.messages[0].caption, QStringLiteral("LexiTrainer"));
        QVERIFY(f.platform.messages[0].text.contains(f.host.path()));
        QCOMPARE(f.platform.messages[2].caption, QStringLiteral("LexiTrainer"));
        QCOMPARE(f.host.bytes(), before);
        QCOMPARE(f.host.MemoPlayers(), text);
        QCOMPARE(f.listed().size(), 3);
        QCOMPARE(control<GamesModel>(w, "games")->rowCount(), 5);
    }

    void anchorsWhenResized() {
        Fixture f{twoPlayers(), QStringLiteral("Olga")};
        TfrmUsers& w = f.shown();
        w.resize(588, 528);
        QCOMPARE(control<QListWidget>(w, "ListBox1")->geometry(), QRect(8, 8, 469, 89));
        QCOMPARE(control<QPushButton>(w, "SpeedButton1")->pos(), QPoint(484, 8));
        QCOMPARE(control<QPushButton>(w, "Button3")->pos(), QPoint(484, 40));
        QCOMPARE(control<QPushButton>(w, "SpeedButton2")->pos(), QPoint(384, 72));
        QCOMPARE(control<QTableView>(w, "ListView1")->geometry(), QRect(8, 104, 573, 395));
        QCOMPARE(control<QLabel>(w, "Label1")->pos(), QPoint(8, 503));
        QCOMPARE(control<QPushButton>(w, "Button1")->pos(), QPoint(444, 501));
    }
};

QTEST_MAIN(TestResults)
#include "tst_players_results.moc"
