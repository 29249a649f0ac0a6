// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestHelpers.h"
#include "platform/ProgramFolder.h"
#include "shared/ScrambledText.h"
#include "words/UserDictionary.h"
#include "words/WordList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using userdictionary::Refusal;

class TestUserDictionary : public QObject {
    Q_OBJECT

private slots:
    void check_data() {
        QTest::addColumn<QStringList>("wordList");
        QTest::addColumn<QStringList>("userWords");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("translation");
        QTest::addColumn<Refusal>("refusal");
        const QStringList loaded = {"кот|dog", "собака|Hound", "ёж|hedgehog", "шляпа|hat"};
        QTest::addRow("new pair") << loaded << QStringList() << "кошка"
                                  << "cat" << Refusal::None;
        QTest::addRow("blank word") << loaded << QStringList() << ""
                                    << "cat" << Refusal::Blank;
        QTest::addRow("blank translation") << loaded << QStringList() << "кошка"
                                           << "" << Refusal::Blank;
        QTest::addRow("bar in word") << loaded << QStringList() << "кот|x"
                                     << "cat" << Refusal::Separator;
        QTest::addRow("bar in translation") << loaded << QStringList() << "кошка"
                                            << "c|at" << Refusal::Separator;
        QTest::addRow("Russian side, other case") << loaded << QStringList() << "Кот"
                                                  << "cat" << Refusal::Duplicate;
        QTest::addRow("English side, other case") << loaded << QStringList() << "пёс"
                                                  << "HOUND" << Refusal::Duplicate;
        QTest::addRow("first line") << loaded << QStringList() << "КОТ"
                                    << "tomcat" << Refusal::Duplicate;
        QTest::addRow("last line") << loaded << QStringList() << "шапка"
                                   << "Hat" << Refusal::Duplicate;
        QTest::addRow("capital Ё") << loaded << QStringList() << "Ёж"
                                   << "urchin" << Refusal::Duplicate;
        QTest::addRow("whole sides only") << loaded << QStringList() << "ко"
                                          << "do" << Refusal::None;
        QTest::addRow("longer word") << loaded << QStringList() << "котёнок"
                                     << "dogs" << Refusal::None;
        QTest::addRow("translation is no Russian side") << loaded << QStringList() << "кошка"
                                                        << "кот" << Refusal::None;
        QTest::addRow("user list, last line") << loaded << QStringList{"а|b", "мышь|Mouse"} << "мышка"
                                              << "mouse" << Refusal::Duplicate;
        QTest::addRow("line without bar is both sides") << QStringList{"слон"} << QStringList() << "zz"
                                                        << "СЛОН" << Refusal::Duplicate;
        QTest::addRow("Russian side with nothing after the bar")
            << QStringList{"кот|"} << QStringList() << "КОТ"
            << "x" << Refusal::Duplicate;
        QTest::addRow("longer Russian sides around the bar")
            << QStringList{"кот!|a", "кота|b", "кот~|c", "кот"} << QStringList() << "кот"
            << "x" << Refusal::Duplicate;
        QTest::addRow("only longer Russian sides")
            << QStringList{"кот!|a", "кота|b", "кот~|c"} << QStringList() << "кот"
            << "x" << Refusal::None;
        QTest::addRow("only longer English sides")
            << QStringList{"a|cat!", "b|cats", "c|Cat~"} << QStringList() << "x"
            << "CAT" << Refusal::None;
        QTest::addRow("word outside the code page")
            << QStringList{"?|x"} << QStringList() << QString(QChar(0x4E00)) << "y" << Refusal::None;
        QTest::addRow("empty lists") << QStringList() << QStringList() << "a"
                                     << "b" << Refusal::None;
    }
    void check() {
        QFETCH(QStringList, wordList);
        QFETCH(QStringList, userWords);
        QFETCH(QString, word);
        QFETCH(QString, translation);
        QFETCH(Refusal, refusal);
        QCOMPARE(userdictionary::check(listOf(wordList), listOf(userWords), word, translation), refusal);
    }

