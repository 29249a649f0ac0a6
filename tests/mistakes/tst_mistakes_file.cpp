// SPDX-License-Identifier: GPL-3.0-or-later
// The mistakes file: its edits over the decoded text, and its owner over a real file.
#include "TestHelpers.h"
#include "mistakes/MistakesFile.h"
#include "mistakes/MistakesStore.h"
#include "mistakes/PracticeSet.h"
#include "platform/ScriptedPlatform.h"
#include "shared/ScrambledText.h"

#include <QTemporaryDir>

using namespace mistakes;

namespace {

const QString Olga = QStringLiteral("$/$/$/$/$Olga$\\$\\$\\$\\$");
const QString Max = QStringLiteral("$/$/$/$/$Max$\\$\\$\\$\\$");
const QString Date = QStringLiteral("07.03.2007 10:00:00");

// Olga with two pairs, one of them with a second "|", then Max with one.
QStringList twoPlayers() {
    return {Olga, "2|0|05.03.2007 18:42:10|кошка|cat", "1|1|06.03.2007|a|b|c", Max,
            "5|0|01.03.2007|дом|house"};
}

QString apply(const QString& op, const QString& text, const QString& player, const QString& arg) {
    if (op == "miss")
        return withMiss(text, player, arg, Date);
    if (op == "right")
        return withRight(text, player, arg);
    if (op == "delete")
        return withoutPairs(text, player, arg.split(u';'));
    if (op == "rename")
        return renamed(text, player, arg);
    return withoutPlayer(text, player);
}

QStringList answers(const question::Drawn& drawn) {
    QStringList texts;
    for (QStringView answer : drawn.answers)
        texts << answer.toString();
    return texts;
}

} // namespace

