// SPDX-License-Identifier: GPL-3.0-or-later
// Every kind of data file as UTF-8 text and back, byte for byte, and what the program then reads.
#include "TestHelpers.h"
#include "dicttool/BadInput.h"
#include "dicttool/DataFileText.h"
#include "platform/TextCodec.h"
#include "saves/SavedGame.h"
#include "shared/ScrambledText.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QString players =
    QStringLiteral("$/$/$/$/$Ольга$\\$\\$\\$\\$\r\n"
                   "Date:=05.03.2007 18:42:10|06.03.2007 19:05:33|\r\n"
                   "Yes:=14|9|\r\nNo:=3|6|\r\nОчки:=1100|-300|\r\n"
                   "GameTime:=0:03:00|0:03:00|\r\n"
                   "$/$/$/$/$Max$\\$\\$\\$\\$\r\nDate:=\r\nYes:=\r\nNo:=\r\nОчки:=\r\nGameTime:=\r\n");

QString savedGameText() {
    SavedGame game;
    game.Date = QStringLiteral("06.03.2007 19:05:33");
    game.YesCount = 7;
    game.NoCount = 9;
    game.Points = -200;
    game.GameTime = 3.0 / 24 / 60;
    game.TimeLeft = 1.0 / 24 / 60;
    game.PlayerName = QStringLiteral("Ольга");
    game.Question = QStringLiteral("ёж");
    game.Answers = {QStringLiteral("A.   hedgehog"), QStringLiteral("B.   pike"), QStringLiteral("C.   cat"),
                    QStringLiteral("D.   dog")};
    game.RealButton = 1;
    game.DirectionTrans = QStringLiteral("RU\\EN");
    return savedgame::format(game);
}

QByteArray everyByte() {
    QByteArray bytes(256, Qt::Uninitialized);
    for (int b = 0; b < 256; ++b)
        bytes[b] = char(b);
    return bytes;
}

} // namespace

class tst_dicttool_datafile : public QObject {
    Q_OBJECT

private slots:
    // Files the program writes decode to their plain text; any file at all comes back whole.
    void roundTrip_data() {
        QTest::addColumn<QString>("plain"); // empty: the file holds raw bytes
        QTest::addColumn<QByteArray>("raw");
        QTest::addRow("dictionary") << QStringLiteral("кот|cat\r\nёж|hedgehog\r\nщука|pike\r\n")
                                    << QByteArray();
        QTest::addRow("player file") << players << QByteArray();
        QTest::addRow("saved game") << savedGameText() << QByteArray();
        QTest::addRow("empty file") << QString() << QByteArray();
        QTest::addRow("every byte value") << QString() << everyByte();
        QTest::addRow("a line break and more after the text")
            << QString() << QByteArray("\x4d\x5c\x4a\x4d\n\x5c\x4b\x4b\x1a\r\r\n");
    }
    void roundTrip() {
        QFETCH(QString, plain);
        QFETCH(QByteArray, raw);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("data"));
        if (raw.isEmpty())
            WriteScrambledText(path, plain, WriteMode::Replace);
        else
            writeBytes(path, raw);
        const QByteArray file = readBytes(path);

        const QByteArray text = datafile::decode(file);
        if (raw.isEmpty())
            QCOMPARE(text, plain.toUtf8());
        QCOMPARE(datafile::encode(text), file);
    }

    // Edited as text and encoded, the file is what the program reads.
    void editedTextIsRead() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Players.ini"));
        WriteScrambledText(path, players, WriteMode::Replace);
        QByteArray text = datafile::decode(readBytes(path));
        text.replace(QStringLiteral("Ольга").toUtf8(), QStringLiteral("Ольга Петровна").toUtf8());
        writeBytes(path, datafile::encode(text));
        QCOMPARE(ReadScrambledText(path),
                 QString(players).replace(QStringLiteral("Ольга"), QStringLiteral("Ольга Петровна")));
    }

    void byteOrderMarkDropped() {
        QCOMPARE(datafile::encode("\xEF\xBB\xBF" + QStringLiteral("кот|cat\r\n").toUtf8()),
                 ansi::encode(Coding(u"кот|cat\r\n")));
    }

    void encodeFaults_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qsizetype>("line");
        QTest::addRow("character outside the code page")
            << QStringLiteral("кот|cat\r\nёж|hedgehog\r\ncafé|кафе\r\n").toUtf8() << qsizetype(3);
        QTest::addRow("character beyond 16 bits")
            << QStringLiteral("a|b\r\n😀|smile\r\n").toUtf8() << qsizetype(2);
        QTest::addRow("not UTF-8") << QByteArray("a|b\r\n\xea\xee\xf2|cat\r\n") << qsizetype(2);
        QTest::addRow("UTF-8 cut inside a character") << QByteArray("a|b\n\xd0") << qsizetype(2);
    }
    void encodeFaults() {
        QFETCH(QByteArray, text);
        QFETCH(qsizetype, line);
        try {
            datafile::encode(text);
            QFAIL("no fault found");
        } catch (const BadInput& fault) {
            QCOMPARE(fault.line(), line);
        }
    }

    void hazards_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qsizetype>("line");
        QTest::addRow("CR LF only") << QByteArray("a|b\r\nc|d\r\n") << qsizetype(0);
        QTest::addRow("LF alone") << QByteArray("a|b\r\nc|d\ne|f\r\n") << qsizetype(2);
        QTest::addRow("LF alone first") << QByteArray("\na|b\r\n") << qsizetype(1);
        QTest::addRow("becomes LF when scrambled") << QByteArray("a|b\r\nc\x13|d\r\n") << qsizetype(2);
        QTest::addRow("becomes 0x1A when scrambled") << QByteArray("a\x03|b\r\n") << qsizetype(1);
    }
    void hazards() {
        QFETCH(QByteArray, text);
        QFETCH(qsizetype, line);
        QCOMPARE(datafile::readingHazard(text).line, line);
    }
};

QTEST_GUILESS_MAIN(tst_dicttool_datafile)
#include "tst_dicttool_datafile.moc"
