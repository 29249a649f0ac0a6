// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Fonts.h"
#include "app/TfrmMain.h"
#include "platform/KeyStore.h"
#include "platform/ProgramFolder.h"
#include "platform/QtPlatform.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("LexiTrainer"));
    QApplication::setApplicationDisplayName(QStringLiteral("LexiTrainer"));
    installRussianTranslations();
    installFontSubstitutes();

    QtPlatform platform;
    KeyStore keyStore(KeyStore::defaultPath(ProgramFolder::ofExecutable()));
    TfrmMain frmMain(platform, keyStore);
    frmMain.show();
    return application.exec();
}
