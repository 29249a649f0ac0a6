// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mistakes/MistakesFile.h"
#include "quiz/Question.h"

#include <optional>
#include <vector>

class Platform;
class WordList;

// The pairs a practice game asks: the player's mistakes, each with its place in the word list, so that
// its wrong answers are drawn as a normal question's are. A pair leaves once answered right often enough.
class PracticeSet {
public:
    // Looks every pair up in the list once; a pair the list no longer holds is still asked.
    void load(const QList<mistakes::Mistake>& list, const WordList& words);
    bool isEmpty() const { return m_items.empty(); }
    qsizetype size() const { return qsizetype(m_items.size()); }
    // A pair drawn at random, then its question; none when the set is empty or the list holds fewer
    // than question::MinimumWords lines.
    std::optional<question::Drawn> draw(const WordList& words, const QString& direction,
                                        Platform& platform) const;
    // Counts an answer to a pair as the mistakes file counts it.
    void answered(QStringView pair, bool right);

private:
    struct Item {
        QString pair;
        qsizetype index = -1;
        int rights = 0;
    };
    std::vector<Item> m_items;
};
