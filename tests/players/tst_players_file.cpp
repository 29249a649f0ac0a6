// SPDX-License-Identifier: GPL-3.0-or-later
// The player file's reading rules and edits, over real files.
#include "PlayerTestHost.h"
#include "platform/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace players;

namespace {

const QString Olga = blockOf(QStringLiteral("Olga"), {QStringLiteral("05.03.2007 18:42:10;14;3;1100;0:03:00"),
                                                      QStringLiteral("06.03.2007 19:05:33;9;6;300;0:03:00")});
const QString Max = blockOf(QStringLiteral("Max"), {});

const std::array<QString, RecordLineCount> MaxsGame = {QStringLiteral("06.03.2007 20:15:00"),
                                                       QStringLiteral("7"), QStringLiteral("9"),
                                                       QStringLiteral("-200"), QStringLiteral("0:03:00")};

} // namespace

class TestPlayerFile : public QObject {
    Q_OBJECT

private slots:
    void workedExample() {
        QCOMPARE(twoPlayers(), Olga + Max);
        PlayerTestHost host;
        host.start(twoPlayers());
        QCOMPARE(playerNames(host.MemoPlayers()),
                 QStringList({QStringLiteral("Olga"), QStringLiteral("Max")}));
        QCOMPARE(bestPoints(host.MemoPlayers(), u"Olga"), 1100);
        QCOMPARE(bestPoints(host.MemoPlayers(), u"Max"), 0);

        const QString after = *withGameRecorded(host.MemoPlayers(), u"Max", MaxsGame);
        QCOMPARE(after,
                 Olga + listText({QStringLiteral("$/$/$/$/$Max$\\$\\$\\$\\$"),
                                  QStringLiteral("Date:=06.03.2007 20:15:00|"), QStringLiteral("Yes:=7|"),
                                  QStringLiteral("No:=9|"), QStringLiteral("Очки:=-200|"),
                                  QStringLiteral("GameTime:=0:03:00|")}));
        QCOMPARE(bestPoints(after, u"Max"), 0);
    }

    void loadingCreatesAndNormalises_data() {
        QTest::addColumn<QByteArray>("plain"); // nullptr: no file at all
        QTest::addColumn<QString>("loaded");
        QTest::addRow("missing file") << QByteArray() << QString();
        QTest::addRow("empty file") << QByteArray("") << QString();
        QTest::addRow("lone CR between blocks")
            << (ansi::encode(Olga).chopped(2) + '\r' + ansi::encode(Max)) << Olga + Max;
        QTest::addRow("lone LF between blocks")
            << (ansi::encode(Olga).chopped(2) + '\n' + ansi::encode(Max)) << Olga + Max;
        QTest::addRow("LF CR and a lone CR at the end")
            << QByteArray("a\n\rb\r") << QStringLiteral("a\r\n\r\nb\r\n");
    }

    void loadingCreatesAndNormalises() {
        QFETCH(QByteArray, plain);
        QFETCH(QString, loaded);
        PlayerTestHost host;
        if (!plain.isNull())
            WriteScrambledText(host.path(), ansi::decode(plain), WriteMode::Replace);
        QVERIFY(host.store.reload());
        QCOMPARE(host.MemoPlayers(), loaded);
        QVERIFY(QFile::exists(host.path()));
        QCOMPARE(host.bytes().size(), plain.size()); // read, never written
    }

    void fileThatCannotBeCreatedOrRead() {
        PlayerTestHost host;
        host.start(twoPlayers());
        players::PlayerStore store(ProgramFolder(host.dir.filePath(QStringLiteral("missing"))));
        QVERIFY(!store.reload());
        QCOMPARE(store.MemoPlayers(), QString());

        // One that is there but cannot be read is reported, and the text read last stays.
        QVERIFY(host.store.reload());
        const QString before = host.MemoPlayers();
        QVERIFY(QFile::remove(host.path()));
        QVERIFY(QDir().mkdir(host.path()));
        QVERIFY(failureOf([&] { host.store.reload(); }).startsWith(QStringLiteral("Cannot open file")));
        QCOMPARE(host.MemoPlayers(), before);
    }

