// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/DataFileText.h"

#include "dicttool/BadInput.h"
#include "platform/TextCodec.h"
#include "shared/ScrambledText.h"

#include <QStringDecoder>

namespace datafile {

namespace {

constexpr QByteArrayView byteOrderMark("\xEF\xBB\xBF");

qsizetype lineAt(QStringView text, qsizetype position) {
    return text.first(position).count(u'\n') + 1;
}

QString strictUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (!decoder.hasError())
        return text;
    // Find the line: decode again line by line until one fails.
    qsizetype line = 1;
    for (qsizetype start = 0; start < bytes.size(); ++line) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        QStringDecoder lineDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        // The decoder works when its result becomes a string.
        const QString decoded = lineDecoder.decode(bytes.sliced(start, end - start));
        if (lineDecoder.hasError())
            break;
        start = end;
    }
    throw BadInput(line, QStringLiteral("the text is not UTF-8"));
}

} // namespace

QByteArray decode(QByteArrayView scrambled) {
    return Coding(ansi::decode(scrambled)).toUtf8();
}

QByteArray encode(QByteArrayView utf8) {
    if (utf8.startsWith(byteOrderMark))
        utf8 = utf8.sliced(byteOrderMark.size());
    const QString text = strictUtf8(utf8);
    const QByteArray plain = ansi::encode(text);
    const QString back = ansi::decode(plain);
    if (back != text) {
        // Up to the first character outside the code page both run alike, one character a byte.
        qsizetype i = 0;
        while (i < back.size() && back[i] == text[i])
            ++i;
        const char32_t code = text[i].isHighSurrogate() && i + 1 < text.size()
                                  ? QChar::surrogateToUcs4(text[i], text[i + 1])
                                  : text[i].unicode();
        throw BadInput(lineAt(text, i),
                       QStringLiteral("the character U+%1 has no place in Windows-1251")
                           .arg(QString::number(quint32(code), 16).toUpper().rightJustified(4, u'0')));
    }
    return ansi::encode(Coding(text));
}

Hazard readingHazard(QByteArrayView utf8) {
    const QString text = QString::fromUtf8(utf8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            return {lineAt(text, i),
                    QStringLiteral("the line ends with LF alone, but the program splits lines at "
                                   "CR LF only")};
        // Scrambled, these become LF, CR and 0x1A, which end or break the program's read of the file.
        if (c == 0x13 || c == 0x14 || c == 0x03)
            return {lineAt(text, i), QStringLiteral("the control character 0x%1 ends or breaks the program's "
                                                    "read of the file here")
                                         .arg(int(c), 2, 16, QLatin1Char('0'))};
    }
    return {};
}

} // namespace datafile
