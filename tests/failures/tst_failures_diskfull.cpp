// SPDX-License-Identifier: GPL-3.0-or-later
// Every writer on a disk filled to the last byte (a small tmpfs mounted over the program folder, so the
// tests need the right to mount): a Russian message that names the file and says the disk is full,
// every file byte for byte as before, a missing user dictionary still missing, and the result of a
// game that could not be recorded kept until the disk has room.
#include "MainWindowFixture.h"
#include "platform/ErrorReport.h"
#include "players/TfrmChoiceUser.h"
#include "saves/SaveNames.h"
#include "shared/TimeValue.h"
#include "words/TfrmAddWord.h"

#include <QAction>
#include <QDirIterator>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <sys/mount.h>

namespace {

const QString TwoPlayers =
    QStringLiteral("$/$/$/$/$Olga$\\$\\$\\$\\$\r\nDate:=\r\nYes:=\r\nNo:=\r\nОчки:=\r\n"
                   "GameTime:=\r\n$/$/$/$/$Max$\\$\\$\\$\\$\r\nDate:=\r\nYes:=\r\nNo:=\r\n"
                   "Очки:=\r\nGameTime:=\r\n");

struct FullDisk {
    MainWindowFixture f;
    bool mounted = false;
    TfrmMain* window = nullptr;

    FullDisk() {
        mounted =
            ::mount("tmpfs", QFile::encodeName(f.folder.path()).constData(), "tmpfs", 0, "size=256k") == 0;
        if (!mounted)
            return;
        WriteScrambledText(f.folder.path(QStringLiteral("Players.ini")), TwoPlayers, WriteMode::Replace);
        f.folder.writeDictionary(QStringLiteral("словарь/main.txt"), TestFolder::pairs(10));
        window = &f.start();
        control<QTimer>(*window, "Timer2")->stop();
        window->game.PlayerName = QStringLiteral("Olga");
        f.platform.messages.clear();
    }
    ~FullDisk() {
        f.window.reset();
        if (mounted)
            ::umount2(QFile::encodeName(f.folder.path()).constData(), MNT_DETACH);
    }

    QString filler() const { return f.folder.path(QStringLiteral("filler")); }
    // Fills the disk to the last byte the file system gives out.
    void fill() {
        QFile file(filler());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        for (qint64 piece = 65536; piece > 0; piece /= 2)
            while (file.write(QByteArray(piece, 'f')) == piece) {
            }
    }
    void makeRoom() { QVERIFY(QFile::remove(filler())); }

    QMap<QString, QByteArray> files() const {
        QMap<QString, QByteArray> contents;
        QDirIterator it(f.folder.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path != filler())
                contents.insert(path, readBytes(path));
        }
        return contents;
    }

    void startGame() {
        window->game.GameTime = timevalue::fromHms(0, 0, 1);
        control<QAction>(*window, "mnuNewGame")->trigger();
        window->game.TimeLeft = timevalue::fromHms(0, 0, 1);
    }
    // As the game clock's last tick runs it.
    void endGame() {
        runReported(f.platform, [this] { window->Timer1Timer(); });
    }
};

} // namespace

class TestDiskFull : public QObject {
    Q_OBJECT

private slots:
    void everyWriterSaysSoAndChangesNothing_data() {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QString>("file");
        QTest::addRow("recording a game") << "record"
                                          << "Players.ini";
        QTest::addRow("adding a player") << "player"
                                         << "Players.ini";
        QTest::addRow("adding the first word") << "word"
                                               << "словарь/User.txt";
        QTest::addRow("saving a game") << "save"
                                       << "Save/Игра.gsv";
    }

