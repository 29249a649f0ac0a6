// SPDX-License-Identifier: GPL-3.0-or-later
// The dictionary editor, the translator and the about window as the main window's menu opens them.
#include "MainWindowFixture.h"
#include "info/TfrmAbout.h"
#include "words/TfrmAddWord.h"
#include "words/TfrmTranslate.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

class TestWordWindows : public QObject {
    Q_OBJECT
private slots:
    void theEditorReloadsTheWordListDuringAGame() {
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", TestFolder::pairs(4));
        f.folder.writeDictionary("словарь/User.txt", {"кот|cat"});
        TfrmMain& window = f.start();
        control<QAction>(window, "mnuNewGame")->trigger();
        QVERIFY(window.game.GameRunning);
        f.platform.onModal([&](QDialog& dialog) {
            auto* editor = qobject_cast<TfrmAddWord*>(&dialog);
            QVERIFY(editor);
            QCOMPARE(editor->parentWidget(), &window);
            control<QLineEdit>(*editor, "Edit1")->setText(QStringLiteral("пёс"));
            control<QLineEdit>(*editor, "Edit2")->setText(QStringLiteral("dog"));
            control<QPushButton>(*editor, "btnAddWorld")->click();
            QCOMPARE(window.lstQuestion.count(), 5); // not before the window closes
            QVERIFY(control<QTimer>(window, "Timer1")->isActive());
            control<QPushButton>(*editor, "Button2")->click();
        });
        control<QAction>(window, "N12")->trigger();
        QCOMPARE(window.lstQuestion.count(), 6);
        QCOMPARE(window.lstQuestion.at(5), QStringLiteral("пёс|dog"));
        QVERIFY(window.game.GameRunning);
        QVERIFY(control<QTimer>(window, "Timer1")->isActive());
    }

    void theTranslatorBetweenGames() {
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", {"кот|cat", "кошка|cat", "собака|dog"});
        TfrmMain& window = f.start();
        f.platform.onModal([&](QDialog& dialog) {
            auto* translator = qobject_cast<TfrmTranslate*>(&dialog);
            QVERIFY(translator);
            QCOMPARE(translator->windowTitle(), QStringLiteral("Мини переводчик на 3 слов(а)"));
            control<QLineEdit>(*translator, "Edit1")->setText(QStringLiteral("c"));
            QCOMPARE(control<QListWidget>(*translator, "ListBox1")->count(), 2);
        });
        control<QAction>(window, "N13")->trigger();
        QVERIFY(f.platform.messages.isEmpty());
    }

    void theAboutWindowAboveTheMainWindow() {
        MainWindowFixture f;
        TfrmMain& window = f.start();
        bool shown = false;
        f.platform.onModal([&](QDialog& dialog) {
            shown = qobject_cast<TfrmAbout*>(&dialog) && dialog.parentWidget() == &window &&
                    dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        });
        control<QAction>(window, "mnuAbout")->trigger();
        QVERIFY(shown);
        QVERIFY(!window.windowIcon().isNull());
    }
};

QTEST_MAIN(TestWordWindows)
#include "tst_app_wordwindows.moc"