class TestMistakesFile : public QObject {
    Q_OBJECT
private slots:
    void edits_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("player");
        QTest::addColumn<QString>("arg");
        QTest::addColumn<QStringList>("after");
        const QStringList two = twoPlayers();
        QTest::addRow("first miss of a new player")
            << QStringList{} << "miss"
            << "Anna"
            << "дом|house" << QStringList{"$/$/$/$/$Anna$\\$\\$\\$\\$", "1|0|" + Date + "|дом|house"};
        QTest::addRow("a new pair goes to the end of its block")
            << two << "miss"
            << "Olga"
            << "дом|house" << QStringList{Olga, two[1], two[2], "1|0|" + Date + "|дом|house", Max, two[4]};
        QTest::addRow("a miss counts up, dates and restarts the practice count")
            << two << "miss"
            << "Olga"
            << "a|b|c" << QStringList{Olga, two[1], "2|0|" + Date + "|a|b|c", Max, two[4]};
        QTest::addRow("the pair must match whole, a prefix is another pair")
            << two << "miss"
            << "Olga"
            << "a|b" << QStringList{Olga, two[1], two[2], "1|0|" + Date + "|a|b", Max, two[4]};
        QTest::addRow("player names count letter case")
            << two << "miss"
            << "olga"
            << "кошка|cat" << two + QStringList{"$/$/$/$/$olga$\\$\\$\\$\\$", "1|0|" + Date + "|кошка|cat"};
        QTest::addRow("first right answer is counted")
            << two << "right"
            << "Olga"
            << "кошка|cat" << QStringList{Olga, "2|1|05.03.2007 18:42:10|кошка|cat", two[2], Max, two[4]};
        QTest::addRow("second right answer takes the pair off")
            << two << "right"
            << "Olga"
            << "a|b|c" << QStringList{Olga, two[1], Max, two[4]};
        QTest::addRow("a right answer to a pair not kept changes nothing") << two << "right"
                                                                           << "Max"
                                                                           << "кошка|cat" << two;
        QTest::addRow("delete chosen pairs of one player only")
            << two << "delete"
            << "Olga"
            << "кошка|cat;дом|house" << QStringList{Olga, two[2], Max, two[4]};
        QTest::addRow("rename carries the block")
            << two << "rename"
            << "Olga"
            << "Ольга" << QStringList{"$/$/$/$/$Ольга$\\$\\$\\$\\$", two[1], two[2], Max, two[4]};
        QTest::addRow("rename drops a stale block of the new name")
            << two << "rename"
            << "Olga"
            << "Max" << QStringList{Max, two[1], two[2]};
        QTest::addRow("rename of a player without mistakes") << two << "rename"
                                                             << "Anna"
                                                             << "Olga" << two;
        QTest::addRow("delete a player") << two << "remove"
                                         << "Olga"
                                         << "" << QStringList{Max, two[4]};
        QTest::addRow("delete the last player") << two << "remove"
                                                << "Max"
                                                << "" << two.first(3);
        QTest::addRow("lines that do not read are kept")
            << QStringList{"junk", Olga, "x|0|d|p|q", "1|0|d"} << "miss"
            << "Olga"
            << "p|q" << QStringList{"junk", Olga, "x|0|d|p|q", "1|0|d", "1|0|" + Date + "|p|q"};
    }
    void edits() {
        QFETCH(QStringList, before);
        QFETCH(QString, op);
        QFETCH(QString, player);
        QFETCH(QString, arg);
        QFETCH(QStringList, after);
        QCOMPARE(apply(op, listText(before), player, arg), listText(after));
    }

    void readingAndOrder() {
        const QString text =
            listText({Olga, "1|0|01.01.2007|a|b", "0|0|01.01.2007|zero|misses", "3|1|02.01.2007|c|d",
                      "1|0|03.01.2007|e|f", "3|0|04.01.2007|g|h", Max, "9|0|05.01.2007|i|j"});
        const QList<Mistake> shown = mostMissedFirst(mistakesOf(text, QStringLiteral("Olga")));
        QStringList pairs;
        for (const Mistake& m : shown)
            pairs << m.pair;
        QCOMPARE(pairs, (QStringList{"c|d", "g|h", "a|b", "e|f"}));
        QCOMPARE(shown[0].rights, 1);
        QCOMPARE(shown[0].lastMiss, QStringLiteral("02.01.2007"));
        QVERIFY(mistakesOf(text, QStringLiteral("Anna")).isEmpty());
        // Without a line break at the end the last record still counts.
        QCOMPARE(mistakesOf(Olga + "\r\n1|0|d|a|b", QStringLiteral("Olga")).size(), 1);
    }

    void storeAppliesEditsToTheFileAsItIsNow() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Mistakes.ini");
        MistakesStore store(path);
        QCOMPARE(store.text(), QString());
        QVERIFY(store.queue([](QStringView t) { return withMiss(t, u"Olga", u"a|b", u"d1"); }));
        QVERIFY(!store.queue([](QStringView t) { return withMiss(t, u"Olga", u"a|b", u"d2"); }));
        QVERIFY(!QFile::exists(path)); // nothing written until the queue is flushed
        store.flush();
        QVERIFY(!store.hasQueued());
        QCOMPARE(ReadScrambledText(path), listText({Olga, "2|0|d2|a|b"}));
        // Another writer changes the file; the next edit keeps its change.
        WriteScrambledText(path, listText({Olga, "2|0|d2|a|b", Max, "1|0|d|c|d"}), WriteMode::Replace);
        store.queue([](QStringView t) { return withRight(t, u"Olga", u"a|b"); });
        store.apply([](QStringView t) { return withoutPairs(t, u"Max", {"c|d"}); });
        QCOMPARE(ReadScrambledText(path), listText({Olga, "2|1|d2|a|b", Max}));
        // Scrambled as every data file is.
        QCOMPARE(readBytes(path).at(0), char(u'$' ^ 0x19));
    }

    void practiceDrawsTheMistakesWithWrongAnswersFromTheList() {
        const WordList words = listOf({"a|1", "b|2", "c|3", "d|4", "e|5"});
        PracticeSet set;
        set.load({{"c|3", 2, 1, "d"}, {"gone|0", 1, 0, "d"}}, words);
        ScriptedPlatform platform;
        // "c|3" on A; its own list position (2) is refused as a wrong answer.
        platform.queueDraws({0, 0, 2, 0, 1, 3});
        std::optional<question::Drawn> drawn = set.draw(words, "EN\\RU", platform);
        QVERIFY(drawn);
        QCOMPARE(drawn->word, QStringLiteral("c"));
        QCOMPARE(answers(*drawn), (QStringList{"3", "1", "2", "4"}));
        // A pair the list no longer holds is still asked, and rules out no position.
        platform.queueDraws({1, 3, 0, 1, 2});
        drawn = set.draw(words, "EN\\RU", platform);
        QCOMPARE(drawn->word, QStringLiteral("gone"));
        QCOMPARE(answers(*drawn), (QStringList{"1", "2", "3", "0"}));
        // One right answer more takes "c|3" off, as it had one already; a miss starts "gone|0" again.
        set.answered(u"c|3", true);
        set.answered(u"gone|0", true);
        set.answered(u"gone|0", false);
        set.answered(u"gone|0", true);
        QCOMPARE(set.size(), 1);
        QVERIFY(!set.draw(listOf({"a|1", "b|2", "c|3"}), "EN\\RU", platform));
    }

    void aFailedWriteKeepsTheQueue() {
        QTemporaryDir dir;
        MistakesStore store(dir.filePath("missing folder/Mistakes.ini"));
        store.queue([](QStringView t) { return withMiss(t, u"Olga", u"a|b", u"d"); });
        QVERIFY(!failureOf([&] { store.flush(); }).isEmpty());
        QVERIFY(store.hasQueued());
        QVERIFY(QDir(dir.path()).mkdir("missing folder"));
        store.flush();
        QCOMPARE(mistakesOf(store.text(), u"Olga").size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestMistakesFile)
#include "tst_mistakes_file.moc"
