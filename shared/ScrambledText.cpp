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

// Unscrambled character for every byte of a file.
const std::array<char16_t, 256>& unscrambleTable() {
    static const auto table = [] {
        QByteArray bytes(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            bytes[b] = char(b ^ key);
        const QString text = ansi::decode(bytes);
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[b] = text[b].unicode();
        return t;
    }();
    return table;
}

// The bytes that end the first line or are left out of it.
inline bool isLineByte(char b) {
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

QString ReadScrambledText(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Cannot open file"), fileName, file.errorString());
    return ReadScrambledText(file, fileName);
}

QString ReadScrambledText(QIODevice& file, const QString& fileName) {
    const auto& table = unscrambleTable();
    QString text;
    const qint64 expected = file.size();
    if (expected > 0)
        text.reserve(qsizetype(expected));

    // Read in pieces so that whatever follows the first line is never read, and a CR at the end of a
    // piece still sees the byte after it. A small file needs no large piece.
    const qint64 pieceSize = std::clamp<qint64>(expected + 1, 4096, 1 << 20);
    QByteArray piece(pieceSize, Qt::Uninitialized);
    bool pendingCarriageReturn = false;
    for (;;) {
        const qint64 got = file.read(piece.data(), pieceSize);
        if (got < 0)
            fail(QStringLiteral("Cannot read file"), fileName, file.errorString());
        if (got == 0)
            break;
        const qsizetype start = text.size();
        text.resize(start + qsizetype(got));
        char16_t* out = reinterpret_cast<char16_t*>(text.data()) + start;
        const char* in = piece.constData();
        qsizetype written = 0;
        bool lineEnded = false;
        qint64 i = 0;
        if (pendingCarriageReturn) {
            pendingCarriageReturn = false;
            if (in[0] == lineFeed)
                lineEnded = true;
        }
        while (!lineEnded && i < got) {
            // Plain bytes first, in a loop with no other decision: a valid file is nothing else.
            while (i < got && !isLineByte(in[i]))
                out[written++] = table[std::uint8_t(in[i++])];
            if (i == got)
                break;
            const char b = in[i++];
            if (b != carriageReturn) {
                lineEnded = true;
            } else if (i == got) {
                pendingCarriageReturn = true;
            } else if (in[i] == lineFeed) {
                lineEnded = true;
            }
        }
        text.resize(start + written);
        if (lineEnded)
            break;
    }
    text.squeeze();
    return text;
}

void WriteScrambledText(const QString& fileName, QStringView text, WriteMode mode) {
    const QByteArray bytes = scrambled(text);
    // Appending never creates the file: its callers create it first.
    if (mode == WriteMode::Append)
        files::appendFile(fileName, bytes);
    else
        files::replaceFile(fileName, bytes);
}
