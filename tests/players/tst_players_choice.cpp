// SPDX-License-Identifier: GPL-3.0-or-later
// The player selection window over a real player file.
#include "PlayerTestHost.h"
#include "platform/ScriptedPlatform.h"
#include "platform/TextCodec.h"
#include "players/TfrmChoiceUser.h"
#include "shared/GameState.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

class TestChoiceUser : public QObject {
    Q_OBJECT

    struct Fixture {
        PlayerTestHost host;
        ScriptedPlatform platform;
        GameState game;
        std::unique_ptr<TfrmChoiceUser> window;

        explicit Fixture(const QString& plainText) {
            host.start(plainText);
            window = std::make_unique<TfrmChoiceUser>(platform, game, host.store, host);
        }
        TfrmChoiceUser& shown() {
            window->show();
            return *window;
        }
        QStringList listed() const { return itemsOf(control<QListWidget>(*window, "ListBox1")); }
    };

private slots:
    void emptyFileAsksForANewPlayer() {
        Fixture f{QString()};
        TfrmChoiceUser& w = f.shown();
        QCOMPARE(w.windowTitle(), QStringLiteral("Список игроков"));
        QCOMPARE(control<QListWidget>(w, "ListBox1")->count(), 0);
        QVERIFY(!control<QPushButton>(w, "Button1")->isEnabled());
        QVERIFY(control<QPushButton>(w, "Button3")->isVisible());
        QCOMPARE(control<QLabel>(w, "Label1")->text(), QStringLiteral("Создайте нового игрока"));
        QCOMPARE(control<QLabel>(w, "Label1")->y(), 104);
        QCOMPARE(f.host.clockStops, 0);

        control<QPushButton>(w, "Button3")->click();
        QVERIFY(!w.isVisible());
        QCOMPARE(f.host.mainWindowCloses, 1);
        QCOMPARE(f.host.settingsLoads, 0);
    }

    void showingMakesTheFirstPlayerCurrent() {
        Fixture f{twoPlayers()};
        f.game.PlayerName = QStringLiteral("Max");
        TfrmChoiceUser& w = f.shown();
        QCOMPARE(f.listed(), QStringList({"Olga", "Max"}));
        QCOMPARE(control<QListWidget>(w, "ListBox1")->currentRow(), 0);
        QCOMPARE(f.game.PlayerName, QStringLiteral("Olga"));
        QCOMPARE(f.host.currentPlayerLabel, QStringLiteral("Текущий игрок: Olga"));
        QCOMPARE(f.host.recordLabel, QStringLiteral("Ваш рекорд: 1100"));
        QVERIFY(control<QPushButton>(w, "Button1")->isEnabled());
        QVERIFY(control<QPushButton>(w, "Button1")->isDefault());
        QVERIFY(!control<QPushButton>(w, "Button3")->isVisible());
        QCOMPARE(control<QLabel>(w, "Label1")->text(), QStringLiteral("Выберете игрока со списка"));
        QCOMPARE(control<QLabel>(w, "Label1")->y(), 72);
        QCOMPARE(f.host.clockStops, 1);
    }

    void arrowKeysChangeThePlayerAtOnce() {
        Fixture f{twoPlayers()};
        TfrmChoiceUser& w = f.shown();
        QTest::keyClick(control<QListWidget>(w, "ListBox1"), Qt::Key_Down);
        QCOMPARE(f.game.PlayerName, QStringLiteral("Max"));
        QCOMPARE(f.host.currentPlayerLabel, QStringLiteral("Текущий игрок: Max"));
        QCOMPARE(f.host.recordLabel, QStringLiteral("Ваш рекорд: 0"));
        QTest::keyClick(control<QListWidget>(w, "ListBox1"), Qt::Key_Up);
        QCOMPARE(f.game.PlayerName, QStringLiteral("Olga"));
        QVERIFY(w.isVisible());
    }

    void closingWays_data() {
        QTest::addColumn<int>("way");
        QTest::addRow("ОК") << 0;
        QTest::addRow("Enter") << 1;
        QTest::addRow("double click") << 2;
    }

