// SPDX-License-Identifier: GPL-3.0-or-later
#include "FailingDevice.h"
#include "TestHelpers.h"
#include "platform/Failure.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"
#include "shared/ScrambledText.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QByteArray xorBytes(QByteArray bytes) {
    for (char& b : bytes)
        b = char(b ^ 0x19);
    return bytes;
}

// What a first-line reader keeps of a file: the bytes before the first LF or 0x1A, CRs dropped (the CR
// of a CR LF goes with the line break, a lone one is skipped).
QByteArray firstLineOf(const QByteArray& bytes) {
    qsizetype end = bytes.size();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' || bytes[i] == '\x1A') {
            end = i;
            break;
        }
    }
    return bytes.left(end).replace('\r', QByteArray());
}

} // namespace

class tst_words_scrambled : public QObject {
    Q_OBJECT

private slots:
    // Every test gets a folder of its own.
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
    }

    void codingIsItsOwnInverse() {
        QCOMPARE(Coding(QString()), QString());
        QByteArray all(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        const QString everyChar = ansi::decode(all);
        const QString once = Coding(everyChar);
        QCOMPARE(once.size(), everyChar.size());
        QCOMPARE(ansi::encode(once), xorBytes(all));
        QCOMPARE(Coding(once), everyChar);
    }

    // Text scrambled in memory and text written and read back must agree, also for characters the code
    // page does not hold.
    void codingFollowsTheCodec_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("plain"); // what the text is once in the code page
        QTest::addRow("outside 16 bits") << QStringLiteral("a\U0001F600b") << QStringLiteral("a?b");
        QTest::addRow("two in a row") << QStringLiteral("\U0001F600\U0001F601") << QStringLiteral("??");
        QTest::addRow("outside the code page")
            << QStringLiteral("caf\u00e9 \u4e2d") << QStringLiteral("caf? ?");
        QTest::addRow("lone high half at the end")
            << QStringLiteral("x") + QChar(0xD83D) << QStringLiteral("x?");
        QTest::addRow("lone low half") << QChar(0xDE00) + QStringLiteral("y") << QStringLiteral("?y");
        QTest::addRow("halves in the wrong order")
            << QString(QChar(0xDE00)) + QChar(0xD83D) << QStringLiteral("??");
    }
    void codingFollowsTheCodec() {
        QFETCH(QString, text);
        QFETCH(QString, plain);
        const QString coded = Coding(text);
        QCOMPARE(coded, ansi::decode(xorBytes(ansi::encode(text))));
        QCOMPARE(Coding(coded), plain);

        const QString path = m_folder->filePath(QStringLiteral("Players.ini"));
        WriteScrambledText(path, text, WriteMode::Replace);
        QCOMPARE(ReadScrambledText(path), plain);
        QCOMPARE(readBytes(path), ansi::encode(coded));
    }

    void codingKeepsPrintableAwayFromLineBreaks() {
        for (int b = 0x20; b < 0x100; ++b) {
            const QByteArray coded = ansi::encode(Coding(ansi::decode(QByteArray(1, char(b)))));
            QVERIFY2(uchar(coded[0]) >= 0x20, qPrintable(QString::number(b, 16)));
        }
        const QByteArray breaks = ansi::encode(Coding(u"\r\n"));
        QVERIFY(!breaks.contains('\r') && !breaks.contains('\n') && !breaks.contains('\x1A'));
    }

    void read_data() {
        QTest::addColumn<QByteArray>("fileBytes");
        QTest::addColumn<QString>("expected");
        const QByteArray plain = ansi::encode(u"кот|cat\r\nпёс|dog\r\n");
        const QString text = ansi::decode(plain);
        QTest::addRow("empty file") << QByteArray() << QString();
        QTest::addRow("whole file") << xorBytes(plain) << text;
        QTest::addRow("CR LF after it") << xorBytes(plain) + "\r\nrest" << text;
        QTest::addRow("LF after it") << xorBytes(plain) + "\nrest" << text;
        QTest::addRow("0x1A after it") << xorBytes(plain) + "\x1A" + xorBytes("more") << text;
        QTest::addRow("lone CR inside is skipped")
            << xorBytes("ab") + '\r' + xorBytes("cd") << QStringLiteral("abcd");
        QTest::addRow("CR CR LF") << xorBytes("ab") + "\r\r\n" + xorBytes("cd") << QStringLiteral("ab");
        QTest::addRow("CR at the end") << xorBytes("ab") + '\r' << QStringLiteral("ab");
        QTest::addRow("plain text file") << QByteArray("a|b\r\nc|d\r\n") << Coding(u"a|b");
        // The file is read in pieces of 1 MiB; a CR that ends a piece must still see the next byte.
        const QByteArray long1 = xorBytes(QByteArray((1 << 20) - 1, 'x'));
        QTest::addRow("CR LF across pieces") << long1 + "\r\n" + "tail" << QString((1 << 20) - 1, u'x');
        QTest::addRow("lone CR across pieces")
            << long1 + "\r" + xorBytes("y") << QString((1 << 20) - 1, u'x') + u'y';
    }
    void read() {
        QFETCH(QByteArray, fileBytes);
        QFETCH(QString, expected);
        const QString path = m_folder->filePath(QStringLiteral("file.txt"));
        writeBytes(path, fileBytes);
        QCOMPARE(ReadScrambledText(path), expected);
    }

    void readRandomBytes() {
        QRandomGenerator random(20240601);
        const QString path = m_folder->filePath(QStringLiteral("random.bin"));
        for (int round = 0; round < 50; ++round) {
            QByteArray bytes(random.bounded(1, 4000), Qt::Uninitialized);
            for (char& b : bytes)
                b = char(random.bounded(256));
            writeBytes(path, bytes);
            const QString text = ReadScrambledText(path);
            QCOMPARE(ansi::encode(Coding(text)), firstLineOf(bytes));
        }
    }

    // The reader skips whole blocks that hold no line byte: one in any place of a block must still count.
    void readLineByteAtEveryPlace() {
        const QString path = m_folder->filePath(QStringLiteral("placed.bin"));
        for (const char lineByte : {'\n', '\r', '\x1A'}) {
            for (int at = 0; at < 200; ++at) {
                QByteArray bytes = xorBytes(QByteArray(260, 'w'));
                bytes[at] = lineByte;
                writeBytes(path, bytes);
                QCOMPARE(ansi::encode(Coding(ReadScrambledText(path))), firstLineOf(bytes));
            }
        }
    }

    void readFailureNamesTheFile() {
        const QString missing = m_folder->filePath(QStringLiteral("нет.txt"));
        const QString message = failureOf([&] { ReadScrambledText(missing); });
        QCOMPARE(message, QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(missing));
        QVERIFY(!QFileInfo::exists(missing));

        const QString folder = m_folder->filePath(QStringLiteral("folder"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(failureOf([&] { ReadScrambledText(folder); }).contains(folder));
    }

    void readChangesNothingOnDisk() {
        const QString path = m_folder->filePath(QStringLiteral("main.txt"));
        const QByteArray bytes = xorBytes("a|b\r\n") + "\r\njunk";
        writeBytes(path, bytes);
        const QDateTime past = QDateTime::currentDateTimeUtc().addDays(-3);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(past, QFileDevice::FileModificationTime));
        }
        const QStringList before = QDir(m_folder->path()).entryList(QDir::AllEntries | QDir::Hidden);
        ReadScrambledText(path);
        QCOMPARE(readBytes(path), bytes);
        QCOMPARE(QFileInfo(path).lastModified().toUTC().toSecsSinceEpoch(), past.toSecsSinceEpoch());
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    }

    void writeRoundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::addRow("empty") << QString();
        QTest::addRow("one pair") << QStringLiteral("a|b\r\n");
        QTest::addRow("cyrillic") << QStringLiteral("яблоко|apple\r\nЁж|hedgehog\r\n№ «—»\r\n");
        QTest::addRow("no final break") << QStringLiteral("Вася\r\n12\r\n0:03:00");
    }
    void writeRoundTrip() {
        QFETCH(QString, text);
        const QString path = m_folder->filePath(QStringLiteral("User.txt"));
        WriteScrambledText(path, text, WriteMode::Replace);
        const QByteArray bytes = readBytes(path);
        QCOMPARE(bytes, xorBytes(ansi::encode(text)));
        if (!bytes.isEmpty()) {
            const char last = bytes.back();
            QVERIFY(last != '\r' && last != '\n' && last != '\x1A');
        }
        QCOMPARE(ReadScrambledText(path), text);
    }

    void replaceLeavesNothingOfTheOldContent() {
        const QString path = m_folder->filePath(QStringLiteral("Players.ini"));
        WriteScrambledText(path, QStringLiteral("a long old text\r\n"), WriteMode::Replace);
        WriteScrambledText(path, QStringLiteral("new\r\n"), WriteMode::Replace);
        QCOMPARE(ReadScrambledText(path), QStringLiteral("new\r\n"));
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Players.ini"});
    }

    void appendsEqualOneWrite() {
        const QString appended = m_folder->filePath(QStringLiteral("appended.txt"));
        const QString whole = m_folder->filePath(QStringLiteral("whole.txt"));
        writeBytes(appended, {});
        WriteScrambledText(appended, u"x|y\r\n", WriteMode::Append);
        WriteScrambledText(appended, u"z|w\r\n", WriteMode::Append);
        WriteScrambledText(whole, u"x|y\r\nz|w\r\n", WriteMode::Replace);
        QCOMPARE(readBytes(appended), readBytes(whole));
    }

    void readOnlyTargetIsRefused_data() {
        QTest::addColumn<int>("mode");
        QTest::addRow("replace") << int(WriteMode::Replace);
        QTest::addRow("append") << int(WriteMode::Append);
    }
    void readOnlyTargetIsRefused() {
        QFETCH(int, mode);
        const QString path = m_folder->filePath(QStringLiteral("main.txt"));
        const QByteArray old = xorBytes("old|старый\r\n");
        writeBytes(path, old);
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        const QString message = failureOf([&] { WriteScrambledText(path, u"new\r\n", WriteMode(mode)); });
        QVERIFY2(message.contains(u'"' + path + u'"'), qPrintable(message));
        QCOMPARE(readBytes(path), old);
        QVERIFY(!(QFileInfo(path).permissions() & QFileDevice::WriteOwner));
    }

    // A device failing part way: the reader fails unless the line ended before the fault, the writer
    // fails unless every byte went, and both name the file and the device's reason.
    void deviceFailingPartWay() {
        const QByteArray content = xorBytes("abc|def") + "\r\nafter the line";
        const qsizetype lineEnd = content.indexOf('\n') + 1;
        for (qsizetype cut = 0; cut <= content.size(); ++cut) {
            FailingDevice reading(content, cut, QStringLiteral("Input/output error"));
            QVERIFY(reading.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
            QString text;
            const QString readMessage = failureOf([&] { text = ReadScrambledText(reading, "User.txt"); });
            QCOMPARE(readMessage,
                     QString(cut < lineEnd ? "Cannot read file \"User.txt\". Input/output error" : ""));
            QCOMPARE(text, QString(cut < lineEnd ? "" : "abc|def"));

            FailingDevice writing({}, cut, QStringLiteral("Input/output error"));
            QVERIFY(writing.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QString writeMessage = failureOf([&] { files::writeAll(writing, "User.txt", content); });
            QCOMPARE(
                writeMessage,
                QString(cut < content.size() ? "Cannot write file \"User.txt\". Input/output error" : ""));
            QCOMPARE(writing.written(), content.left(cut));
        }
    }

    void appendToMissingFileFails() {
        const QString path = m_folder->filePath(QStringLiteral("User.txt"));
        const QString message = failureOf([&] { WriteScrambledText(path, u"a|b\r\n", WriteMode::Append); });
        QCOMPARE(message, QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(path));
        QVERIFY(!QFileInfo::exists(path));
    }

    void replaceIntoMissingFolderFails() {
        const QString path = m_folder->filePath(QStringLiteral("Save/game.gsv"));
        QVERIFY(failureOf([&] { WriteScrambledText(path, u"x", WriteMode::Replace); }).contains(path));
    }

private:
    std::unique_ptr<QTemporaryDir> m_folder;
};

QTEST_GUILESS_MAIN(tst_words_scrambled)
#include "tst_words_scrambled.moc"
