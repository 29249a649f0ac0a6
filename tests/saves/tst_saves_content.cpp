// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestHelpers.h"
#include "platform/Failure.h"
#include "saves/SaveNames.h"
#include "saves/SavedGame.h"
#include "shared/GameState.h"
#include "shared/TimeValue.h"

#include <QTest>
#include <limits>

namespace {

// The game of the example: saved at 23:49:52 on 6 December 2026 after three right answers and one
// wrong, with 1:12 left of 3:00.
GameState exampleGame() {
    GameState game;
    game.PlayerName = QStringLiteral("Иван");
    game.GameTime = timevalue::fromHms(0, 3, 0);
    game.TimeLeft = timevalue::fromHms(0, 1, 12);
    game.YesCount = 3;
    game.NoCount = 1;
    game.Points = 200;
    game.RealButton = 2;
    game.DirectionTrans = QStringLiteral("EN\\RU");
    return game;
}

const std::array<QString, 4> exampleAnswers = {QStringLiteral("A.   стол"), QStringLiteral("B.   кошка"),
                                               QStringLiteral("C.   дом"), QStringLiteral("D.   окно")};
const QDateTime exampleMoment(QDate(2026, 12, 6), QTime(23, 49, 52));

QStringList exampleLines() {
    return {QStringLiteral("Date:=06.12.2026 23:49:52"),
            QStringLiteral("Yes:=3"),
            QStringLiteral("No:=1"),
            QStringLiteral("Очки:=200"),
            QStringLiteral("GameTime:=0:03:00"),
            QStringLiteral("GameTimePoz:=0:01:12"),
            QStringLiteral("PlayerName:=Иван"),
            QStringLiteral("Question:=cat"),
            QStringLiteral("Answer1:=A.   стол"),
            QStringLiteral("Answer2:=B.   кошка"),
            QStringLiteral("Answer3:=C.   дом"),
            QStringLiteral("Answer4:=D.   окно"),
            QStringLiteral("RealButton:=2"),
            QStringLiteral("DirectionTrans:=EN\\RU")};
}

QString exampleContent() {
    return listText(exampleLines());
}

// The example with one line replaced, or dropped when replacement is null.
QString exampleWith(int line, const QString& replacement) {
    QStringList lines = exampleLines();
    if (replacement.isNull())
        lines.removeAt(line);
    else
        lines[line] = replacement;
    return listText(lines);
}

} // namespace

class TestSavesContent : public QObject {
    Q_OBJECT
private slots:
    void snapshotContent_data() {
        QTest::addColumn<GameState>("game");
        QTest::addColumn<QString>("questionBox");
        QTest::addColumn<QList<QString>>("answers");
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("content");

        const QList<QString> answers(exampleAnswers.begin(), exampleAnswers.end());
        QTest::addRow("running game") << exampleGame() << "Выберите перевод слова \"cat\":\r\ncat" << answers
                                      << exampleMoment << exampleContent();

        GameState ended = exampleGame();
        ended.RealButton = 0;
        ended.Points = -100;
        ended.TimeLeft = ended.GameTime;
        const QString over = QStringLiteral("Время закончилось!");
        QStringList endedLines = exampleLines();
        endedLines[3] = QStringLiteral("Очки:=-100");
        endedLines[5] = QStringLiteral("GameTimePoz:=0:03:00");
        endedLines[7] = QStringLiteral("Question:=");
        for (int k = 8; k < 12; ++k)
            endedLines[k] = QStringLiteral("Answer%1:=").arg(k - 7) + over;
        endedLines[12] = QStringLiteral("RealButton:=0");
        QTest::addRow("end-of-game screen")
            << ended << "Для начала новой игры нажмите F2" << QList<QString>{over, over, over, over}
            << exampleMoment << listText(endedLines);

        QTest::addRow("saved at midnight exactly")
            << exampleGame() << "prompt\r\ncat" << answers << QDateTime(QDate(2026, 12, 6), QTime(0, 0))
            << exampleWith(0, QStringLiteral("Date:=06.12.2026"));
        QTest::addRow("only the second line of the box")
            << exampleGame() << "prompt\r\ncat\r\nmore" << answers << exampleMoment << exampleContent();
    }
    void snapshotContent() {
        QFETCH(GameState, game);
        QFETCH(QString, questionBox);
        QFETCH(QList<QString>, answers);
        QFETCH(QDateTime, moment);
        QFETCH(QString, content);
        const std::array<QString, 4> captions = {answers[0], answers[1], answers[2], answers[3]};
        QCOMPARE(savedgame::format(savedgame::snapshot(game, questionBox, captions, moment)), content);
    }

