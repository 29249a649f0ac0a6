// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace files {

// The folder that holds the executable.
QString programFolder();
// Makes a file writable by its owner before it is rewritten or appended to; a missing file or a
// refusal is ignored (the write that follows reports what matters).
void resetAttributes(const QString& path);
// Copies a file over any existing target; false when it could not.
bool copyOverwrite(const QString& from, const QString& to);
// The names in a folder that match a wildcard pattern ("*.gsv"), hidden entries and sub-folders
// included, in the order the file system returns them.
QStringList listFolder(const QString& folder, const QString& pattern);

} // namespace files
