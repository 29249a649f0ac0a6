// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace windowfonts {

// A font asked for by its Windows family name and character height in pixels; fontconfig and the
// substitutes installed at start pick the free look-alike.
inline QFont named(const char* family, int pixels, bool bold = false) {
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

} // namespace windowfonts
