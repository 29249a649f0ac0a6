// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "saves/SaveListBox.h"
#include "saves/SavedGame.h"
#include "saves/TfrmOpen.h"
#include "saves/TfrmSave.h"
#include "shared/ScrambledText.h"
#include "shared/TimeValue.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

QStringList answerTexts(const GameBoard& board) {
    return {board.answerLabel(1)->text(), board.answerLabel(2)->text(), board.answerLabel(3)->text(),
            board.answerLabel(4)->text()};
}

// The main window over ten word pairs, a game running for "Иван".
struct Game {
    MainWindowFixture f;
    TfrmMain& window;

    Game() : window(start(f)) {
        window.game.PlayerName = QStringLiteral("Иван");
        window.mnuNewGameClick();
    }
    static TfrmMain& start(MainWindowFixture& f) {
        f.folder.writeDictionary(QStringLiteral("словарь/main.txt"), TestFolder::pairs(10));
        TfrmMain& window = f.start();
        // The player selection at start-up plays no part here.
        control<QTimer>(window, "Timer2")->stop();
        return window;
    }

    QString savePath(const QString& entry) const { return f.folder.path(QStringLiteral("Save/") + entry); }

    // "Сохранить" with no file yet: the save window, given a name.
    void saveAs(const QString& name) {
        f.platform.onModal([name](QDialog& dialog) {
            auto& save = static_cast<TfrmSave&>(dialog);
            QCoreApplication::processEvents();
            control<QLineEdit>(save, "Edit1")->setText(name);
            control<QPushButton>(save, "Button1")->click();
        });
        window.mnuSaveClick();
    }

    void open(const QString& entry) {
        f.platform.onModal([entry](QDialog& dialog) {
            auto& open = static_cast<TfrmOpen&>(dialog);
            QCoreApplication::processEvents();
            control<SaveListBox>(open, "ListBox1")
                ->setCurrentItem(
                    control<SaveListBox>(open, "ListBox1")->findItems(entry, Qt::MatchExactly).value(0));
            control<QPushButton>(open, "Button1")->click();
        });
        window.mnuOpenClick();
    }
};

} // namespace

class TestSavesMainWindow : public QObject {
    Q_OBJECT
private slots:
    // Saved, abandoned, reopened: the game goes on from the saved time, question and score.
    void savedGameReopens_data() {
        QTest::addColumn<bool>("timeUp");
        QTest::addRow("running") << false;
        QTest::addRow("end-of-game screen") << true;
    }
    void savedGameReopens() {
        QFETCH(bool, timeUp);
        Game g;
        TfrmMain& window = g.window;
        window.AnswerClick(window.game.RealButton);
        window.AnswerClick(window.game.RealButton % 4 + 1);
        window.AnswerClick(window.game.RealButton % 4 + 1);
        for (int tick = 0; tick < 5; ++tick)
            window.Timer1Timer();
        if (timeUp) {
            window.game.TimeLeft = timevalue::fromHms(0, 0, 1);
            window.Timer1Timer();
        }
        const QString question =
            control<GameBoard>(window, "board")->memoText().section(QStringLiteral("\r\n"), 1, 1);
        const QStringList answers = answerTexts(*control<GameBoard>(window, "board"));
        const qint32 realButton = window.game.RealButton;
        const QString timeLeft = timevalue::toText(window.game.TimeLeft);
        g.saveAs(QStringLiteral("партия"));
        QCOMPARE(window.game.SaveFileName, g.savePath(QStringLiteral("партия.gsv")));
        QVERIFY(window.game.Saved);

        window.DestoryGame();
        window.game.PlayerName = QStringLiteral("Пётр");
        g.open(QStringLiteral("партия.gsv"));

        QCOMPARE(control<GameBoard>(window, "board")->memoText(),
                 QStringLiteral("Выберете перевод слова:\r\n") + question);
        QCOMPARE(answerTexts(*control<GameBoard>(window, "board")), answers);
        QCOMPARE(control<QLabel>(window, "Label3")->text(), QStringLiteral("У вас осталось:  ") + timeLeft);
        QCOMPARE(control<QLabel>(window, "lblCurrentPlayer")->text(), QStringLiteral("Текущий игрок: Иван"));
        QCOMPARE(control<QLabel>(window, "lblPlayerReccord")->text(),
                 QStringLiteral("Время сохранения: 06.03.2007 19:05:33"));
        QCOMPARE(control<QLabel>(window, "Label16")->text(),
                 QStringLiteral("Количество правильных ответов: 1"));
        QCOMPARE(control<QLabel>(window, "Label19")->text(),
                 QStringLiteral("Количество набранных очков: -100"));
        QVERIFY(control<QTimer>(window, "Timer1")->isActive());
        QVERIFY(control<QAction>(window, "mnuSave")->isEnabled());
        QVERIFY(window.game.GameRunning && window.game.LoadedGame && window.game.Saved);
        QCOMPARE(window.game.RealButton, realButton);
        QCOMPARE(window.game.PlayerName, QStringLiteral("Иван"));

        // The first answer is scored against the saved position; none is right after the time ran out.
        window.AnswerClick(1);
        QCOMPARE(window.game.YesCount, realButton == 1 ? 2 : 1);
        QCOMPARE(window.game.NoCount, realButton == 1 ? 2 : 3);
        QCOMPARE(timevalue::toText(window.game.TimeLeft), timeLeft);
    }

