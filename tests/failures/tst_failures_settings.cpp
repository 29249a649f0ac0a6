// SPDX-License-Identifier: GPL-3.0-or-later
// The settings window's "OK" cut short between its three writes: the main window holds what the key
// store holds, not what the window asked for.
#include "MainWindowFixture.h"
#include "platform/Files.h"
#include "settings/SettingsStore.h"
#include "settings/TfrmSeting.h"
#include "shared/TimeValue.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>

namespace {

// A direction stored in a form shorter than the one the window writes, so that the second write, and
// only it, makes the file grow.
const QByteArray StoredSettings = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer]\r\n"
                                  "\"GameTime\"=hex:11,11,11,11,11,11,61,3f\r\n\"Translation\"=\"EN\"\r\n"
                                  "\"BackgroundImage\"=dword:00000000\r\n\r\n";

} // namespace

class TestFailuresSettings : public QObject {
    Q_OBJECT

private slots:
    void cutShortOk_data() {
        QTest::addColumn<int>("slack"); // bytes the writes may take past one whole file
        QTest::addColumn<QString>("failedValue");
        QTest::addColumn<bool>("gameTimeWritten");
        QTest::addRow("first value") << -1 << QStringLiteral("GameTime") << false;
        QTest::addRow("second value") << 0 << QStringLiteral("Translation") << true;
    }
    void cutShortOk() {
        QFETCH(int, slack);
        QFETCH(QString, failedValue);
        QFETCH(bool, gameTimeWritten);
        MainWindowFixture f;
        writeBytes(f.folder.keyStorePath(), StoredSettings);
        TfrmMain& window = f.start();
        const double oldGameTime = window.game.GameTime;
        QCOMPARE(window.game.DirectionTrans, QStringLiteral("EN"));

        f.platform.onModal([slack](QDialog& dialog) {
            auto& settings = static_cast<TfrmSeting&>(dialog);
            control<QDateTimeEdit>(settings, "TimePicker")->setTime(QTime(0, 5, 0));
            control<QRadioButton>(settings, "RadioButton1")->setChecked(true);
            const files::FailWritesAfter limit(StoredSettings.size() + slack);
            control<QPushButton>(settings, "Button1")->click();
        });
        f.platform.messages.clear();
        control<QAction>(window, "mnuSeting")->trigger();

        QCOMPARE(f.platform.messages.size(), 1);
        QCOMPARE(f.platform.messages[0].text, QStringLiteral("Failed to set data for '%1'").arg(failedValue));
        KeyStore store(f.folder.keyStorePath());
        QVERIFY(store.openKey(settings::KeyPath, false));
        const double stored = settings::readGameTime(store);
        QCOMPARE(timevalue::toText(stored),
                 gameTimeWritten ? QStringLiteral("0:05:00") : QStringLiteral("0:03:00"));
        QCOMPARE(settings::readTranslation(store), QStringLiteral("EN"));
        QCOMPARE(window.game.GameTime, gameTimeWritten ? stored : oldGameTime);
        QCOMPARE(window.game.TimeLeft, window.game.GameTime);
        QCOMPARE(window.game.DirectionTrans, QStringLiteral("EN"));
        QCOMPARE(control<QLabel>(window, "Label3")->text(),
                 QStringLiteral("У вас осталось: ") + timevalue::toText(stored));
    }
};

QTEST_MAIN(TestFailuresSettings)
#include "tst_failures_settings.moc"
