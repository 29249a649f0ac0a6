// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestHelpers.h"
#include "platform/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

namespace {

QStringList sorted(QStringList names) {
    names.sort();
    return names;
}

} // namespace

class FilesTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        for (const char* name : {"a.gsv", ".hidden.gsv", "B.GSV", "игра.gsv", "note.txt", "gsv", "a.gsv.bak",
                                 "a+b.gsv", "aXgsv"})
            writeBytes(path(QString::fromUtf8(name)), "x");
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("x.gsv")));
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("sub")));
    }

    void listFolder_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("names");
        QTest::addRow("saved games, hidden and folder too")
            << QStringLiteral("*.gsv")
            << QStringList{".hidden.gsv", "B.GSV", "a+b.gsv", "a.gsv", "x.gsv", QStringLiteral("игра.gsv")};
        QTest::addRow("pattern case ignored")
            << QStringLiteral("*.GSV")
            << QStringList{".hidden.gsv", "B.GSV", "a+b.gsv", "a.gsv", "x.gsv", QStringLiteral("игра.gsv")};
        QTest::addRow("one character") << QStringLiteral("?.gsv") << QStringList{"B.GSV", "a.gsv", "x.gsv"};
        QTest::addRow("dot is literal") << QStringLiteral("a.g?v") << QStringList{"a.gsv"};
        QTest::addRow("plus is literal") << QStringLiteral("a+b.*") << QStringList{"a+b.gsv"};
        QTest::addRow("Cyrillic name") << QStringLiteral("ИГРА.*") << QStringList{QStringLiteral("игра.gsv")};
    }
    void listFolder() {
        QFETCH(QString, pattern);
        QFETCH(QStringList, names);
        QCOMPARE(sorted(files::listFolder(m_dir.path(), pattern)), sorted(names));
    }

    void listFolderKeepsTheFileSystemOrder() {
        const QStringList all = files::listFolder(m_dir.path(), QStringLiteral("*"));
        const QStringList unsorted =
            QDir(m_dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                           QDir::Unsorted);
        QCOMPARE(all, unsorted);
    }

    void listMissingFolderIsEmpty() {
        QVERIFY(files::listFolder(path(QStringLiteral("missing")), QStringLiteral("*.gsv")).isEmpty());
    }

    void copyOverwriteReplacesTarget() {
        writeBytes(path(QStringLiteral("from.bmp")), QByteArray("new\0picture", 11));
        writeBytes(path(QStringLiteral("to.bmp")), "an older and longer picture");
        QVERIFY(files::copyOverwrite(path(QStringLiteral("from.bmp")), path(QStringLiteral("to.bmp"))));
        QCOMPARE(readBytes(path(QStringLiteral("to.bmp"))), QByteArray("new\0picture", 11));
        QVERIFY(files::copyOverwrite(path(QStringLiteral("from.bmp")), path(QStringLiteral("fresh.bmp"))));
        QCOMPARE(readBytes(path(QStringLiteral("fresh.bmp"))), QByteArray("new\0picture", 11));
    }

    void failedCopyLeavesTargetWhole_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("readOnlyTarget");
        QTest::addRow("missing source") << QStringLiteral("none.bmp") << QStringLiteral("kept.bmp") << false;
        QTest::addRow("source is a folder") << QStringLiteral("sub") << QStringLiteral("kept.bmp") << false;
        QTest::addRow("read-only target") << QStringLiteral("from.bmp") << QStringLiteral("kept.bmp") << true;
        QTest::addRow("target is a folder") << QStringLiteral("from.bmp") << QStringLiteral("x.gsv") << false;
        QTest::addRow("target folder missing")
            << QStringLiteral("from.bmp") << QStringLiteral("missing/kept.bmp") << false;
    }
    void failedCopyLeavesTargetWhole() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, readOnlyTarget);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir(QStringLiteral("sub"));
        QDir(dir.path()).mkdir(QStringLiteral("x.gsv"));
        writeBytes(dir.filePath(QStringLiteral("from.bmp")), "new");
        writeBytes(dir.filePath(QStringLiteral("kept.bmp")), "old");
        if (readOnlyTarget)
            QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("kept.bmp")), QFileDevice::ReadOwner));
        const QStringList before = sorted(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden));

        QCOMPARE(files::copyOverwrite(dir.filePath(from), dir.filePath(to)), false);
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("kept.bmp"))), QByteArray("old"));
        QCOMPARE(sorted(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden)), before);
    }

    void replaceFileWritesWholeAndLeavesNothingBeside() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Players.ini"));
        files::replaceFile(file, QByteArray("first\0content", 13));
        QCOMPARE(readBytes(file), QByteArray("first\0content", 13));
        files::replaceFile(file, "2nd");
        QCOMPARE(readBytes(file), QByteArray("2nd"));
        files::replaceFile(file, QByteArray());
        QCOMPARE(readBytes(file), QByteArray());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Players.ini"});
    }

    void failedReplaceKeepsTheOldFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("sizeLimit"); // 0: none
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("message");
        QTest::addRow("read-only") << QStringLiteral("kept.bmp") << 0 << 10
                                   << QStringLiteral("Cannot create file \"%1\". Permission denied");
        QTest::addRow("size limit, short write")
            << QStringLiteral("old.txt") << 1000 << 1500
            << QStringLiteral("Cannot write file \"%1\". File too large");
        QTest::addRow("size limit, large write")
            << QStringLiteral("old.txt") << 1000 << 300000
            << QStringLiteral("Cannot write file \"%1\". File too large");
        QTest::addRow("target is a folder") << QStringLiteral("sub") << 0 << 10
                                            << QStringLiteral("Cannot create file \"%1\". Is a directory");
        QTest::addRow("folder missing")
            << QStringLiteral("missing/new.txt") << 0 << 10
            << QStringLiteral("Cannot create file \"%1\". No such file or directory");
    }
    void failedReplaceKeepsTheOldFile() {
        QFETCH(QString, name);
        QFETCH(int, sizeLimit);
        QFETCH(int, size);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        writeBytes(dir.filePath(QStringLiteral("old.txt")), "old");
        writeBytes(dir.filePath(QStringLiteral("kept.bmp")), "old");
        QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("kept.bmp")), QFileDevice::ReadOwner));
        const QStringList before = sorted(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden));
        const QString path = dir.filePath(name);

        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (sizeLimit) {
            rlimit limited = old;
            limited.rlim_cur = rlim_t(sizeLimit);
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        }
        const QString got = failureOf([&] { files::replaceFile(path, QByteArray(size, 'n')); });
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(got, message.arg(path));
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("old.txt"))), QByteArray("old"));
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("kept.bmp"))), QByteArray("old"));
        QCOMPARE(QFile::permissions(dir.filePath(QStringLiteral("kept.bmp"))) & QFileDevice::WriteOwner, 0);
        QCOMPARE(sorted(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden)), before);
    }

    void appendFile() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("User.txt"));
        QCOMPARE(failureOf([&] { files::appendFile(file, "x"); }),
                 QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(file));
        QVERIFY(!QFile::exists(file));

        writeBytes(file, "old");
        files::appendFile(file, "+new");
        QCOMPARE(readBytes(file), QByteArray("old+new"));

        // Cut short by the size limit: what fitted stays, and the reason is the system's.
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = old;
        limited.rlim_cur = 10;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        const QString message = failureOf([&] { files::appendFile(file, QByteArray(100, 'n')); });
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(message, QStringLiteral("Cannot write file \"%1\". File too large").arg(file));
        QCOMPARE(readBytes(file), QByteArray("old+newnnn"));

        QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner));
        QCOMPARE(failureOf([&] { files::appendFile(file, "x"); }),
                 QStringLiteral("Cannot open file \"%1\". Permission denied").arg(file));
        QCOMPARE(readBytes(file), QByteArray("old+newnnn"));
    }

    void readingAMissingFileFailsTheTest() {
        QEXPECT_FAIL("", "the file is not there", Continue);
        const QByteArray bytes = readBytes(path(QStringLiteral("vanished.txt")));
        QVERIFY(!bytes.isEmpty()); // and a comparison with no content cannot pass either
    }

    void resetAttributesMakesWritable() {
        const QString file = path(QStringLiteral("Players.ini"));
        writeBytes(file, "text");
        QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        files::resetAttributes(file);
        QCOMPARE(QFile::permissions(file) & QFileDevice::WriteOwner, QFileDevice::WriteOwner);
        QCOMPARE(QFile::permissions(file) & QFileDevice::ReadGroup, QFileDevice::ReadGroup);
        QCOMPARE(readBytes(file), QByteArray("text"));

        const QString missing = path(QStringLiteral("none.ini"));
        files::resetAttributes(missing);
        QVERIFY(!QFile::exists(missing));
    }
};

QTEST_GUILESS_MAIN(FilesTest)
#include "tst_files.moc"
