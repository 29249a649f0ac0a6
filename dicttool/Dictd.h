// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <memory>
#include <optional>

struct z_stream_s;

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

// The chunks of a dictzip file, each of which inflates on its own: every one but the last to
// `chunkLength` bytes of the text.
struct Dictzip {
    qsizetype chunkLength = 0;
    QList<QByteArrayView> chunks; // compressed, within the file's bytes
    quint32 checksum = 0;         // the CRC-32 of the whole text, from the gzip trailer
    quint32 length = 0;           // of the whole text, modulo 2^32, from the trailer
};
// None when the bytes are no dictzip file whose chunk list adds up to the file (plain gzip, for one).
std::optional<Dictzip> dictzipChunks(QByteArrayView bytes);
// Inflates dictzip chunks one after another, keeping zlib's room from one to the next.
class ChunkInflater {
public:
    ChunkInflater();
    ~ChunkInflater();
    ChunkInflater(const ChunkInflater&) = delete;
    ChunkInflater& operator=(const ChunkInflater&) = delete;

    // Inflates a chunk into `out`, as far as its `room` goes; the number of bytes inflated, or -1 when the
    // chunk is damaged or, the file's last, does not end the text there.
    qsizetype inflate(QByteArrayView chunk, bool last, char* out, qsizetype room);

private:
    std::unique_ptr<z_stream_s> m_stream;
};

// The article's bytes as the data holds them. Throws BadInput with the index line when it points outside
// the data.
QByteArrayView articleBytes(QByteArrayView data, const IndexEntry& entry);
// The same, decoded.
QString article(QByteArrayView data, const IndexEntry& entry);

// Entries that are no words: the database's own ("00-database-info" and the like) and the labels that
// Mueller's dictionary explains ("_a.", "_разг.").
bool isHeaderEntry(QStringView headword);

} // namespace dictd
