// SPDX-License-Identifier: GPL-3.0-or-later
// Which pairs an import adds, by the dictionary editor's rules, and how they reach the file.
#include "TestHelpers.h"
#include "dicttool/ImportRules.h"
#include "platform/TextCodec.h"
#include "shared/ScrambledText.h"
#include "words/WordList.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

using importrules::Verdict;

Q_DECLARE_METATYPE(importrules::Verdict)

namespace {} // namespace

class tst_dicttool_import : public QObject {
    Q_OBJECT

private slots:
    void verdicts_data() {
        QTest::addColumn<QStringList>("loaded");
        QTest::addColumn<QStringList>("user");
        QTest::addColumn<QString>("russian");
        QTest::addColumn<QString>("english");
        QTest::addColumn<Verdict>("verdict");
        const QStringList none;
        QTest::addRow("new pair") << QStringList{"кот|cat"} << none << "пёс"
                                  << "dog" << Verdict::Added;
        QTest::addRow("Russian side in the list, case aside") << QStringList{"кот|dog"} << none << "Кот"
                                                              << "cat" << Verdict::Duplicate;
        QTest::addRow("English side in the list, case aside") << QStringList{"кот|cat"} << none << "пёс"
                                                              << "CAT" << Verdict::Duplicate;
        QTest::addRow("Ё and ё") << QStringList{"ёж|x"} << none << "ЁЖ"
                                 << "hedgehog" << Verdict::Duplicate;
        // Letters on either side of the plain ranges, and signs that differ from others by one bit only.
        QTest::addRow("Ђ and ђ") << QStringList{"ђак|x"} << none << "ЂАК"
                                 << "y" << Verdict::Duplicate;
        QTest::addRow("Ї and ї") << QStringList{"їжак|x"} << none << "ЇЖАК"
                                 << "y" << Verdict::Duplicate;
        QTest::addRow("brackets are no letters") << QStringList{"{кот}|x"} << none << "[КОТ]"
                                                 << "y" << Verdict::Added;
        QTest::addRow("@ and ` are no letters") << QStringList{"кот|`cat"} << none << "пёс"
                                                << "@CAT" << Verdict::Added;
        QTest::addRow("Z and A") << QStringList{"кот|zap"} << none << "пёс"
                                 << "ZAP" << Verdict::Duplicate;
        QTest::addRow("first line counts")
            << QStringList{"ёж|hedgehog", "щука|pike", "окунь|perch"} << none << "ёж"
            << "urchin" << Verdict::Duplicate;
        QTest::addRow("last line counts")
            << QStringList{"ёж|hedgehog", "щука|pike", "окунь|perch"} << none << "рыба"
            << "Perch" << Verdict::Duplicate;
        QTest::addRow("Russian side in the user list") << none << QStringList{"щука|pike"} << "ЩУКА"
                                                       << "luce" << Verdict::Duplicate;
        QTest::addRow("English side in the user list") << none << QStringList{"щука|pike"} << "рыба"
                                                       << "Pike" << Verdict::Duplicate;
        QTest::addRow("whole sides only") << QStringList{"котёнок|kitten", "кот|tomcat"} << none << "котё"
                                          << "cat" << Verdict::Added;
        QTest::addRow("a line without a bar is both sides") << QStringList{"cat"} << none << "кот"
                                                            << "cat" << Verdict::Duplicate;
        QTest::addRow("empty side") << none << none << "кот"
                                    << "" << Verdict::Incomplete;
        QTest::addRow("blanks only") << none << none << " \t "
                                     << "cat" << Verdict::Incomplete;
        QTest::addRow("a bar") << none << none << "кот|кошка"
                               << "cat" << Verdict::NotRepresentable;
        QTest::addRow("a line break") << none << none << "кот\r\nкошка"
                                      << "cat" << Verdict::NotRepresentable;
        QTest::addRow("a tab inside") << none << none << "кот"
                                      << "tom\tcat" << Verdict::NotRepresentable;
        QTest::addRow("scrambles into a line break") << none << none << QString("ко") + QChar(0x13) + "т"
                                                     << "cat" << Verdict::NotRepresentable;
        QTest::addRow("outside Windows-1251") << none << none << "кафе"
                                              << "café" << Verdict::NotRepresentable;
        QTest::addRow("beyond 16 bits") << none << none << "улыбка"
                                        << "smile 😀" << Verdict::NotRepresentable;
        QTest::addRow("no-break space is in the code page")
            << none << none << QString("кот") + QChar(0xA0) + "дикий"
            << "wildcat" << Verdict::Added;
    }
    void verdicts() {
        QFETCH(QStringList, loaded);
        QFETCH(QStringList, user);
        QFETCH(QString, russian);
        QFETCH(QString, english);
        QFETCH(Verdict, verdict);
        importrules::Importer importer;
        importer.avoid(listOf(loaded));
        importer.avoid(listOf(user));
        QCOMPARE(importer.add({russian, english}), verdict);
        QCOMPARE(importer.text().isEmpty(), verdict != Verdict::Added);
        const importrules::Counts& counts = importer.counts();
        QCOMPARE(counts.added + counts.duplicates + counts.notRepresentable + counts.incomplete, 1);
    }

