// SPDX-License-Identifier: GPL-3.0-or-later
// Every writer of a data file, failed on purpose at many points: the old file stays whole (an append
// leaves the old content or the old content and the whole new part), nothing is left beside it, and
// the message names the file.
#include "TestHelpers.h"
#include "WriteFaults.h"
#include "platform/Files.h"
#include "platform/KeyStore.h"
#include "platform/TextCodec.h"
#include "settings/SettingsStore.h"
#include "shared/ScrambledText.h"

#include <QDir>
#include <QTemporaryDir>
#include <functional>

namespace {

struct Writer {
    QString fileName; // in the data folder
    QByteArray old;   // the file's content before the write
    bool appends = false;
    // Runs the write on the file's full path; the message of its failure, empty when it succeeded.
    std::function<QString(const QString& path)> write;
    // The message a failure gives, %1 standing for the path; empty for a writer that reports nothing.
    QString failurePrefix;
};

QByteArray scrambledBytes(const QString& text) {
    return ansi::encode(Coding(text));
}

Writer dictionaryRewrite() {
    return {QStringLiteral("User.txt"), scrambledBytes(QStringLiteral("old|старое\r\nkept|line\r\n")), false,
            [](const QString& path) {
                return failureOf([&] {
                    WriteScrambledText(path, listText({"a|b", "new|line", QString(300, u'w') + "|long"}),
                                       WriteMode::Replace);
                });
            },
            QStringLiteral("\"%1\"")};
}

Writer dictionaryAppend() {
    return {QStringLiteral("User.txt"), scrambledBytes(QStringLiteral("old|line\r\n")), true,
            [](const QString& path) {
                return failureOf([&] { WriteScrambledText(path, u"added|pair\r\n", WriteMode::Append); });
            },
            QStringLiteral("\"%1\"")};
}

Writer keyStoreWrite() {
    const QByteArray old = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\r\n"
                           "\"GameTime\"=hex:11,11,11,11,11,11,61,3f\r\n\"Translation\"=\"EN\\\\RU\"\r\n"
                           "\"BackgroundImage\"=dword:00000000\r\n\r\n";
    return {QStringLiteral("LexiTrainer.reg"), old, false,
            [](const QString& path) {
                KeyStore store(path);
                return failureOf([&] {
                    store.openKey(settings::KeyPath, false);
                    settings::writeTranslation(store, QStringLiteral("a longer direction than before"));
                });
            },
            QStringLiteral("Failed to set data for 'Translation'")};
}

Writer pictureCopy() {
    return {QStringLiteral("BackgroundImage.bmp"), QByteArray("BM old picture"), false,
            [](const QString& path) {
                const QString source = QFileInfo(path).dir().filePath(QStringLiteral("../picked.bmp"));
                return files::copyOverwrite(source, path) ? QString() : QStringLiteral("not copied");
            },
            QString()};
}

// A data folder inside a temporary one, holding the writer's old file and a picture to copy from.
struct Scene {
    QTemporaryDir dir;
    QString folder() const { return dir.filePath(QStringLiteral("data")); }

    void lay(const Writer& writer) const {
        QVERIFY(QDir().mkpath(folder()));
        writeBytes(folder() + QLatin1Char('/') + writer.fileName, writer.old);
        writeBytes(dir.filePath(QStringLiteral("picked.bmp")),
                   QByteArray("BM the new picture, longer") + QByteArray(200, '\x7f'));
    }
};

// What the file holds after a write that went through.
QByteArray contentAfterSuccess(const Writer& writer) {
    Scene scene;
    scene.lay(writer);
    const QString path = scene.folder() + QLatin1Char('/') + writer.fileName;
    const QString message = writer.write(path);
    if (!message.isEmpty())
        qWarning() << message;
    return readBytes(path);
}

using WriterFactory = Writer (*)();

void addWriterRows() {
    QTest::addColumn<WriterFactory>("makeWriter");
    QTest::addRow("dictionary rewrite") << WriterFactory(&dictionaryRewrite);
    QTest::addRow("dictionary append") << WriterFactory(&dictionaryAppend);
    QTest::addRow("key store") << WriterFactory(&keyStoreWrite);
    QTest::addRow("background picture copy") << WriterFactory(&pictureCopy);
}

} // namespace

