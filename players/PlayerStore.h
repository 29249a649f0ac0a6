// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ProgramFolder.h"
#include "players/PlayerFile.h"

#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace players {

// The one owner of the player file and of its text, MemoPlayers, which the windows only read. Every
// edit is applied under the program folder's write lock to the file as it is now, not to the text
// read earlier, so a player or a game that another program wrote meanwhile (a second game,
// lexitrainer-dict) is kept; the file is replaced and MemoPlayers becomes what it now holds.
class PlayerStore {
public:
    // An edit of the decoded text; none when it changes nothing.
    using Edit = std::function<std::optional<QString>(const QString& text)>;
    using GameValues = std::array<QString, RecordLineCount>;

    explicit PlayerStore(ProgramFolder folder);

    const QString& path() const { return m_path; }
    const QString& MemoPlayers() const { return m_text; }

    // Reads the file again, its line breaks made CR LF. A missing file is created empty; when it cannot
    // be, MemoPlayers stays as it was and the answer is false. Throws Failure when it cannot be read.
    bool reload();
    // Applies the edit to the file's current text and replaces the file with the result. Whether or
    // not it wrote, MemoPlayers is then the file's text; a failure (a full disk) throws and leaves the
    // file and MemoPlayers as they were. Answers whether the edit changed anything.
    bool apply(const Edit& edit);

    // Records a finished game; false when the player has no block any more. A game that could not be
    // written is kept (see keepUnrecorded) and the failure thrown.
    bool recordGame(const QString& name, const GameValues& values);
    // Games that a failed write could not record wait here; every later edit that succeeds writes them
    // first, and so does writeUnrecorded.
    int unrecordedCount() const { return int(m_unrecorded.size()); }
    void writeUnrecorded();

private:
    struct Game {
        QString name;
        GameValues values;
    };

    ProgramFolder m_folder;
    QString m_path;
    QString m_text;
    QList<Game> m_unrecorded;
};

} // namespace players