    void playerList_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names");
        QTest::addRow("none") << QString() << QStringList();
        QTest::addRow("blanks kept as stored")
            << blockOf(QStringLiteral(" Ann "), {}) << QStringList{" Ann "};
        // The name runs on to the next closing marker.
        QTest::addRow("missing closing marker") << Olga + QStringLiteral("$/$/$/$/$Max\r\nDate:=\r\n") + Olga
                                                << QStringList{"Olga", "Max\r\nDate:=\r\n$/$/$/$/$Olga"};
        QTest::addRow("header cut short at the end")
            << Olga + QStringLiteral("$/$/$/$/$Max$\\$\\$") << QStringList{"Olga"};
        QTest::addRow("short block before another")
            << listText({headerOf(u"A"), QStringLiteral("Date:=1|")}) + Max << QStringList{"A", "Max"};
        QTest::addRow("Cyrillic") << blockOf(QStringLiteral("Ольга Петровна"), {})
                                  << QStringList{"Ольга Петровна"};
    }

    void playerList() {
        QFETCH(QString, text);
        QFETCH(QStringList, names);
        QCOMPARE(playerNames(text), names);
    }

    void lookupIsExactAndFindsTheFirst() {
        const QString anna1 = blockOf(QStringLiteral("Anna"), {QStringLiteral("d;1;0;100;t")});
        const QString anna2 = blockOf(QStringLiteral("Anna"), {QStringLiteral("d;9;0;900;t")});
        const QString text =
            blockOf(QStringLiteral("Annabel"), {QStringLiteral("d;5;0;500;t")}) + anna1 + anna2;
        QCOMPARE(bestPoints(text, u"Anna"), 100);
        QCOMPARE(bestPoints(text, u"anna"), 0);
        QCOMPARE(bestPoints(text, u"Ann"), 0);
        QCOMPARE(gameRows(text, u"Anna").size(), 1);
        QCOMPARE(*withGamesCleared(text, u"Anna"),
                 blockOf(QStringLiteral("Annabel"), {QStringLiteral("d;5;0;500;t")}) + blockOf("Anna", {}) +
                     anna2);
        QCOMPARE(findBlock(text, u"anna"), std::nullopt);
        QCOMPARE(withGameRecorded(text, u"Nobody", MaxsGame), std::nullopt);
    }

    void bestPointsOfValues_data() {
        QTest::addColumn<QString>("points"); // the "Очки:=" line's values
        QTest::addColumn<int>("best");
        QTest::addRow("no games") << QString() << 0;
        QTest::addRow("only negative") << QStringLiteral("-200|-100|") << 0;
        QTest::addRow("largest, not last") << QStringLiteral("300|1100|-5|700|") << 1100;
        QTest::addRow("text after the last bar") << QStringLiteral("300|99999") << 300;
        QTest::addRow("sign and limits") << QStringLiteral("+5|2147483647|-2147483648|") << 2147483647;
    }

    void bestPointsOfValues() {
        QFETCH(QString, points);
        QFETCH(int, best);
        const QString text = listText(
            {headerOf(u"P"), "Date:=", "Yes:=", "No:=", QStringLiteral("Очки:=") + points, "GameTime:="});
        QCOMPARE(bestPoints(text, u"P"), best);
    }

    void pointsThatAreNoNumber_data() {
        QTest::addColumn<QString>("value");
        QTest::addRow("word") << QStringLiteral("abc");
        QTest::addRow("empty") << QString();
        QTest::addRow("blank inside") << QStringLiteral("1 00");
        QTest::addRow("sign alone") << QStringLiteral("-");
        QTest::addRow("beyond 32 bits") << QStringLiteral("2147483648");
        QTest::addRow("far beyond") << QStringLiteral("99999999999999999999999");
    }

    void pointsThatAreNoNumber() {
        QFETCH(QString, value);
        const QString text = blockOf(QStringLiteral("P"), {"d;1;0;100;t", "d;1;0;" + value + ";t"});
        QCOMPARE(failureOf([&] { bestPoints(text, u"P"); }),
                 QStringLiteral("'%1' is not a valid integer value").arg(value));
    }

    void recordingAddsOneValueToEachLine() {
        PlayerTestHost host;
        host.start(Olga + Max + fiveGames(QStringLiteral("Last")));
        const QByteArray before = host.bytes();
        const std::array<QString, RecordLineCount> game = {"07.03.2007", "1", "2", "-100", "0:05:00"};
        WriteScrambledText(host.path(), *withGameRecorded(host.MemoPlayers(), u"Olga", game),
                           WriteMode::Replace);
        host.store.reload();
        const QString olgaAfter = blockOf(QStringLiteral("Olga"), {"05.03.2007 18:42:10;14;3;1100;0:03:00",
                                                                   "06.03.2007 19:05:33;9;6;300;0:03:00",
                                                                   "07.03.2007;1;2;-100;0:05:00"});
        QCOMPARE(host.MemoPlayers(), olgaAfter + Max + fiveGames(QStringLiteral("Last")));
        // Every other byte of the file is the same.
        const QByteArray after = host.bytes();
        const qsizetype olgaBytes = ansi::encode(Olga).size();
        QCOMPARE(after.sliced(after.size() - (before.size() - olgaBytes)), before.sliced(olgaBytes));
    }

    void deletingChosenGames_data() {
        QTest::addColumn<QList<bool>>("selected");
        QTest::addColumn<QList<int>>("kept"); // game numbers 1 to 5
        QTest::addRow("rows 1 and 3") << QList<bool>{true, false, true, false, false} << QList<int>{2, 4, 5};
        QTest::addRow("none") << QList<bool>(5, false) << QList<int>{1, 2, 3, 4, 5};
        QTest::addRow("all") << QList<bool>(5, true) << QList<int>{};
        // Games recorded after the table was filled stand after its rows and stay.
        QTest::addRow("table of three") << QList<bool>{false, true, true} << QList<int>{1, 4, 5};
    }

    void deletingChosenGames() {
        QFETCH(QList<bool>, selected);
        QFETCH(QList<int>, kept);
        QStringList games;
        for (int k : kept)
            games << gameNumber(k);
        const QString text = Olga + fiveGames(QStringLiteral("P")) + Max;
        QCOMPARE(*withoutGames(text, u"P", selected), Olga + blockOf(QStringLiteral("P"), games) + Max);
    }

    void deletingGamesOfUnequalLines() {
        // Three dates, two points: the table shows two rows and a partial third.
        const QString block = listText({headerOf(u"P"), "Date:=a|b|c|", "Yes:=1|2|3|", "No:=0|0|0|",
                                        QStringLiteral("Очки:=100|200|"), "GameTime:=x|y|z|junk"});
        const QList<GameRow> rows = gameRows(block, u"P");
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[2].columns, 3); // its points ran out
        QCOMPARE(rows[2].values[3], QStringView());
        QCOMPARE(*withoutGames(block + Max, u"P", {true, false, true}),
                 listText({headerOf(u"P"), "Date:=b|", "Yes:=2|", "No:=0|", QStringLiteral("Очки:=200|"),
                           "GameTime:=y|junk"}) +
                     Max);
    }

    // A block with fewer than six lines ends where the next header starts: no edit reaches into it.
    void shortBlocksKeepTheNextPlayer() {
        const QString shortBlock = listText({headerOf(u"A"), "Date:=d|", "Yes:=1|"});
        const QString text = shortBlock + Olga;
        QCOMPARE(gameRows(text, u"A").size(), 1);
        QCOMPARE(bestPoints(text, u"A"), 0);
        QCOMPARE(*withGameRecorded(text, u"A", MaxsGame),
                 listText({headerOf(u"A"), "Date:=d|06.03.2007 20:15:00|", "Yes:=1|7|", "No:=9|",
                           QStringLiteral("Очки:=-200|"), "GameTime:=0:03:00|"}) +
                     Olga);
        QCOMPARE(*withGamesCleared(text, u"A"), blockOf(QStringLiteral("A"), {}) + Olga);
        QCOMPARE(*withoutPlayer(text, u"A"), Olga);
        // The last block, cut short without its line break, is completed.
        QCOMPARE(*withGameRecorded(Olga + headerOf(u"Z"), u"Z", MaxsGame),
                 Olga + listText({headerOf(u"Z"), "Date:=06.03.2007 20:15:00|", "Yes:=7|", "No:=9|",
                                  QStringLiteral("Очки:=-200|"), "GameTime:=0:03:00|"}));
    }

    void renamingAndDeleting() {
        const QString text = Olga + fiveGames(QStringLiteral("Anna")) + Max;
        QCOMPARE(*renamed(text, u"Anna", u"anna"), Olga + fiveGames(QStringLiteral("anna")) + Max);
        QCOMPARE(*renamed(text, u"Anna", u"Olga"), Olga + fiveGames(QStringLiteral("Olga")) + Max);
        QCOMPARE(*withoutPlayer(text, u"Anna"), Olga + Max);
        QCOMPARE(*withoutPlayer(text, u"Max"), Olga + fiveGames(QStringLiteral("Anna")));
        QCOMPARE(*withoutPlayer(Max, u"Max"), QString());
    }

    void namesThatWouldBreakTheFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("safe");
        QTest::addRow("plain") << QStringLiteral("Anna") << true;
        QTest::addRow("Cyrillic and signs") << QStringLiteral("Ёжик $ / \\ | 100%") << true;
        QTest::addRow("dollars around") << QStringLiteral("$Anna$") << true;
        QTest::addRow("opening marker") << QStringLiteral("a$/$/$/$/$b") << false;
        QTest::addRow("closing marker") << QStringLiteral("a$\\$\\$\\$\\$b") << false;
        QTest::addRow("leading /$") << QStringLiteral("/$x") << false;
        QTest::addRow("trailing $\\") << QStringLiteral("x$\\") << false;
        QTest::addRow("line break") << QStringLiteral("a\r\nb") << false;
        QTest::addRow("line feed") << QStringLiteral("a\nb") << false;
        QTest::addRow("tab") << QStringLiteral("a\tb") << false;
        QTest::addRow("delete") << QStringLiteral("a\x7f") << false;
        QTest::addRow("0x98") << ansi::decode("a\x98") << false;
    }

    void namesThatWouldBreakTheFile() {
        QFETCH(QString, name);
        QFETCH(bool, safe);
        QCOMPARE(isSafeName(name), safe);
        if (safe) {
            const QString text = Olga + newBlock(name) + Max;
            QCOMPARE(playerNames(text), QStringList({"Olga", name, "Max"}));
            QCOMPARE(findBlock(text, name)->lineCount, RecordLineCount);
        }
    }

    void duplicateNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("duplicate");
        QTest::addRow("same") << QStringLiteral("Anna") << true;
        QTest::addRow("lower") << QStringLiteral("anna") << true;
        QTest::addRow("upper") << QStringLiteral("ANNA") << true;
        QTest::addRow("part of a name") << QStringLiteral("Ann") << false;
        QTest::addRow("longer") << QStringLiteral("Annabel") << false;
        QTest::addRow("Cyrillic, other case") << QStringLiteral("оЛЬГА ЁЖИКОВА") << true;
        QTest::addRow("Cyrillic, other letter") << QStringLiteral("Ольга Ежикова") << false;
        QTest::addRow("Ukrainian letters") << QStringLiteral("ЇЖАК ҐІЄ") << true;
    }

    void duplicateNames() {
        QFETCH(QString, name);
        QFETCH(bool, duplicate);
        const QString text = Olga + newBlock(u"Anna") + newBlock(u"Ольга Ёжикова") + newBlock(u"їжак ґіє");
        QCOMPARE(isDuplicateName(text, name), duplicate);
    }

    void randomBytesNeverBreakTheRules() {
        for (unsigned seed = 1; seed <= 40; ++seed) {
            QByteArray bytes(4000, Qt::Uninitialized);
            std::srand(seed);
            for (char& b : bytes)
                b = char(std::rand() % 8 == 0 ? "$/\\|\r\n"[std::rand() % 6] : std::rand());
            const QString text = normalisedLineBreaks(ansi::decode(bytes));
            for (const QString& name : playerNames(text)) {
                gameRows(text, name);
                failureOf([&] { bestPoints(text, name); });
                QVERIFY(withGameRecorded(text, name, MaxsGame).has_value());
                QVERIFY(withoutGames(text, name, QList<bool>(3, true)).has_value());
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestPlayerFile)
#include "tst_players_file.moc"
