// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/Dictd.h"

#include "dicttool/BadInput.h"
#include "dicttool/InputText.h"

#include <QtEndian>

#include <algorithm>
#include <exception>
#include <thread>

#include <zlib.h>

namespace dictd {

qint64 indexNumber(QStringView digits) {
    // Ten digits are 60 bits: more could overflow, and no file is that large.
    if (digits.isEmpty() || digits.size() > 10)
        return -1;
    qint64 value = 0;
    for (const QChar c : digits) {
        const char16_t u = c.unicode();
        int digit;
        if (u >= 'A' && u <= 'Z')
            digit = u - 'A';
        else if (u >= 'a' && u <= 'z')
            digit = u - 'a' + 26;
        else if (u >= '0' && u <= '9')
            digit = u - '0' + 52;
        else if (u == '+')
            digit = 62;
        else if (u == '/')
            digit = 63;
        else
            return -1;
        value = value * 64 + digit;
    }
    return value;
}

namespace {

bool parseLine(QStringView line, IndexEntry& entry) {
    const qsizetype firstTab = line.indexOf(u'\t');
    const qsizetype secondTab = firstTab < 0 ? -1 : line.indexOf(u'\t', firstTab + 1);
    if (secondTab < 0)
        return false;
    // Some indexes carry a fourth field (the original headword); it is not needed here.
    qsizetype end = line.indexOf(u'\t', secondTab + 1);
    if (end < 0)
        end = line.size();
    entry.headword = line.first(firstTab).toString();
    entry.offset = indexNumber(line.sliced(firstTab + 1, secondTab - firstTab - 1));
    entry.length = indexNumber(line.sliced(secondTab + 1, end - secondTab - 1));
    return entry.offset >= 0 && entry.length >= 0;
}

QStringView withoutCarriageReturn(QStringView line) {
    return line.endsWith(u'\r') ? line.chopped(1) : line;
}

// The lines of a part of an index, numbered from after `linesBefore`, appended to `entries`.
void readLines(QStringView text, qsizetype linesBefore, QList<IndexEntry>& entries) {
    qsizetype line = linesBefore;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        ++line;
        const QStringView current = withoutCarriageReturn(text.sliced(start, end - start));
        start = end + 1;
        if (current.trimmed().isEmpty())
            continue;
        IndexEntry entry;
        if (!parseLine(current, entry))
            throw BadInput(line, QStringLiteral("not an index line \"headword TAB offset TAB length\""));
        entry.line = line;
        entries.append(std::move(entry));
    }
}

} // namespace

QList<IndexEntry> readIndex(QStringView text) {
    QList<IndexEntry> entries;
    // A large index is read in two halves side by side; a fault in the first is the one reported.
    const qsizetype middle = text.size() > (1 << 16) ? text.indexOf(u'\n', text.size() / 2) : -1;
    if (middle < 0) {
        entries.reserve(text.count(u'\n') + 1);
        readLines(text, 0, entries);
        return entries;
    }
    const QStringView first = text.first(middle + 1);
    const QStringView second = text.sliced(middle + 1);
    const qsizetype firstLines = first.count(u'\n');
    QList<IndexEntry> secondEntries;
    std::exception_ptr secondFault;
    {
        const std::jthread other([&] {
            try {
                secondEntries.reserve(second.count(u'\n') + 1);
                readLines(second, firstLines, secondEntries);
            } catch (...) {
                secondFault = std::current_exception();
            }
        });
        entries.reserve(firstLines + second.count(u'\n') + 1);
        readLines(first, 0, entries);
    }
    if (secondFault)
        std::rethrow_exception(secondFault);
    entries.append(std::move(secondEntries));
    return entries;
}

bool looksLikeIndex(QStringView text) {
    const qsizetype end = text.indexOf(u'\n');
    IndexEntry entry;
    return parseLine(withoutCarriageReturn(end < 0 ? text : text.first(end)), entry);
}

bool isCompressed(QByteArrayView bytes) {
    return bytes.startsWith("\x1f\x8b");
}

QByteArray readData(const QByteArray& bytes) {
    if (!isCompressed(bytes))
        return bytes;
    // The whole file is inflated in one go: a full import reads every chunk anyway, and zlib then also
    // checks the length and checksum at the end, which catches a damaged file.
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        throw Failure(QStringLiteral("zlib cannot start inflating"));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());

    // gzip ends with the inflated length (modulo 4 GiB): with room for it, and for the last round's
    // margin below, the text is not copied into ever larger buffers. Deflate shrinks by at most about
    // 1:1032; a claim beyond that is no guide.
    const qsizetype claimed =
        bytes.size() >= 4 ? qFromLittleEndian<quint32>(bytes.constData() + bytes.size() - 4) : 0;
    QByteArray out;
    out.reserve(std::max(bytes.size() * 3, std::min(claimed, bytes.size() * 1032) + (1 << 16)));
    for (;;) {
        if (out.capacity() - out.size() < (1 << 16))
            out.reserve(out.capacity() * 2);
        // A step at a time: zlib checks what each call inflated while it is still in the cache.
        const qsizetype before = out.size();
        const qsizetype step = std::min<qsizetype>(out.capacity() - before, 1 << 18);
        out.resize(before + step);
        stream.next_out = reinterpret_cast<Bytef*>(out.data() + before);
        stream.avail_out = uInt(step);
        const int rc = inflate(&stream, Z_NO_FLUSH);
        out.resize(out.size() - qsizetype(stream.avail_out));
        if (rc == Z_STREAM_END) {
            // gzip allows several members one after another; dictzip writes one.
            if (stream.avail_in == 0)
                break;
            inflateReset(&stream);
            continue;
        }
        if (rc == Z_BUF_ERROR && stream.avail_in == 0) {
            inflateEnd(&stream);
            throw BadInput(
                0, QStringLiteral("the compressed data is cut short after %1 of its bytes (%2 inflated); "
                                  "the file is incomplete")
                       .arg(bytes.size())
                       .arg(out.size()));
        }
        if (rc != Z_OK) {
            const QString reason =
                stream.msg ? QString::fromLatin1(stream.msg) : QStringLiteral("error %1").arg(rc);
            inflateEnd(&stream);
            throw BadInput(0, QStringLiteral("the compressed data is damaged: %1").arg(reason));
        }
    }
    inflateEnd(&stream);
    return out;
}

