// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestHelpers.h"
#include "platform/Failure.h"
#include "platform/KeyStore.h"
#include "platform/ProgramFolder.h"
#include "platform/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace {

const QString Key = QStringLiteral("SoftWare\\LexiTrainer");

} // namespace

class TestKeyStore : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_path;

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("LexiTrainer.reg"));
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QFile::remove(m_path);
    }

    void firstWriteCreatesTheFile() {
        KeyStore store(m_path);
        QVERIFY(!store.openKey(Key, false));
        QVERIFY(!QFile::exists(m_path)); // looking changes nothing
        QVERIFY(store.openKey(Key, true));
        store.writeBinaryData(QStringLiteral("GameTime"), QByteArray::fromHex("0000000000000000"));
        store.writeString(QStringLiteral("Translation"), QStringLiteral("EN\\RU"));
        store.writeInteger(QStringLiteral("BackgroundImage"), 31);
        QCOMPARE(readBytes(m_path), QByteArray("REGEDIT4\r\n"
                                               "\r\n"
                                               "[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\r\n"
                                               "\"GameTime\"=hex:00,00,00,00,00,00,00,00\r\n"
                                               "\"Translation\"=\"EN\\\\RU\"\r\n"
                                               "\"BackgroundImage\"=dword:0000001f\r\n"
                                               "\r\n"));
    }

    void roundTrip_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QByteArray>("line"); // what the file holds for it; empty: not checked
        QTest::addRow("binary") << QVariant(QByteArray::fromHex("00ff7f80"))
                                << QByteArray("=hex:00,ff,7f,80");
        QTest::addRow("binary empty") << QVariant(QByteArray()) << QByteArray("=hex:\r\n");
        QTest::addRow("binary long") << QVariant(QByteArray(300, '\xab')) << QByteArray(",\\\r\n  ab,ab");
        QTest::addRow("string") << QVariant(QStringLiteral("EN\\RU")) << QByteArray("=\"EN\\\\RU\"");
        QTest::addRow("string quotes") << QVariant(QStringLiteral("a \"b\" \\\\c\\")) << QByteArray();
        QTest::addRow("string empty") << QVariant(QString()) << QByteArray("=\"\"");
        QTest::addRow("string cyrillic")
            << QVariant(QStringLiteral("Англо\\Русский")) << QByteArray("=\"\xc0\xed\xe3\xeb\xee\\\\");
        QTest::addRow("string line break")
            << QVariant(QStringLiteral("one\r\ntwo")) << QByteArray("=hex(1):6f,00");
        QTest::addRow("dword") << QVariant(qint32(0)) << QByteArray("=dword:00000000");
        QTest::addRow("dword negative") << QVariant(qint32(-2)) << QByteArray("=dword:fffffffe");
    }

    void roundTrip() {
        QFETCH(QVariant, value);
        QFETCH(QByteArray, line);
        const QString name = QStringLiteral("Имя \"в\" \\кавычках");
        {
            KeyStore store(m_path);
            QVERIFY(store.openKey(Key, true));
            if (value.typeId() == QMetaType::QByteArray)
                store.writeBinaryData(name, value.toByteArray());
            else if (value.typeId() == QMetaType::QString)
                store.writeString(name, value.toString());
            else
                store.writeInteger(name, value.toInt());
        }
        KeyStore store(m_path);
        QVERIFY(store.openKey(Key, false));
        QVERIFY(store.valueExists(name));
        if (value.typeId() == QMetaType::QByteArray)
            QCOMPARE(store.readBinaryData(name), value.toByteArray());
        else if (value.typeId() == QMetaType::QString)
            QCOMPARE(store.readString(name), value.toString());
        else
            QCOMPARE(store.readInteger(name), value.toInt());
        QVERIFY2(readBytes(m_path).contains(line), readBytes(m_path).constData());
    }

    void readsWhatEditorsWrite_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint32>("number");
        QTest::addColumn<QByteArray>("binary");
        const QByteArray values = "\"Text\"=\"a\\\\b\"\n\"Number\"=dword:0000ffff\n\"Binary\"=hex:01,02\n";
        QTest::addRow("LF line ends") << "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\n" + values
                                      << Key << QStringLiteral("a\\b") << 0xffff << QByteArray("\x01\x02");
        QTest::addRow("version 5 header, no final line end")
            << QByteArray("Windows Registry Editor Version "
                          "5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\r\n"
                          "\"Text\"=\"x\"\r\n\"Number\"=dword:1\r\n\"Binary\"=hex:")
            << Key << QStringLiteral("x") << 1 << QByteArray();
        QTest::addRow("names in other case")
            << QByteArray("REGEDIT4\r\n\r\n[hkey_local_machine\\SOFTWARE\\lexitrainer]\r\n\"TEXT\"=\"y\"\r\n"
                          "\"number\"=dword:00000002\r\n\"bInArY\"=hex:ff\r\n")
            << QStringLiteral("software\\LEXITRAINER") << QStringLiteral("y") << 2 << QByteArray("\xff");
        QTest::addRow("continuation, expandable string, comments")
            << QByteArray(
                   "REGEDIT4\r\n; written by hand\r\n\r\n[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\r\n"
                   "\"Text\"=hex(2):25,00,41,00,1f,04,00,00\r\n"
                   "; the number\r\n\"Number\"=hex(4):03,00,00,00\r\n"
                   "\"Binary\"=hex:01,02,\\\r\n  03,\\\r\n  04\r\n")
            << Key << QStringLiteral("%A\u041f") << 3 << QByteArray("\x01\x02\x03\x04");
        QTest::addRow("windows-1251 text")
            << QByteArray("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\r\n"
                          "\"Text\"=\"\xd0\xf3\xf1\xf1\xea\xee\xe5\"\r\n"
                          "\"Number\"=dword:ffffffff\r\n\"Binary\"=hex:\r\n")
            << Key << QStringLiteral("Русское") << -1 << QByteArray();
        QTest::addRow("parent key of a section")
            << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer\\Sub]\r\n\"Other\"=\"z\"\r\n"
               "[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\r\n" +
                   values
            << Key << QStringLiteral("a\\b") << 0xffff << QByteArray("\x01\x02");
    }

    void readsWhatEditorsWrite() {
        QFETCH(QByteArray, file);
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(qint32, number);
        QFETCH(QByteArray, binary);
        writeBytes(m_path, file);
        KeyStore store(m_path);
        QVERIFY(store.openKey(key, false));
        QCOMPARE(store.readString(QStringLiteral("text")), text);
        QCOMPARE(store.readInteger(QStringLiteral("NUMBER")), number);
        QCOMPARE(store.readBinaryData(QStringLiteral("Binary")), binary);
        QCOMPARE(readBytes(m_path), file);
    }

    void namesKeepTheirFirstSpelling() {
        KeyStore store(m_path);
        QVERIFY(store.openKey(Key, true));
        store.writeString(QStringLiteral("Translation"), QStringLiteral("EN\\RU"));
        QVERIFY(store.openKey(QStringLiteral("SOFTWARE\\lexitrainer"), true));
        store.writeString(QStringLiteral("TRANSLATION"), QStringLiteral("RU\\EN"));
        QCOMPARE(store.readString(QStringLiteral("translation")), QStringLiteral("RU\\EN"));
        const QByteArray bytes = readBytes(m_path);
        QCOMPARE(bytes.count("[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]"), 1);
        QCOMPARE(bytes.count("LexiTrainer"), 1);
        QVERIFY(bytes.contains("\"Translation\"=\"RU\\\\EN\"\r\n"));
        QVERIFY(!bytes.contains("TRANSLATION"));
    }

    void writeKeepsEverythingElse() {
        const QByteArray before = "REGEDIT4\n"
                                  "; kept by hand\n"
                                  "\n"
                                  "[HKEY_CURRENT_USER\\SoftWare\\LexiTrainer]\n"
                                  "\"GameTime\"=hex:01\n"
                                  "\n"
                                  "[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\n"
                                  "@=\"default\"\n"
                                  "\"gametime\"=hex:00,00,00,00,\\\n"
                                  "  00,00,00,00\n"
                                  "\"Odd\"=hex(7):61,00,00,00,00,00\n"
                                  "\"Path\"=\"C:\\\\\"\n"
                                  "\n"
                                  "[HKEY_LOCAL_MACHINE\\SoftWare\\Other]\n"
                                  "\"Translation\"=\"keep\"";
        writeBytes(m_path, before);
        KeyStore store(m_path);
        QVERIFY(store.openKey(Key, false));
        store.writeBinaryData(QStringLiteral("GameTime"), QByteArray(8, '\x11'));
        store.writeString(QStringLiteral("Translation"), QStringLiteral("EN\\RU"));
        QVERIFY(store.openKey(QStringLiteral("SoftWare\\New"), true));
        QCOMPARE(readBytes(m_path), QByteArray("REGEDIT4\n"
                                               "; kept by hand\n"
                                               "\n"
                                               "[HKEY_CURRENT_USER\\SoftWare\\LexiTrainer]\n"
                                               "\"GameTime\"=hex:01\n"
                                               "\n"
                                               "[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\n"
                                               "@=\"default\"\n"
                                               "\"gametime\"=hex:11,11,11,11,11,11,11,11\n"
                                               "\"Odd\"=hex(7):61,00,00,00,00,00\n"
                                               "\"Path\"=\"C:\\\\\"\n"
                                               "\"Translation\"=\"EN\\\\RU\"\n"
                                               "\n"
                                               "[HKEY_LOCAL_MACHINE\\SoftWare\\Other]\n"
                                               "\"Translation\"=\"keep\"\n"
                                               "\n"
                                               "[HKEY_LOCAL_MACHINE\\SoftWare\\New]\n"
                                               "\n"));
        QVERIFY(store.openKey(Key, false));
        QCOMPARE(store.readString(QString()), QStringLiteral("default"));
        QCOMPARE(store.readString(QStringLiteral("Path")), QStringLiteral("C:\\"));
        QCOMPARE(failureOf([&] { store.readString(QStringLiteral("Odd")); }),
                 QStringLiteral("Invalid data type for 'Odd'"));
    }

    void unusableFileIsNeverReplaced_data() {
        QTest::addColumn<QByteArray>("file");
        const QByteArray header = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\r\n";
        QTest::addRow("unknown header")
            << QByteArray("REGEDIT5\r\n\r\n[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\r\n");
        QTest::addRow("utf-16 export") << QByteArray("\xff\xfeW\0i\0n\0", 8);
        QByteArray noise(4096, Qt::Uninitialized);
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919 + 13) % 251);
        QTest::addRow("random bytes") << noise;
        QTest::addRow("text before a section") << QByteArray("REGEDIT4\r\n\"GameTime\"=dword:1\r\n");
        QTest::addRow("stray line") << header + "GameTime=1\r\n";
        QTest::addRow("open string") << header + "\"Translation\"=\"EN\\\\RU\r\n";
        QTest::addRow("open name") << header + "\"Translation=\"EN\"\r\n";
        QTest::addRow("text after string") << header + "\"Translation\"=\"EN\" x\r\n";
        QTest::addRow("dword too long") << header + "\"BackgroundImage\"=dword:000000001\r\n";
        QTest::addRow("dword not hex") << header + "\"BackgroundImage\"=dword:0000000g\r\n";
        QTest::addRow("bad byte") << header + "\"GameTime\"=hex:00,100\r\n";
        QTest::addRow("missing byte") << header + "\"GameTime\"=hex:00,,01\r\n";
        QTest::addRow("continuation at end") << header + "\"GameTime\"=hex:00,\\\r\n";
        QTest::addRow("deletion") << header + "\"GameTime\"=-\r\n";
        QTest::addRow("unclosed section") << QByteArray("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SoftWare\r\n");
    }

    void unusableFileIsNeverReplaced() {
        QFETCH(QByteArray, file);
        // A store opened while the file was still sound meets the damage on its next step.
        writeBytes(
            m_path,
            "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\r\n\"Translation\"=\"EN\"\r\n");
        KeyStore opened(m_path);
        QVERIFY(opened.openKey(Key, false));
        writeBytes(m_path, file);

        KeyStore store(m_path);
        QVERIFY(!store.openKey(Key, false));
        QCOMPARE(failureOf([&] { store.openKey(Key, true); }),
                 QStringLiteral("Failed to create key SoftWare\\LexiTrainer"));
        QVERIFY(!opened.valueExists(QStringLiteral("Translation")));
        QCOMPARE(failureOf([&] { opened.readString(QStringLiteral("Translation")); }),
                 QStringLiteral("Failed to get data for 'Translation'"));
        QCOMPARE(failureOf([&] { opened.writeString(QStringLiteral("Translation"), QStringLiteral("RU")); }),
                 QStringLiteral("Failed to set data for 'Translation'"));
        QCOMPARE(readBytes(m_path), file);
    }

    void emptyFileIsAnEmptyStore() {
        writeBytes(m_path, QByteArray());
        KeyStore store(m_path);
        QVERIFY(!store.openKey(Key, false));
        QCOMPARE(readBytes(m_path), QByteArray());
        QVERIFY(store.openKey(Key, true));
        QVERIFY(
            readBytes(m_path).startsWith("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\r\n"));
    }

    void wrongTypeOrMissing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("reader"); // 0 binary, 1 string, 2 integer
        QTest::addColumn<QString>("message");
        QTest::addRow("string as integer")
            << QStringLiteral("S") << 2 << QStringLiteral("Invalid data type for 'S'");
        QTest::addRow("string as binary")
            << QStringLiteral("S") << 0 << QStringLiteral("Invalid data type for 'S'");
        QTest::addRow("dword as string")
            << QStringLiteral("D") << 1 << QStringLiteral("Invalid data type for 'D'");
        QTest::addRow("dword as binary")
            << QStringLiteral("D") << 0 << QStringLiteral("Invalid data type for 'D'");
        QTest::addRow("binary as integer")
            << QStringLiteral("B") << 2 << QStringLiteral("Invalid data type for 'B'");
        QTest::addRow("short hex(4) as integer")
            << QStringLiteral("Short") << 2 << QStringLiteral("Invalid data type for 'Short'");
        QTest::addRow("typed binary as binary")
            << QStringLiteral("Typed") << 0 << QStringLiteral("Invalid data type for 'Typed'");
        QTest::addRow("missing") << QStringLiteral("GameTime") << 0
                                 << QStringLiteral("Failed to get data for 'GameTime'");
    }

    void wrongTypeOrMissing() {
        QFETCH(QString, name);
        QFETCH(int, reader);
        QFETCH(QString, message);
        writeBytes(m_path, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\r\n\"S\"=\"1\"\r\n"
                           "\"D\"=dword:00000001\r\n\"B\"=hex:01,00,00,00\r\n\"Short\"=hex(4):01,00,00\r\n"
                           "\"Typed\"=hex(0):01\r\n");
        KeyStore store(m_path);
        QVERIFY(store.openKey(Key, false));
        QCOMPARE(failureOf([&] {
                     if (reader == 0)
                         store.readBinaryData(name);
                     else if (reader == 1)
                         store.readString(name);
                     else
                         store.readInteger(name);
                 }),
                 message);
    }

    void noOpenKey() {
        KeyStore store(m_path);
        QVERIFY(!store.openKey(Key, false));
        QVERIFY(!store.valueExists(QStringLiteral("GameTime")));
        QCOMPARE(failureOf([&] { store.readInteger(QStringLiteral("GameTime")); }),
                 QStringLiteral("Failed to get data for 'GameTime'"));
        QCOMPARE(failureOf([&] { store.writeInteger(QStringLiteral("GameTime"), 1); }),
                 QStringLiteral("Failed to set data for 'GameTime'"));
        QVERIFY(!QFile::exists(m_path));
    }

    void readOnlyFileIsNotReplaced() {
        const QByteArray before =
            "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\r\n\"Translation\"=\"EN\\\\RU\"\r\n";
        writeBytes(m_path, before);
        QVERIFY(QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::ReadUser));
        KeyStore store(m_path);
        QVERIFY(store.openKey(Key, true));
        QCOMPARE(store.readString(QStringLiteral("Translation")), QStringLiteral("EN\\RU"));
        QCOMPARE(
            failureOf([&] { store.writeString(QStringLiteral("Translation"), QStringLiteral("RU\\EN")); }),
            QStringLiteral("Failed to set data for 'Translation'"));
        QCOMPARE(failureOf([&] { store.openKey(QStringLiteral("SoftWare\\Other"), true); }),
                 QStringLiteral("Failed to create key SoftWare\\Other"));
        QCOMPARE(readBytes(m_path), before);
    }

    void missingFolderFails() {
        KeyStore store(m_dir.filePath(QStringLiteral("missing/LexiTrainer.reg")));
        QCOMPARE(failureOf([&] { store.openKey(Key, true); }),
                 QStringLiteral("Failed to create key SoftWare\\LexiTrainer"));
    }

    void failedWriteLeavesTheOldFile_data() {
        QTest::addColumn<int>("size");
        QTest::addRow("buffered") << 1000;
        QTest::addRow("written through") << 40000;
    }

    void failedWriteLeavesTheOldFile() {
        QFETCH(int, size);
        const QByteArray before =
            "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\r\n\"Translation\"=\"EN\\\\RU\"\r\n";
        writeBytes(m_path, before);
        KeyStore store(m_path);
        QVERIFY(store.openKey(Key, false));
        // The file system refuses the new content part way: the size limit stops the write at 1 KiB.
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = old;
        limited.rlim_cur = 1024;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        const QString message =
            failureOf([&] { store.writeBinaryData(QStringLiteral("Picture"), QByteArray(size, 'x')); });
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(message, QStringLiteral("Failed to set data for 'Picture'"));
        QCOMPARE(readBytes(m_path), before);
        QCOMPARE(m_dir.path() + QStringLiteral("/LexiTrainer.reg"), m_path);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1); // no leftovers
    }

    void defaultPathFollowsTheEnvironment() {
        const ProgramFolder folder(m_dir.path());
        qputenv("LEXITRAINER_REGISTRY", "/somewhere/else.reg");
        QCOMPARE(KeyStore::defaultPath(folder), QStringLiteral("/somewhere/else.reg"));
        qunsetenv("LEXITRAINER_REGISTRY");
        QCOMPARE(KeyStore::defaultPath(folder), m_dir.path() + QStringLiteral("/LexiTrainer.reg"));
    }
};

QTEST_GUILESS_MAIN(TestKeyStore)
#include "tst_platform_keystore.moc"
