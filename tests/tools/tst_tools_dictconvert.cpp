// SPDX-License-Identifier: GPL-3.0-or-later
#include "DictConvert.h"

#include "DictdFiles.h"
#include "TestHelpers.h"
#include "dicttool/Dictd.h"
#include "platform/Failure.h"
#include "shared/ScrambledText.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace dictconvert;

namespace {

Database sampleDatabase() {
    Database db;
    db.add(QStringLiteral("00databaseinfo"),
           QStringLiteral("English-Russian FreeDict Dictionary\nEdition: 0.3.1\n"));
    db.add(QStringLiteral("about"), QStringLiteral("about /əbaut/\n1. о\n2. приблизительно, примерно\n"));
    db.add(QStringLiteral("adams apple"), QStringLiteral("Adam's apple /ədɑːmzæpl/\nадамово яблоко\n"));
    db.add(QStringLiteral("boisleduc"), QStringLiteral("Bois‐le‐Duc /bˈɔɪz lə dˈʌk/\nХертогенбос\n"));
    db.add(QStringLiteral("visé"), QStringLiteral("visé /vɪsˈeɪ/\nвиза\n"));
    db.add(QStringLiteral("alphabet"), QStringLiteral("alphabet /ælfəbet/\nазбука, алфавит, азбука\n"));
    return db;
}

const QString sampleText =
    QStringLiteral("приблизительно|about\r\nпримерно|about\r\nадамово яблоко|Adam's apple\r\n"
                   "Хертогенбос|Bois-le-Duc\r\nазбука|alphabet\r\nалфавит|alphabet\r\n");

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestDictConvert : public QObject {
    Q_OBJECT

private slots:
    void russianSides_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QStringList>("sides");
        QTest::addRow("alternatives")
            << QStringLiteral("азбука, алфавит; буквы") << QStringList{"азбука", "алфавит", "буквы"};
        QTest::addRow("numbered lines") << QStringLiteral("1. о\n2. приблизительно, примерно\n")
                                        << QStringList{"о", "приблизительно", "примерно"};
        QTest::addRow("numbers inside a line")
            << QStringLiteral("1) бал 2) танец") << QStringList{"бал", "танец"};
        QTest::addRow("notes and labels")
            << QStringLiteral("разг. кошка (домашняя, ласковая); кот [зоол.] <m>")
            << QStringList{"кошка", "кот"};
        QTest::addRow("nested note") << QStringLiteral("бор (сверло (зубное)), бурав")
                                     << QStringList{"бор", "бурав"};
        QTest::addRow("unbalanced note kept") << QStringLiteral("бор (сверло") << QStringList{"бор (сверло"};
        QTest::addRow("typography") << QStringLiteral("Аддис‐Абеба, «Правда», ни…ни, кто—то")
                                    << QStringList{"Аддис-Абеба", "\"Правда\"", "ни...ни", "кто-то"};
        QTest::addRow("dots kept inside")
            << QStringLiteral("ни...ни, кошка.") << QStringList{"ни...ни", "кошка"};
        QTest::addRow("remark skipped")
            << QStringLiteral("кошка\nNote: informal\nsee also: cat") << QStringList{"кошка"};
        QTest::addRow("spaces collapsed")
            << QStringLiteral("  зенитная \t артиллерия ,, ") << QStringList{"зенитная артиллерия"};
    }
    void russianSides() {
        QFETCH(QString, body);
        QFETCH(QStringList, sides);
        QCOMPARE(dictconvert::russianSides(body), sides);
    }

    void englishSide_data() {
        QTest::addColumn<QString>("headLine");
        QTest::addColumn<QString>("side");
        QTest::addRow("pronunciation") << QStringLiteral("zoo /zˈuː/") << QStringLiteral("zoo");
        QTest::addRow("two pronunciations") << QStringLiteral("read /riːd/, /red/") << QStringLiteral("read");
        QTest::addRow("part of speech") << QStringLiteral("cat /kæt/ <n, masc>") << QStringLiteral("cat");
        QTest::addRow("typographic hyphen")
            << QStringLiteral("Bois‐le‐Duc /bˈɔɪz/") << QStringLiteral("Bois-le-Duc");
        QTest::addRow("slash in a word") << QStringLiteral("and/or /ænd ɔː/") << QStringLiteral("and/or");
        QTest::addRow("no pronunciation") << QStringLiteral("why?") << QStringLiteral("why?");
    }
    void englishSide() {
        QFETCH(QString, headLine);
        QFETCH(QString, side);
        QCOMPARE(dictconvert::englishSide(headLine), side);
    }

