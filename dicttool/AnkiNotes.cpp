// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/AnkiPackage.h"

#include "dicttool/PlainText.h"

#include <QHash>

#include <algorithm>

namespace anki {

namespace {

// Which fields of a note type hold the English and the Russian word; -1 for none.
struct Choice {
    qsizetype english = -1;
    qsizetype russian = -1;
};

qsizetype indexNamed(const QStringList& fields, const QString& name) {
    for (qsizetype i = 0; i < fields.size(); ++i)
        if (fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// The field that most of the notes fill so, past the one already taken; -1 when no note does.
qsizetype mostOften(const QList<qsizetype>& counts, qsizetype taken) {
    qsizetype best = -1;
    for (qsizetype i = 0; i < counts.size(); ++i)
        if (i != taken && counts[i] > 0 && (best < 0 || counts[i] > counts[best]))
            best = i;
    return best;
}

Choice choose(const NoteType& type, const QList<const Note*>& notes, const FieldNames& named) {
    if (!named.english.isEmpty() || !named.russian.isEmpty())
        return {indexNamed(type.fields, named.english), indexNamed(type.fields, named.russian)};
    Choice choice;
    for (qsizetype i = 0; i < type.fields.size(); ++i) {
        const QString language = languageNamed(type.fields[i]);
        if (language == u"en" && choice.english < 0)
            choice.english = i;
        else if (language == u"ru" && choice.russian < 0)
            choice.russian = i;
    }
    if (choice.english >= 0 && choice.russian >= 0)
        return choice;
    // The names do not tell: the words do. Cyrillic marks Russian; Latin letters without it, English.
    QList<qsizetype> cyrillic(type.fields.size());
    QList<qsizetype> latin(type.fields.size());
    // A few hundred notes tell as well as all of them.
    for (const Note* note : notes.first(std::min<qsizetype>(notes.size(), 500))) {
        for (qsizetype i = 0; i < std::min(note->fields.size(), type.fields.size()); ++i) {
            const QString word = plaintext::wordOfHtml(note->fields[i]);
            if (hasCyrillic(word))
                ++cyrillic[i];
            else if (hasLatin(word))
                ++latin[i];
        }
    }
    if (choice.russian < 0)
        choice.russian = mostOften(cyrillic, choice.english);
    if (choice.english < 0)
        choice.english = mostOften(latin, choice.russian);
    return choice;
}

} // namespace

QList<Pair> pairs(const Collection& collection, const FieldNames& named) {
    QHash<qint64, QList<const Note*>> notesOfType;
    for (const Note& note : collection.notes)
        notesOfType[note.type].append(&note);
    QHash<qint64, Choice> choices;
    for (const NoteType& type : collection.types)
        choices.insert(type.id, choose(type, notesOfType.value(type.id), named));

    QList<Pair> result;
    result.reserve(collection.notes.size());
    for (const Note& note : collection.notes) {
        const Choice choice = choices.value(note.type);
        if (choice.english < 0 || choice.russian < 0 || choice.english >= note.fields.size() ||
            choice.russian >= note.fields.size()) {
            result.append({{}, {}, Gap::Language});
            continue;
        }
        const QString& russianField = note.fields[choice.russian];
        const QString& englishField = note.fields[choice.english];
        Pair pair{plaintext::wordOfHtml(russianField), plaintext::wordOfHtml(englishField)};
        const auto onlyMarkup = [](const QString& word, const QString& field) {
            return word.isEmpty() && !field.trimmed().isEmpty();
        };
        if (onlyMarkup(pair.russian, russianField) || onlyMarkup(pair.english, englishField))
            pair.gap = Gap::Markup;
        result.append(pair);
    }
    return result;
}

} // namespace anki
