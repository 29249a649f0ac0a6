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

private:
    QString m_buffer;              // the lines, back to back
    QList<qsizetype> m_starts;     // start of each line in m_buffer
};
