// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/DictdArticle.h"

#include "dicttool/InputText.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

// QChar::isSpace looks every character beyond Latin-1 up in the Unicode tables, Cyrillic letters too,
// though no blank lies between U+0100 and U+1680.
inline bool isBlank(QChar c) {
    return c == u' ' || ((c.unicode() < 0x100 || c.unicode() >= 0x1680) && c.isSpace());
}

bool isRomanDigit(QChar c) {
    return c == u'I' || c == u'V' || c == u'X';
}

// А to я need no look-up in the Unicode tables.
bool isCyrillicLetter(QChar c) {
    return (c.unicode() >= u'А' && c.unicode() <= u'я') ||
           (c.unicode() >= 0x80 && c.script() == QChar::Script_Cyrillic && c.isLetter());
}

bool isBracket(char16_t c) {
    switch (c) {
    case u'(':
    case u')':
    case u'[':
    case u']':
    case u'{':
    case u'}':
    case u'<':
    case u'>':
        return true;
    default:
        return false;
    }
}

// Whether a sense must look at the character on its own: a bracket, a line break, or what may be a blank
// (a few more than isBlank takes, cheaply told). Anything else is copied with what precedes it.
bool needsALook(char16_t c) {
    if (c <= u' ')
        return true;
    if (c < 0x80)
        return isBracket(c);
    return c < 0x100 ? c == 0x85 || c == 0xA0 : c >= 0x1680;
}

// Notes in (), [], {} and <> (transcriptions, remarks, grammar) are passed over, nested ones too. A
// closing bracket with nothing open is text, so "1)" still numbers a sense; a note never closed runs to
// the end.
class NoteSkipper {
public:
    bool isOpen() const { return !m_open.empty(); }

    // Whether the character belongs to a note.
    bool skips(QChar c) {
        if (!isBracket(c.unicode()))
            return isOpen();
        if (const char16_t closer = closerOf(c.unicode())) {
            m_open += closer;
            return true;
        }
        if (m_open.empty())
            return false;
        if (c == m_open.back())
            m_open.pop_back();
        return true;
    }

private:
    static char16_t closerOf(char16_t opener) {
        switch (opener) {
        case u'(':
            return u')';
        case u'[':
            return u']';
        case u'{':
            return u'}';
        case u'<':
            return u'>';
        default:
            return 0;
        }
    }

    std::u16string m_open; // the closers awaited, innermost last
};

QStringView withoutNotes(QStringView text, std::u16string& kept) {
    kept.clear();
    NoteSkipper notes;
    for (const QChar c : text)
        if (!notes.skips(c))
            kept += c.unicode();
    return kept;
}

// Labels of part of speech, field and style are words that start with "_" in Mueller's dictionary
// ("_n.", "_разг.", "_I"); FreeDict gives the pronunciation between slashes. Blanks become single spaces,
// none at either end. The text is written into `kept`, whose room is used again from sense to sense.
QStringView withoutLabels(QStringView text, std::u16string& kept) {
    // Never longer than the text: written in place, into room that is never shortened.
    if (kept.size() < size_t(text.size()))
        kept.resize(size_t(text.size()));
    char16_t* const out = kept.data();
    qsizetype size = 0;
    qsizetype i = 0;
    const auto skipTo = [&](QChar end) {
        while (i < text.size() && text[i] != end && !(end == u' ' && isBlank(text[i])))
            ++i;
    };
    while (i < text.size()) {
        if (isBlank(text[i])) {
            if (size > 0 && out[size - 1] != u' ')
                out[size++] = u' ';
            ++i;
        } else if (text[i] == u'_') {
            skipTo(u' ');
        } else if (text[i] == u'/' && text.indexOf(u'/', i + 1) > i + 1) {
            i = text.indexOf(u'/', i + 1) + 1;
        } else {
            for (; i < text.size() && !isBlank(text[i]); ++i)
                out[size++] = text[i].unicode();
        }
    }
    if (size > 0 && out[size - 1] == u' ')
        --size;
    return QStringView(out, size);
}

