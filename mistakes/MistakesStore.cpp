// SPDX-License-Identifier: GPL-3.0-or-later
#include "mistakes/MistakesStore.h"

#include "shared/ScrambledText.h"

#include <QFileInfo>

MistakesStore::MistakesStore(QString path) : m_path(std::move(path)) {}

QString MistakesStore::text() const {
    return QFileInfo::exists(m_path) ? ReadScrambledText(m_path) : QString();
}

void MistakesStore::apply(const Edit& edit) {
    const QString before = text();
    QString after = before;
    for (const Edit& queued : m_queued)
        after = queued(after);
    if (edit)
        after = edit(after);
    if (after != before)
        WriteScrambledText(m_path, after, WriteMode::Replace);
    m_queued.clear();
}

bool MistakesStore::queue(Edit edit) {
    m_queued.push_back(std::move(edit));
    return m_queued.size() == 1;
}

void MistakesStore::flush() {
    if (hasQueued())
        apply({});
}
