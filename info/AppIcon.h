// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <array>

// The application's icon, drawn here rather than shipped: a Latin "A" and a Cyrillic "Я" on a blue
// tile, the two alphabets the game moves between. The build writes the same drawing as the desktop's
// icon files, so the menu shows what the about window shows.
QImage appImage(int size);
QPixmap appPixmap(int size);
// The sizes desktops ask for, 16 to 256 pixels; each is a folder of the hicolor icon theme.
inline constexpr std::array appIconSizes{16, 22, 24, 32, 48, 64, 128, 256};
QIcon appIcon();
