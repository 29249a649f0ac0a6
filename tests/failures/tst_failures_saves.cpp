// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a game, failed on purpose: the file keeps the game saved before, the message names it, and
// the game still belongs to the file it belonged to, unsaved.
#include "MainWindowFixture.h"
#include "WriteFaults.h"
#include "platform/Files.h"
#include "saves/SavedGame.h"
#include "saves/TfrmSave.h"
#include "shared/ScrambledText.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// A game saved once as "first", then played on, so that the next save has something new to write.
struct SavedAndPlayedOn {
    MainWindowFixture f;
    TfrmMain* window = nullptr;
    QString path;
    QByteArray saved;

    SavedAndPlayedOn() {
        f.folder.writeDictionary(QStringLiteral("словарь/main.txt"), TestFolder::pairs(10));
        window = &f.start();
        control<QTimer>(*window, "Timer2")->stop();
        window->game.PlayerName = QStringLiteral("Иван");
        window->mnuNewGameClick();
        window->AnswerClick(window->game.RealButton);
        saveAs(QStringLiteral("first"));
        path = f.folder.path(QStringLiteral("Save/first.gsv"));
        saved = readBytes(path);
        window->AnswerClick(window->game.RealButton % 4 + 1);
        f.platform.messages.clear();
    }

    // "Сохранить как..." under a name; whether the window was still open after "Сохранить".
    bool saveAs(const QString& name) {
        bool open = false;
        f.platform.onModal([name, &open](QDialog& dialog) {
            auto& save = static_cast<TfrmSave&>(dialog);
            QCoreApplication::processEvents();
            control<QLineEdit>(save, "Edit1")->setText(name);
            control<QPushButton>(save, "Button1")->click();
            open = save.isVisible();
        });
        control<QAction>(*window, "mnuSaveAs")->trigger();
        return open;
    }

    // The failure was shown naming the file, the old file is whole, and the game is as before.
    void checkFailed(const QString& target) const {
        QCOMPARE(f.platform.messages.size(), 1);
        QVERIFY2(f.platform.messages[0].text.contains(target), qPrintable(f.platform.messages[0].text));
        QCOMPARE(readBytes(path), saved);
        QCOMPARE(window->game.SaveFileName, path);
        QCOMPARE(window->game.Saved, false);
        const SavedGame onDisk = savedgame::parse(ReadScrambledText(path));
        QVERIFY(onDisk.YesCount == 1 && onDisk.NoCount == 0);
        QCOMPARE(window->game.NoCount, 1);
    }
};

} // namespace

class TestFailuresSaves : public QObject {
    Q_OBJECT
private slots:
    void saveCutAtEveryChunk() {
        SavedAndPlayedOn probe;
        control<QAction>(*probe.window, "mnuSave")->trigger();
        const qint64 size = readBytes(probe.path).size();
        QVERIFY(size > 100);
        for (const qint64 cut : cutPoints(size, 4)) {
            SavedAndPlayedOn g;
            const QStringList before = folderEntries(g.f.folder.path(QStringLiteral("Save")));
            {
                const files::FailWritesAfter limit(cut);
                control<QAction>(*g.window, "mnuSave")->trigger();
            }
            g.checkFailed(g.path);
            QCOMPARE(folderEntries(g.f.folder.path(QStringLiteral("Save"))), before);
        }
    }

    void saveAsOntoAFolder() {
        SavedAndPlayedOn g;
        const QString target = g.f.folder.path(QStringLiteral("Save/second.gsv"));
        QVERIFY(QDir().mkpath(target));
        // The overwrite question comes first, as for any existing name.
        g.f.platform.answerMessage(mb::IdYes);
        QVERIFY(g.saveAs(QStringLiteral("second")));
        g.f.platform.messages.removeFirst();
        g.checkFailed(target);
        QVERIFY(QFileInfo(target).isDir());
    }

    void saveIntoVanishedFolder() {
        SavedAndPlayedOn g;
        QVERIFY(QDir(g.f.folder.path(QStringLiteral("Save"))).removeRecursively());
        control<QAction>(*g.window, "mnuSave")->trigger();
        QCOMPARE(g.f.platform.messages.size(), 1);
        QVERIFY(g.f.platform.messages[0].text.contains(g.path));
        QVERIFY(!QFileInfo::exists(g.f.folder.path(QStringLiteral("Save"))));
        QCOMPARE(g.window->game.SaveFileName, g.path);
        QCOMPARE(g.window->game.Saved, false);
    }
};

QTEST_MAIN(TestFailuresSaves)
#include "tst_failures_saves.moc"
