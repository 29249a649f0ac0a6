// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>

class QDialog;

namespace savewindows {

// The save and open windows: a tool window of a fixed client size with a close box only, in the
// 8-point dialog face.
void setLook(QDialog& window, const QString& caption, QSize clientSize);

} // namespace savewindows
