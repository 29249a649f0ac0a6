// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

// The pictures the main window carries, drawn here rather than shipped.
namespace pictures {

enum class Face { Normal, MouseOver, Pressed };
// A 189 x 30 answer-button face: a grey bar with a grey, yellow or magenta rim, its corners pure red
// and masked out, as the colour of the bottom-left pixel.
QPixmap buttonFace(Face face);
// The 394 x 132 score-panel background: pale blue-grey with a silver frame.
QPixmap scorePanel();

} // namespace pictures