    // "Сохранить" on a game that has its file writes that file again, without a window or a question.
    void saveWritesTheGamesFileSilently() {
        Game g;
        g.saveAs(QStringLiteral("партия"));
        const QString path = g.savePath(QStringLiteral("партия.gsv"));
        g.window.AnswerClick(g.window.game.RealButton);
        QVERIFY(!g.window.game.Saved);
        g.f.platform.messages.clear();
        bool windowShown = false;
        g.f.platform.onModal([&](QDialog&) { windowShown = true; });

        g.window.mnuSaveClick();

        QVERIFY(!windowShown);
        QVERIFY(g.f.platform.messages.isEmpty());
        QVERIFY(ReadScrambledText(path).contains(QStringLiteral("\r\nYes:=1\r\n")));
        QVERIFY(g.window.game.Saved);
        QCOMPARE(QDir(g.f.folder.path(QStringLiteral("Save"))).entryList(QDir::Files),
                 QStringList{"партия.gsv"});
    }

    // The close question's "Yes" saves: into the game's own file, or through the save window.
    void closeQuestionSaves_data() {
        QTest::addColumn<bool>("hasFile");
        QTest::addRow("game with its file") << true;
        QTest::addRow("game without a file") << false;
    }
    void closeQuestionSaves() {
        QFETCH(bool, hasFile);
        Game g;
        if (hasFile)
            g.saveAs(QStringLiteral("партия"));
        g.window.AnswerClick(g.window.game.RealButton);
        g.f.platform.messages.clear();
        g.f.platform.answerMessage(mb::IdYes);
        if (!hasFile) {
            g.f.platform.onModal([](QDialog& dialog) {
                QCoreApplication::processEvents();
                auto& save = static_cast<TfrmSave&>(dialog);
                control<QLineEdit>(save, "Edit1")->setText(QStringLiteral("партия"));
                control<QPushButton>(save, "Button1")->click();
            });
        }

        QVERIFY(g.window.close());

        QCOMPARE(g.f.platform.messages.size(), 1);
        QCOMPARE(g.f.platform.messages[0].text, hasFile ? QStringLiteral("Сохранить изменения в файл")
                                                        : QStringLiteral("Сохранить эту игру?"));
        QVERIFY(ReadScrambledText(g.savePath(QStringLiteral("партия.gsv")))
                    .contains(QStringLiteral("\r\nYes:=1\r\n")));
    }

    // Declining a new game cuts a reopened game loose from its file; saving it then asks for a name
    // instead of writing nowhere.
    void gameWithoutItsFileIsSavedUnderANewName() {
        Game g;
        g.saveAs(QStringLiteral("партия"));
        g.open(QStringLiteral("партия.gsv"));
        g.f.platform.answerMessage(mb::IdNo);
        g.window.mnuNewGameClick();
        g.window.AnswerClick(g.window.game.RealButton);
        QVERIFY(g.window.game.SaveFileName.isEmpty());

        g.f.platform.onModal([](QDialog& dialog) {
            QCoreApplication::processEvents();
            auto& save = static_cast<TfrmSave&>(dialog);
            control<QLineEdit>(save, "Edit1")->setText(QStringLiteral("продолжение"));
            control<QPushButton>(save, "Button1")->click();
        });
        g.window.SaveToCurrentFile();

        QCOMPARE(g.window.game.SaveFileName, g.savePath(QStringLiteral("продолжение.gsv")));
        QVERIFY(ReadScrambledText(g.window.game.SaveFileName).contains(QStringLiteral("\r\nYes:=1\r\n")));
    }

    // A file that cannot be restored leaves the running game on screen and its clock as they were.
    void badFileLeavesTheGame() {
        Game g;
        QDir().mkpath(g.f.folder.path(QStringLiteral("Save")));
        writeBytes(g.savePath(QStringLiteral("bad.gsv")), "not a saved game");
        const QString memo = control<GameBoard>(g.window, "board")->memoText();
        const QStringList answers = answerTexts(*control<GameBoard>(g.window, "board"));
        const QString player = control<QLabel>(g.window, "lblCurrentPlayer")->text();

        g.open(QStringLiteral("bad.gsv"));

        QCOMPARE(g.f.platform.messages.size(), 1);
        QCOMPARE(g.f.platform.messages[0].caption, QStringLiteral("LexiTrainer"));
        QCOMPARE(control<GameBoard>(g.window, "board")->memoText(), memo);
        QCOMPARE(answerTexts(*control<GameBoard>(g.window, "board")), answers);
        QCOMPARE(control<QLabel>(g.window, "lblCurrentPlayer")->text(), player);
        QVERIFY(!g.window.game.LoadedGame);
        QCOMPARE(g.window.game.PlayerName, QStringLiteral("Иван"));
    }
};

QTEST_MAIN(TestSavesMainWindow)
#include "tst_saves_mainwindow.moc"
