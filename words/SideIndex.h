// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

#include <span>
#include <vector>

class WordList;

// The line numbers of a word list in the order of one key's lower-cased bytes, so that the lines whose
// key begins with, or is, a text are found by halving instead of reading the whole list. The index
// holds no reference to the list: every question names the list it was made from.
class SideIndex {
public:
    enum class Key {
        English, // the English side: after the first "|", or the whole line where there is none
        Line,    // the whole line
    };
    SideIndex(const WordList& list, Key key);

    // The key of a line of the list.
    QByteArrayView keyOf(const WordList& list, qsizetype line) const;
    // The lines whose key, lower-cased, begins with the lower-cased text; the text comes lower-cased.
    std::span<const quint32> beginningWith(const WordList& list, QByteArrayView loweredText) const;
    // The lines whose key, lower-cased, is the lower-cased text.
    std::span<const quint32> equalTo(const WordList& list, QByteArrayView loweredText) const;

private:
    Key m_key;
    std::vector<quint32> m_lines;
};
