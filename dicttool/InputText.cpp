// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/InputText.h"

#include "platform/TextCodec.h"

#include <QStringDecoder>

#include <algorithm>

namespace inputtext {

namespace {

constexpr QByteArrayView byteOrderMark("\xEF\xBB\xBF");

// UTF-8 decoded into `out`, which has room for a code unit per byte: the end of the text, or none when the
// bytes are not UTF-8 as Qt's decoder judges it (a sequence cut short, an overlong form, a surrogate, past
// U+10FFFF). Many small texts decode faster so than through QStringDecoder.
char16_t* fromUtf8(QByteArrayView bytes, char16_t* out) {
    const auto* p = reinterpret_cast<const uchar*>(bytes.data());
    const auto* const end = p + bytes.size();
    const auto continues = [&p](int k) { return (p[k] & 0xC0) == 0x80; };
    while (p < end) {
        const uchar b = *p;
        if (b < 0x80) {
            *out++ = b;
            p += 1;
        } else if (b < 0xE0) {
            if (b < 0xC2 || end - p < 2 || !continues(1))
                return nullptr;
            *out++ = char16_t((b & 0x1F) << 6 | (p[1] & 0x3F));
            p += 2;
        } else if (b < 0xF0) {
            if (end - p < 3 || !continues(1) || !continues(2))
                return nullptr;
            const auto c = char16_t((b & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F));
            if (c < 0x800 || QChar::isSurrogate(c))
                return nullptr;
            *out++ = c;
            p += 3;
        } else {
            if (b > 0xF4 || end - p < 4 || !continues(1) || !continues(2) || !continues(3))
                return nullptr;
            const char32_t c = char32_t(b & 0x07) << 18 | char32_t(p[1] & 0x3F) << 12 |
                               char32_t(p[2] & 0x3F) << 6 | char32_t(p[3] & 0x3F);
            if (c < 0x10000 || c > 0x10FFFF)
                return nullptr;
            *out++ = QChar::highSurrogate(c);
            *out++ = QChar::lowSurrogate(c);
            p += 4;
        }
    }
    return out;
}

} // namespace

QString decode(QByteArrayView bytes) {
    // A marked file is UTF-8 whatever follows; a broken sequence in it becomes U+FFFD, which the
    // import then refuses as a character the dictionary cannot hold.
    if (bytes.startsWith(byteOrderMark))
        return QString::fromUtf8(bytes.sliced(byteOrderMark.size()));
    // Spreadsheets save "Unicode text" as UTF-16, always with its mark; an odd last byte is dropped.
    for (const auto& [mark, encoding] : {std::pair{QByteArrayView("\xFF\xFE"), QStringDecoder::Utf16LE},
                                         std::pair{QByteArrayView("\xFE\xFF"), QStringDecoder::Utf16BE}}) {
        if (bytes.startsWith(mark)) {
            QStringDecoder utf16(encoding, QStringDecoder::Flag::Stateless);
            return utf16.decode(bytes.sliced(mark.size()));
        }
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? ansi::decode(bytes) : text;
}

QStringView decode(QByteArrayView bytes, std::u16string& room) {
    // Never shortened, the room is not cleared again for the next text.
    if (room.size() < size_t(bytes.size()))
        room.resize(size_t(bytes.size()));
    if (!bytes.startsWith(byteOrderMark)) {
        if (const char16_t* end = fromUtf8(bytes, room.data()))
            return QStringView(room.data(), end - room.data());
    }
    const QString decoded = decode(bytes);
    if (room.size() < size_t(decoded.size()))
        room.resize(size_t(decoded.size()));
    std::copy(decoded.cbegin(), decoded.cend(), reinterpret_cast<QChar*>(room.data()));
    return QStringView(room.data(), decoded.size());
}

} // namespace inputtext