    void everyWriterSaysSoAndChangesNothing() {
        QFETCH(QString, writer);
        QFETCH(QString, file);
        FullDisk d;
        if (!d.mounted)
            QSKIP("no right to mount a small file system here");
        if (writer == u"record" || writer == u"save")
            d.startGame();
        QDir().mkpath(d.f.folder.path(QStringLiteral("Save")));
        d.window->game.SaveFileName = d.f.folder.path(file);
        d.fill();
        const QMap<QString, QByteArray> before = d.files();

        if (writer == u"record") {
            d.endGame();
        } else if (writer == u"player") {
            TfrmChoiceUser choice(d.f.platform, d.window->game, d.window->playerStore, *d.window);
            choice.show();
            d.f.platform.answerInput(QStringLiteral("Анна"));
            control<QPushButton>(choice, "Button2")->click();
            QCOMPARE(control<QListWidget>(choice, "ListBox1")->count(), 2);
        } else if (writer == u"word") {
            TfrmAddWord editor(d.f.platform, ProgramFolder(d.f.folder.path()), d.window->lstQuestion, {});
            editor.show();
            control<QLineEdit>(editor, "Edit1")->setText(QStringLiteral("кошка"));
            control<QLineEdit>(editor, "Edit2")->setText(QStringLiteral("cat"));
            control<QPushButton>(editor, "btnAddWorld")->click();
            QCOMPARE(control<QLineEdit>(editor, "Edit1")->text(), QStringLiteral("кошка"));
        } else {
            control<QAction>(*d.window, "mnuSave")->trigger();
        }

        QCOMPARE(d.files(), before);
        QVERIFY(!QFile::exists(d.f.folder.path(QStringLiteral("словарь/User.txt"))));
        QCOMPARE(d.f.platform.messages.size(), 1);
        const QString message = d.f.platform.messages[0].text;
        QVERIFY2(message.contains(QStringLiteral("Диск заполнен")) && message.contains(d.f.folder.path(file)),
                 qPrintable(message));
        QCOMPARE(d.window->playerStore.MemoPlayers(), TwoPlayers);
    }

    // The result of a game that ran out on a full disk is written once there is room, at the latest
    // when the program closes; closing while there is none asks first.
    void unrecordedResultIsKept() {
        FullDisk d;
        if (!d.mounted)
            QSKIP("no right to mount a small file system here");
        d.startGame();
        d.fill();
        d.endGame();
        QCOMPARE(d.window->playerStore.unrecordedCount(), 1);
        QVERIFY(d.f.platform.messages[0].text.contains(QStringLiteral("Результат игры не потерян")));

        d.f.platform.answerMessage(mb::IdNo);
        QVERIFY(!d.window->FormCloseQuery());
        QCOMPARE(d.f.platform.messages.size(), 2);
        QCOMPARE(d.f.platform.messages[1].flags, mb::YesNo | mb::IconExclamation);

        d.makeRoom();
        QVERIFY(d.window->FormCloseQuery());
        QCOMPARE(d.f.platform.messages.size(), 2);
        QCOMPARE(players::gameRows(ReadScrambledText(d.f.folder.path(QStringLiteral("Players.ini"))), u"Olga")
                     .size(),
                 1);
    }

    // A save that fails while closing asks the close question again instead of ending the program.
    void closeQuestionAsksAgainAfterAFailedSave() {
        FullDisk d;
        if (!d.mounted)
            QSKIP("no right to mount a small file system here");
        d.startGame();
        QDir().mkpath(d.f.folder.path(QStringLiteral("Save")));
        d.window->game.SaveFileName = savenames::filePath(ProgramFolder(d.f.folder.path()), u"Игра");
        d.fill();
        d.f.platform.answerMessage(mb::IdYes);
        d.f.platform.answerMessage(mb::IdOk);
        d.f.platform.answerMessage(mb::IdCancel);
        QVERIFY(!d.window->FormCloseQuery());
        QCOMPARE(d.f.platform.messages.size(), 3);
        QCOMPARE(d.f.platform.messages[0].text, QStringLiteral("Сохранить изменения в файл"));
        QVERIFY(d.f.platform.messages[1].text.contains(QStringLiteral("Диск заполнен")));
        QCOMPARE(d.f.platform.messages[2].text, QStringLiteral("Сохранить изменения в файл"));
        QVERIFY(!QFile::exists(d.window->game.SaveFileName));
    }
};

QTEST_MAIN(TestDiskFull)
#include "tst_failures_diskfull.moc"
