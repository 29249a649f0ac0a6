// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RegistryText.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

const QString Key = QStringLiteral("SoftWare\\LexiTrainer");

const QByteArray Sample = "REGEDIT4\r\n"
                          "; by hand\r\n"
                          "\r\n"
                          "[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\r\n"
                          "@=\"default\"\r\n"
                          "\"GameTime\"=hex:00,00,00,00,\\\r\n"
                          "  00,00,00,00\r\n"
                          "\"Translation\"=\"EN\\\\RU\"\r\n"
                          "\"Quoted \\\"name\\\"\"=hex(2):25,00,41,00,00,00\r\n"
                          "\"BackgroundImage\"=dword:00000001\r\n"
                          "\r\n"
                          "[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer\\Sub]\r\n"
                          "\"Odd\"=hex(7):61,00,00,00\r\n";

} // namespace

class TestRegistryText : public QObject {
    Q_OBJECT

private slots:
    // Damaged and hand-edited files of every shape: each either parses or is refused, and one that
    // parses formats into text that parses to the same values.
    void anyBytesParseOrAreRefused() {
        QRandomGenerator random(7);
        const QByteArray pieces[] = {"\\", "\"",   "[", "]",      "=", ",", ":",  "\r\n", "\n",
                                     "\r", "hex(", ")", "dword:", "@", "-", "\0", "\xff", "  "};
        int parsed = 0;
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes = Sample;
            for (int edits = random.bounded(1, 6); edits > 0; --edits) {
                const qsizetype at = random.bounded(int(bytes.size()) + 1);
                switch (random.bounded(3)) {
                case 0:
                    bytes.insert(at, pieces[random.bounded(int(std::size(pieces)))]);
                    break;
                case 1:
                    bytes.remove(at, random.bounded(1, 12));
                    break;
                default:
                    bytes.truncate(at);
                }
            }
            const auto document = regtext::parse(bytes);
            if (!document)
                continue;
            ++parsed;
            const auto again = regtext::parse(regtext::format(*document));
            QVERIFY2(again, bytes.toHex().constData());
            for (const QString& name :
                 {QStringLiteral("GameTime"), QStringLiteral("Translation"), QString()}) {
                const regtext::Value* before = regtext::findValue(*document, Key, name);
                const regtext::Value* after = regtext::findValue(*again, Key, name);
                QCOMPARE(bool(after), bool(before));
                if (before) {
                    QCOMPARE(after->type, before->type);
                    QCOMPARE(after->bytes, before->bytes);
                    QCOMPARE(after->text, before->text);
                }
            }
        }
        QVERIFY(parsed > 100); // the damage is not always fatal, so both ways were taken
    }

    // Values the text has no plain form for keep their type as typed hex.
    void setValueKeepsTheType_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("line");
        QTest::addRow("dword of one byte")
            << regtext::RegDword << QByteArray("\x01", 1) << QByteArray("\"V\"=hex(4):01");
        QTest::addRow("expandable string")
            << regtext::RegExpandSz << QByteArray("%\0\0\0", 4) << QByteArray("\"V\"=hex(2):25,00,00,00");
    }
    void setValueKeepsTheType() {
        QFETCH(int, type);
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, line);
        regtext::Document document;
        QVERIFY(regtext::setValue(document, Key, QStringLiteral("V"), regtext::Value{type, bytes, {}}));
        const QByteArray formatted = regtext::format(document);
        QVERIFY2(formatted.contains(line + "\r\n"), formatted.constData());
        const auto again = regtext::parse(formatted);
        QVERIFY(again);
        const regtext::Value* value = regtext::findValue(*again, Key, QStringLiteral("v"));
        QVERIFY(value);
        QCOMPARE(value->type, type);
        QCOMPARE(value->bytes, bytes);
    }

    void nameWithControlCharacterIsRefused() {
        auto document = regtext::parse(Sample);
        QVERIFY(document);
        QVERIFY(!regtext::setValue(*document, Key, QStringLiteral("a\r\nb"),
                                   regtext::Value{regtext::RegSz, {}, QStringLiteral("x")}));
        QCOMPARE(regtext::format(*document), Sample);
    }
};

QTEST_GUILESS_MAIN(TestRegistryText)
#include "tst_registrytext.moc"
