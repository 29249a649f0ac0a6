// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/Dictd.h"

#include "dicttool/BadInput.h"
#include "dicttool/InputText.h"

#include <QtEndian>

#include <algorithm>
#include <mutex>

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

} // namespace

QList<IndexEntry> readIndex(QStringView text) {
    QList<IndexEntry> entries;
    entries.reserve(text.count(u'\n') + 1);
    qsizetype line = 0;
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
    std::shared_mutex unwatched;
    return readData(bytes, {unwatched, {}});
}

QByteArray readData(const QByteArray& bytes, const Watcher& watcher) {
    const auto tell = [&](const QByteArray& text) {
        if (watcher.ready)
            watcher.ready(text.constData(), text.size());
    };
    if (!isCompressed(bytes)) {
        tell(bytes);
        return bytes;
    }
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
    tell(out);
    try {
        for (;;) {
            if (out.capacity() - out.size() < (1 << 16)) {
                const std::unique_lock moving(watcher.moving);
                out.reserve(out.capacity() * 2);
                tell(out);
            }
            // A step at a time, so that a watcher sees the text grow.
            const qsizetype before = out.size();
            const qsizetype step = std::min<qsizetype>(out.capacity() - before, 1 << 18);
            out.resize(before + step);
            stream.next_out = reinterpret_cast<Bytef*>(out.data() + before);
            stream.avail_out = uInt(step);
            const int rc = inflate(&stream, Z_NO_FLUSH);
            out.resize(out.size() - qsizetype(stream.avail_out));
            tell(out);
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
    } catch (...) {
        // A watcher may be reading the text: it goes only once the watcher has let go and been told.
        const std::unique_lock moving(watcher.moving);
        out = QByteArray();
        tell(out);
        throw;
    }
    inflateEnd(&stream);
    return out;
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
    // dictfmt names these with or without the dashes, depending on its options.
    return headword.startsWith(u"00-database") || headword.startsWith(u"00database") ||
           headword.startsWith(u'_');
}

} // namespace dictd
