// SPDX-License-Identifier: GPL-3.0-or-later
#include "players/PlayerStore.h"

#include "platform/Failure.h"
#include "platform/Files.h"
#include "platform/WriteLock.h"
#include "shared/ScrambledText.h"

namespace players {

namespace {

// The file's text, a missing file created empty. Throws Failure when it cannot be created or read.
QString readCreating(const QString& path) {
    files::createIfMissing(path);
    return normalisedLineBreaks(ReadScrambledText(path));
}

} // namespace

PlayerStore::PlayerStore(ProgramFolder folder)
    : m_folder(std::move(folder)), m_path(m_folder.file(FileName)) {}

bool PlayerStore::reload() {
    // A file that cannot be created is no news: the text read last stays. One that cannot be read is.
    try {
        files::createIfMissing(m_path);
    } catch (const Failure&) {
        return false;
    }
    m_text = normalisedLineBreaks(ReadScrambledText(m_path));
    return true;
}

bool PlayerStore::apply(const Edit& edit) {
    WriteLock lock(m_folder.root());
    lock.lockFor(m_path);
    QString text = readCreating(m_path);
    bool changed = false;
    for (const Game& game : std::as_const(m_unrecorded)) {
        // A player deleted meanwhile takes the game with him, as a finished game would be refused.
        if (std::optional<QString> recorded = withGameRecorded(text, game.name, game.values)) {
            text = std::move(*recorded);
            changed = true;
        }
    }
    std::optional<QString> edited = edit ? edit(text) : std::nullopt;
    if (edited)
        text = std::move(*edited);
    if (edited || changed)
        WriteScrambledText(m_path, text, WriteMode::Replace);
    m_unrecorded.clear();
    m_text = std::move(text);
    return edited.has_value();
}

bool PlayerStore::recordGame(const QString& name, const GameValues& values) {
    try {
        return apply([&](const QString& text) { return withGameRecorded(text, name, values); });
    } catch (const Failure&) {
        m_unrecorded.append({name, values});
        throw;
    }
}

void PlayerStore::writeUnrecorded() {
    if (!m_unrecorded.isEmpty())
        apply(Edit());
}

} // namespace players
