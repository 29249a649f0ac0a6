// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestHelpers.h"
#include "platform/ProgramFolder.h"
#include "platform/ScriptedPlatform.h"
#include "platform/TextCodec.h"
#include "saves/SaveListBox.h"
#include "saves/SavedGame.h"
#include "saves/TfrmOpen.h"
#include "saves/TfrmSave.h"
#include "shared/GameState.h"
#include "shared/ScrambledText.h"
#include "shared/TimeValue.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

const std::array<QString, 4> answers = {QStringLiteral("A.   стол"), QStringLiteral("B.   кошка"),
                                        QStringLiteral("C.   дом"), QStringLiteral("D.   окно")};

GameState runningGame() {
    GameState game;
    game.PlayerName = QStringLiteral("Иван");
    game.GameTime = timevalue::fromHms(0, 3, 0);
    game.TimeLeft = timevalue::fromHms(0, 1, 12);
    game.YesCount = 3;
    game.NoCount = 4;
    game.Points = -100;
    game.RealButton = 2;
    game.DirectionTrans = QStringLiteral("EN\\RU");
    game.GameRunning = true;
    return game;
}

// Every field, so that a difference shows by name.
QStringList fields(const GameState& game) {
    return {QStringLiteral("PlayerName=") + game.PlayerName,
            QStringLiteral("GameTime=") + timevalue::toText(game.GameTime),
            QStringLiteral("TimeLeft=") + timevalue::toText(game.TimeLeft),
            QStringLiteral("YesCount=%1").arg(game.YesCount),
            QStringLiteral("NoCount=%1").arg(game.NoCount),
            QStringLiteral("Points=%1").arg(game.Points),
            QStringLiteral("RealButton=%1").arg(game.RealButton),
            QStringLiteral("DirectionTrans=") + game.DirectionTrans,
            QStringLiteral("LoadedGame=%1").arg(game.LoadedGame),
            QStringLiteral("GameRunning=%1").arg(game.GameRunning),
            QStringLiteral("SaveFileName=") + game.SaveFileName,
            QStringLiteral("Saved=%1").arg(game.Saved)};
}

// Runs what the windows left for their own loop: their listing.
void runWindowLoop() {
    QCoreApplication::processEvents();
}

} // namespace

