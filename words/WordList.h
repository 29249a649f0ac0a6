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

private:
    bool isInside(QStringView line) const;

    QString m_buffer;          // every line followed by CR LF, back to back: the list's text
    QList<qsizetype> m_starts; // start of each line in m_buffer
};
