// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

// Walks a text line by line at CR LF without copying it. Text after the last CR LF, a last line
// without a line break, is no line; a CR or LF on its own is part of its line.
class CrLfLines {
public:
    explicit CrLfLines(QStringView text) : m_text(text) {}

    // Moves to the next line; false when no CR LF is left.
    bool next();
    QStringView line() const { return m_line; }
    // The characters before the current line.
    qsizetype consumed() const { return m_lineStart; }

private:
    QStringView m_text;
    QStringView m_line;
    qsizetype m_lineStart = 0;
    qsizetype m_nextStart = 0;
};
