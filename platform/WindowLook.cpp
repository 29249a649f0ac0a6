// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowLook.h"

#include <QPalette>
#include <QWidget>

void makeToolWindow(QWidget& window) {
    // Without the customise hint the window manager adds the buttons of a normal window.
    window.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
}

void makeDialogWindow(QWidget& window) {
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

void setFieldColours(QWidget& widget, const QColor& background, const QColor& text) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, text);
    widget.setPalette(palette);
}
