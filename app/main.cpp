// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Application.h"
#include "app/TfrmMain.h"
#include "platform/KeyStore.h"
#include "platform/QtPlatform.h"
#include "words/DictionaryReader.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const ProgramFolder folder = ProgramFolder::ofExecutable();
    // The standard dictionary is read on another thread while the windows are built.
    auto earlyReading = std::make_unique<DictionaryReader>(folder.file(QStringLiteral("словарь/main.txt")));
    setUpApplication();

    QtPlatform platform;
    KeyStore keyStore(KeyStore::defaultPath(folder));
    TfrmMain frmMain(platform, keyStore, folder);
    frmMain.takeEarlyReading(std::move(earlyReading));
    frmMain.show();
    return application.exec();
}
