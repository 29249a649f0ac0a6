// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Platform;
class ProgramFolder;

// Hands the program folder's read-me to the desktop; a missing file or a refusal is not reported.
void openReadMe(Platform& platform, const ProgramFolder& folder);
