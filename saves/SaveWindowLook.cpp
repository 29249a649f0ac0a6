// SPDX-License-Identifier: GPL-3.0-or-later
#include "saves/SaveWindowLook.h"

#include <QDialog>

namespace savewindows {

void setLook(QDialog& window, const QString& caption, QSize clientSize) {
    window.setWindowTitle(caption);
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
    window.setFixedSize(clientSize);
    // Where the Windows face is missing, one of its width, so that the texts fit their controls.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPointSize(8);
    window.setFont(font);
}

} // namespace savewindows
