// SPDX-License-Identifier: GPL-3.0-or-later
#include "saves/SaveWindowLook.h"

#include "platform/WindowLook.h"
#include "shared/WindowFonts.h"

#include <QDialog>

namespace savewindows {

void setLook(QDialog& window, const QString& caption, QSize clientSize) {
    window.setWindowTitle(caption);
    makeToolWindow(window);
    window.setFixedSize(clientSize);
    window.setFont(windowfonts::named("MS Sans Serif", 11));
}

} // namespace savewindows
