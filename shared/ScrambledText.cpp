// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/ScrambledText.h"

#include "platform/Failure.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

namespace {

constexpr std::uint8_t key = 0x19;
constexpr char lineFeed = '\n';
constexpr char carriageReturn = '\r';
constexpr char endOfFile = 0x1A;

// Scrambled character for every UTF-16 unit. A character outside the code page scrambles as the '?'
// that the code page turns it into, so Coding agrees with encoding, XOR-ing and decoding.
const std::array<char16_t, 0x10000>& codingTable() {
    static const auto table = [] {
        QByteArray plainBytes(256, Qt::Uninitialized);
        QByteArray scrambledBytes(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b) {
            plainBytes[b] = char(b);
            scrambledBytes[b] = char(b ^ key);
        }
        const QString plain = ansi::decode(plainBytes);
        const QString scrambled = ansi::decode(scrambledBytes);
        auto t = std::make_unique<std::array<char16_t, 0x10000>>();
        t->fill(scrambled[uchar('?')].unicode());
        for (int b = 0; b < 256; ++b)
            (*t)[plain[b].unicode()] = scrambled[b].unicode();
        return t;
    }();
    return *table;
}

// The bytes that end the first line or are left out of it.
inline unsigned char isLineByte(char b) {
    return (b == lineFeed) | (b == carriageReturn) | (b == endOfFile);
}

[[noreturn]] void fail(const QString& what, const QString& fileName, const QString& reason) {
    throw Failure(QStringLiteral("%1 \"%2\". %3").arg(what, fileName, reason));
}

QByteArray scrambled(QStringView text) {
    QByteArray bytes = ansi::encode(text);
    char* data = bytes.data();
    for (qsizetype i = 0, n = bytes.size(); i < n; ++i)
        data[i] = char(data[i] ^ key);
    return bytes;
}

} // namespace

QString Coding(QStringView text) {
    const auto& table = codingTable();
    QString result(text.size(), Qt::Uninitialized);
    const char16_t* in = text.utf16();
    char16_t* out = reinterpret_cast<char16_t*>(result.data());
    qsizetype written = 0;
    for (qsizetype i = 0, n = text.size(); i < n; ++i) {
        out[written++] = table[in[i]];
        // A character beyond 16 bits is one character, so it becomes one '?', as the code page makes it.
        if (QChar::isHighSurrogate(in[i]) && i + 1 < n && QChar::isLowSurrogate(in[i + 1]))
            ++i;
    }
    result.truncate(written);
    return result;
}

qsizetype unscramblePiece(char* piece, qsizetype size, FirstLineState& state) {
    qsizetype i = 0;
    if (state.pendingCarriageReturn && size > 0) {
        state.pendingCarriageReturn = false;
        if (piece[0] == lineFeed) {
            state.ended = true;
            return 0;
        }
    }
    // Blocks without a line byte first, in loops the compiler can widen: a valid file is nothing else.
    // The test is a byte, not a bool: GCC widens an OR over bytes, but not one over bools.
    constexpr qsizetype block = 64;
    while (i + block <= size) {
        unsigned char lineByte = 0;
        for (qsizetype k = 0; k < block; ++k)
            lineByte |= isLineByte(piece[i + k]);
        if (lineByte)
            break;
        for (qsizetype k = 0; k < block; ++k)
            piece[i + k] = char(piece[i + k] ^ key);
        i += block;
    }
    qsizetype written = i;
    while (i < size) {
        const char b = piece[i++];
        if (!isLineByte(b)) {
            piece[written++] = char(b ^ key);
        } else if (b != carriageReturn) {
            state.ended = true;
            break;
        } else if (i == size) {
            state.pendingCarriageReturn = true;
        } else if (piece[i] == lineFeed) {
            state.ended = true;
            break;
        }
    }
    return written;
}

QByteArray ReadScrambledBytes(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Cannot open file"), fileName, file.errorString());
    return ReadScrambledBytes(file, fileName);
}

QByteArray ReadScrambledBytes(QIODevice& file, const QString& fileName) {
    // Read in pieces so that whatever follows the first line is never read, and a CR at the end of a
    // piece still sees the byte after it. A small file needs no large piece.
    const qint64 expected = file.size();
    const qint64 pieceSize = std::clamp<qint64>(expected + 1, 4096, 1 << 20);
    QByteArray text;
    text.reserve(qsizetype(std::max<qint64>(expected, 0) + pieceSize));
    FirstLineState state;
    while (!state.ended) {
        // Each piece is read straight into the text and unscrambled where it lies.
        const qsizetype start = text.size();
        text.resize(start + qsizetype(pieceSize));
        const qint64 got = file.read(text.data() + start, pieceSize);
        if (got < 0)
            fail(QStringLiteral("Cannot read file"), fileName, file.errorString());
        text.resize(start + unscramblePiece(text.data() + start, qsizetype(got), state));
        if (got == 0)
            break;
    }
    text.squeeze();
    return text;
}

QString ReadScrambledText(const QString& fileName) {
    return ansi::decode(ReadScrambledBytes(fileName));
}

QString ReadScrambledText(QIODevice& device, const QString& fileName) {
    return ansi::decode(ReadScrambledBytes(device, fileName));
}

void WriteScrambledText(const QString& fileName, QStringView text, WriteMode mode) {
    const QByteArray bytes = scrambled(text);
    // Appending never creates the file: its callers create it first.
    if (mode == WriteMode::Append)
        files::appendFile(fileName, bytes);
    else
        files::replaceFile(fileName, bytes);
}
