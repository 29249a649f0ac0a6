// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <zlib.h>

// dictd databases as dictfmt and dictzip write them, made by the tests.

inline QString indexDigits(qint64 n) {
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    QString digits;
    do {
        digits.prepend(QChar(alphabet[n % 64]));
        n /= 64;
    } while (n > 0);
    return digits;
}

struct Database {
    QByteArray index;
    QByteArray data;
    void add(const QString& headword, const QString& text) { addBytes(headword, text.toUtf8()); }
    // An article in whatever bytes it is given.
    void addBytes(const QString& headword, const QByteArray& bytes) {
        index += (headword + u'\t' + indexDigits(data.size()) + u'\t' + indexDigits(bytes.size()) + u'\n')
                     .toUtf8();
        data += bytes;
    }
};

// A plain gzip file, as a .dict.dz without the dictzip chunk list.
inline QByteArray gzip(const QByteArray& plain) {
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(qsizetype(deflateBound(&stream, uLong(plain.size()))) + 32, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(plain.constData()));
    stream.avail_in = uInt(plain.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.truncate(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}

inline void putLittleEndian(QByteArray& out, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += char((value >> (8 * i)) & 0xFF);
}

// A dictzip file: gzip whose extra field "RA" lists chunks of chunkLength plain bytes, each compressed
// so that it can be inflated on its own. dictzip itself ends the data with an empty last block after the
// last chunk, outside the list (`lastBlockApart`).
inline QByteArray dictzip(const QByteArray& plain, int chunkLength, bool lastBlockApart = false) {
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QList<quint32> sizes;
    QByteArray body;
    for (qsizetype offset = 0; offset < plain.size(); offset += chunkLength) {
        const QByteArray chunk = plain.mid(offset, chunkLength);
        const bool last = offset + chunkLength >= plain.size();
        QByteArray out(qsizetype(deflateBound(&stream, uLong(chunk.size()))) + 64, '\0');
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(chunk.constData()));
        stream.avail_in = uInt(chunk.size());
        stream.next_out = reinterpret_cast<Bytef*>(out.data());
        stream.avail_out = uInt(out.size());
        deflate(&stream, last && !lastBlockApart ? Z_FINISH : Z_FULL_FLUSH);
        out.truncate(out.size() - qsizetype(stream.avail_out));
        sizes.append(quint32(out.size()));
        body += out;
    }
    if (lastBlockApart) {
        char end[16];
        stream.next_out = reinterpret_cast<Bytef*>(end);
        stream.avail_out = sizeof end;
        deflate(&stream, Z_FINISH);
        body += QByteArray(end, qsizetype(sizeof end - stream.avail_out));
    }
    deflateEnd(&stream);

    QByteArray file("\x1f\x8b\x08\x04", 4);
    putLittleEndian(file, 0, 4); // time
    file += '\x02';              // best compression
    file += '\x03';              // Unix
    const int subfieldLength = 6 + 2 * int(sizes.size());
    putLittleEndian(file, quint32(4 + subfieldLength), 2);
    file += "RA";
    putLittleEndian(file, quint32(subfieldLength), 2);
    putLittleEndian(file, 1, 2);
    putLittleEndian(file, quint32(chunkLength), 2);
    putLittleEndian(file, quint32(sizes.size()), 2);
    for (const quint32 size : sizes)
        putLittleEndian(file, size, 2);
    file += body;
    putLittleEndian(
        file, quint32(crc32(0, reinterpret_cast<const Bytef*>(plain.constData()), uInt(plain.size()))), 4);
    putLittleEndian(file, quint32(plain.size()), 4);
    return file;
}
