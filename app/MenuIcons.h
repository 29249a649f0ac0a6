// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The 16 x 16 menu icons, drawn here rather than shipped.
namespace menuicons {
QIcon open();
QIcon save();
QIcon exit();
QIcon readMe();
QIcon about();
} // namespace menuicons
