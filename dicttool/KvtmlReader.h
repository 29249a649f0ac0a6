// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dicttool/BadInput.h"
#include "dicttool/Pair.h"

#include <QList>
#include <QString>
#include <QStringList>

// The vocabulary files of KDE's trainers (KWordQuiz, Parley), KVTML version 2: a list of languages
// ("identifiers") and entries that hold one translation per language.
namespace kvtml {

struct Identifier {
    QString id;
    QString name;
    QString locale;
};

struct Translation {
    QString id; // the identifier it is in
    QString text;
};

struct Entry {
    QList<Translation> translations; // in file order
};

struct Document {
    QList<Identifier> identifiers;
    QList<Entry> entries;
};

// Throws BadInput with the line of a fault in the XML, and on a file that is not KVTML 2.
Document read(const QString& text);

// The language an identifier declares: the language of its locale ("en" for "en_GB"), or, without a
// locale, the one its name spells ("English", "Русский"); empty when it declares none that is known.
QString languageOf(const Identifier& identifier);

// A file that declares no English and no Russian language, or only one of them; it names the languages
// it declares (locales, else names), so that the user can pick them with --from and --to.
class LanguagesMissing : public BadInput {
public:
    explicit LanguagesMissing(const QStringList& languages);
    const QStringList& languages() const { return m_languages; }

private:
    QStringList m_languages;
};

// The English and the Russian word of every entry; a side the entry lacks is empty and marked so.
// `from` and `to` name the English and the Russian identifier by id, locale or name (letter case
// ignored); naming only one takes the first other identifier for the other. Named neither way, the
// identifiers that declare English and Russian are taken; the letters of the words never decide.
// Throws BadInput when a name matches no identifier, LanguagesMissing when nothing was named and the
// file lacks English or Russian.
QList<Pair> pairs(const Document& document, const QString& from, const QString& to);

} // namespace kvtml
