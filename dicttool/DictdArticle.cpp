// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/DictdArticle.h"

#include <QStringList>

#include <algorithm>
#include <optional>
#include <string>

namespace {

// QChar::isSpace looks every character beyond Latin-1 up in the Unicode tables, Cyrillic letters too,
// though no blank lies between U+0100 and U+1680.
bool isBlank(QChar c) {
    return (c.unicode() < 0x100 || c.unicode() >= 0x1680) && c.isSpace();
}

bool isRomanDigit(QChar c) {
    return c == u'I' || c == u'V' || c == u'X';
}

// Notes in (), [], {} and <> (transcriptions, remarks, grammar) are passed over, nested ones too. A
// closing bracket with nothing open is text, so "1)" still numbers a sense; a note never closed runs to
// the end.
class NoteSkipper {
public:
    // Whether the character belongs to a note.
    bool skips(QChar c) {
        if (const char16_t closer = closerOf(c.unicode())) {
            m_open += closer;
            return true;
        }
        if (m_open.isEmpty())
            return false;
        if (c == m_open.back())
            m_open.chop(1);
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

    QString m_open; // the closers awaited, innermost last
};

QString withoutNotes(QStringView text) {
    QString kept;
    kept.reserve(text.size());
    NoteSkipper notes;
    for (const QChar c : text)
        if (!notes.skips(c))
            kept += c;
    return kept;
}

// Labels of part of speech, field and style are words that start with "_" in Mueller's dictionary
// ("_n.", "_разг.", "_I"); FreeDict gives the pronunciation between slashes. Blanks become single spaces,
// none at either end.
QString withoutLabels(QStringView text) {
    QString kept;
    kept.reserve(text.size());
    qsizetype i = 0;
    const auto skipTo = [&](QChar end) {
        while (i < text.size() && text[i] != end && !(end == u' ' && isBlank(text[i])))
            ++i;
    };
    while (i < text.size()) {
        if (isBlank(text[i])) {
            if (!kept.isEmpty() && kept.back() != u' ')
                kept += u' ';
            ++i;
        } else if (text[i] == u'_') {
            skipTo(u' ');
        } else if (text[i] == u'/' && text.indexOf(u'/', i + 1) > i + 1) {
            i = text.indexOf(u'/', i + 1) + 1;
        } else {
            const qsizetype start = i;
            skipTo(u' ');
            kept += text.sliced(start, i - start);
        }
    }
    if (kept.endsWith(u' '))
        kept.chop(1);
    return kept;
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
        while (end < text.size() && text[end].script() == QChar::Script_Cyrillic && text[end].isLetter())
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
    // "обозначает" holds "означает".
    for (const QStringView verb : {u"означает", u"выражает", u"указывает", u"употребляется"})
        if (text.contains(verb))
            return true;
    return false;
}

// The first translation of a sense, once labels are gone; none when the sense holds no Russian or is a
// usage note.
std::optional<QString> translationOf(QStringView sense) {
    const QString labelled = withoutLabels(sense);
    const QStringView cleaned = withoutLeadingAbbreviations(labelled);
    if (!hasCyrillic(cleaned) || isUsageNote(cleaned))
        return std::nullopt;
    const auto alternative =
        std::find_if(cleaned.begin(), cleaned.end(), [](QChar c) { return c == u',' || c == u';'; });
    const QString first = QStringView(cleaned.cbegin(), alternative).trimmed().toString();
    // An English word before the translation marks an example ("tom cat кот"), not a translation.
    if (!hasCyrillic(first) || hasLatin(first))
        return QString();
    return first;
}

// Where the second homonym starts: the second line that opens with a homonym number ("_I", "_II", ...);
// the end when there is none.
qsizetype secondHomonym(QStringView body) {
    int homonyms = 0;
    for (qsizetype start = 0; start < body.size();) {
        qsizetype end = body.indexOf(u'\n', start);
        if (end < 0)
            end = body.size();
        const QStringView line = body.sliced(start, end - start).trimmed();
        qsizetype numeral = 1;
        while (numeral < line.size() && isRomanDigit(line[numeral]))
            ++numeral;
        if (line.startsWith(u'_') && numeral > 1 && (numeral == line.size() || !line[numeral].isLetter()) &&
            ++homonyms == 2)
            return start;
        start = end + 1;
    }
    return body.size();
}

} // namespace

Pair firstTranslation(QStringView headword, QStringView article) {
    // Articles repeat the headword on their first line in its proper spelling ("Adam's apple" for the
    // index's "adam's apple"); one that does not is all body.
    QString english = headword.toString().simplified();
    QStringView body = article;
    while (!body.isEmpty() && isBlank(body.front()))
        body = body.sliced(1);
    const qsizetype headEnd = body.indexOf(u'\n');
    const QString head = withoutLabels(withoutNotes(headEnd < 0 ? body : body.first(headEnd)));
    if (!head.isEmpty() && spellsHeadword(head, headword)) {
        english = head;
        body = headEnd < 0 ? QStringView() : body.sliced(headEnd + 1);
    }

    // Homonyms are told apart ("_I медник", "_II жаровня"); the first is the word's most common sense.
    body = body.first(secondHomonym(body));

    // Senses are numbered "1.", "1)", "а)" or "I."; what stands before the first number (the
    // transcription, the part of speech) is no sense of its own unless it holds a translation. Long
    // articles are read only as far as their first translation.
    std::u16string sense;
    NoteSkipper notes;
    for (qsizetype i = 0; i < body.size();) {
        if (notes.skips(body[i])) {
            ++i;
            continue;
        }
        const qsizetype number =
            sense.empty() || isBlank(QChar(sense.back())) ? senseNumberLength(body.sliced(i)) : 0;
        if (number == 0) {
            sense += body[i] == u'\n' ? u' ' : body[i].unicode();
            ++i;
            continue;
        }
        if (const auto translation = translationOf(sense))
            return {*translation, english};
        sense.clear();
        i += number;
    }
    return {translationOf(sense).value_or(QString()), english};
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
        if (text[i].toLower() != headword[j].toLower())
            return false;
    }
}
