// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// The loaded word pairs ("Russian|English" lines), in load order; duplicates, empty lines and lines
// without "|" are items like any other. The lines live in one buffer, so a long dictionary costs
// little memory and is never copied.
class WordList {
public:
    qsizetype count() const;
    QStringView at(qsizetype index) const;
    void append(QStringView line);
    void clear();
    // Every item followed by CR LF, the last included.
    QString text() const;

    // Room for lines of this many characters in all (their line breaks included), so that a load
    // whose size is known grows the buffer once.
    void reserve(qsizetype characters);
    // An empty list shares the storage of a text of CR LF ended lines; appending that text's own lines
    // in order then copies nothing. A list that holds items ignores it.
    void shareText(const QString& text);

private:
    bool isInside(QStringView line) const;

    QString m_buffer;          // every line followed by CR LF: the list's text up to m_end, then
                               // shared lines not added yet
    QList<qsizetype> m_starts; // start of each line in m_buffer
    qsizetype m_end = 0;
};