    // Whatever the program writes reads back as it was written.
    void readsBackTheSame_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("replacement");
        QTest::addRow("as written") << 0 << exampleLines()[0];
        QTest::addRow("name holding a later key") << 6 << "PlayerName:=Question:=Answer1:=x";
        QTest::addRow("name holding an earlier key") << 6 << "PlayerName:=Yes:=99";
        QTest::addRow("empty name") << 6 << "PlayerName:=";
        QTest::addRow("lone line feed in an answer") << 8 << "Answer1:=A.   a\nRealButton:=4";
        QTest::addRow("carriage return ending a word") << 7 << "Question:=cat\r";
        QTest::addRow("blanks kept") << 7 << "Question:=  cat  ";
        QTest::addRow("most points") << 3 << "Очки:=2147483647";
        QTest::addRow("fewest points") << 3 << "Очки:=-2147483648";
        QTest::addRow("any direction") << 13 << "DirectionTrans:=RU\\EN";
        QTest::addRow("position 0") << 12 << "RealButton:=0";
        QTest::addRow("position 4") << 12 << "RealButton:=4";
    }
    void readsBackTheSame() {
        QFETCH(int, line);
        QFETCH(QString, replacement);
        const QString content = exampleWith(line, replacement);
        QCOMPARE(savedgame::format(savedgame::parse(content)), content);
    }

    // Keys are found at line starts, in any order, the first of a doubled key counting.
    void keyLookup_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addRow("first line") << "Yes:=3\r\nNo:=1\r\n"
                                    << "Yes:="
                                    << "3";
        QTest::addRow("inside a value is no match") << "A:=No:=5\r\nNo:=1\r\n"
                                                    << "No:="
                                                    << "1";
        QTest::addRow("out of order") << "No:=1\r\nYes:=3\r\n"
                                      << "Yes:="
                                      << "3";
        QTest::addRow("doubled") << "Yes:=3\r\nYes:=4\r\n"
                                 << "Yes:="
                                 << "3";
        QTest::addRow("empty value") << "Yes:=\r\n"
                                     << "Yes:="
                                     << "";
        QTest::addRow("after a lone line feed is no line start") << "A:=x\nYes:=7\r\nYes:=3\r\n"
                                                                 << "Yes:="
                                                                 << "3";
    }
    void keyLookup() {
        QFETCH(QString, content);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QCOMPARE(GetStrValue(content, key), std::optional<QString>(value));
    }

    void missingKey() {
        QCOMPARE(GetStrValue(u"Yes:=3\r\n", u"No:="), std::nullopt);
        // A last line without its line break is cut short: no value is taken from it.
        QCOMPARE(GetStrValue(u"Yes:=3\r\nNo:=1", u"No:="), std::nullopt);
    }

    void badContent_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("message");
        const QStringList lines = exampleLines();
        for (int k = 0; k < lines.size(); ++k) {
            const QString key = lines[k].left(lines[k].indexOf(QStringLiteral(":=")) + 2);
            QTest::addRow("no %s", qPrintable(key))
                << exampleWith(k, QString())
                << QStringLiteral("В сохранённой игре нет ключа \"%1\"").arg(key);
        }
        QTest::addRow("empty") << ""
                               << "В сохранённой игре нет ключа \"Yes:=\"";
        QTest::addRow("truncated last line")
            << exampleContent().chopped(2) << "В сохранённой игре нет ключа \"DirectionTrans:=\"";
        QTest::addRow("word") << exampleWith(1, "Yes:=three") << "'three' is not a valid integer value";
        QTest::addRow("empty number") << exampleWith(2, "No:=") << "'' is not a valid integer value";
        QTest::addRow("fraction") << exampleWith(3, "Очки:=1.5") << "'1.5' is not a valid integer value";
        QTest::addRow("beyond 32 bits")
            << exampleWith(3, "Очки:=2147483648") << "'2147483648' is not a valid integer value";
        QTest::addRow("blank before a number")
            << exampleWith(1, "Yes:= 3") << "' 3' is not a valid integer value";
        QTest::addRow("zero character inside")
            << exampleWith(12, QStringLiteral("RealButton:=0") + QChar(0) + QStringLiteral("1"))
            << QStringLiteral("'0") + QChar(0) + QStringLiteral("1' is not a valid integer value");
        QTest::addRow("huge") << exampleWith(1, "Yes:=99999999999999999999999")
                              << "'99999999999999999999999' is not a valid integer value";
        QTest::addRow("not a time") << exampleWith(4, "GameTime:=soon") << "'soon' is not a valid time";
        QTest::addRow("hour 25") << exampleWith(5, "GameTimePoz:=25:00:00")
                                 << "'25:00:00' is not a valid time";
        QTest::addRow("huge hours") << exampleWith(5, "GameTimePoz:=99999:00:00")
                                    << "'99999:00:00' is not a valid time";
        QTest::addRow("position 5")
            << exampleWith(12, "RealButton:=5")
            << "'5' - неверное место правильного ответа (от 0 до 4) в \"RealButton:=\"";
        QTest::addRow("position -1")
            << exampleWith(12, "RealButton:=-1")
            << "'-1' - неверное место правильного ответа (от 0 до 4) в \"RealButton:=\"";
        // Checked in the order the values are restored: the first bad one is reported.
        QTest::addRow("first bad value reported")
            << exampleContent().replace("Yes:=3", "Yes:=x").replace("No:=1", "No:=y")
            << "'x' is not a valid integer value";
    }
    void badContent() {
        QFETCH(QString, content);
        QFETCH(QString, message);
        QCOMPARE(failureOf([&] { savedgame::parse(content); }), message);
    }

    // A value that would not read back is refused rather than written cut short.
    void unstorableValue_data() {
        QTest::addColumn<QString>("name");
        QTest::addRow("line break") << "Ivan\r\nQuestion:=x";
        for (const char16_t c : {u'\x03', u'\x13', u'\x14'})
            QTest::addRow("control character %d", int(c))
                << QStringLiteral("Iv") + QChar(c) + QStringLiteral("an");
    }
    void unstorableValue() {
        QFETCH(QString, name);
        GameState game = exampleGame();
        game.PlayerName = name;
        const SavedGame saved = savedgame::snapshot(game, u"p\r\nw", exampleAnswers, exampleMoment);
        QVERIFY(failureOf([&] { savedgame::format(saved); }).contains(QStringLiteral("\"PlayerName:=\"")));
    }

    void defaultName_data() {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("name");
        QTest::addRow("no leading zeros")
            << QDateTime(QDate(2026, 12, 6), QTime(9, 5, 7)) << "06.12.2026 9-5-7";
        QTest::addRow("midnight") << QDateTime(QDate(2026, 1, 1), QTime(0, 0)) << "01.01.2026 0-0-0";
        QTest::addRow("two digits") << QDateTime(QDate(2026, 1, 1), QTime(23, 59, 58))
                                    << "01.01.2026 23-59-58";
    }
    void defaultName() {
        QFETCH(QDateTime, moment);
        QFETCH(QString, name);
        QCOMPARE(savenames::defaultName(moment), name);
    }

    void namesLeavingTheFolder_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("refused");
        QTest::addRow("plain") << "игра" << false;
        QTest::addRow("already .gsv") << "a.gsv" << false;
        QTest::addRow("slash") << "../players" << true;
        QTest::addRow("backslash") << "..\\players" << true;
        QTest::addRow("slash inside") << "a/b" << true;
    }
    void namesLeavingTheFolder() {
        QFETCH(QString, name);
        QFETCH(bool, refused);
        QCOMPARE(savenames::leavesFolder(name), refused);
    }
};

QTEST_GUILESS_MAIN(TestSavesContent)
#include "tst_saves_content.moc"
