// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the player windows and the recording of a game change on the main window.
class PlayerHost {
public:
    virtual ~PlayerHost() = default;

    // Set the current player's name label and record label, each sized to its text.
    virtual void setCurrentPlayerLabel(const QString& text) = 0;
    virtual void setRecordLabel(const QString& text) = 0;
    virtual void stopGameClock() = 0;
    // Closes the main window through its close question.
    virtual void closeMainWindow() = 0;
    // Puts the configured settings back in force.
    virtual void reloadSettings() = 0;
    // What else is kept per player follows a rename or a deletion in the player file.
    virtual void playerRenamed(const QString& oldName, const QString& newName) {
        Q_UNUSED(oldName);
        Q_UNUSED(newName);
    }
    virtual void playerDeleted(const QString& name) { Q_UNUSED(name); }
};
