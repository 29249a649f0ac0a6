// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The windows ask for the Windows font families by name; these are the free look-alikes that stand
// in for them when the named family is not installed.
void installFontSubstitutes();
