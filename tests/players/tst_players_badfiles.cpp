// SPDX-License-Identifier: GPL-3.0-or-later
// Damaged player files in both player windows: they show what can be read or report a conversion error,
// and write nothing.
#include "PlayerTestHost.h"
#include "platform/ScriptedPlatform.h"
#include "platform/TextCodec.h"
#include "players/GamesModel.h"
#include "players/TfrmChoiceUser.h"
#include "players/TfrmUsers.h"
#include "shared/GameState.h"

#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

class TestBadPlayerFiles : public QObject {
    Q_OBJECT

private slots:
    void windowsReadWithoutWriting_data() {
        QTest::addColumn<QByteArray>("file"); // the bytes on disk
        QTest::addColumn<QString>("error");   // the one error a window may report
        QByteArray random(20000, Qt::Uninitialized);
        QRandomGenerator generator(7);
        for (char& b : random)
            b = char(generator.bounded(256));
        QTest::addRow("random bytes") << random << QString();
        const auto scrambled = [](const QString& text) {
            QByteArray bytes = ansi::encode(text);
            for (char& b : bytes)
                b = char(b ^ 0x19);
            return bytes;
        };
        QTest::addRow("markers among random bytes")
            << scrambled("$/$/$/$/$A$\\$\\$\\$\\$\r\n") + random + scrambled(fiveGames("B")) << QString();
        QTest::addRow("missing closing marker")
            << scrambled(QStringLiteral("$/$/$/$/$Olga\r\n") + twoPlayers()) << QString();
        QTest::addRow("block of three lines")
            << scrambled(listText({"$/$/$/$/$A$\\$\\$\\$\\$", "Date:=x|y|", "Yes:=1|2|"}) + twoPlayers())
            << QString();
        QTest::addRow("lines of unequal lengths")
            << scrambled(listText({"$/$/$/$/$A$\\$\\$\\$\\$", "Date:=x|y|z|", "Yes:=1|", "No:=1|2|3|4|",
                                   QStringLiteral("Очки:=5|6|"), "GameTime:="}))
            << QString();
        QTest::addRow("points no number")
            << scrambled(listText({"$/$/$/$/$A$\\$\\$\\$\\$", "Date:=x|y|", "Yes:=1|2|", "No:=1|2|",
                                   QStringLiteral("Очки:=5|abc|"), "GameTime:=t|t|"}))
            << QStringLiteral("'abc' is not a valid integer value");
    }

    void windowsReadWithoutWriting() {
        QFETCH(QByteArray, file);
        QFETCH(QString, error);
        PlayerTestHost host;
        writeBytes(host.path(), file);
        host.store.reload();
        ScriptedPlatform platform;
        GameState game;

        platform.onModal([](QDialog& dialog) {
            auto& choice = static_cast<TfrmChoiceUser&>(dialog);
            for (int row = control<QListWidget>(choice, "ListBox1")->count() - 1; row >= 0; --row)
                control<QListWidget>(choice, "ListBox1")->setCurrentRow(row);
            control<QPushButton>(choice, "Button1")->click();
        });
        TfrmChoiceUser choice(platform, game, host.store, host);
        platform.showModal(choice);

        platform.onModal([](QDialog& dialog) {
            auto& results = static_cast<TfrmUsers&>(dialog);
            for (int row = 0; row < control<QListWidget>(results, "ListBox1")->count(); ++row) {
                control<QListWidget>(results, "ListBox1")->setCurrentRow(row);
                QCOMPARE(results.ShownPlayerIndex, row);
            }
        });
        TfrmUsers users(platform, game, host.store, host);
        platform.showModal(users);

        QCOMPARE(host.bytes(), file);
        for (const ScriptedPlatform::Message& message : platform.messages) {
            QCOMPARE(message.caption, QStringLiteral("LexiTrainer"));
            QCOMPARE(message.text, error);
        }
        QCOMPARE(platform.messages.isEmpty(), error.isEmpty());
    }
};

QTEST_MAIN(TestBadPlayerFiles)
#include "tst_players_badfiles.moc"