    // Sides are trimmed as the editor trims typed words, and a pair once added refuses its repeats.
    void addedPairs() {
        importrules::Importer importer;
        QCOMPARE(importer.add({"  Кот ", "\tcat "}), Verdict::Added);
        QCOMPARE(importer.add({"кот", "tomcat"}), Verdict::Duplicate);
        QCOMPARE(importer.add({"кошка", "CAT"}), Verdict::Duplicate);
        QCOMPARE(importer.add({"пёс", "dog"}), Verdict::Added);
        QCOMPARE(importer.text(), QStringLiteral("Кот|cat\r\nпёс|dog\r\n"));
        QCOMPARE(importer.counts().added, 2);
        QCOMPARE(importer.counts().duplicates, 2);
    }

    // Thousands of sides, past every growth of the sets: each still refuses its repeat in other case,
    // and one loaded beforehand still counts.
    void manySides() {
        importrules::Importer importer;
        importer.avoid(listOf({QStringLiteral("кот|cat")}));
        constexpr int Pairs = 5000;
        for (int i = 0; i < Pairs; ++i)
            QCOMPARE(importer.add({QStringLiteral("слово%1").arg(i), QStringLiteral("word%1").arg(i)}),
                     Verdict::Added);
        for (int i = 0; i < Pairs; ++i) {
            QCOMPARE(importer.add({QStringLiteral("СЛОВО%1").arg(i), QStringLiteral("other%1").arg(i)}),
                     Verdict::Duplicate);
            QCOMPARE(importer.add({QStringLiteral("иное%1").arg(i), QStringLiteral("Word%1").arg(i)}),
                     Verdict::Duplicate);
        }
        QCOMPARE(importer.add({"Кот", "tomcat"}), Verdict::Duplicate);
        QCOMPARE(importer.counts().added, Pairs);
        QCOMPARE(importer.text().count(u'\n'), Pairs);
    }

    // Adding a whole list checks each pair ahead on another thread: the same lines and counts as adding
    // them one by one, repeats within the list and every kind of refusal included.
    void addAllAsOneByOne() {
        QList<Pair> pairs;
        for (int i = 0; i < 3000; ++i) {
            const QString n = QString::number(i % 1700);
            switch (i % 6) {
            case 0:
                pairs.append({" слово" + n + " ", "word" + n});
                break;
            case 1:
                pairs.append({"СЛОВО" + n, "other" + n}); // a repeat once its first came
                break;
            case 2:
                pairs.append({"", "lone" + n, Gap::Language});
                break;
            case 3:
                pairs.append({"кафе" + n, "café"});
                break;
            case 4:
                pairs.append({"а|б" + n, "pipe" + n});
                break;
            default:
                pairs.append({"иное" + n, "\tWORD" + n + " "});
                break;
            }
        }
        importrules::Importer oneByOne;
        importrules::Importer all;
        for (importrules::Importer* importer : {&oneByOne, &all})
            importer->avoid(listOf({QStringLiteral("слово7|cat")}));
        for (const Pair& pair : pairs)
            oneByOne.add(pair);
        qsizetype reported = -1;
        all.addAll(pairs, [&](qsizetype done) { reported = done; });
        QCOMPARE(all.text(), oneByOne.text());
        const importrules::Counts& a = all.counts();
        const importrules::Counts& b = oneByOne.counts();
        QCOMPARE(a.added, b.added);
        QCOMPARE(a.duplicates, b.duplicates);
        QCOMPARE(a.notRepresentable, b.notRepresentable);
        QCOMPARE(a.incomplete, b.incomplete);
        QCOMPARE(a.languageMissing, b.languageMissing);
        QVERIFY(b.added > 0 && b.duplicates > 0 && b.notRepresentable > 0 && b.languageMissing > 0);
        QVERIFY(reported > 0);

        // A failure half way through the look-ups comes out as it is, and the other thread ends.
        importrules::Importer failing;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, failing.addAll(pairs, [](qsizetype done) {
            if (done > 0)
                throw std::runtime_error("stopped");
        }));
    }

    void appendLines_data() {
        QTest::addColumn<QByteArray>("before"); // the file's plain bytes; "-": no file
        QTest::addColumn<QString>("after");     // what the program reads afterwards
        const QString added = QStringLiteral("пёс|dog\r\n");
        QTest::addRow("no file yet") << QByteArray("-") << added;
        QTest::addRow("empty file") << QByteArray() << added;
        QTest::addRow("lines ended by CR LF") << ansi::encode(u"кот|cat\r\n") << "кот|cat\r\n" + added;
        QTest::addRow("last line without CR LF")
            << ansi::encode(u"кот|cat\r\nёж|hedgehog") << "кот|cat\r\nёж|hedgehog\r\n" + added;
    }
    void appendLines() {
        QFETCH(QByteArray, before);
        QFETCH(QString, after);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("User.txt"));
        QByteArray old;
        if (before != "-") {
            WriteScrambledText(path, ansi::decode(before), WriteMode::Replace);
            old = readBytes(path);
        }
        importrules::appendLines(path, u"пёс|dog\r\n");
        QCOMPARE(ReadScrambledText(path), after);
        // The old content stays byte for byte in front.
        QVERIFY(readBytes(path).startsWith(old));
    }

    // As the editor does before it adds a pair, a read-only user dictionary is made writable.
    void readOnlyFileMadeWritable() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("User.txt"));
        WriteScrambledText(path, u"кот|cat\r\n", WriteMode::Replace);
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        importrules::appendLines(path, u"пёс|dog\r\n");
        QCOMPARE(ReadScrambledText(path), QStringLiteral("кот|cat\r\nпёс|dog\r\n"));
    }
};

QTEST_GUILESS_MAIN(tst_dicttool_import)
#include "tst_dicttool_import.moc"
