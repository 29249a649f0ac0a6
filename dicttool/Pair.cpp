// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/Pair.h"

#include <algorithm>

// ASCII and А to я, most of what dictionaries hold, need no look-up in the Unicode tables.
bool hasCyrillic(QStringView text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return u >= 0x80 && ((u >= u'А' && u <= u'я') || c.script() == QChar::Script_Cyrillic);
    });
}

bool hasLatin(QStringView text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            return (u | 0x20) >= u'a' && (u | 0x20) <= u'z';
        return (u < u'А' || u > u'я') && c.script() == QChar::Script_Latin;
    });
}

QString languageNamed(QStringView name) {
    const QString lower = name.trimmed().toString().toLower();
    if (lower == u"en" || lower.contains(u"english") || lower.contains(u"englisch") ||
        lower.contains(u"англ"))
        return QStringLiteral("en");
    if (lower == u"ru" || lower.contains(u"russian") || lower.contains(u"russisch") || lower.contains(u"рус"))
        return QStringLiteral("ru");
    return {};
}

QList<Pair> oriented(const QList<TwoSides>& pairs) {
    qsizetype firstCyrillic = 0;
    qsizetype secondCyrillic = 0;
    for (const TwoSides& pair : pairs) {
        firstCyrillic += hasCyrillic(pair.first);
        secondCyrillic += hasCyrillic(pair.second);
    }
    const bool firstIsRussian = firstCyrillic > secondCyrillic;
    QList<Pair> result;
    result.reserve(pairs.size());
    for (const TwoSides& pair : pairs)
        result.append(firstIsRussian ? Pair{pair.first, pair.second} : Pair{pair.second, pair.first});
    return result;
}
