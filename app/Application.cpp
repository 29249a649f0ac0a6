// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Application.h"

#include "app/Fonts.h"
#include "platform/QtPlatform.h"

#include <QApplication>

void setUpApplication() {
    // The name only: a display name would be appended to every window title by the toolkit.
    QApplication::setApplicationName(QStringLiteral("LexiTrainer"));
    // Ties the windows to the menu entry scripts/install writes, so the desktop shows its icon for them.
    QGuiApplication::setDesktopFileName(QStringLiteral("lexitrainer"));
    installRussianTranslations();
    installFontSubstitutes();
}
