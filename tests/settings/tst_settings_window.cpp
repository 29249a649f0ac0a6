// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestHelpers.h"
#include "platform/KeyStore.h"
#include "platform/ProgramFolder.h"
#include "platform/ScriptedPlatform.h"
#include "settings/SettingsStore.h"
#include "settings/TfrmSeting.h"
#include "shared/TimeValue.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// 06.03.2007, the scripted platform's today, as a day count.
constexpr double Today = 39147.0;

} // namespace

class TestSettingsWindow : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir; // the program's folder and the current directory
    const ProgramFolder m_folder{m_dir.path()};
    QString m_oldCurrent;
    QString m_path;
    const QString m_copy = m_folder.file(u"BackgroundImage.bmp");
    ScriptedPlatform* m_platform = nullptr;
    KeyStore* m_store = nullptr;
    int m_callbacks = 0;

    void store(double gameTime, const QString& translation, bool background) {
        QVERIFY(m_store->openKey(settings::KeyPath, true));
        settings::writeGameTime(*m_store, gameTime);
        settings::writeTranslation(*m_store, translation);
        settings::writeBackgroundImage(*m_store, background);
        m_store->closeKey();
    }

    std::unique_ptr<TfrmSeting> window() {
        return std::make_unique<TfrmSeting>(*m_platform, m_folder, *m_store, [this] { ++m_callbacks; });
    }

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        m_oldCurrent = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        m_path = m_dir.filePath(QStringLiteral("LexiTrainer.reg"));
        m_platform = new ScriptedPlatform;
        m_store = new KeyStore(m_path);
        m_callbacks = 0;
        QFile::remove(m_copy);
    }

    void cleanup() {
        delete m_store;
        delete m_platform;
        QFile::remove(m_copy);
        QDir::setCurrent(m_oldCurrent);
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void toolWindowWithOnlyTheCloseBox() {
        store(timevalue::fromHms(0, 3, 0), settings::EnglishRussian, false);
        auto w = window();
        w->show();
        QCOMPARE(w->windowTitle(), QStringLiteral("Насторйка"));
        QCOMPARE(w->windowType(), Qt::Tool);
        const Qt::WindowFlags flags = w->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    }

    void showReflectsTheStore_data() {
        QTest::addColumn<double>("gameTime");
        QTest::addColumn<QString>("translation");
        QTest::addColumn<bool>("background");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("englishRussian");
        QTest::addColumn<bool>("buttonEnabled");
        QTest::addRow("stored by the window")
            << 38000 + timevalue::fromHms(0, 5, 0) << QStringLiteral("EN\\RU") << true
            << QStringLiteral("0:05:00") << true << true;
        QTest::addRow("russian-english, no picture")
            << timevalue::fromHms(1, 5, 9) << QStringLiteral("RU\\EN") << false << QStringLiteral("1:05:09")
            << false << false;
        QTest::addRow("odd direction") << timevalue::fromHms(0, 3, 0) << QStringLiteral("en\\ru") << false
                                       << QStringLiteral("0:03:00") << false << false;
        QTest::addRow("negative") << -timevalue::fromHms(2, 0, 1) << QStringLiteral("EN\\RU") << true
                                  << QStringLiteral("2:00:01") << true << true;
    }

    void showReflectsTheStore() {
        QFETCH(double, gameTime);
        QFETCH(QString, translation);
        QFETCH(bool, background);
        QFETCH(QString, shown);
        QFETCH(bool, englishRussian);
        QFETCH(bool, buttonEnabled);
        store(gameTime, translation, background);
        auto w = window();
        w->show();
        QCOMPARE(control<QDateTimeEdit>(*w, "TimePicker")->text(), shown);
        QCOMPARE(control<QDateTimeEdit>(*w, "TimePicker")->date(),
                 QDate(2007, 3, 6)); // the picker keeps its own day
        QCOMPARE(control<QRadioButton>(*w, "RadioButton1")->isChecked(), englishRussian);
        QCOMPARE(control<QRadioButton>(*w, "RadioButton2")->isChecked(), !englishRussian);
        QCOMPARE(control<QCheckBox>(*w, "CheckBox1")->isChecked(), background);
        QCOMPARE(control<QPushButton>(*w, "Button3")->isEnabled(), buttonEnabled);
        QCOMPARE(m_platform->pictureDialogs, 0); // the box was checked already
        QVERIFY(m_platform->messages.isEmpty());
    }

    void okWritesAndApplies_data() {
        QTest::addColumn<bool>("byKey");
        QTest::addRow("click") << false;
        QTest::addRow("Enter") << true;
    }

    void okWritesAndApplies() {
        QFETCH(bool, byKey);
        store(timevalue::fromHms(0, 3, 0), settings::EnglishRussian, true);
        auto w = window();
        w->show();
        control<QDateTimeEdit>(*w, "TimePicker")->setTime(QTime(0, 0, 0)); // no game length is too short
        QCOMPARE(control<QDateTimeEdit>(*w, "TimePicker")->text(), QStringLiteral("0:00:00"));
        control<QRadioButton>(*w, "RadioButton2")->setChecked(true);
        QTest::mouseClick(control<QCheckBox>(*w, "CheckBox1"), Qt::LeftButton);
        QVERIFY(!control<QPushButton>(*w, "Button3")->isEnabled());
        if (byKey) {
            control<QPushButton>(*w, "Button1")->setFocus();
            QTest::keyClick(w.get(), Qt::Key_Return);
        } else {
            QTest::mouseClick(control<QPushButton>(*w, "Button1"), Qt::LeftButton);
        }
        QCOMPARE(m_callbacks, 1);
        QVERIFY(!w->isVisible());
        QCOMPARE(w->result(), int(QDialog::Accepted));

        KeyStore reader(m_path);
        QVERIFY(reader.openKey(settings::KeyPath, false));
        QCOMPARE(settings::readGameTime(reader), Today);
        QCOMPARE(reader.readString(QStringLiteral("Translation")), QStringLiteral("RU\\EN"));
        QCOMPARE(reader.readInteger(QStringLiteral("BackgroundImage")), 0);
    }

    void okStoresTheWholeDateAndTime() {
        store(timevalue::fromHms(0, 3, 0), QStringLiteral("odd"), true);
        auto w = window();
        w->show();
        QTest::mouseClick(control<QPushButton>(*w, "Button1"), Qt::LeftButton);
        KeyStore reader(m_path);
        QVERIFY(reader.openKey(settings::KeyPath, false));
        QCOMPARE(settings::readGameTime(reader), Today + 180.0 / 86400);
        QCOMPARE(timevalue::toText(settings::readGameTime(reader)), QStringLiteral("0:03:00"));
        QCOMPARE(reader.readString(QStringLiteral("Translation")), QStringLiteral("RU\\EN"));
        QCOMPARE(reader.readInteger(QStringLiteral("BackgroundImage")), 1);
    }

    void cancelWritesNothing_data() {
        QTest::addColumn<bool>("byKey");
        QTest::addRow("click") << false;
        QTest::addRow("Esc") << true;
    }

    void cancelWritesNothing() {
        QFETCH(bool, byKey);
        store(timevalue::fromHms(0, 3, 0), settings::EnglishRussian, false);
        const QByteArray before = readBytes(m_path);
        auto w = window();
        w->show();
        control<QDateTimeEdit>(*w, "TimePicker")->setTime(QTime(1, 0, 0));
        control<QRadioButton>(*w, "RadioButton2")->setChecked(true);
        if (byKey)
            QTest::keyClick(w.get(), Qt::Key_Escape);
        else
            QTest::mouseClick(control<QPushButton>(*w, "Button2"), Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QCOMPARE(w->result(), int(QDialog::Rejected));
        QCOMPARE(m_callbacks, 0);
        QCOMPARE(readBytes(m_path), before);
    }

    void checkingWithoutPictureAsksForOne() {
        store(timevalue::fromHms(0, 3, 0), settings::EnglishRussian, false);
        const QByteArray before = readBytes(m_path);
        const QByteArray picture("BM\x00\x01\xff\r\n\x1a picture", 17);
        writeBytes(m_dir.filePath(QStringLiteral("chosen.bmp")), picture);
        auto w = window();
        w->show();

        // Cancelled: the box goes back to unchecked.
        m_platform->answerPicture(QString());
        QTest::mouseClick(control<QCheckBox>(*w, "CheckBox1"), Qt::LeftButton);
        QCOMPARE(m_platform->pictureDialogs, 1);
        QVERIFY(!control<QCheckBox>(*w, "CheckBox1")->isChecked());
        QVERIFY(!control<QPushButton>(*w, "Button3")->isEnabled());
        QVERIFY(!QFile::exists(m_copy));

        // Picked: copied at once, and "Отмена" does not take it back.
        m_platform->answerPicture(m_dir.filePath(QStringLiteral("chosen.bmp")));
        QTest::mouseClick(control<QCheckBox>(*w, "CheckBox1"), Qt::LeftButton);
        QCOMPARE(m_platform->pictureDialogs, 2);
        QVERIFY(control<QCheckBox>(*w, "CheckBox1")->isChecked());
        QVERIFY(control<QPushButton>(*w, "Button3")->isEnabled());
        QCOMPARE(readBytes(m_copy), picture);
        QTest::mouseClick(control<QPushButton>(*w, "Button2"), Qt::LeftButton);
        QCOMPARE(readBytes(m_copy), picture);
        QCOMPARE(readBytes(m_path), before);
        QVERIFY(m_platform->messages.isEmpty());
    }

    void checkingWithPicturePresentAsksNothing() {
        store(timevalue::fromHms(0, 3, 0), settings::EnglishRussian, false);
        writeBytes(m_copy, "old");
        auto w = window();
        w->show();
        QTest::mouseClick(control<QCheckBox>(*w, "CheckBox1"), Qt::LeftButton);
        QCOMPARE(m_platform->pictureDialogs, 0);
        QVERIFY(control<QPushButton>(*w, "Button3")->isEnabled());
        QCOMPARE(readBytes(m_copy), QByteArray("old"));
    }

    void browseReplacesThePicture() {
        store(timevalue::fromHms(0, 3, 0), settings::EnglishRussian, true);
        writeBytes(m_copy, "old picture");
        writeBytes(m_dir.filePath(QStringLiteral("new.bmp")), "new picture");
        auto w = window();
        w->show();
        m_platform->answerPicture(QString());
        QTest::mouseClick(control<QPushButton>(*w, "Button3"), Qt::LeftButton);
        QCOMPARE(readBytes(m_copy), QByteArray("old picture"));
        m_platform->answerPicture(m_dir.filePath(QStringLiteral("new.bmp")));
        QTest::mouseClick(control<QPushButton>(*w, "Button3"), Qt::LeftButton);
        QCOMPARE(m_platform->pictureDialogs, 2);
        QCOMPARE(readBytes(m_copy), QByteArray("new picture"));
        QVERIFY(control<QCheckBox>(*w, "CheckBox1")->isChecked());
    }

    void failuresAreReported() {
        writeBytes(m_path,
                   "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\r\n\"GameTime\"=dword:1\r\n");
        auto w = window();
        w->show();
        QCOMPARE(m_platform->messages.size(), 1);
        QCOMPARE(m_platform->messages[0].caption, QStringLiteral("LexiTrainer"));
        QCOMPARE(m_platform->messages[0].text, QStringLiteral("Invalid data type for 'GameTime'"));

        // A refused write keeps the window open and applies nothing.
        QVERIFY(QFile::setPermissions(m_path, QFileDevice::ReadOwner));
        QTest::mouseClick(control<QPushButton>(*w, "Button1"), Qt::LeftButton);
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(m_platform->messages.size(), 2);
        QCOMPARE(m_platform->messages[1].text, QStringLiteral("Failed to set data for 'GameTime'"));
        QVERIFY(w->isVisible());
        QCOMPARE(m_callbacks, 0);
    }
};

QTEST_MAIN(TestSettingsWindow)
#include "tst_settings_window.moc"
