// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <functional>
#include <shared_mutex>

// A dictd database: an index of lines "headword TAB offset TAB length", the numbers in base-64 digits
// (A-Z a-z 0-9 + /, most significant first), pointing into a data file that is plain, gzip or dictzip
// (gzip whose chunks can also be inflated one by one).
namespace dictd {

struct IndexEntry {
    QString headword;
    qint64 offset = 0;
    qint64 length = 0;
    qsizetype line = 0;
};

// -1 when the text is no such number or too long for one.
qint64 indexNumber(QStringView digits);

// Throws BadInput naming the first line that is not an index line. Empty lines are passed over.
QList<IndexEntry> readIndex(QStringView text);

// Whether the bytes look like an index: their first line is an index line.
bool looksLikeIndex(QStringView text);

// Whether the bytes start as gzip does (dictzip is gzip).
bool isCompressed(QByteArrayView bytes);

// The articles' bytes: compressed data inflated, anything else as it is. Throws Failure on data that is
// cut short or damaged.
QByteArray readData(const QByteArray& bytes);

// Tells, while readData inflates, where the text lies and how much of it is there, so that another
// thread can read what is there already. The text moves to a larger buffer only while `moving` is held
// exclusively, and `ready` is told the new place before it is released.
struct Watcher {
    std::shared_mutex& moving;
    std::function<void(const char* text, qsizetype size)> ready;
};
QByteArray readData(const QByteArray& bytes, const Watcher& watcher);

// The article's bytes as the data holds them. Throws BadInput with the index line when it points outside
// the data.
QByteArrayView articleBytes(QByteArrayView data, const IndexEntry& entry);
// The same, decoded.
QString article(QByteArrayView data, const IndexEntry& entry);

// Entries that are no words: the database's own ("00-database-info" and the like) and the labels that
// Mueller's dictionary explains ("_a.", "_разг.").
bool isHeaderEntry(QStringView headword);

} // namespace dictd