    void closingWays() {
        QFETCH(int, way);
        Fixture f{twoPlayers()};
        TfrmChoiceUser& w = f.shown();
        QTest::keyClick(control<QListWidget>(w, "ListBox1"), Qt::Key_Escape); // no button cancels the window
        QVERIFY(w.isVisible());
        if (way == 0) {
            control<QPushButton>(w, "Button1")->click();
        } else if (way == 1) {
            QTest::keyClick(control<QListWidget>(w, "ListBox1"), Qt::Key_Return);
        } else {
            const QRect item = control<QListWidget>(w, "ListBox1")
                                   ->visualItemRect(control<QListWidget>(w, "ListBox1")->item(1));
            QTest::mouseClick(control<QListWidget>(w, "ListBox1")->viewport(), Qt::LeftButton, {},
                              item.center());
            QTest::mouseDClick(control<QListWidget>(w, "ListBox1")->viewport(), Qt::LeftButton, {},
                               item.center());
        }
        QVERIFY(!w.isVisible());
        QCOMPARE(f.game.PlayerName, way == 2 ? QStringLiteral("Max") : QStringLiteral("Olga"));
        QCOMPARE(f.host.mainWindowCloses, 0);
    }

    void closingAfterARestoredGameRereadsTheSettings_data() {
        QTest::addColumn<bool>("loadedGame");
        QTest::addRow("restored game") << true;
        QTest::addRow("new game") << false;
    }

    void closingAfterARestoredGameRereadsTheSettings() {
        QFETCH(bool, loadedGame);
        Fixture f{twoPlayers()};
        f.game.LoadedGame = loadedGame;
        f.platform.onModal([](QDialog& dialog) { control<QPushButton>(dialog, "Button1")->click(); });
        f.platform.showModal(*f.window);
        QCOMPARE(f.host.settingsLoads, loadedGame ? 1 : 0);
        QVERIFY(!f.game.LoadedGame);
    }

