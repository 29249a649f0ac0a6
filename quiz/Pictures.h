// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

// The pictures the main window carries, drawn here rather than shipped.
namespace pictures {

// The pictures are stretched onto their controls, the answer faces to about one and a half times their
// width. Drawn with this many pixels to each of their own for a screen of the given device pixel ratio,
// they are only ever scaled down on it, and so stay as sharp as the text.
qreal detailFor(qreal devicePixelRatio);

enum class Face { Normal, MouseOver, Pressed };
// A 189 x 30 answer-button face, in device-independent pixels: a grey bar with a grey, yellow or
// magenta rim, its corners left transparent.
QPixmap buttonFace(Face face, qreal detail);
// The 394 x 132 score-panel background: pale blue-grey with a silver frame.
QPixmap scorePanel(qreal detail);

} // namespace pictures
