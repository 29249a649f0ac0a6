// SPDX-License-Identifier: GPL-3.0-or-later
#include "players/PlayerStore.h"

#include "platform/Failure.h"
#include "platform/WriteLock.h"
#include "words/ScrambledText.h"

#include <QFile>

namespace players {

namespace {

// The file's text, a missing file created empty; none, with the reason, when it cannot be created.
std::optional<QString> readCreating(const QString& path, QString* reason = nullptr) {
    if (!QFile::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            if (reason)
                *reason = file.errorString();
            return std::nullopt;
        }
    }
    return normalisedLineBreaks(ReadScrambledText(path));
}

} // namespace

PlayerStore::PlayerStore(ProgramFolder folder)
    : m_folder(std::move(folder)), m_path(m_folder.file(FileName)) {}

bool PlayerStore::reload() {
    const std::optional<QString> text = readCreating(m_path);
    if (text)
        m_text = *text;
    return text.has_value();
}

bool PlayerStore::apply(const Edit& edit) {
    WriteLock lock(m_folder.root());
    lock.lockFor(m_path);
    QString reason;
    std::optional<QString> current = readCreating(m_path, &reason);
    if (!current)
        throw Failure(QStringLiteral("Cannot create file \"%1\". %2").arg(m_path, reason));
    QString text = std::move(*current);
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