// The length of a sense number at the start of the text ("1.", "12)", "II.", "а)") when a blank or the
// end follows it; 0 when there is none.
qsizetype senseNumberLength(QStringView text) {
    qsizetype n = 0;
    if (!text.isEmpty() && text[0] >= u'а' && text[0] <= u'я') {
        n = text.size() > 1 && text[1] == u')' ? 2 : 0;
    } else {
        while (n < text.size() && n < 2 && text[n].isDigit())
            ++n;
        if (n > 0) {
            n = n < text.size() && (text[n] == u'.' || text[n] == u')') ? n + 1 : 0;
        } else {
            while (n < text.size() && n < 4 && isRomanDigit(text[n]))
                ++n;
            n = n > 0 && n < text.size() && text[n] == u'.' ? n + 1 : 0;
        }
    }
    return n > 0 && (n == text.size() || isBlank(text[n])) ? n : 0;
}

// Labels that Mueller's dictionary writes without "_", in front of a translation: "преим. девушка",
// "римск. Юпитер".
QStringView withoutLeadingAbbreviations(QStringView text) {
    for (;;) {
        qsizetype end = 0;
        while (end < text.size() && isCyrillicLetter(text[end]))
            ++end;
        if (end == 0 || end >= text.size() || text[end] != u'.')
            return text;
        text = text.sliced(end + 1).trimmed();
    }
}

// A sense that describes rather than translates: "в сложных словах означает", "указывает на:". What it
// describes follows in its own senses.
bool isUsageNote(QStringView text) {
    if (text.endsWith(u':'))
        return true;
    // "обозначает" holds "означает". Each verb is looked for where its first two letters stand, the two
    // told at once.
    static constexpr std::u16string_view verbs[] = {u"означает", u"выражает", u"указывает", u"употребляется"};
    constexpr auto firstTwo = [](char16_t first, char16_t second) {
        return quint32(first) | quint32(second) << 16;
    };
    const std::u16string_view all(text.utf16(), size_t(text.size()));
    for (size_t i = 0; i + 1 < all.size(); ++i) {
        const quint32 two = firstTwo(all[i], all[i + 1]);
        if (two != firstTwo(u'о', u'з') && two != firstTwo(u'в', u'ы') && two != firstTwo(u'у', u'к') &&
            two != firstTwo(u'у', u'п'))
            continue;
        for (const std::u16string_view verb : verbs)
            if (all.substr(i).starts_with(verb))
                return true;
    }
    return false;
}

// The first translation of a sense, once labels are gone (written into `kept`); none when the sense holds
// no Russian or is a usage note.
std::optional<QStringView> translationOf(QStringView sense, std::u16string& kept) {
    // Cleaning only takes away: a sense with no Cyrillic at all ("_n.") needs none.
    if (!hasCyrillic(sense))
        return std::nullopt;
    const QStringView cleaned = withoutLeadingAbbreviations(withoutLabels(sense, kept));
    if (!hasCyrillic(cleaned) || isUsageNote(cleaned))
        return std::nullopt;
    const auto alternative =
        std::find_if(cleaned.begin(), cleaned.end(), [](QChar c) { return c == u',' || c == u';'; });
    const QStringView first = QStringView(cleaned.cbegin(), alternative).trimmed();
    // An English word before the translation marks an example ("tom cat кот"), not a translation.
    if (!hasCyrillic(first) || hasLatin(first))
        return QStringView();
    return first;
}

// A line that opens with a homonym number ("_I", "_II", ...).
bool opensHomonym(QStringView line) {
    line = line.trimmed();
    qsizetype numeral = 1;
    while (numeral < line.size() && isRomanDigit(line[numeral]))
        ++numeral;
    return line.startsWith(u'_') && numeral > 1 && (numeral == line.size() || !line[numeral].isLetter());
}

// The next line of the text with its line break (the last may have none), taken off the text; false at
// the end.
bool nextLine(QStringView& text, QStringView& line) {
    if (text.isEmpty())
        return false;
    const qsizetype end = text.indexOf(u'\n');
    line = end < 0 ? text : text.first(end + 1);
    text = text.sliced(line.size());
    return true;
}

