// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "platform/ProgramFolder.h"
#include "shared/TimeValue.h"
#include "words/DictionaryReader.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startUpLoadsTheDictionaries_data() {
        QTest::addColumn<bool>("withMain");
        QTest::addColumn<bool>("withUser");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QStringList>("loaded");
        const QStringList main{"кот|cat", "пёс|dog"};
        const QStringList user{"дом|house"};
        QTest::addRow("both, user after main") << true << true << "" << 0 << main + user;
        QTest::addRow("only the standard one") << true << false << "" << 0 << main;
        QTest::addRow("only the user's") << false << true << "Ошибка Загрузки словаря" << 48 << user;
        QTest::addRow("neither") << false << false << "Ошибка" << 16 << QStringList();
    }
    void startUpLoadsTheDictionaries() {
        QFETCH(bool, withMain);
        QFETCH(bool, withUser);
        QFETCH(QString, caption);
        QFETCH(int, flags);
        QFETCH(QStringList, loaded);
        MainWindowFixture f;
        if (withMain)
            f.folder.writeDictionary("словарь/main.txt", {"кот|cat", "пёс|dog"});
        if (withUser)
            f.folder.writeDictionary("словарь/User.txt", {"дом|house"});
        TfrmMain& window = f.start();

        if (caption.isEmpty()) {
            QVERIFY(f.platform.messages.isEmpty());
        } else {
            QCOMPARE(f.platform.messages.size(), 1);
            QCOMPARE(f.platform.messages[0].caption, caption);
            QCOMPARE(f.platform.messages[0].flags, flags);
        }
        QStringList items;
        for (qsizetype i = 0; i < window.lstQuestion.count(); ++i)
            items << window.lstQuestion.at(i);
        QCOMPARE(items, loaded);
        QVERIFY(QFileInfo(f.folder.path("словарь")).isDir());
        // Start-up goes on to the one-shot timer in every case.
        QTRY_VERIFY(!control<QTimer>(window, "Timer2")->isActive());
    }

    void startUpTakesOverAReadingBegunEarly() {
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", {"кот|cat", "пёс|dog"});
        f.folder.writeDictionary("словарь/User.txt", {"дом|house"});
        const QString mainFile = ProgramFolder(f.folder.path()).file(u"словарь/main.txt");
        auto reader = std::make_unique<DictionaryReader>(mainFile);
        f.window = std::make_unique<TfrmMain>(f.platform, f.keyStore, ProgramFolder(f.folder.path()));
        f.window->takeEarlyReading(std::move(reader));
        f.window->show();
        QCOMPARE(f.window->lstQuestion.text(), QStringLiteral("кот|cat\r\nпёс|dog\r\nдом|house\r\n"));
        // Later loads read the file as it is then.
        f.folder.writeDictionary("словарь/main.txt", {"ёж|hedgehog"});
        f.window->LoadWordLists();
        QCOMPARE(f.window->lstQuestion.text(), QStringLiteral("ёж|hedgehog\r\nдом|house\r\n"));
    }

    void firstStartWritesTheDefaultSettings() {
        MainWindowFixture f;
        TfrmMain& window = f.start();
        QCOMPARE(control<QLabel>(window, "Label3")->text(), QStringLiteral("У вас осталось: 0:03:00"));
        QCOMPARE(timevalue::toText(window.game.GameTime), QStringLiteral("0:03:00"));
        QCOMPARE(window.game.TimeLeft, window.game.GameTime);
        QCOMPARE(window.game.DirectionTrans, QStringLiteral("EN\\RU"));
        QVERIFY(control<MouseLabel>(window, "imgBqr")->pixmap().isNull());

        KeyStore stored(f.folder.keyStorePath());
        QVERIFY(stored.openKey(QStringLiteral("SoftWare\\LexiTrainer"), false));
        QCOMPARE(stored.readBinaryData(QStringLiteral("GameTime")).size(), 8);
        QCOMPARE(stored.readString(QStringLiteral("Translation")), QStringLiteral("EN\\RU"));
        QCOMPARE(stored.readInteger(QStringLiteral("BackgroundImage")), 0);
    }

    void aReadOnlyPlayerFileIsMadeWritable() {
        MainWindowFixture f;
        QFile players(f.folder.path("Players.ini"));
        QVERIFY(players.open(QIODevice::WriteOnly));
        players.close();
        QVERIFY(players.setPermissions(QFileDevice::ReadOwner));
        f.start();
        QVERIFY(QFileInfo(f.folder.path("Players.ini")).isWritable());
    }

    // A background that cannot be loaded is reported, and start-up still reaches the one-shot timer.
    void aBrokenBackgroundIsReportedAndStartUpGoesOn() {
        MainWindowFixture f;
        const QString picture = f.folder.path("BackgroundImage.bmp");
        QFile file(picture);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
        file.close();
        {
            KeyStore keys(f.folder.keyStorePath());
            QVERIFY(keys.openKey(QStringLiteral("SoftWare\\LexiTrainer"), true));
            keys.writeInteger(QStringLiteral("BackgroundImage"), 1);
        }
        TfrmMain& window = f.start();
        QFile::remove(picture);
        QCOMPARE(f.platform.messages.size(), 2); // no dictionary, then the picture
        QCOMPARE(f.platform.messages[1].caption, QStringLiteral("LexiTrainer"));
        QCOMPARE(f.platform.messages[1].flags, 16);
        QVERIFY(f.platform.messages[1].text.contains("BackgroundImage.bmp"));
        QCOMPARE(control<QLabel>(window, "Label3")->text(), QStringLiteral("У вас осталось: 0:03:00"));
        QTRY_VERIFY(!control<QTimer>(window, "Timer2")->isActive());
    }

    void theWindowAtStart() {
        MainWindowFixture f;
        TfrmMain& window = f.start();
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(!control<QAction>(window, "mnuSave")->isEnabled());
        QVERIFY(!control<QAction>(window, "mnuSaveAs")->isEnabled());
        QCOMPARE(control<GameBoard>(window, "board")->memoText(),
                 QStringLiteral("Для начала игры нажмите \"F2\""));
        // The faces' corners are masked out; the middle is drawn; every button wears the normal face.
        QCOMPARE(control<GameBoard>(window, "board")->imgNormal.deviceIndependentSize(), QSizeF(189, 30));
        const QImage face =
            control<GameBoard>(window, "board")->imgNormal.toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(qAlpha(face.pixel(0, face.height() - 1)), 0);
        QCOMPARE(qAlpha(face.pixel(face.width() / 2, face.height() / 2)), 255);
        for (int position = 1; position <= 4; ++position)
            QCOMPARE(control<GameBoard>(window, "board")->answerImage(position)->pixmap().cacheKey(),
                     control<GameBoard>(window, "board")->imgNormal.cacheKey());
    }

    void f1OpensTheReadMeInTheProgramFolder() {
        MainWindowFixture f;
        TfrmMain& window = f.start();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_F1);
        QCOMPARE(f.platform.shellCalls, QStringList{f.folder.path("ReadMe.htm")});
    }

    void closeQuestion_data() {
        QTest::addColumn<bool>("running");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("saveFile");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("closes");
        QTest::addRow("no game") << false << false << "" << 0 << "" << true;
        QTest::addRow("just saved or reopened") << true << true << "x.gsv" << 0 << "" << true;
        QTest::addRow("unsaved, cancel") << true << false << "" << 2 << "Сохранить эту игру?" << false;
        // The save window closed without saving: the question comes again, and is cancelled.
        QTest::addRow("unsaved, yes, not saved")
            << true << false << "" << 6 << "Сохранить эту игру?" << false;
        QTest::addRow("unsaved, no") << true << false << "" << 7 << "Сохранить эту игру?" << true;
        QTest::addRow("saved after time up")
            << false << true << "x.gsv" << 7 << "Сохранить изменения в файл" << true;
    }
    void closeQuestion() {
        QFETCH(bool, running);
        QFETCH(bool, saved);
        QFETCH(QString, saveFile);
        QFETCH(int, answer);
        QFETCH(QString, asked);
        QFETCH(bool, closes);
        MainWindowFixture f;
        TfrmMain& window = f.start();
        f.platform.messages.clear();
        window.game.GameRunning = running;
        window.game.Saved = saved;
        window.game.SaveFileName = saveFile;
        if (answer)
            f.platform.answerMessage(answer);
        QCOMPARE(window.close(), closes);
        if (asked.isEmpty()) {
            QVERIFY(f.platform.messages.isEmpty());
        } else {
            QCOMPARE(f.platform.messages.size(), answer == mb::IdYes ? 2 : 1);
            for (const ScriptedPlatform::Message& message : std::as_const(f.platform.messages)) {
                QCOMPARE(message.caption, QStringLiteral("Сохранение LexiTrainer"));
                QCOMPARE(message.text, asked);
                QCOMPARE(message.flags, 3 | 48);
            }
        }
        QCOMPARE(window.isVisible(), !closes);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_app_mainwindow.moc"
