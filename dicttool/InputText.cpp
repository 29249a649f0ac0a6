// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/InputText.h"

#include "platform/TextCodec.h"

#include <QStringDecoder>

namespace inputtext {

QString decode(QByteArrayView bytes) {
    constexpr QByteArrayView byteOrderMark("\xEF\xBB\xBF");
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

} // namespace inputtext
