// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestHelpers.h"
#include "platform/Failure.h"
#include "platform/KeyStore.h"
#include "platform/ProgramFolder.h"
#include "settings/SettingsStore.h"
#include "shared/TimeValue.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <bit>
#include <functional>
#include <limits>
#include <optional>

namespace {

const QByteArray Section = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\r\n";

QByteArray dayBytes(double days) {
    QByteArray bytes(8, Qt::Uninitialized);
    qToLittleEndian<quint64>(std::bit_cast<quint64>(days), bytes.data());
    return bytes;
}

QByteArray hexLine(const QByteArray& bytes) {
    QByteArray line = "hex:";
    for (qsizetype i = 0; i < bytes.size(); ++i)
        line += (i ? "," : "") + bytes.mid(i, 1).toHex();
    return line;
}

struct RecordingTarget : SettingsTarget {
    std::optional<double> gameTime;
    std::optional<QString> direction;
    QStringList background; // "load <path>" and "clear", in order
    bool failLoading = false;

    void setGameTime(double value) override { gameTime = value; }
    void setDirection(const QString& value) override { direction = value; }
    void loadBackground(const QString& path) override {
        background.append(QStringLiteral("load ") + path);
        if (failLoading)
            throw Failure(QStringLiteral("Bitmap image is not valid"));
    }
    void clearBackground() override { background.append(QStringLiteral("clear")); }
};

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir; // the program's folder
    const ProgramFolder m_folder{m_dir.path()};
    QString m_path;
    const QString m_picture = m_folder.file(u"BackgroundImage.bmp");

