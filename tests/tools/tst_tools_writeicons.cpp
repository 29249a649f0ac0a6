// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/AppIcon.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

int runWriteIcons(const QString& folder) {
    QProcess tool;
    tool.start(QStringLiteral(WRITEICONS_PATH), {folder});
    if (!tool.waitForFinished())
        return -1;
    return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}

} // namespace

class TestWriteIcons : public QObject {
    Q_OBJECT
private slots:
    // The files the desktop shows must be the drawing the windows show, pixel for pixel.
    void writesTheWindowIconAtEveryThemeSize() {
        QTemporaryDir dir;
        QCOMPARE(runWriteIcons(dir.filePath("hicolor")), 0);
        for (const int size : appIconSizes) {
            const QString file = dir.filePath(QStringLiteral("hicolor/%1x%1/apps/lexitrainer.png").arg(size));
            QImage written(file, "PNG");
            QVERIFY2(!written.isNull(), qPrintable(file));
            QCOMPARE(written.size(), QSize(size, size));
            QCOMPARE(written.convertToFormat(QImage::Format_ARGB32),
                     appImage(size).convertToFormat(QImage::Format_ARGB32));
        }
    }

    // A build must stop when the icons cannot be written, not ship a folder without them.
    void failsWhenTheFolderCannotBeMade() {
        QTemporaryDir dir;
        QFile blocker(dir.filePath("hicolor"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QCOMPARE(runWriteIcons(dir.filePath("hicolor")), 1);
    }
};

QTEST_GUILESS_MAIN(TestWriteIcons)
#include "tst_tools_writeicons.moc"
