// SPDX-License-Identifier: GPL-3.0-or-later
// Text from the player's files through every window that shows it: as written, never as markup,
// never followed as a link or picture, and written back with its bytes.
#include "../players/PlayerTestHost.h"
#include "HostileText.h"
#include "MainWindowFixture.h"
#include "platform/TextCodec.h"
#include "players/TfrmChoiceUser.h"
#include "players/TfrmUsers.h"
#include "quiz/Question.h"
#include "saves/SaveListBox.h"
#include "saves/TfrmOpen.h"
#include "saves/TfrmSave.h"
#include "words/TfrmAddWord.h"
#include "words/TfrmTranslate.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace {

QStringList itemTexts(const QAbstractItemModel* model) {
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, 0).data().toString();
    return texts;
}

// The main window over a dictionary with the pair "text|text" and a player named text, chosen at
// start-up; nothing of the player's file is shown before it is chosen.
struct Started : MainWindowFixture {
    QStringList choiceList;

    explicit Started(const QString& text) {
        writeDictionary(QStringLiteral("словарь/main.txt"), TestFolder::pairs(4));
        writeDictionary(QStringLiteral("словарь/User.txt"), {text + QLatin1Char('|') + text});
        WriteScrambledText(folder.path(QStringLiteral("Players.ini")), blockOf(text, {gameNumber(1)}),
                           WriteMode::Replace);
        platform.onModal([this](QDialog& dialog) {
            auto& choice = static_cast<TfrmChoiceUser&>(dialog);
            choiceList = itemTexts(control<QListWidget>(choice, "ListBox1")->model());
            control<QListWidget>(choice, "ListBox1")->setCurrentRow(0);
            control<QPushButton>(choice, "Button1")->click();
        });
        start();
        QTRY_VERIFY(!control<QTimer>(*window, "Timer2")->isActive());
    }
    void writeDictionary(const QString& name, const QStringList& lines) {
        folder.writeDictionary(name, lines);
    }
};

// Saves the running game as "партия" through the save window and returns the saved file's text.
QString saveAsParty(MainWindowFixture& f) {
    f.platform.onModal([](QDialog& dialog) {
        auto& save = static_cast<TfrmSave&>(dialog);
        QCoreApplication::processEvents();
        control<QLineEdit>(save, "Edit1")->setText(QStringLiteral("партия"));
        control<QPushButton>(save, "Button1")->click();
    });
    f.window->mnuSaveClick();
    return ReadScrambledText(f.folder.path(QStringLiteral("Save/партия.gsv")));
}

} // namespace

class TestPlainTextWindows : public QObject {
    Q_OBJECT
private slots:
    void badInputThroughTheWindows_data() { addHostileRows(); }
    void badInputThroughTheWindows() {
        QFETCH(QString, text);
        QTemporaryDir pictures;
        text = prepareHostileText(text, pictures.path());
        Started f(text);
        TfrmMain& window = *f.window;

        // The player selection and the main window's player label.
        QCOMPARE(f.choiceList, QStringList{text});
        QLabel* player = control<QLabel>(window, "lblCurrentPlayer");
        const QString playerText = QStringLiteral("Текущий игрок: ") + text;
        QVERIFY(drawnAsWritten(player));
        QVERIFY(player->geometry().right() < control<GameBoard>(window, "board")->width());
        if (player->toolTip().isEmpty()) {
            QCOMPARE(player->text(), playerText);
        } else {
            QCOMPARE(player->accessibleDescription(), playerText);
            QVERIFY(playerText.startsWith(player->text().chopped(1)));
        }

        // The translator's and the editor's lists, between games.
        f.platform.onModal([&](QDialog& dialog) {
            auto& translator = static_cast<TfrmTranslate&>(dialog);
            control<QLineEdit>(translator, "Edit1")->setText(text);
            QCOMPARE(itemTexts(control<QListWidget>(translator, "ListBox1")->model()),
                     QStringList{text + QStringLiteral("  -  ") + text});
        });
        control<QAction>(window, "N13")->trigger();
        f.platform.onModal([&](QDialog& dialog) {
            auto& editor = static_cast<TfrmAddWord&>(dialog);
            QCOMPARE(itemTexts(control<QListView>(editor, "lstWords")->model()),
                     QStringList{text + QLatin1Char('|') + text});
        });
        control<QAction>(window, "N12")->trigger();

        // A question with the pair (the fifth, after the standard dictionary's four) on button A.
        f.platform.queueDraws({4, 0, 0, 1, 2});
        window.mnuNewGameClick();
        QCOMPARE(control<GameBoard>(window, "board")->memoText(),
                 question::prompt() + QStringLiteral("\r\n") + text);
        QCOMPARE(control<QuestionBox>(window, "mmWorld")->verticalScrollBar()->maximum(), 0);
        AnswerLabel* answer = control<GameBoard>(window, "board")->answerLabel(1);
        QCOMPARE(answer->text(), question::prefix(1) + text);
        const AnswerLabel::Fitted fit = answer->fitted();
        QVERIFY(fit.text == answer->text() || (fit.elided && answer->text().startsWith(fit.text.chopped(1))));
        QVERIFY(fit.text.startsWith(question::prefix(1)));

        // Saved and listed in the open window: the file holds the bytes of the pair.
        const QString saved = saveAsParty(f);
        QVERIFY(saved.contains(QStringLiteral("Question:=") + text + QStringLiteral("\r\n")));
        QVERIFY(saved.contains(QStringLiteral("Answer1:=") + question::prefix(1) + text +
                               QStringLiteral("\r\n")));
        QVERIFY(saved.contains(QStringLiteral("PlayerName:=") + text + QStringLiteral("\r\n")));
        QStringList openList;
        f.platform.onModal([&](QDialog& dialog) {
            QCoreApplication::processEvents();
            openList = itemTexts(control<SaveListBox>(dialog, "ListBox1")->model());
        });
        window.mnuOpenClick();
        QCOMPARE(openList, QStringList{QStringLiteral("партия.gsv")});

        // The results window lists the player.
        QStringList players;
        f.platform.onModal(
            [&](QDialog& dialog) { players = itemTexts(control<QListWidget>(dialog, "ListBox1")->model()); });
        control<QAction>(window, "mnuShowResults")->trigger();
        QCOMPARE(players, QStringList{text});
        QVERIFY(f.platform.messages.isEmpty());
    }

