// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Application.h"
#include "app/DisplayPlatform.h"
#include "app/SingleInstance.h"
#include "app/TfrmMain.h"
#include "platform/KeyStore.h"
#include "platform/QtPlatform.h"
#include "words/DictionaryReader.h"

#include <QApplication>
#include <QProcessEnvironment>

#include <memory>

int main(int argc, char** argv) {
    // Qt reads the variable while the application object starts; the programs the game opens later
    // (a browser, a mail program) choose their platform for themselves.
    const QByteArray displayPlatform = displayPlatformFor(QProcessEnvironment::systemEnvironment());
    if (!displayPlatform.isEmpty())
        qputenv("QT_QPA_PLATFORM", displayPlatform);
    QApplication application(argc, argv);
    const ProgramFolder folder = ProgramFolder::ofExecutable();
    // The standard dictionary is read on another thread while the windows are built.
    auto earlyReading = std::make_unique<DictionaryReader>(folder.file(QStringLiteral("словарь/main.txt")));
    if (!displayPlatform.isEmpty())
        qunsetenv("QT_QPA_PLATFORM");
    setUpApplication();

    // A second start on the same folder brings the running game forward instead of writing beside it.
    SingleInstance instance(folder.root());
    if (!instance.isFirst()) {
        instance.tellRunning();
        return 0;
    }

    QtPlatform platform;
    KeyStore keyStore(KeyStore::defaultPath(folder));
    TfrmMain frmMain(platform, keyStore, folder);
    frmMain.takeEarlyReading(std::move(earlyReading));
    QObject::connect(&instance, &SingleInstance::anotherStart, &frmMain,
                     [&frmMain] { bringForward(frmMain); });
    frmMain.show();
    return application.exec();
}