    void sortedIgnoresCaseAndKeepsTies() {
        const WordList lines = listOf({"жук|a", "кот|1", "Арбуз|b", "Кот|2", "ель|c", "ёлка|d", "кот|3"});
        QCOMPARE(itemsOf(userdictionary::sorted(lines)),
                 QStringList({"Арбуз|b", "ёлка|d", "ель|c", "жук|a", "кот|1", "Кот|2", "кот|3"}));
        QCOMPARE(userdictionary::sorted(WordList()).count(), 0);
    }

    void find_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("found");
        QTest::addRow("from the top") << "at" << 0 << 0;
        QTest::addRow("after the first") << "at" << 1 << 1;
        QTest::addRow("past the end") << "at" << 2 << -1;
        QTest::addRow("case counts") << "AT" << 0 << -1;
        QTest::addRow("Russian side") << "ляп" << 0 << 1;
        QTest::addRow("across the bar") << "т|c" << 0 << 0;
    }
    void find() {
        const WordList lines = listOf({"кот|cat", "шляпа|hat"});
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(int, found);
        QCOMPARE(userdictionary::find(lines, text, from), found);
    }

    void appendPairCreatesAndExtends() {
        QTemporaryDir dir;
        const ProgramFolder folder(dir.path());
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("словарь")));
        const QString file = folder.file(userdictionary::UserFile);
        userdictionary::appendPair(folder, u"кот", u"cat");
        QFile(file).setPermissions(QFileDevice::ReadOwner); // a read-only file is made writable first
        userdictionary::appendPair(folder, u"пёс", u"dog");
        QCOMPARE(readBytes(file), readBytes([&] {
                     const QString whole = dir.filePath("whole.txt");
                     WriteScrambledText(whole, u"кот|cat\r\nпёс|dog\r\n", WriteMode::Replace);
                     return whole;
                 }()));
        const ProgramFolder nowhere(dir.filePath("missing"));
        QVERIFY(failureOf([&] {
                    userdictionary::appendPair(nowhere, u"a", u"b");
                }).contains(nowhere.file(userdictionary::UserFile)));
    }

    // The editor deletes from the file as it is now: a pair added from outside since it read the file
    // stays, the line deleted goes, and a line already gone writes nothing.
    void removeLineKeepsWhatOthersAdded() {
        QTemporaryDir dir;
        const ProgramFolder folder(dir.path());
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("словарь")));
        const QString file = folder.file(userdictionary::UserFile);
        WriteScrambledText(file, u"b|2\r\na|1\r\n", WriteMode::Replace);
        userdictionary::appendPair(folder, u"c", u"3");
        QVERIFY(userdictionary::removeLine(folder, u"b|2"));
        QCOMPARE(ReadScrambledText(file), QString("a|1\r\nc|3\r\n"));
        const QByteArray before = readBytes(file);
        QVERIFY(!userdictionary::removeLine(folder, u"b|2"));
        QCOMPARE(readBytes(file), before);
    }

    void writeWithoutRewritesTheRest() {
        QTemporaryDir dir;
        const QString file = dir.filePath("User.txt");
        WriteScrambledText(file, u"b|2\r\na|1\r\n", WriteMode::Replace);
        userdictionary::writeWithout(file, listOf({"a|1", "b|2", "c|3"}), 1);
        QCOMPARE(ReadScrambledText(file), QString("a|1\r\nc|3\r\n"));
        userdictionary::writeWithout(file, listOf({"a|1"}), 0);
        QCOMPARE(readBytes(file), QByteArray());

        // A file that cannot be replaced keeps what it held.
        WriteScrambledText(file, u"a|1\r\n", WriteMode::Replace);
        const QByteArray before = readBytes(file);
        QFile(file).setPermissions(QFileDevice::ReadOwner);
        QVERIFY(failureOf([&] { userdictionary::writeWithout(file, listOf({"a|1"}), 0); }).contains(file));
        QCOMPARE(readBytes(file), before);
    }
};

QTEST_GUILESS_MAIN(TestUserDictionary)
#include "tst_words_userdictionary.moc"
