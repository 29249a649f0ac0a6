// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Application.h"
#include "app/SingleInstance.h"
#include "app/TfrmMain.h"
#include "platform/KeyStore.h"
#include "platform/QtPlatform.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    setUpApplication();

    const ProgramFolder folder = ProgramFolder::ofExecutable();
    // A second start on the same folder brings the running game forward instead of writing beside it.
    SingleInstance instance(folder.root());
    if (!instance.isFirst()) {
        instance.tellRunning();
        return 0;
    }

    QtPlatform platform;
    KeyStore keyStore(KeyStore::defaultPath(folder));
    TfrmMain frmMain(platform, keyStore, folder);
    QObject::connect(&instance, &SingleInstance::anotherStart, &frmMain,
                     [&frmMain] { bringForward(frmMain); });
    frmMain.show();
    return application.exec();
}