    void verdicts_data() {
        QTest::addColumn<QString>("russian");
        QTest::addColumn<QString>("english");
        QTest::addColumn<Verdict>("verdict");
        QTest::addRow("written") << QStringLiteral("кошка") << QStringLiteral("cat") << Verdict::Written;
        QTest::addRow("question mark")
            << QStringLiteral("почему?") << QStringLiteral("why?") << Verdict::Written;
        QTest::addRow("empty") << QString() << QStringLiteral("cat") << Verdict::Empty;
        QTest::addRow("accent") << QStringLiteral("виза") << QStringLiteral("visé")
                                << Verdict::OutsideCodePage;
        QTest::addRow("control byte")
            << QStringLiteral("кош\u0098ка") << QStringLiteral("cat") << Verdict::OutsideCodePage;
        QTest::addRow("separator") << QStringLiteral("кошка") << QStringLiteral("cat|dog")
                                   << Verdict::Separator;
        QTest::addRow("bracket") << QStringLiteral("бор (сверло") << QStringLiteral("bore")
                                 << Verdict::Brackets;
        QTest::addRow("too long") << QString(41, u'я') << QStringLiteral("long") << Verdict::TooLong;
        QTest::addRow("longest") << QString(40, u'я') << QStringLiteral("long") << Verdict::Written;
        QTest::addRow("one letter") << QStringLiteral("в") << QStringLiteral("in") << Verdict::TooShort;
        QTest::addRow("Latin left") << QStringLiteral("cat") << QStringLiteral("cat") << Verdict::WrongScript;
        QTest::addRow("Cyrillic right")
            << QStringLiteral("кошка") << QStringLiteral("cat кошка") << Verdict::WrongScript;
    }
    void verdicts() {
        QFETCH(QString, russian);
        QFETCH(QString, english);
        QFETCH(Verdict, verdict);
        PairList pairs;
        QCOMPARE(pairs.add(russian, english), verdict);
        QCOMPARE(pairs.count(verdict), 1);
        if (verdict == Verdict::Written) {
            QCOMPARE(pairs.add(russian, english), Verdict::Duplicate);
            QCOMPARE(pairs.text(), russian + u'|' + english + QLatin1String("\r\n"));
        } else {
            QCOMPARE(pairs.size(), 0);
        }
    }

    void convertsDatabase_data() {
        QTest::addColumn<bool>("compressed");
        QTest::addRow("dictzip") << true;
        QTest::addRow("plain") << false;
    }
    void convertsDatabase() {
        QFETCH(bool, compressed);
        QTemporaryDir dir;
        const Database db = sampleDatabase();
        const QString dataName = dir.filePath(compressed ? "x.dict.dz" : "x.dict");
        writeFile(dir.filePath("x.index"), db.index);
        writeFile(dataName, compressed ? gzip(db.data) : db.data);

        const Conversion result =
            convert(readArticles(readBytes(dir.filePath("x.index")), dictd::readData(readBytes(dataName))));
        QCOMPARE(result.metaArticles, 1);
        QCOMPARE(result.articles, 5);
        QCOMPARE(result.pairs.text(), sampleText);
        QCOMPARE(result.pairs.count(Verdict::TooShort), 1);
        QCOMPARE(result.pairs.count(Verdict::OutsideCodePage), 1);
        QCOMPARE(result.pairs.count(Verdict::Duplicate), 1);
    }

    void refusesBrokenInput() {
        const Database db = sampleDatabase();
        QVERIFY_THROWS_EXCEPTION(Failure, readArticles("about\tB\n", db.data));
        QVERIFY_THROWS_EXCEPTION(Failure, readArticles("about\tA\tZZZZ\n", db.data));
    }

    // The tool itself: the scrambled dictionary it writes reads back as the converted text.
    void toolWritesScrambledDictionary() {
        QTemporaryDir dir;
        const Database db = sampleDatabase();
        writeFile(dir.filePath("x.index"), db.index);
        writeFile(dir.filePath("x.dict.dz"), gzip(db.data));
        const QString output = dir.filePath(QStringLiteral("словарь/main.txt"));

        QProcess tool;
        tool.start(QStringLiteral(DICTCONVERT_PATH),
                   {dir.filePath("x.index"), dir.filePath("x.dict.dz"), output});
        QVERIFY(tool.waitForFinished());
        QCOMPARE(tool.exitCode(), 0);
        QVERIFY(tool.readAllStandardOutput().contains("6 pairs written"));
        QCOMPARE(ReadScrambledText(output), sampleText);
        QFile file(output);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!file.readAll().contains('\n'));
    }
};

QTEST_GUILESS_MAIN(TestDictConvert)
#include "tst_tools_dictconvert.moc"
