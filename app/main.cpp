// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Application.h"
#include "app/TfrmMain.h"
#include "platform/KeyStore.h"
#include "platform/QtPlatform.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    setUpApplication();

    QtPlatform platform;
    const ProgramFolder folder = ProgramFolder::ofExecutable();
    KeyStore keyStore(KeyStore::defaultPath(folder));
    TfrmMain frmMain(platform, keyStore, folder);
    frmMain.show();
    return application.exec();
}
