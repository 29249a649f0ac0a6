// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>

// The application's icon, drawn here rather than shipped: a Latin "A" and a Cyrillic "Я" on a blue
// tile, the two alphabets the game moves between.
QPixmap appPixmap(int size);
// The icon at the sizes desktops ask for, 16 to 256 pixels.
QIcon appIcon();
