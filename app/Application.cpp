// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Application.h"

#include "app/Fonts.h"
#include "platform/QtPlatform.h"

#include <QApplication>

void setUpApplication() {
    // The name only: a display name would be appended to every window title by the toolkit.
    QApplication::setApplicationName(QStringLiteral("LexiTrainer"));
    installRussianTranslations();
    installFontSubstitutes();
}