std::optional<Dictzip> dictzipChunks(QByteArrayView bytes) {
    // The gzip header: magic, method 8 (deflate), flags, time, extra flags, system; then the optional
    // fields the flags announce. A header checksum or an unknown flag is left to zlib, which checks them.
    enum Flag { HeaderChecksum = 2, Extra = 4, Name = 8, Comment = 16, Unknown = 0xE0 };
    const auto number16 = [&](qsizetype at) {
        return qsizetype(qFromLittleEndian<quint16>(bytes.data() + at));
    };
    if (bytes.size() < 12 || !isCompressed(bytes) || bytes[2] != 8 || !(bytes[3] & Extra))
        return std::nullopt;
    const int flags = quint8(bytes[3]);
    if (flags & (HeaderChecksum | Unknown))
        return std::nullopt;
    const qsizetype extraLength = number16(10);
    qsizetype at = 12 + extraLength;
    if (at > bytes.size())
        return std::nullopt;
    // dictzip's subfield "RA": version 1, the chunk length, the number of chunks and their compressed
    // sizes.
    Dictzip file;
    QList<qsizetype> sizes;
    for (qsizetype sub = 12; sub + 4 <= at;) {
        const qsizetype length = number16(sub + 2);
        if (sub + 4 + length > at)
            return std::nullopt;
        if (bytes[sub] == 'R' && bytes[sub + 1] == 'A' && length >= 6 && number16(sub + 4) == 1) {
            file.chunkLength = number16(sub + 6);
            const qsizetype count = number16(sub + 8);
            if (length != 6 + 2 * count)
                return std::nullopt;
            for (qsizetype i = 0; i < count; ++i)
                sizes.append(number16(sub + 10 + 2 * i));
        }
        sub += 4 + length;
    }
    for (const Flag field : {Name, Comment}) {
        if (flags & field) {
            const qsizetype end = bytes.indexOf('\0', at);
            if (end < 0)
                return std::nullopt;
            at = end + 1;
        }
    }
    if (file.chunkLength == 0 || sizes.isEmpty())
        return std::nullopt;
    // The trailer, the text's checksum and length, ends the file. dictzip ends the compressed data with an
    // empty last block after the last chunk: that chunk runs up to the trailer.
    const qsizetype trailer = bytes.size() - 8;
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        if (at + sizes[i] > trailer)
            return std::nullopt;
        file.chunks.append(bytes.sliced(at, i + 1 < sizes.size() ? sizes[i] : trailer - at));
        at += sizes[i];
    }
    file.checksum = qFromLittleEndian<quint32>(bytes.data() + trailer);
    file.length = qFromLittleEndian<quint32>(bytes.data() + trailer + 4);
    return file;
}

ChunkInflater::ChunkInflater() : m_stream(std::make_unique<z_stream>()) {
    // Each chunk starts afresh, without a header of its own: dictzip flushes the compression between them.
    if (inflateInit2(m_stream.get(), -MAX_WBITS) != Z_OK)
        throw Failure(QStringLiteral("zlib cannot start inflating"));
}

ChunkInflater::~ChunkInflater() {
    inflateEnd(m_stream.get());
}

qsizetype ChunkInflater::inflate(QByteArrayView chunk, bool last, char* out, qsizetype room) {
    z_stream& stream = *m_stream;
    inflateReset(&stream);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(chunk.data()));
    stream.avail_in = uInt(chunk.size());
    stream.next_out = reinterpret_cast<Bytef*>(out);
    stream.avail_out = uInt(room);
    const int rc = ::inflate(&stream, Z_SYNC_FLUSH);
    const qsizetype inflated = room - qsizetype(stream.avail_out);
    // The last chunk's data ends with the text, and nothing follows it but the trailer.
    if (rc == Z_STREAM_END)
        return last && stream.avail_in == 0 ? inflated : -1;
    if ((rc == Z_OK || rc == Z_BUF_ERROR) && (stream.avail_out == 0 || !last))
        return inflated;
    return -1;
}

QByteArrayView articleBytes(QByteArrayView data, const IndexEntry& entry) {
    if (entry.offset + entry.length > data.size())
        throw BadInput(entry.line,
                       QStringLiteral("the entry \"%1\" points past the end of the data (%2 bytes)")
                           .arg(entry.headword)
                           .arg(data.size()));
    return data.sliced(entry.offset, entry.length);
}

QString article(QByteArrayView data, const IndexEntry& entry) {
    return inputtext::decode(articleBytes(data, entry));
}

bool isHeaderEntry(QStringView headword) {
    // dictfmt names these with or without the dashes, depending on its options. Told by the first
    // character first: every entry is asked.
    if (headword.isEmpty() || (headword.front() != u'0' && headword.front() != u'_'))
        return false;
    return headword.startsWith(u"00-database") || headword.startsWith(u"00database") ||
           headword.startsWith(u'_');
}

} // namespace dictd
