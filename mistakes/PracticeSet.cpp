// SPDX-License-Identifier: GPL-3.0-or-later
#include "mistakes/PracticeSet.h"

#include "platform/Platform.h"
#include "platform/TextCodec.h"
#include "words/WordList.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <vector>

void PracticeSet::load(const QList<mistakes::Mistake>& list, const WordList& words) {
    m_items.clear();
    QSet<size_t> hashes;
    // The pairs in the list's own bytes; a pair the code page cannot hold is in no line.
    std::vector<QByteArray> bytes;
    std::vector<bool> wanted;
    for (const mistakes::Mistake& m : list) {
        m_items.push_back({m.pair, -1, m.rights});
        bytes.push_back(ansi::encode(m.pair));
        wanted.push_back(ansi::decode(bytes.back()) == m.pair);
        if (wanted.back())
            hashes.insert(qHash(QByteArrayView(bytes.back())));
    }
    // One pass over the list, comparing whole lines only where the hash matches.
    qsizetype unresolved = std::count(wanted.begin(), wanted.end(), true);
    for (qsizetype i = 0; i < words.count() && unresolved > 0; ++i) {
        const QByteArrayView line = words.bytesAt(i);
        if (!hashes.contains(qHash(line)))
            continue;
        for (size_t k = 0; k < m_items.size(); ++k)
            if (wanted[k] && bytes[k] == line) {
                m_items[k].index = i;
                wanted[k] = false;
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
