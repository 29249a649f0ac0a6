// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <functional>
#include <vector>

// The one owner of the mistakes file. Every edit is applied to what the file holds now, not to a copy
// read earlier, and written whole through the safe replace. The game's answers queue their edits, so an
// answer never waits for the disk; the main window writes the queue as soon as the answer's handler has
// returned, and every other edit writes the queue first, so the edits reach the file in their order.
class MistakesStore {
public:
    using Edit = std::function<QString(QStringView)>;

    explicit MistakesStore(QString path);

    // The file's decoded text; empty when there is none. Throws Failure when it cannot be read.
    QString text() const;
    // The queued edits, then this one, applied and written at once. Throws Failure, keeping the queue.
    void apply(const Edit& edit);
    // Adds an edit to the queue; true when the queue was empty, so that one write is due.
    bool queue(Edit edit);
    // Writes the queued edits, if any.
    void flush();
    bool hasQueued() const { return !m_queued.empty(); }

private:
    QString m_path;
    std::vector<Edit> m_queued;
};