    void writeFile(const QByteArray& bytes) {
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("LexiTrainer.reg"));
        QFile::remove(m_path);
        QFile::remove(m_picture);
    }

    void cleanup() { QFile::remove(m_picture); }

    void firstStartWritesTheDefaults() {
        KeyStore store(m_path);
        RecordingTarget target;
        settings::LoadRegistrySetings(store, m_folder, target);
        QCOMPARE(target.gameTime.value_or(-1), timevalue::fromHms(0, 3, 0));
        QCOMPARE(timevalue::toText(*target.gameTime), QStringLiteral("0:03:00"));
        QCOMPARE(target.direction.value_or(QString()), QStringLiteral("EN\\RU"));
        QCOMPARE(target.background, QStringList());

        const QByteArray written = readBytes(m_path);
        QCOMPARE(written,
                 Section + "\"GameTime\"=" + hexLine(dayBytes(3.0 / 1440)) +
                     "\r\n\"Translation\"=\"EN\\\\RU\"\r\n\"BackgroundImage\"=dword:00000000\r\n\r\n");

        // The second start finds them and writes nothing.
        RecordingTarget again;
        settings::LoadRegistrySetings(store, m_folder, again);
        QCOMPARE(again.gameTime.value_or(-1), target.gameTime.value_or(-2));
        QCOMPARE(again.direction.value_or(QString()), QStringLiteral("EN\\RU"));
        QCOMPARE(readBytes(m_path), written);
    }

    void storedValuesAreApplied_data() {
        QTest::addColumn<double>("gameTime");
        QTest::addColumn<QString>("translation");
        QTest::addColumn<int>("background");
        QTest::addColumn<bool>("pictureExists");
        QTest::addColumn<QStringList>("applied");
        const QString load = QStringLiteral("load ") + m_picture;
        QTest::addRow("whole-day part kept")
            << 39147.0 + timevalue::fromHms(1, 5, 9) << QStringLiteral("RU\\EN") << 0 << true
            << QStringList{QStringLiteral("clear")};
        QTest::addRow("odd direction as stored")
            << 0.0 << QStringLiteral("de\\fr") << 0 << false << QStringList{QStringLiteral("clear")};
        QTest::addRow("picture on, file present")
            << 1.0 << QStringLiteral("EN\\RU") << 1 << true << QStringList{load};
        QTest::addRow("any non-zero is on")
            << 1.0 << QStringLiteral("EN\\RU") << -7 << true << QStringList{load};
        QTest::addRow("picture on, file missing")
            << 1.0 << QStringLiteral("EN\\RU") << 1 << false << QStringList();
    }

    void storedValuesAreApplied() {
        QFETCH(double, gameTime);
        QFETCH(QString, translation);
        QFETCH(int, background);
        QFETCH(bool, pictureExists);
        QFETCH(QStringList, applied);
        KeyStore store(m_path);
        QVERIFY(store.openKey(settings::KeyPath, true));
        settings::writeGameTime(store, gameTime);
        settings::writeTranslation(store, translation);
        store.writeInteger(QStringLiteral("BackgroundImage"), background);
        store.closeKey();
        if (pictureExists) {
            QFile picture(m_picture);
            QVERIFY(picture.open(QIODevice::WriteOnly));
        }
        const QByteArray before = readBytes(m_path);

        RecordingTarget target;
        settings::LoadRegistrySetings(store, m_folder, target);
        QCOMPARE(target.gameTime.value_or(-1), gameTime);
        QCOMPARE(target.direction.value_or(QString()), translation);
        QCOMPARE(target.background, applied);
        QCOMPARE(readBytes(m_path), before);
    }

    void failureStopsAtItsStep_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("gameTimeApplied");
        QTest::addColumn<bool>("directionApplied");
        const QByteArray gameTime = "\"GameTime\"=" + hexLine(dayBytes(0.5)) + "\r\n";
        QTest::addRow("game time as dword")
            << Section + "\"GameTime\"=dword:00000001\r\n"
            << QStringLiteral("Invalid data type for 'GameTime'") << false << false;
        QTest::addRow("game time of 4 bytes")
            << Section + "\"GameTime\"=hex:00,00,00,00\r\n"
            << QStringLiteral("Invalid data type for 'GameTime'") << false << false;
        QTest::addRow("game time not a number")
            << Section + "\"GameTime\"=" + hexLine(dayBytes(std::numeric_limits<double>::quiet_NaN())) +
                   "\r\n"
            << QStringLiteral("Invalid data type for 'GameTime'") << false << false;
        QTest::addRow("translation as binary")
            << Section + gameTime + "\"Translation\"=hex:45,4e\r\n"
            << QStringLiteral("Invalid data type for 'Translation'") << true << false;
        QTest::addRow("background as string")
            << Section + gameTime + "\"Translation\"=\"EN\\\\RU\"\r\n\"BackgroundImage\"=\"1\"\r\n"
            << QStringLiteral("Invalid data type for 'BackgroundImage'") << true << true;
        QTest::addRow("garbled file")
            << QByteArray("REGEDIT\r\n[") << QStringLiteral("Failed to create key SoftWare\\LexiTrainer")
            << false << false;
    }

    void failureStopsAtItsStep() {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        QFETCH(bool, gameTimeApplied);
        QFETCH(bool, directionApplied);
        writeFile(file);
        KeyStore store(m_path);
        RecordingTarget target;
        QCOMPARE(failureOf([&] { settings::LoadRegistrySetings(store, m_folder, target); }), message);
        QCOMPARE(target.gameTime.has_value(), gameTimeApplied);
        QCOMPARE(target.direction.has_value(), directionApplied);
        QCOMPARE(target.background, QStringList());
        QCOMPARE(readBytes(m_path), file);
        QVERIFY(!store.valueExists(QStringLiteral("GameTime"))); // the key was closed on the way out
    }

    void failedPictureKeepsWhatWasApplied() {
        writeFile(Section + "\"GameTime\"=" + hexLine(dayBytes(0.25)) +
                  "\r\n\"Translation\"=\"RU\\\\EN\"\r\n\"BackgroundImage\"=dword:00000001\r\n");
        QFile picture(m_picture);
        QVERIFY(picture.open(QIODevice::WriteOnly));
        KeyStore store(m_path);
        RecordingTarget target;
        target.failLoading = true;
        QCOMPARE(failureOf([&] { settings::LoadRegistrySetings(store, m_folder, target); }),
                 QStringLiteral("Bitmap image is not valid"));
        QCOMPARE(target.gameTime.value_or(-1), 0.25);
        QCOMPARE(target.direction.value_or(QString()), QStringLiteral("RU\\EN"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settings_store.moc"
