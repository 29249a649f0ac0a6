// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The application-wide set-up that main() does before the first window: the name, the Russian texts
// of the toolkit's own dialogs, and the look-alikes of the Windows fonts.
void setUpApplication();
