// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QLineEdit;
class QWidget;

// Text from files and from the player is shown as it is written, never read as markup.
namespace plaintext {

// A tool tip showing text literally: a tool tip takes anything that looks like markup for markup.
QString toolTip(const QString& text);
// Gives the widget that tool tip, and screen readers the text itself; an empty text takes both away.
void setToolTip(QWidget& widget, const QString& text);

// A one-line field keeps only the first line of what is pasted, dropped or set into it, as a
// one-line edit box does; the text after the cursor stays.
void keepFirstLine(QLineEdit& edit);

} // namespace plaintext
