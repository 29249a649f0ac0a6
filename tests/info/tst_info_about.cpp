// SPDX-License-Identifier: GPL-3.0-or-later
#include "Controls.h"
#include "info/AppIcon.h"
#include "info/TfrmAbout.h"
#include "platform/ProgramFolder.h"
#include "platform/ScriptedPlatform.h"
#include "shared/MouseLabel.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void linksGoToTheShellAndLeaveItOpen() {
        QTemporaryDir dir;
        const ProgramFolder folder(dir.path());
        ScriptedPlatform platform;
        TfrmAbout window(platform, folder);
        bool openAfterLinks = false;
        platform.onModal([&](QDialog& dialog) {
            QTest::mouseClick(control<MouseLabel>(window, "Label2"), Qt::LeftButton);
            QTest::mouseClick(control<MouseLabel>(window, "Label3"), Qt::LeftButton);
            openAfterLinks = dialog.isVisible();
        });
        platform.showModal(window);
        QVERIFY(openAfterLinks);
        QCOMPARE(platform.shellCalls,
                 QStringList({folder.file(u"ReadMe.htm"), "mailto:?subject=LexiTrainer"}));
    }

    void captionAndLook() {
        QTemporaryDir dir;
        ScriptedPlatform platform;
        TfrmAbout window(platform, ProgramFolder(dir.path()));
        QCOMPARE(window.windowTitle(), QStringLiteral("O программе LexiTrainer"));
        QCOMPARE(window.windowTitle().front(), QLatin1Char('O')); // Latin, not Cyrillic
        QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(control<QLabel>(window, "Image1")->pixmap().size(), QSize(32, 32));
    }

    void escapeCloses() {
        QTemporaryDir dir;
        ScriptedPlatform platform;
        TfrmAbout window(platform, ProgramFolder(dir.path()));
        bool closed = false;
        platform.onModal([&](QDialog& dialog) {
            QTest::keyClick(&dialog, Qt::Key_Escape);
            closed = !dialog.isVisible();
        });
        platform.showModal(window);
        QVERIFY(closed);
    }

    // The tile fills the middle of every size, and the large ones keep transparent corners.
    void iconAtEverySize() {
        const QIcon icon = appIcon();
        for (const int size : {16, 32, 48, 256}) {
            QVERIFY(icon.availableSizes().contains(QSize(size, size)));
            const QImage image = appPixmap(size).toImage();
            QCOMPARE(qAlpha(image.pixel(size / 2, size * 7 / 8)), 255);
            if (size >= 32)
                QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        }
    }
};

QTEST_MAIN(TestAbout)
#include "tst_info_about.moc"
