// SPDX-License-Identifier: GPL-3.0-or-later
// Every writer of the player file failed on purpose: recording a game, adding a player, and the
// results window's edits. The file keeps its old content (an added player is there whole or not at
// all), the message names the file, and the player text the program holds is the file's.
#include "MainWindowFixture.h"
#include "WriteFaults.h"
#include "platform/ErrorReport.h"
#include "platform/Files.h"
#include "players/PlayerFile.h"
#include "players/TfrmChoiceUser.h"
#include "players/TfrmUsers.h"
#include "shared/ScrambledText.h"
#include "shared/TimeValue.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <functional>

namespace {

const QString TwoPlayers =
    QStringLiteral("$/$/$/$/$Olga$\\$\\$\\$\\$\r\n"
                   "Date:=05.03.2007 18:42:10|06.03.2007 19:05:33|\r\n"
                   "Yes:=14|9|\r\nNo:=3|6|\r\nОчки:=1100|300|\r\n"
                   "GameTime:=0:03:00|0:03:00|\r\n"
                   "$/$/$/$/$Max$\\$\\$\\$\\$\r\nDate:=\r\nYes:=\r\nNo:=\r\nОчки:=\r\nGameTime:=\r\n");

enum class Edit { Record, Add, Rename, DeletePlayer, DeleteGames, Clear };

struct Players {
    MainWindowFixture f;
    TfrmMain* window = nullptr;
    QString file;
    QByteArray old;
    QString recordLabel;

    Players() {
        file = f.folder.path(QStringLiteral("Players.ini"));
        WriteScrambledText(file, TwoPlayers, WriteMode::Replace);
        old = readBytes(file);
        f.folder.writeDictionary(QStringLiteral("словарь/main.txt"), TestFolder::pairs(10));
        window = &f.start();
        control<QTimer>(*window, "Timer2")->stop();
        window->game.PlayerName = QStringLiteral("Olga");
        recordLabel = control<QLabel>(*window, "lblPlayerReccord")->text();
        f.platform.messages.clear();
    }

    // Runs the edit the way a player does it.
    void run(Edit edit) {
        switch (edit) {
        case Edit::Record:
            window->game.GameTime = timevalue::fromHms(0, 0, 1);
            control<QAction>(*window, "mnuNewGame")->trigger();
            window->game.TimeLeft = timevalue::fromHms(0, 0, 1);
            // As the game clock's tick runs it.
            runReported(f.platform, [this] { window->Timer1Timer(); });
            break;
        case Edit::Add:
            f.platform.answerInput(QStringLiteral("Новый игрок Пётр"));
            f.platform.onModal([](QDialog& dialog) { control<QPushButton>(dialog, "Button2")->click(); });
            control<QAction>(*window, "mnuChangePlayer")->trigger();
            break;
        default:
            f.platform.onModal([this, edit](QDialog& dialog) {
                auto& results = static_cast<TfrmUsers&>(dialog);
                control<QListWidget>(results, "ListBox1")->setCurrentRow(0);
                if (edit == Edit::Rename) {
                    f.platform.answerInput(QStringLiteral("Ольга"));
                    control<QPushButton>(results, "Button3")->click();
                } else if (edit == Edit::DeletePlayer) {
                    f.platform.answerMessage(mb::IdYes);
                    control<QPushButton>(results, "SpeedButton1")->click();
                } else if (edit == Edit::DeleteGames) {
                    control<QTableView>(results, "ListView1")
                        ->selectionModel()
                        ->select(control<QTableView>(results, "ListView1")->model()->index(0, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
                    results.ListView1Enter();
                    control<QPushButton>(results, "SpeedButton2")->click();
                } else {
                    f.platform.answerMessage(mb::IdYes);
                    control<QPushButton>(results, "Button1")->click();
                }
                checkListed(control<QListWidget>(results, "ListBox1"));
            });
            control<QAction>(*window, "mnuShowResults")->trigger();
            break;
        }
    }

    QString onDisk() const { return players::normalisedLineBreaks(ReadScrambledText(file)); }

    void checkListed(const QListWidget* list) const {
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown.append(list->item(i)->text());
        QCOMPARE(shown, players::playerNames(onDisk()));
    }

    // One failure shown, naming the file; the file as before and the text held the same as the file.
    void checkFailed() const {
        const auto named = std::count_if(f.platform.messages.cbegin(), f.platform.messages.cend(),
                                         [&](const auto& m) { return m.text.contains(file); });
        QCOMPARE(named, 1);
        QCOMPARE(readBytes(file), old);
        QCOMPARE(window->playerStore.MemoPlayers(), onDisk());
        // The record shown, if shown anew, is the one the file holds.
        const QString shown = control<QLabel>(*window, "lblPlayerReccord")->text();
        if (shown != recordLabel)
            QCOMPARE(shown, QStringLiteral("Ваш рекорд: %1").arg(players::bestPoints(onDisk(), u"Olga")));
    }
};

// The file after the edit went through.
QByteArray afterSuccess(Edit edit) {
    Players p;
    p.run(edit);
    return readBytes(p.file);
}

} // namespace

class TestFailuresPlayers : public QObject {
    Q_OBJECT
private slots:
    void cutAtEveryChunk_data() {
        QTest::addColumn<int>("edit");
        QTest::addRow("record a game") << int(Edit::Record);
        QTest::addRow("add a player") << int(Edit::Add);
        QTest::addRow("rename") << int(Edit::Rename);
        QTest::addRow("delete a player") << int(Edit::DeletePlayer);
        QTest::addRow("delete games") << int(Edit::DeleteGames);
        QTest::addRow("clear games") << int(Edit::Clear);
    }
    void cutAtEveryChunk() {
        QFETCH(int, edit);
        const QByteArray done = afterSuccess(Edit(edit));
        QVERIFY(done != Players().old);
        // An add writes only the new block; the other edits write the whole file anew.
        const qint64 written = done.size() - (Edit(edit) == Edit::Add ? Players().old.size() : 0);
        for (const qint64 cut : cutPoints(written, 4)) {
            Players p;
            {
                const files::FailWritesAfter limit(cut);
                p.run(Edit(edit));
            }
            p.checkFailed();
            QCOMPARE(folderEntries(p.f.folder.path()), folderEntries(Players().f.folder.path()));
            if (QTest::currentTestFailed()) {
                qWarning() << "cut after" << cut << "bytes";
                return;
            }
        }
    }