    void addingAPlayer_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addRow("blanks around") << QStringLiteral("  Anna  ") << QStringLiteral("Anna");
        QTest::addRow("Cyrillic") << QStringLiteral("\tЁжик Петрович ") << QStringLiteral("Ёжик Петрович");
        QTest::addRow("part of another name") << QStringLiteral("Olg") << QStringLiteral("Olg");
        QTest::addRow("outside the code page") << QStringLiteral("Zoë ☺") << QStringLiteral("Zo? ?");
    }

    void addingAPlayer() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        Fixture f{twoPlayers()};
        TfrmChoiceUser& w = f.shown();
        const QByteArray before = f.host.bytes();
        QTest::keyClick(control<QListWidget>(w, "ListBox1"), Qt::Key_Down);
        f.platform.answerInput(typed);
        control<QPushButton>(w, "Button2")->click();
        QCOMPARE(f.platform.inputDialogs.size(), 1);
        QCOMPARE(f.platform.inputDialogs[0].caption, QStringLiteral("Новый игрок"));
        QCOMPARE(f.platform.inputDialogs[0].prompt, QStringLiteral("Введите имя или ник ирока"));
        QCOMPARE(f.platform.inputDialogs[0].initial, QString());
        QVERIFY(f.platform.messages.isEmpty());
        // The new block is appended to the file as it was.
        QByteArray appended = ansi::encode(players::newBlock(stored));
        for (char& b : appended)
            b = char(b ^ 0x19);
        QCOMPARE(f.host.bytes(), before + appended);
        QCOMPARE(f.listed(), QStringList({"Olga", "Max", stored}));
        QCOMPARE(control<QListWidget>(w, "ListBox1")->currentRow(), 0);
        QCOMPARE(f.game.PlayerName, QStringLiteral("Olga"));
    }

    void addingIsRefused_data() {
        QTest::addColumn<std::optional<QString>>("typed");
        QTest::addColumn<QString>("caption"); // empty: no message
        QTest::addRow("cancelled") << std::optional<QString>() << QString();
        QTest::addRow("blanks only") << std::optional<QString>(" \t ") << QString();
        QTest::addRow("other case") << std::optional<QString>(" OLGA") << QStringLiteral("Отмена ввода");
        QTest::addRow("Cyrillic, other case")
            << std::optional<QString>("иВАН") << QStringLiteral("Отмена ввода");
        QTest::addRow("marker") << std::optional<QString>("a$\\$\\$\\$\\$b")
                                << QStringLiteral("Отмена ввода");
        QTest::addRow("line break") << std::optional<QString>("a\r\nb") << QStringLiteral("Отмена ввода");
    }

    void addingIsRefused() {
        QFETCH(std::optional<QString>, typed);
        QFETCH(QString, caption);
        Fixture f{twoPlayers() + players::newBlock(u"Иван")};
        TfrmChoiceUser& w = f.shown();
        const QByteArray before = f.host.bytes();
        f.platform.answerInput(typed);
        control<QPushButton>(w, "Button2")->click();
        QCOMPARE(f.host.bytes(), before);
        QCOMPARE(f.platform.messages.size(), caption.isEmpty() ? 0 : 1);
        if (!caption.isEmpty())
            QCOMPARE(f.platform.messages[0].caption, caption);
        QCOMPARE(f.listed().size(), 3);
    }

    void duplicateMessage() {
        Fixture f{twoPlayers()};
        f.platform.answerInput(QStringLiteral("max"));
        control<QPushButton>(f.shown(), "Button2")->click();
        QCOMPARE(f.platform.messages.size(), 1);
        QCOMPARE(f.platform.messages[0].text, QStringLiteral("Этот игрок уже есть в игре"));
        QCOMPARE(f.platform.messages[0].flags, mb::Ok);
    }

    void firstPlayerInAnEmptyFolder() {
        Fixture f{QString()};
        QVERIFY(QFile::remove(f.host.path()));
        TfrmChoiceUser& w = f.shown();
        f.platform.answerInput(QStringLiteral("Anna"));
        control<QPushButton>(w, "Button2")->click();
        QCOMPARE(f.host.MemoPlayers(), players::newBlock(u"Anna"));
        QVERIFY(control<QPushButton>(w, "Button1")->isEnabled());
        QVERIFY(!control<QPushButton>(w, "Button3")->isVisible());
        QCOMPARE(control<QLabel>(w, "Label1")->y(), 72);
        QCOMPARE(f.game.PlayerName, QStringLiteral("Anna"));
        control<QPushButton>(w, "Button1")->click();
        QCOMPARE(f.host.mainWindowCloses, 0);
    }

    void fileThatCannotBeCreated() {
        Fixture f{QString()};
        f.host.moveTo(f.host.dir.filePath(QStringLiteral("missing")));
        TfrmChoiceUser& w = f.shown();
        f.platform.answerInput(QStringLiteral("Anna"));
        control<QPushButton>(w, "Button2")->click();
        QCOMPARE(f.platform.messages.size(), 1);
        QCOMPARE(f.platform.messages[0].caption, QStringLiteral("Отмена создания"));
        QCOMPARE(f.platform.messages[0].text,
                 QStringLiteral("Невозможно создать файл списка игроков.\r\nВозможно "
                                "диск защищён от записи."));
        QCOMPARE(f.platform.messages[0].flags, mb::IconExclamation);
        QCOMPARE(control<QListWidget>(w, "ListBox1")->count(), 0);
    }

    void readOnlyFileIsMadeWritableToAdd() {
        Fixture f{twoPlayers()};
        QFile(f.host.path()).setPermissions(QFile::ReadOwner);
        f.platform.answerInput(QStringLiteral("Anna"));
        control<QPushButton>(f.shown(), "Button2")->click();
        QVERIFY(f.platform.messages.isEmpty());
        QCOMPARE(f.listed().last(), QStringLiteral("Anna"));
    }
};

QTEST_MAIN(TestChoiceUser)
#include "tst_players_choice.moc"
