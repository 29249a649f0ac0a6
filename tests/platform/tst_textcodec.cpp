// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextCodec.h"

#include <QSet>
#include <QTest>

class TextCodecTest : public QObject {
    Q_OBJECT

private slots:
    void everyByteRoundTrips() {
        QByteArray all(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        const QString text = ansi::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(QSet<QChar>(text.begin(), text.end()).size(), 256);
        QCOMPARE(ansi::encode(text), all);
        QCOMPARE(ansi::fromUser(text), text);
    }

    void lettersAndPunctuation_data() {
        QTest::addColumn<QString>("character");
        QTest::addColumn<int>("byte");
        QTest::addRow("А") << QStringLiteral("А") << 0xC0;
        QTest::addRow("я") << QStringLiteral("я") << 0xFF;
        QTest::addRow("Ё") << QStringLiteral("Ё") << 0xA8;
        QTest::addRow("ё") << QStringLiteral("ё") << 0xB8;
        QTest::addRow("№") << QStringLiteral("№") << 0xB9;
        QTest::addRow("en dash") << QStringLiteral("\u2013") << 0x96;
        QTest::addRow("em dash") << QStringLiteral("\u2014") << 0x97;
        QTest::addRow("«") << QStringLiteral("«") << 0xAB;
        QTest::addRow("»") << QStringLiteral("»") << 0xBB;
        QTest::addRow("low quote") << QStringLiteral("\u201E") << 0x84;
        QTest::addRow("left quote") << QStringLiteral("\u201C") << 0x93;
        QTest::addRow("right single quote") << QStringLiteral("\u2019") << 0x92;
        QTest::addRow("ellipsis") << QStringLiteral("\u2026") << 0x85;
        QTest::addRow("euro") << QStringLiteral("\u20AC") << 0x88;
        QTest::addRow("no-break space") << QStringLiteral("\u00A0") << 0xA0;
        QTest::addRow("unassigned 0x98") << QStringLiteral("\u0098") << 0x98;
        QTest::addRow("Ukrainian і") << QStringLiteral("і") << 0xB3;
        QTest::addRow("Latin z") << QStringLiteral("z") << int('z');
    }
    void lettersAndPunctuation() {
        QFETCH(QString, character);
        QFETCH(int, byte);
        QCOMPARE(ansi::encode(character), QByteArray(1, char(byte)));
        QCOMPARE(ansi::decode(QByteArray(1, char(byte))), character);
    }

    void outsideTheCodePage_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addRow("Latin accent") << QStringLiteral("café") << QStringLiteral("caf?");
        QTest::addRow("Greek") << QStringLiteral("αβ") << QStringLiteral("??");
        QTest::addRow("CJK") << QStringLiteral("词") << QStringLiteral("?");
        QTest::addRow("emoji is one character") << QStringLiteral("a😀b") << QStringLiteral("a?b");
        QTest::addRow("lone surrogate") << QString(QChar(0xD800)) << QStringLiteral("?");
        QTest::addRow("Russian unchanged")
            << QStringLiteral("Ёжик — «№ 5»") << QStringLiteral("Ёжик — «№ 5»");
    }
    void outsideTheCodePage() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QCOMPARE(ansi::fromUser(typed), kept);
        QCOMPARE(ansi::encode(typed).size(), kept.size());
        // Told without converting: the text is representable exactly when it comes back whole.
        QCOMPARE(ansi::representable(typed), kept == typed);
        QVERIFY(ansi::representable(typed + QLatin1Char('?')) == (kept == typed));
    }
};

QTEST_GUILESS_MAIN(TextCodecTest)
#include "tst_textcodec.moc"
