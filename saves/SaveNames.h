// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>

class ProgramFolder;

// Where saved games live and how a typed name becomes a file.
namespace savenames {

// The save folder within the program folder, and the pattern its saved games match.
inline const QString FolderName = QStringLiteral("Save");
inline const QString Pattern = QStringLiteral("*.gsv");

// The name the save window offers: the date, a blank, then hour-minute-second without leading zeros
// ("06.12.2026 9-5-7").
QString defaultName(const QDateTime& moment);
// A name holding "/" or "\" would name a file outside the save folder.
bool leavesFolder(QStringView name);
// The full path of the saved game of that name: the save folder, the name and ".gsv".
QString filePath(const ProgramFolder& folder, QStringView name);
// The full path of an entry of the save folder.
QString entryPath(const ProgramFolder& folder, QStringView entry);

} // namespace savenames
