// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/PlainText.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace plaintext {

namespace {

// The entities editors write; others are rare in word lists and stay as they are.
QString namedEntity(QStringView name) {
    static const QHash<QString, QString> entities = {
        {QStringLiteral("amp"), QStringLiteral("&")},
        {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},
        {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")},
        {QStringLiteral("nbsp"), QStringLiteral(" ")},
        {QStringLiteral("shy"), QString()},
        {QStringLiteral("ndash"), QStringLiteral("–")},
        {QStringLiteral("mdash"), QStringLiteral("—")},
        {QStringLiteral("hellip"), QStringLiteral("…")},
        {QStringLiteral("laquo"), QStringLiteral("«")},
        {QStringLiteral("raquo"), QStringLiteral("»")},
        {QStringLiteral("lsquo"), QStringLiteral("‘")},
        {QStringLiteral("rsquo"), QStringLiteral("’")},
        {QStringLiteral("ldquo"), QStringLiteral("“")},
        {QStringLiteral("rdquo"), QStringLiteral("”")},
        {QStringLiteral("bdquo"), QStringLiteral("„")},
        {QStringLiteral("copy"), QStringLiteral("©")},
        {QStringLiteral("deg"), QStringLiteral("°")},
        {QStringLiteral("middot"), QStringLiteral("·")},
        {QStringLiteral("bull"), QStringLiteral("•")},
        {QStringLiteral("euro"), QStringLiteral("€")},
    };
    return entities.value(name.toString(), QStringLiteral("&%1;").arg(name));
}

QString entity(QStringView name) {
    if (!name.startsWith(u'#'))
        return namedEntity(name);
    bool ok = false;
    const uint code = name.size() > 1 && (name[1] == u'x' || name[1] == u'X')
                          ? name.sliced(2).toUInt(&ok, 16)
                          : name.sliced(1).toUInt(&ok, 10);
    if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return QStringLiteral("&%1;").arg(name);
    return code == 0xA0 ? QStringLiteral(" ")
                        : QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
}

bool breaksLine(QStringView tagName) {
    static const QStringList names = {QStringLiteral("br"), QStringLiteral("div"), QStringLiteral("p"),
                                      QStringLiteral("li"), QStringLiteral("tr"),  QStringLiteral("h1"),
                                      QStringLiteral("h2"), QStringLiteral("h3"),  QStringLiteral("hr")};
    return names.contains(tagName);
}

} // namespace

QString withoutMedia(QStringView field) {
    static const QRegularExpression media(QStringLiteral("\\[(?:sound|img|image|audio|video):[^\\]]*\\]"),
                                          QRegularExpression::CaseInsensitiveOption);
    return field.contains(u'[') ? field.toString().remove(media) : field.toString();
}

QString wordOfHtml(QStringView html) {
    // Most fields hold a word and nothing else.
    if (std::none_of(html.begin(), html.end(),
                     [](QChar c) { return c == u'<' || c == u'&' || c == u'[' || c == u'\n' || c == u'\r'; }))
        return html.toString().simplified();
    QString text;
    text.reserve(html.size());
    for (qsizetype i = 0; i < html.size();) {
        const QChar c = html[i];
        const qsizetype close = c == u'<' ? html.indexOf(u'>', i + 1) : -1;
        if (close > i) {
            QStringView tag = html.sliced(i + 1, close - i - 1);
            const bool closing = tag.startsWith(u'/');
            tag = tag.sliced(closing ? 1 : 0);
            qsizetype nameEnd = 0;
            while (nameEnd < tag.size() && tag[nameEnd].isLetterOrNumber())
                ++nameEnd;
            const QString name = tag.first(nameEnd).toString().toLower();
            i = close + 1;
            if (breaksLine(name))
                text += u'\n';
            // What a script or a style holds is never shown.
            if (!closing && (name == u"script" || name == u"style")) {
                const qsizetype end = html.indexOf(QStringLiteral("</%1").arg(name), i, Qt::CaseInsensitive);
                i = end < 0 ? html.size() : end;
            }
            continue;
        }
        const qsizetype semicolon = c == u'&' ? html.indexOf(u';', i + 1) : -1;
        if (semicolon > i + 1 && semicolon - i <= 10) {
            text += entity(html.sliced(i + 1, semicolon - i - 1));
            i = semicolon + 1;
            continue;
        }
        text += c.isSpace() ? QChar(u' ') : c;
        ++i;
    }
    const QStringList lines = withoutMedia(text).split(u'\n');
    for (const QString& line : lines)
        if (const QString word = line.simplified(); !word.isEmpty())
            return word;
    return {};
}

} // namespace plaintext
