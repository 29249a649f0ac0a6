// SPDX-License-Identifier: GPL-3.0-or-later
// What the window manager is told, read back from a real X server: the title bars and the buttons a
// window may have. The other tests run offscreen, where no title is ever formatted.
#include "TestFolder.h"
#include "app/Application.h"
#include "app/TfrmMain.h"
#include "platform/KeyStore.h"
#include "platform/QtPlatform.h"
#include "platform/WindowLook.h"
#include "players/TfrmChoiceUser.h"
#include "players/TfrmUsers.h"

#include <QApplication>
#include <QDialog>
#include <QProcess>
#include <QTimer>

namespace {

// An X property of a window as xprop prints it, after the "=".
QString xProperty(const QWidget& window, const char* name) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window.winId()), QString::fromLatin1(name)});
    if (!xprop.waitForFinished(10'000))
        return {};
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const qsizetype equals = out.indexOf(QLatin1Char('='));
    return equals < 0 ? out : out.mid(equals + 1).trimmed();
}

// The Motif hints' functions of a window (0x08 minimise, 0x10 maximise).
uint motifFunctions(const QWidget& window) {
    const QStringList motif = xProperty(window, "_MOTIF_WM_HINTS").split(QStringLiteral(", "));
    return motif.size() == 5 ? motif[1].toUInt(nullptr, 16) : 0xFFFF;
}

// Runs a modal window shown by show() and returns its title bar text as the X server holds it; a
// window offering to be minimised or maximised shows as "(min/max)".
QString titleOf(const std::function<void()>& show) {
    QString title;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        poll.stop();
        title = xProperty(*modal, "_NET_WM_NAME");
        if (motifFunctions(*modal) & 0x18)
            title += QStringLiteral("(min/max)");
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
        QCOMPARE(titleOf([&] { platform.inputText(caption, QStringLiteral("Имя"), QString()); }),
                 '"' + caption + '"');
        QDialog dialog;
        makeToolWindow(dialog);
        dialog.setWindowTitle(caption);
        QCOMPARE(titleOf([&] { platform.showModal(dialog); }), '"' + caption + '"');
        QVERIFY(
            xProperty(dialog, "_NET_WM_WINDOW_TYPE").contains(QStringLiteral("_NET_WM_WINDOW_TYPE_UTILITY")));
    }

    void theMainWindowHasNoMaximiseButton() {
        TestFolder folder;
        folder.writeDictionary("словарь/main.txt", TestFolder::pairs(4));
        QtPlatform platform;
        KeyStore keyStore(folder.keyStorePath());
        TfrmMain window(platform, keyStore, ProgramFolder(folder.path()));
        window.show();
        control<QTimer>(window, "Timer2")
            ->stop(); // the player selection would hold the test in its modal loop
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(xProperty(window, "_NET_WM_NAME"), QStringLiteral("\"LexiTrainer\""));
        // Minimising, but no maximising.
        QCOMPARE(motifFunctions(window) & 0x18, 0x08u);
        QCOMPARE(window.minimumSize(), window.maximumSize());
        window.close();
    }

    // The player selection has no title-bar button at all; the results window the close box only.
    void thePlayerWindows() {
        TestFolder folder;
        QtPlatform platform;
        KeyStore keyStore(folder.keyStorePath());
        const ProgramFolder programFolder(folder.path());
        TfrmMain window(platform, keyStore, programFolder);
        TfrmChoiceUser choice(platform, window.game, window.playerStore, window, &window);
        QCOMPARE(titleOf([&] { platform.showModal(choice); }), QStringLiteral("\"Список игроков\""));
        QCOMPARE(motifFunctions(choice) & 0x38, 0u);
        TfrmUsers results(platform, window.game, window.playerStore, window, &window);
        QCOMPARE(titleOf([&] { platform.showModal(results); }), QStringLiteral("\"Результаты игр\""));
        QCOMPARE(motifFunctions(results) & 0x38, 0x20u);
    }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    setUpApplication();
    TestTitles test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_app_titles.moc"
