// SPDX-License-Identifier: GPL-3.0-or-later
#include "saves/SaveNames.h"

#include "platform/ProgramFolder.h"
#include "platform/RegionalFormats.h"

namespace savenames {

QString defaultName(const QDateTime& moment) {
    const QTime time = moment.time();
    return regional::shortDate(moment.date()) +
           QStringLiteral(" %1-%2-%3").arg(time.hour()).arg(time.minute()).arg(time.second());
}

bool leavesFolder(QStringView name) {
    return name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'));
}

QString filePath(const ProgramFolder& folder, QStringView name) {
    return entryPath(folder, name.toString() + QStringLiteral(".gsv"));
}

// Joined after the folder is resolved, so a backslash in an entry's name stays part of the name.
QString entryPath(const ProgramFolder& folder, QStringView entry) {
    return folder.file(FolderName) + QLatin1Char('/') + entry.toString();
}

} // namespace savenames
