// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QColor;
class QWidget;

// Makes a window a tool window: a small title bar with only the close box, no minimise or maximise.
// Call it before the window is first shown.
void makeToolWindow(QWidget& window);
// A field or list drawn on a background colour of its own. Its text colour is fixed with it, so that the
// light text of a dark colour scheme never lands on the light background.
void setFieldColours(QWidget& widget, const QColor& background, const QColor& text);
// A dialog's title bar as a message box has it: the caption and the close box only.
void makeDialogWindow(QWidget& window);
