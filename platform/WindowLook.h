// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Makes a window a tool window: a small title bar with only the close box, no minimise or maximise.
// Call it before the window is first shown.
void makeToolWindow(QWidget& window);
// A dialog's title bar as a message box has it: the caption and the close box only.
void makeDialogWindow(QWidget& window);
