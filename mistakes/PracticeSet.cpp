// SPDX-License-Identifier: GPL-3.0-or-later
#include "mistakes/PracticeSet.h"

#include "platform/Platform.h"
#include "words/WordList.h"

#include <QHash>
#include <QSet>

void PracticeSet::load(const QList<mistakes::Mistake>& list, const WordList& words) {
    m_items.clear();
    QSet<size_t> hashes;
    for (const mistakes::Mistake& m : list) {
        m_items.push_back({m.pair, -1, m.rights});
        hashes.insert(qHash(QStringView(m.pair)));
    }
    // One pass over the list, comparing whole lines only where the hash matches.
    qsizetype unresolved = qsizetype(m_items.size());
    for (qsizetype i = 0; i < words.count() && unresolved > 0; ++i) {
        const QStringView line = words.at(i);
        if (!hashes.contains(qHash(line)))
            continue;
        for (Item& item : m_items)
            if (item.index < 0 && item.pair == line) {
                item.index = i;
                --unresolved;
            }
    }
}

std::optional<question::Drawn> PracticeSet::draw(const WordList& words, const QString& direction,
                                                 Platform& platform) const {
    if (m_items.empty() || words.count() < question::MinimumWords)
        return std::nullopt;
    const Item& item = m_items[size_t(platform.randomBelow(int(m_items.size())))];
    return question::drawFor(words, item.pair, item.index, direction, platform);
}

void PracticeSet::answered(QStringView pair, bool right) {
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
        if (it->pair != pair)
            continue;
        it->rights = right ? it->rights + 1 : 0;
        if (it->rights >= mistakes::RightsToLeave)
            m_items.erase(it);
        return;
    }
}
