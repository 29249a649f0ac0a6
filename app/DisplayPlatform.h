// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

class QProcessEnvironment;

// The windows place their dialogs centred on the main window and keep tool windows on top, which a
// Wayland client cannot do. On a Wayland session that also offers XWayland the game therefore runs as
// an X11 client, unless the player has chosen a platform with QT_QPA_PLATFORM. Returns the platform to
// use ("xcb", with Wayland as the fallback should the X server be gone), or nothing to keep Qt's own
// choice.
QByteArray displayPlatformFor(const QProcessEnvironment& environment);