    // A two-line paste into any one-line field whose text ends up in a file keeps its first line.
    void oneLineFieldsKeepTheFirstLine_data() {
        QTest::addColumn<QString>("field");
        QTest::addRow("the editor's Russian word") << QStringLiteral("editor Russian");
        QTest::addRow("the editor's translation") << QStringLiteral("editor English");
        QTest::addRow("the translator") << QStringLiteral("translator");
        QTest::addRow("the save name") << QStringLiteral("save");
    }
    void oneLineFieldsKeepTheFirstLine() {
        QFETCH(QString, field);
        MainWindowFixture f;
        f.folder.writeDictionary(QStringLiteral("словарь/main.txt"), TestFolder::pairs(4));
        TfrmMain& window = f.start();
        control<QTimer>(window, "Timer2")->stop();
        QGuiApplication::clipboard()->setText(QStringLiteral("лиса\r\nволк"));
        QString pasted;
        const auto paste = [&](QLineEdit* edit) {
            edit->clear();
            edit->paste();
            pasted = edit->text();
        };
        f.platform.onModal([&](QDialog& dialog) {
            QCoreApplication::processEvents();
            if (field == QStringLiteral("editor Russian"))
                paste(control<QLineEdit>(dialog, "Edit1"));
            else if (field == QStringLiteral("editor English"))
                paste(control<QLineEdit>(dialog, "Edit2"));
            else if (field == QStringLiteral("translator"))
                paste(control<QLineEdit>(dialog, "Edit1"));
            else
                paste(control<QLineEdit>(dialog, "Edit1"));
        });
        if (field.startsWith(QStringLiteral("editor")))
            control<QAction>(window, "N12")->trigger();
        else if (field == QStringLiteral("translator"))
            control<QAction>(window, "N13")->trigger();
        else {
            window.mnuNewGameClick();
            window.mnuSaveClick();
        }
        QCOMPARE(pasted, QStringLiteral("лиса"));
    }

    // A pasted two-line word adds one pair: the file gains one line, the word list one pair.
    void aPastedTwoLineWordAddsOnePair() {
        MainWindowFixture f;
        f.folder.writeDictionary(QStringLiteral("словарь/main.txt"), TestFolder::pairs(4));
        f.folder.writeDictionary(QStringLiteral("словарь/User.txt"), {QStringLiteral("кот|cat")});
        TfrmMain& window = f.start();
        control<QTimer>(window, "Timer2")->stop();
        f.platform.onModal([&](QDialog& dialog) {
            auto& editor = static_cast<TfrmAddWord&>(dialog);
            QGuiApplication::clipboard()->setText(QStringLiteral("лиса\nволк"));
            control<QLineEdit>(editor, "Edit1")->paste();
            QGuiApplication::clipboard()->setText(QStringLiteral("fox\r\nwolf"));
            control<QLineEdit>(editor, "Edit2")->paste();
            control<QPushButton>(editor, "btnAddWorld")->click();
            control<QPushButton>(editor, "Button2")->click();
        });
        control<QAction>(window, "N12")->trigger();
        QCOMPARE(ReadScrambledText(f.folder.path(QStringLiteral("словарь/User.txt"))),
                 listText({QStringLiteral("кот|cat"), QStringLiteral("лиса|fox")}));
        QCOMPARE(window.lstQuestion.count(), 6);
    }

    // A saved game holds the question word's bytes: a no-break space stays one.
    void aNoBreakSpaceIsSavedAsItIs() {
        const QString word = QStringLiteral("во\u00A0что бы то ни стало");
        MainWindowFixture f;
        f.folder.writeDictionary(QStringLiteral("словарь/main.txt"),
                                 QStringList{word + QStringLiteral("|at any cost")} + TestFolder::pairs(4));
        TfrmMain& window = f.start();
        control<QTimer>(window, "Timer2")->stop();
        window.game.DirectionTrans = QStringLiteral("EN\\RU");
        f.platform.queueDraws({0, 0, 1, 2, 3});
        window.mnuNewGameClick();
        const QByteArray bytes = ansi::encode(saveAsParty(f));
        QVERIFY(bytes.contains("Question:=" + ansi::encode(word) + "\r\n"));
        QVERIFY(bytes.contains(QByteArray("\xE2\xEE\xA0\xF7\xF2\xEE")));
    }
};

QTEST_MAIN(TestPlainTextWindows)
#include "tst_app_plaintext.moc"