Q_DECLARE_METATYPE(WriterFactory)

class TestFailuresWriters : public QObject {
    Q_OBJECT

private:
    static void checkMessage(const Writer& writer, const QString& message, const QString& path) {
        QVERIFY2(!message.isEmpty(), "the write was to fail");
        if (!writer.failurePrefix.isEmpty())
            QVERIFY2(message.contains(writer.failurePrefix.arg(path)), qPrintable(message));
    }

private slots:
    void cutAtEveryChunk_data() { addWriterRows(); }
    void cutAtEveryChunk() {
        QFETCH(WriterFactory, makeWriter);
        const Writer writer = makeWriter();
        const QByteArray done = contentAfterSuccess(writer);
        QVERIFY(done != writer.old);
        // A replace writes the whole content to a new file; an append grows the old one.
        const qint64 base = writer.appends ? writer.old.size() : 0;
        const qint64 newPart = writer.appends ? done.size() - writer.old.size() : done.size();
        for (const qint64 cut : cutPoints(newPart)) {
            Scene scene;
            scene.lay(writer);
            const QString path = scene.folder() + QLatin1Char('/') + writer.fileName;
            const QStringList before = folderEntries(scene.folder());
            QString message;
            {
                const FileSizeLimit limit(base + cut);
                message = writer.write(path);
            }
            const QByteArray where = "cut after " + QByteArray::number(cut) + " bytes";
            QVERIFY2(!message.isEmpty(), where);
            checkMessage(writer, message, path);
            QVERIFY2(readBytes(path) == writer.old, where);
            QVERIFY2(folderEntries(scene.folder()) == before, where);
        }
    }

    void folderRefuses_data() {
        QTest::addColumn<WriterFactory>("makeWriter");
        QTest::addColumn<int>("fault");
        const QList<std::pair<const char*, WriterFactory>> writers = {
            {"dictionary rewrite", &dictionaryRewrite},
            {"dictionary append", &dictionaryAppend},
            {"key store", &keyStoreWrite},
            {"background picture copy", &pictureCopy}};
        for (const auto& [name, factory] : writers) {
            QTest::addRow("%s, read-only folder", name) << factory << int(FolderFault::ReadOnly);
            QTest::addRow("%s, target is a folder", name) << factory << int(FolderFault::TargetIsFolder);
            QTest::addRow("%s, folder vanished", name) << factory << int(FolderFault::Vanished);
        }
    }
    void folderRefuses() {
        QFETCH(WriterFactory, makeWriter);
        QFETCH(int, fault);
        const Writer writer = makeWriter();
        const QByteArray done = contentAfterSuccess(writer);
        Scene scene;
        scene.lay(writer);
        const QString path = scene.folder() + QLatin1Char('/') + writer.fileName;

        switch (FolderFault(fault)) {
        case FolderFault::ReadOnly: {
            QVERIFY(QFile::setPermissions(scene.folder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            const QStringList before = folderEntries(scene.folder());
            QString message;
            {
                const OrdinaryPermissions ordinary;
                message = writer.write(path);
            }
            QVERIFY(QFile::setPermissions(scene.folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                              QFileDevice::ExeOwner));
            // The file itself may still grow; a new file beside it cannot be made.
            if (writer.appends) {
                QCOMPARE(message, QString());
                QCOMPARE(readBytes(path), done);
            } else {
                checkMessage(writer, message, path);
                QCOMPARE(readBytes(path), writer.old);
            }
            QCOMPARE(folderEntries(scene.folder()), before);
            break;
        }
        case FolderFault::TargetIsFolder: {
            QVERIFY(QFile::remove(path));
            QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
            checkMessage(writer, writer.write(path), path);
            QVERIFY(QFileInfo(path).isDir());
            QCOMPARE(folderEntries(path), QStringList{"inside"});
            break;
        }
        case FolderFault::Vanished:
            QVERIFY(QDir(scene.folder()).removeRecursively());
            checkMessage(writer, writer.write(path), path);
            QVERIFY(!QFileInfo::exists(scene.folder()));
            break;
        }
    }
};

QTEST_GUILESS_MAIN(TestFailuresWriters)
#include "tst_failures_writers.moc"