    void folderRefuses_data() {
        QTest::addColumn<int>("edit");
        QTest::addColumn<int>("fault");
        for (const auto& [name, edit] :
             {std::pair{"record a game", Edit::Record}, std::pair{"add a player", Edit::Add},
              std::pair{"clear games", Edit::Clear}}) {
            QTest::addRow("%s, target is a folder", name) << int(edit) << int(FolderFault::TargetIsFolder);
        }
        // Adding to a folder that is gone is refused in the program's own words, without the name.
        QTest::addRow("record a game, folder vanished") << int(Edit::Record) << int(FolderFault::Vanished);
        QTest::addRow("clear games, folder vanished") << int(Edit::Clear) << int(FolderFault::Vanished);
    }
    void folderRefuses() {
        QFETCH(int, edit);
        QFETCH(int, fault);
        Players p;
        if (FolderFault(fault) == FolderFault::ReadOnly) {
            QVERIFY(QFile::setPermissions(p.f.folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            {
                const OrdinaryPermissions ordinary;
                p.run(Edit(edit));
            }
            QVERIFY(QFile::setPermissions(
                p.f.folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
            // An existing file cannot be replaced there, whatever the edit.
            p.checkFailed();
            return;
        }
        const bool vanished = FolderFault(fault) == FolderFault::Vanished;
        if (vanished) {
            QVERIFY(QDir(p.f.folder.path()).removeRecursively());
        } else {
            QVERIFY(QFile::remove(p.file));
            QVERIFY(QDir().mkpath(p.file + QStringLiteral("/inside")));
        }
        const QString held = p.window->playerStore.MemoPlayers();
        p.run(Edit(edit));
        QVERIFY(std::any_of(p.f.platform.messages.cbegin(), p.f.platform.messages.cend(),
                            [&](const auto& m) { return m.text.contains(p.file); }));
        if (vanished) {
            QVERIFY(!QFileInfo::exists(p.f.folder.path()));
        } else {
            QVERIFY(QFileInfo(p.file).isDir());
            QCOMPARE(folderEntries(p.file), QStringList{"inside"});
        }
        QCOMPARE(p.window->playerStore.MemoPlayers(), held);
    }
};

QTEST_MAIN(TestFailuresPlayers)
#include "tst_failures_players.moc"