// Room for an article's text and senses that serves the next article too.
struct Room {
    std::u16string text;
    std::u16string sense;
    std::u16string kept;
};
thread_local Room room;

// `shared` is the headword's own text when there is one: a head that spells it alike takes no copy.
Pair firstTranslation(QStringView headword, QStringView article, Room& room, const QString* shared) {
    std::u16string& sense = room.sense;
    std::u16string& kept = room.kept;
    // Articles repeat the headword on their first line (past blanks) in its proper spelling ("Adam's
    // apple" for the index's "adam's apple"); one that does not is all body.
    QStringView line;
    bool more = false;
    while (line.isEmpty() && (more = nextLine(article, line)))
        while (!line.isEmpty() && isBlank(line.front()))
            line = line.sliced(1);
    QString english;
    if (more) {
        const QStringView head =
            withoutLabels(withoutNotes(line.endsWith(u'\n') ? line.chopped(1) : line, sense), kept);
        if (!head.isEmpty() && spellsHeadword(head, headword)) {
            english = shared && head == headword ? *shared : head.toString();
            more = nextLine(article, line);
        }
    }
    if (english.isEmpty())
        english = headword.toString().simplified();

    // Senses are numbered "1.", "1)", "а)" or "I."; what stands before the first number (the
    // transcription, the part of speech) is no sense of its own unless it holds a translation. Long
    // articles are read only as far as their first translation, and homonyms are told apart ("_I медник",
    // "_II жаровня"): the first is the word's most common sense. A sense number ends within its line.
    // The sense is written in place, into room that is never shortened and grows by a line at most.
    qsizetype senseSize = 0;
    bool afterBlank = true; // the sense is empty or ends in a blank, so a sense number may start
    NoteSkipper notes;
    int homonyms = 0;
    for (; more && !(opensHomonym(line) && ++homonyms == 2); more = nextLine(article, line)) {
        if (sense.size() < size_t(senseSize + line.size()))
            sense.resize(size_t(senseSize + line.size()));
        char16_t* const senseText = sense.data();
        const char16_t* const text = line.utf16();
        const qsizetype size = line.size();
        for (qsizetype i = 0; i < size;) {
            if (notes.skips(line[i])) {
                // Within a note, only a bracket can change anything.
                for (++i; notes.isOpen() && i < size && !isBracket(text[i]); ++i) {
                }
                continue;
            }
            const qsizetype number = afterBlank ? senseNumberLength(line.sliced(i)) : 0;
            if (number == 0) {
                const QChar c = text[i] == u'\n' ? QChar(u' ') : line[i];
                senseText[senseSize++] = c.unicode();
                afterBlank = isBlank(c);
                ++i;
                // Up to the next blank or bracket, no sense number and no note can start.
                if (!afterBlank) {
                    for (; i < size && !needsALook(text[i]); ++i)
                        senseText[senseSize++] = text[i];
                }
                continue;
            }
            if (const auto translation = translationOf(QStringView(senseText, senseSize), kept))
                return {translation->toString(), english};
            senseSize = 0;
            afterBlank = true;
            i += number;
        }
    }
    const QStringView last(sense.data(), senseSize);
    return {translationOf(last, kept).value_or(QStringView()).toString(), english};
}

} // namespace

Pair firstTranslation(QStringView headword, QStringView article) {
    return firstTranslation(headword, article, room, nullptr);
}

Pair firstTranslation(const QString& headword, QByteArrayView article) {
    return firstTranslation(headword, inputtext::decode(article, room.text), room, &headword);
}

bool spellsHeadword(QStringView text, QStringView headword) {
    // The letters and digits of both, side by side.
    const auto nextLetter = [](QStringView s, qsizetype& k) {
        while (k < s.size() && !s[k].isLetterOrNumber())
            ++k;
        return k < s.size();
    };
    for (qsizetype i = 0, j = 0;; ++i, ++j) {
        const bool inText = nextLetter(text, i);
        const bool inHeadword = nextLetter(headword, j);
        if (!inText || !inHeadword)
            return inText == inHeadword;
        if (text[i] != headword[j] && text[i].toLower() != headword[j].toLower())
            return false;
    }
}