class TestSavesWindows : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedPlatform> m_platform;
    GameState m_game;
    QList<SavedGame> m_restored;

    ProgramFolder folder() const { return ProgramFolder(m_dir->path()); }
    QString saveFolder() const { return m_dir->filePath(QStringLiteral("Save")); }
    QString savePath(const QString& entry) const { return saveFolder() + QLatin1Char('/') + entry; }

    std::unique_ptr<TfrmSave> saveWindow() {
        return std::make_unique<TfrmSave>(*m_platform, folder(), m_game, [this] {
            return savedgame::snapshot(m_game, u"Выберите перевод слова \"cat\":\r\ncat", answers,
                                       m_platform->now());
        });
    }
    std::unique_ptr<TfrmOpen> openWindow() {
        return std::make_unique<TfrmOpen>(*m_platform, folder(), m_game,
                                          [this](const SavedGame& game) { m_restored.append(game); });
    }

    void makeSaveFolder(const QStringList& files, const QStringList& folders = {}) {
        QVERIFY(QDir().mkpath(saveFolder()));
        for (const QString& name : files)
            writeBytes(savePath(name), "x");
        for (const QString& name : folders)
            QVERIFY(QDir().mkpath(savePath(name)));
    }

    // The content that saving the running game now writes.
    QString contentNow() {
        return savedgame::format(savedgame::snapshot(m_game, u"p\r\ncat", answers, m_platform->now()));
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_platform = std::make_unique<ScriptedPlatform>();
        m_platform->setNow(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 7)));
        m_game = runningGame();
        m_restored.clear();
    }

    void saveWritesTheGameAndTiesItToTheFile() {
        makeSaveFolder({});
        const QString path = savePath(QStringLiteral("игра.gsv"));
        saveWindow()->Save(path, true);

        QCOMPARE(ReadScrambledText(path), contentNow());
        // One scrambled line and nothing after it.
        QCOMPARE(readBytes(path).size(), ansi::encode(contentNow()).size());
        QVERIFY(!readBytes(path).endsWith('\n'));
        QCOMPARE(m_game.SaveFileName, path);
        QVERIFY(m_game.Saved);
        QVERIFY(m_platform->messages.isEmpty());
    }

    void overwriting_data() {
        QTest::addColumn<bool>("ask");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("written");
        QTest::addRow("asked, yes") << true << mb::IdYes << true << true;
        QTest::addRow("asked, no") << true << mb::IdNo << true << false;
        QTest::addRow("not asked") << false << 0 << false << true;
    }
    void overwriting() {
        QFETCH(bool, ask);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(bool, written);
        makeSaveFolder({QStringLiteral("old.gsv")});
        const QString path = savePath(QStringLiteral("old.gsv"));
        m_game.SaveFileName = QStringLiteral("before");
        m_platform->answerMessage(answer);
        auto window = saveWindow();
        window->show();
        window->Save(path, ask);

        QCOMPARE(m_platform->messages.size(), asked ? 1 : 0);
        if (asked) {
            QCOMPARE(m_platform->messages[0].caption, QStringLiteral("Сохранение"));
            QCOMPARE(m_platform->messages[0].text,
                     QStringLiteral("Файл уже существует! Вы хотите перезапесать его?"));
            QCOMPARE(m_platform->messages[0].flags, mb::YesNo);
        }
        QCOMPARE(readBytes(path) == "x", !written);
        QCOMPARE(window->isVisible(), !written);
        QCOMPARE(m_game.SaveFileName, written ? path : QStringLiteral("before"));
        QCOMPARE(m_game.Saved, written);
    }

    void emptyPathWritesNothing() {
        makeSaveFolder({});
        saveWindow()->Save(QString(), true);
        QVERIFY(QDir(saveFolder()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        QVERIFY(m_game.SaveFileName.isEmpty());
        QVERIFY(!m_game.Saved);
    }

    // A read-only saved game is made writable first, as every data file is before it is rewritten.
    void readOnlySavedGameIsRewritten() {
        makeSaveFolder({QStringLiteral("old.gsv")});
        const QString path = savePath(QStringLiteral("old.gsv"));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
        saveWindow()->Save(path, false);
        QCOMPARE(ReadScrambledText(path), contentNow());
    }

    void failedSaveKeepsTheGamesFile_data() {
        QTest::addColumn<bool>("folderExists");
        QTest::addColumn<QString>("entry");
        QTest::addRow("save folder gone") << false << "игра.gsv";
        QTest::addRow("a folder of that name") << true << "folder.gsv";
    }
    void failedSaveKeepsTheGamesFile() {
        QFETCH(bool, folderExists);
        QFETCH(QString, entry);
        if (folderExists)
            makeSaveFolder({}, {entry});
        m_game.SaveFileName = QStringLiteral("before");
        auto window = saveWindow();
        window->show();
        const QString message = failureOf([&] { window->Save(savePath(entry), false); });

        QVERIFY2(message.contains(savePath(entry)), qPrintable(message));
        QVERIFY(window->isVisible());
        QCOMPARE(m_game.SaveFileName, QStringLiteral("before"));
        QVERIFY(!m_game.Saved);
        QCOMPARE(QFileInfo(savePath(entry)).isDir(), folderExists);
    }

    void typedName_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("entry");
        QTest::addRow("blanks around") << "  игра 1 \t"
                                       << "игра 1.gsv";
        QTest::addRow("empty") << ""
                               << ".gsv";
        QTest::addRow("already .gsv") << "a.gsv"
                                      << "a.gsv.gsv";
        QTest::addRow("outside the code page") << "игра ☺"
                                               << "игра ?.gsv";
    }
    void typedName() {
        QFETCH(QString, typed);
        QFETCH(QString, entry);
        makeSaveFolder({});
        auto window = saveWindow();
        window->show();
        runWindowLoop();
        control<QLineEdit>(*window, "Edit1")->setText(typed);
        control<QPushButton>(*window, "Button1")->click();

        QCOMPARE(QDir(saveFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{entry});
        QCOMPARE(m_game.SaveFileName, savePath(entry));
        QVERIFY(!window->isVisible());
    }

    void nameWithSeparatorIsRefused_data() {
        QTest::addColumn<QString>("typed");
        QTest::addRow("up by slash") << "../Players.ini";
        QTest::addRow("up by backslash") << "..\\Players.ini";
        QTest::addRow("into a sub-folder") << "sub/game";
    }
    void nameWithSeparatorIsRefused() {
        QFETCH(QString, typed);
        makeSaveFolder({}, {QStringLiteral("sub")});
        const QStringList before =
            QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        auto window = saveWindow();
        window->show();
        runWindowLoop();
        control<QLineEdit>(*window, "Edit1")->setText(typed);
        control<QPushButton>(*window, "Button1")->click();

        QCOMPARE(m_platform->messages.size(), 1);
        QCOMPARE(m_platform->messages[0].caption, QStringLiteral("Сохранение"));
        QCOMPARE(m_platform->messages[0].flags, mb::IconExclamation);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 before);
        QVERIFY(QDir(savePath(QStringLiteral("sub"))).isEmpty());
        QVERIFY(window->isVisible());
        QCOMPARE(control<QLineEdit>(*window, "Edit1")->text(), typed);
        QVERIFY(m_game.SaveFileName.isEmpty());
    }

    // Every entry that matches, sub-folders and hidden files included; the folder made when missing.
    void listing_data() {
        QTest::addColumn<bool>("folderExists");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QStringList>("listed");
        QTest::addRow("no save folder") << false << QStringList() << QStringList() << QStringList();
        QTest::addRow("empty") << true << QStringList() << QStringList() << QStringList();
        QTest::addRow("mixed") << true << QStringList{"b.gsv", ".gsv", "Игра.GSV", "notes.txt", "a.gsvx"}
                               << QStringList{"folder.gsv", "other"}
                               << QStringList{".gsv", "b.gsv", "folder.gsv", "Игра.GSV"};
    }
    void listing() {
        QFETCH(bool, folderExists);
        QFETCH(QStringList, files);
        QFETCH(QStringList, folders);
        QFETCH(QStringList, listed);
        if (folderExists)
            makeSaveFolder(files, folders);

        const auto items = [](const QListWidget& list) {
            QStringList names;
            for (int row = 0; row < list.count(); ++row)
                names << list.item(row)->text();
            names.sort();
            return names;
        };
        auto save = saveWindow();
        m_platform->onModal([&](QDialog&) {
            runWindowLoop();
            QCOMPARE(items(*control<SaveListBox>(*save, "ListBox1")), listed);
            QVERIFY(control<SaveListBox>(*save, "ListBox1")->selectedItems().isEmpty());
            QCOMPARE(control<QLineEdit>(*save, "Edit1")->text(), QStringLiteral("06.12.2026 9-5-7"));
        });
        m_platform->showModal(*save);
        QVERIFY(QFileInfo(saveFolder()).isDir());

        auto open = openWindow();
        m_platform->onModal([&](QDialog&) {
            runWindowLoop();
            QCOMPARE(items(*control<SaveListBox>(*open, "ListBox1")), listed);
            QCOMPARE(control<QPushButton>(*open, "Button1")->isEnabled(), !listed.isEmpty());
            QCOMPARE(control<SaveListBox>(*open, "ListBox1")->selectedItems().size(),
                     listed.isEmpty() ? 0 : 1);
            QCOMPARE(control<SaveListBox>(*open, "ListBox1")->currentRow(), listed.isEmpty() ? -1 : 0);
        });
        m_platform->showModal(*open);
    }

    // A double click anywhere in the list takes the selected entry's name, without ".gsv".
    void doubleClickTakesTheName_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::addRow("a game") << 0 << "игра 1";
        QTest::addRow("the empty name") << 1 << "";
        QTest::addRow("nothing selected") << -1 << "typed";
    }
    void doubleClickTakesTheName() {
        QFETCH(int, row);
        QFETCH(QString, name);
        auto window = saveWindow();
        window->show();
        control<SaveListBox>(*window, "ListBox1")
            ->addItems({QStringLiteral("игра 1.gsv"), QStringLiteral(".gsv")});
        control<QLineEdit>(*window, "Edit1")->setText(QStringLiteral("typed"));
        if (row >= 0)
            control<SaveListBox>(*window, "ListBox1")->setCurrentRow(row);
        // Below the last entry, on the list's empty part.
        QTest::mouseDClick(control<SaveListBox>(*window, "ListBox1")->viewport(), Qt::LeftButton, {},
                           QPoint(20, 100));
        QCOMPARE(control<QLineEdit>(*window, "Edit1")->text(), name);
    }

    void openRestoresTheGame() {
        GameState saved = runningGame();
        saved.PlayerName = QStringLiteral("Question:=Пётр");
        saved.GameRunning = false;
        makeSaveFolder({});
        const QString path = savePath(QStringLiteral("игра.gsv"));
        const SavedGame content = savedgame::snapshot(saved, u"p\r\ncat", answers, m_platform->now());
        WriteScrambledText(path, savedgame::format(content), WriteMode::Replace);
        m_game = GameState();
        m_game.SaveFileName = QStringLiteral("other");

        auto window = openWindow();
        int result = -1;
        m_platform->onModal([&](QDialog&) {
            runWindowLoop();
            control<QPushButton>(*window, "Button1")->click();
            result = window->result();
        });
        m_platform->showModal(*window);

        saved.LoadedGame = true;
        saved.GameRunning = true;
        saved.SaveFileName = path;
        saved.Saved = true;
        QCOMPARE(fields(m_game), fields(saved));
        QCOMPARE(m_restored.size(), 1);
        QCOMPARE(savedgame::format(m_restored[0]), savedgame::format(content));
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(m_platform->messages.isEmpty());
    }

    void doubleClickOpens_data() {
        QTest::addColumn<bool>("withGame");
        QTest::addRow("a game") << true;
        QTest::addRow("empty list") << false;
    }
    void doubleClickOpens() {
        QFETCH(bool, withGame);
        makeSaveFolder({});
        if (withGame)
            WriteScrambledText(savePath(QStringLiteral("a.gsv")), contentNow(), WriteMode::Replace);
        auto window = openWindow();
        m_platform->onModal([&](QDialog&) {
            runWindowLoop();
            QTest::mouseDClick(control<SaveListBox>(*window, "ListBox1")->viewport(), Qt::LeftButton, {},
                               QPoint(20, 100));
        });
        m_platform->showModal(*window);
        QCOMPARE(m_restored.size(), withGame ? 1 : 0);
        QCOMPARE(m_game.LoadedGame, withGame);
    }

    // A file that cannot be restored is reported and changes nothing; the window stays open.
    void badFileChangesNothing_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray good = ansi::encode(Coding(contentNow()));
        QByteArray noise(4000, Qt::Uninitialized);
        for (int k = 0; k < noise.size(); ++k)
            noise[k] = char((k * 7919 + 13) % 251);
        QTest::addRow("random bytes") << noise << "В сохранённой игре нет ключа \"Yes:=\"";
        QTest::addRow("empty file") << QByteArray() << "В сохранённой игре нет ключа \"Yes:=\"";
        QTest::addRow("cut short") << good.left(ansi::encode(contentNow()).indexOf("Answer2:="))
                                   << "В сохранённой игре нет ключа \"Answer2:=\"";
        QTest::addRow("last line break cut off")
            << good.chopped(2) << "В сохранённой игре нет ключа \"DirectionTrans:=\"";
        QTest::addRow("huge number") << ansi::encode(Coding(
                                            QString(contentNow())
                                                .replace(QStringLiteral("Yes:=3"),
                                                         QStringLiteral("Yes:=1") + QString(400, u'9'))))
                                     << "'1" + QString(400, u'9') + "' is not a valid integer value";
        QTest::addRow("bad remaining time")
            << ansi::encode(Coding(
                   QString(contentNow()).replace(QStringLiteral("0:01:12"), QStringLiteral("0:01:xx"))))
            << "'0:01:xx' is not a valid time";
        QTest::addRow("not scrambled")
            << ansi::encode(contentNow()) << "В сохранённой игре нет ключа \"Yes:=\"";
    }
    void badFileChangesNothing() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        makeSaveFolder({});
        writeBytes(savePath(QStringLiteral("bad.gsv")), bytes);
        const GameState before = m_game;
        auto window = openWindow();
        bool open = false;
        m_platform->onModal([&](QDialog&) {
            runWindowLoop();
            control<QPushButton>(*window, "Button1")->click();
            open = window->isVisible();
        });
        m_platform->showModal(*window);

        QVERIFY(open);
        QCOMPARE(m_platform->messages.size(), 1);
        QCOMPARE(m_platform->messages[0].caption, QStringLiteral("LexiTrainer"));
        QCOMPARE(m_platform->messages[0].text, message);
        QCOMPARE(fields(m_game), fields(before));
        QVERIFY(m_restored.isEmpty());
    }

    void unreadableEntryChangesNothing_data() {
        QTest::addColumn<bool>("folder");
        QTest::addRow("sub-folder named like a game") << true;
        QTest::addRow("removed since the listing") << false;
    }
    void unreadableEntryChangesNothing() {
        QFETCH(bool, folder);
        makeSaveFolder(folder ? QStringList() : QStringList{"gone.gsv"},
                       folder ? QStringList{"sub.gsv"} : QStringList());
        const GameState before = m_game;
        auto window = openWindow();
        bool open = false;
        m_platform->onModal([&](QDialog&) {
            runWindowLoop();
            if (!folder)
                QVERIFY(QFile::remove(savePath(QStringLiteral("gone.gsv"))));
            control<QPushButton>(*window, "Button1")->click();
            open = window->isVisible();
        });
        m_platform->showModal(*window);

        QVERIFY(open);
        QCOMPARE(m_platform->messages.size(), 1);
        QVERIFY(m_platform->messages[0].text.contains(QStringLiteral("Save/")));
        QCOMPARE(fields(m_game), fields(before));
        QVERIFY(m_restored.isEmpty());
    }

    // Saved through the save window and reopened through the open window, the game comes back whole.
    void savedAndReopened_data() {
        QTest::addColumn<GameState>("game");
        QTest::addRow("running") << runningGame();
        GameState ended = runningGame();
        ended.GameRunning = false;
        ended.RealButton = 0;
        ended.Points = std::numeric_limits<qint32>::min();
        ended.TimeLeft = ended.GameTime;
        QTest::addRow("after the time ran out") << ended;
    }
    void savedAndReopened() {
        QFETCH(GameState, game);
        m_game = game;
        auto save = saveWindow();
        m_platform->onModal([&](QDialog&) {
            runWindowLoop();
            control<QLineEdit>(*save, "Edit1")->setText(QStringLiteral("партия"));
            control<QPushButton>(*save, "Button1")->click();
        });
        m_platform->showModal(*save);
        const QString path = savePath(QStringLiteral("партия.gsv"));
        QCOMPARE(m_game.SaveFileName, path);

        m_game = GameState();
        auto open = openWindow();
        m_platform->onModal([&](QDialog&) {
            runWindowLoop();
            control<QPushButton>(*open, "Button1")->click();
        });
        m_platform->showModal(*open);

        game.LoadedGame = true;
        game.GameRunning = true;
        game.SaveFileName = path;
        game.Saved = true;
        QCOMPARE(fields(m_game), fields(game));
        QCOMPARE(m_restored.size(), 1);
        QCOMPARE(m_restored[0].Answers, answers);
        QCOMPARE(m_restored[0].Question, QStringLiteral("cat"));
        QCOMPARE(m_restored[0].Date, QStringLiteral("06.12.2026 9:05:07"));
    }
};

QTEST_MAIN(TestSavesWindows)
#include "tst_saves_windows.moc"
