// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestHelpers.h"
#include "platform/Failure.h"
#include "platform/Files.h"
#include "shared/CrLfLines.h"
#include "shared/TextRules.h"
#include "shared/WordPair.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The rules that the player file, the saved games, the dictionaries and the typed names share.
class TestTextRules : public QObject {
    Q_OBJECT

private slots:
    void trimming_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("both");
        QTest::addColumn<QString>("left");
        QTest::addRow("spaces") << "  кот  "
                                << "кот"
                                << "кот  ";
        QTest::addRow("control characters") << " \t\x01кот 1\r\n "
                                            << "кот 1"
                                            << "кот 1\r\n ";
        QTest::addRow("only blanks") << " \x01 "
                                     << ""
                                     << "";
        QTest::addRow("no-break space is a character")
            << QString(QChar(0xA0)) + "a" << QString(QChar(0xA0)) + "a" << QString(QChar(0xA0)) + "a";
    }
    void trimming() {
        QFETCH(QString, text);
        QFETCH(QString, both);
        QFETCH(QString, left);
        QCOMPARE(textrules::trimmed(text).toString(), both);
        QCOMPARE(textrules::trimmedLeft(text).toString(), left);
    }

    void numbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::addRow("zero") << "0" << true << 0;
        QTest::addRow("plus sign") << "+5" << true << 5;
        QTest::addRow("leading zeros") << "007" << true << 7;
        QTest::addRow("largest") << "2147483647" << true << 2147483647;
        QTest::addRow("smallest") << "-2147483648" << true << int(-2147483648LL);
        QTest::addRow("blank before") << " 5" << false << 0;
        QTest::addRow("blank after") << "5 " << false << 0;
        QTest::addRow("tab before") << "\t7" << false << 0;
        QTest::addRow("blank inside") << "1 00" << false << 0;
        QTest::addRow("empty") << "" << false << 0;
        QTest::addRow("sign alone") << "-" << false << 0;
        QTest::addRow("two signs") << "--1" << false << 0;
        QTest::addRow("fraction") << "1.5" << false << 0;
        QTest::addRow("hexadecimal") << "0x10" << false << 0;
        QTest::addRow("zero character inside") << QStringLiteral("0") + QChar(0) + "1" << false << 0;
        QTest::addRow("one beyond") << "2147483648" << false << 0;
        QTest::addRow("one below") << "-2147483649" << false << 0;
        QTest::addRow("far beyond") << "99999999999999999999999" << false << 0;
    }
    void numbers() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        QCOMPARE(textrules::readInt32(text), valid ? std::optional<qint32>(value) : std::nullopt);
        if (valid)
            QCOMPARE(textrules::toInt32(text), value);
        else
            QCOMPARE(failureOf([&] { textrules::toInt32(text); }),
                     QStringLiteral("'%1' is not a valid integer value").arg(text));
    }

    // Every position of the bar against the four-character steps of the search.
    void pairSplitsAtTheFirstBar() {
        for (int at = 0; at < 11; ++at) {
            const QString line = QString(at, u'я') + "|x|" + QString(at % 3, u'y');
            const wordpair::Sides sides = wordpair::sides(line);
            QCOMPARE(sides.russian.toString(), QString(at, u'я'));
            QCOMPARE(sides.english.toString(), "x|" + QString(at % 3, u'y'));
            QCOMPARE(textrules::indexOf(line, u'|', at + 1), at + 2);
        }
        const wordpair::Sides none = wordpair::sides(u"кошка cat");
        QCOMPARE(none.russian.toString(), QStringLiteral("кошка cat"));
        QCOMPARE(none.english.toString(), QStringLiteral("кошка cat"));
        // A character whose lanes differ from the bar's by one bit is no bar.
        QCOMPARE(textrules::indexOf(QString(9, QChar(0x017C)), u'|'), -1);
        QCOMPARE(textrules::indexOf(u"ab|", u'|', 3), -1);
    }

    // Only CR LF ends a line; a lone CR or LF is part of it, and text after the last CR LF is none.
    void crLfLines() {
        const QString text = QStringLiteral("a\rb\r\n\r\nc\nd\r\r\ne");
        CrLfLines lines(text);
        QStringList seen;
        while (lines.next())
            seen << lines.line().toString();
        QCOMPARE(seen, QStringList({"a\rb", "", "c\nd\r"}));
    }

    // A missing file is made empty, an existing one keeps its bytes, a folder that is not there fails
    // naming the file.
    void creatingAMissingFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("new.txt");
        files::createIfMissing(path);
        QCOMPARE(readBytes(path), QByteArray());
        writeBytes(path, "kept");
        files::createIfMissing(path);
        QCOMPARE(readBytes(path), QByteArray("kept"));
        const QString lost = dir.filePath("no folder/x.txt");
        QVERIFY(failureOf([&] { files::createIfMissing(lost); }).startsWith("Cannot create file \"" + lost));
        QVERIFY(!QFile::exists(lost));
    }
};

QTEST_GUILESS_MAIN(TestTextRules)
#include "tst_shared_textrules.moc"
