// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextCodec.h"

#include <QByteArray>
#include <QStringView>

#include <initializer_list>
#include <random>
#include <vector>

// Words made of syllables, so that their letters and lengths look like a real dictionary's.
class WordMaker {
public:
    explicit WordMaker(unsigned seed) : m_random(seed) {}

    QByteArray russian() { return phrase(m_russianSyllables); }
    QByteArray english() { return phrase(m_englishSyllables); }

private:
    QByteArray phrase(const std::vector<QByteArray>& syllables) {
        QByteArray text = word(syllables);
        if (m_random() % 8 == 0)
            text += ' ' + word(syllables);
        return text;
    }
    QByteArray word(const std::vector<QByteArray>& syllables) {
        QByteArray text;
        const int count = 3 + int(m_random() % 4);
        for (int i = 0; i < count; ++i)
            text += syllables[m_random() % syllables.size()];
        return text;
    }

    static std::vector<QByteArray> cyrillic(std::initializer_list<const char16_t*> syllables) {
        std::vector<QByteArray> result;
        for (const char16_t* s : syllables)
            result.push_back(ansi::encode(QStringView(s)));
        return result;
    }

    std::mt19937 m_random;
    std::vector<QByteArray> m_russianSyllables =
        cyrillic({u"ка", u"ро", u"ми",  u"ст", u"ва",  u"ле", u"ни", u"тор", u"бе", u"го", u"ще", u"ль",
                  u"ёж", u"за", u"пре", u"ду", u"ция", u"ть", u"ой", u"шка", u"ры", u"ю",  u"эн", u"фа"});
    std::vector<QByteArray> m_englishSyllables = {"ta", "ble", "str", "ing", "con", "ver", "sion", "ow",
                                                  "ma", "ke",  "ph",  "ol",  "de",  "ght", "tion", "er",
                                                  "un", "ly",  "qu",  "ick", "sh",  "ar",  "wa",   "re"};
};
