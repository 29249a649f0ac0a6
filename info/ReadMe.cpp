// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/ReadMe.h"

#include "info/AboutTexts.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"

void openReadMe(Platform& platform, const ProgramFolder& folder) {
    platform.shellOpen(folder.file(about::ReadMeFile));
}
