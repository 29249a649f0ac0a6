// SPDX-License-Identifier: GPL-3.0-or-later
// What the window manager is told, read back from a real X server: the title bars and the buttons a
// window may have. The other tests run offscreen, where no title is ever formatted.
#include "TestFolder.h"
#include "app/Application.h"
#include "app/TfrmMain.h"
#include "platform/KeyStore.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QDialog>
#include <QProcess>
#include <QTimer>

namespace {

// An X property of a window as xprop prints it, after the "=".
QString xProperty(const QWidget& window, const char* name) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window.winId()), QString::fromLatin1(name)});
    if (!xprop.waitForFinished(10'000))
        return {};
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const qsizetype equals = out.indexOf(QLatin1Char('='));
    return equals < 0 ? out : out.mid(equals + 1).trimmed();
}

// Runs a modal window shown by show() and returns its title bar text as the X server holds it.
QString titleOf(const std::function<void()>& show) {
    QString title;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        poll.stop();
        title = xProperty(*modal, "_NET_WM_NAME");
        modal->close();
    });
    poll.start(20);
    show();
    return title;
}

} // namespace

class TestTitles : public QObject {
    Q_OBJECT
private slots:
    void captionsReachTheTitleBarAsWritten_data() {
        QTest::addColumn<QString>("caption");
        for (const char* caption : {"Вопрос", "Ошибка", "Переводчик", "Сохранение LexiTrainer"})
            QTest::addRow("%s", caption) << QString::fromUtf8(caption);
    }
    void captionsReachTheTitleBarAsWritten() {
        QFETCH(QString, caption);
        QtPlatform platform;
        QCOMPARE(titleOf([&] { platform.messageBox(caption, QStringLiteral("Текст"), mb::Ok); }),
                 '"' + caption + '"');
        QCOMPARE(titleOf([&] { platform.inputText(caption, QStringLiteral("Имя"), QString()); }), '"' + caption + '"');
        QDialog dialog;
        dialog.setWindowTitle(caption);
        QCOMPARE(titleOf([&] { platform.showModal(dialog); }), '"' + caption + '"');
    }

    void theMainWindowHasNoMaximiseButton() {
        TestFolder folder;
        folder.writeDictionary("словарь/main.txt", TestFolder::pairs(4));
        QtPlatform platform;
        KeyStore keyStore(folder.keyStorePath());
        TfrmMain window(platform, keyStore, ProgramFolder(folder.path()));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(xProperty(window, "_NET_WM_NAME"), QStringLiteral("\"LexiTrainer\""));
        // The Motif hints: flags, functions, decorations; 0x10 is maximising in both.
        const QStringList motif = xProperty(window, "_MOTIF_WM_HINTS").split(QStringLiteral(", "));
        QCOMPARE(motif.size(), 5);
        QCOMPARE(motif[1].toUInt(nullptr, 16) & 0x10, 0u);
        QCOMPARE(motif[2].toUInt(nullptr, 16) & 0x40, 0u);
        QCOMPARE(window.minimumSize(), window.maximumSize());
        window.close();
    }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    setUpApplication();
    TestTitles test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_app_titles.moc"
