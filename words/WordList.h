// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <memory>

class SideIndex;

// The loaded word pairs ("Russian|English" lines), in load order; duplicates, empty lines and lines
// without "|" are items like any other. The lines live in one buffer in the code page's bytes, as the
// file holds them, so a million pairs cost little more than the file; a line becomes text when asked.
class WordList {
public:
    WordList();
    ~WordList();
    WordList(const WordList& other);
    WordList& operator=(const WordList& other);
    WordList(WordList&& other) noexcept;
    WordList& operator=(WordList&& other) noexcept;

    qsizetype count() const;
    // The line as text, made anew on every call.
    QString at(qsizetype index) const;
    // The line's bytes, without its line break.
    QByteArrayView bytesAt(qsizetype index) const;
    // A character outside the code page is held as the '?' that a file would hold.
    void append(QStringView line);
    void appendBytes(QByteArrayView line);
    void clear();
    // Drops the lines from this count on.
    void truncate(qsizetype count);
    // Every item followed by CR LF, the last included.
    QString text() const;
    QByteArrayView bytes() const;

    // Room for lines of this many bytes in all (their line breaks included), so that a load whose size
    // is known grows the buffer once.
    void reserve(qsizetype bytes);
    // An empty list shares the storage of a text of CR LF ended lines; appending that text's own lines
    // in order then copies nothing. A list that holds items ignores it.
    void shareText(const QByteArray& text);

    // The English sides (whole lines where there is no "|"), and the whole lines, in the order of their
    // lower-cased bytes; made on first use and dropped when the list changes.
    const SideIndex& englishIndex() const;
    const SideIndex& lineIndex() const;

private:
    void changed();

    QByteArray m_buffer;     // every line followed by CR LF: the list's text up to m_end, then shared
                             // lines not added yet
    QList<quint32> m_starts; // start of each line in m_buffer; a list's text stays below 4 GiB
    qsizetype m_end = 0;
    mutable std::shared_ptr<const SideIndex> m_englishIndex;
    mutable std::shared_ptr<const SideIndex> m_lineIndex;
};
