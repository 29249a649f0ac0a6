// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/KvtmlReader.h"

#include "dicttool/BadInput.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

#include <optional>

namespace kvtml {

namespace {

class Reader {
public:
    explicit Reader(const QString& text) : m_xml(text) {}

    Document document() {
        if (!m_xml.readNextStartElement() && m_xml.hasError())
            fail(m_xml.errorString());
        if (m_xml.name() != u"kvtml")
            fail(QStringLiteral("not a KVTML file: it does not start with <kvtml>"));
        const QStringView version = m_xml.attributes().value(QLatin1StringView("version"));
        if (!version.startsWith(u"2."))
            fail(QStringLiteral("KVTML version %1 is not supported, only version 2 "
                                "(open the file in KWordQuiz or Parley and save it again)")
                     .arg(version.isEmpty() ? QStringLiteral("1") : version.toString()));
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == u"identifiers")
                identifiers();
            else if (m_xml.name() == u"entries")
                entries();
            else
                m_xml.skipCurrentElement();
        }
        // Trailing garbage after </kvtml> is an error too.
        while (!m_xml.atEnd())
            m_xml.readNext();
        if (m_xml.hasError())
            fail(m_xml.errorString());
        return m_document;
    }

private:
    [[noreturn]] void fail(const QString& problem) { throw BadInput(qsizetype(m_xml.lineNumber()), problem); }

    void identifiers() {
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() != u"identifier") {
                m_xml.skipCurrentElement();
                continue;
            }
            Identifier identifier;
            identifier.id = m_xml.attributes().value(QLatin1StringView("id")).toString();
            while (m_xml.readNextStartElement()) {
                if (m_xml.name() == u"name")
                    identifier.name = text();
                else if (m_xml.name() == u"locale")
                    identifier.locale = text();
                else
                    m_xml.skipCurrentElement();
            }
            m_document.identifiers.append(identifier);
        }
    }

    void entries() {
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() != u"entry") {
                m_xml.skipCurrentElement();
                continue;
            }
            Entry entry;
            while (m_xml.readNextStartElement()) {
                if (m_xml.name() == u"translation")
                    entry.translations.append(translation());
                else
                    m_xml.skipCurrentElement();
            }
            m_document.entries.append(entry);
        }
    }

    Translation translation() {
        Translation result;
        result.id = m_xml.attributes().value(QLatin1StringView("id")).toString();
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == u"text")
                result.text = text();
            else
                m_xml.skipCurrentElement();
        }
        return result;
    }

    QString text() { return m_xml.readElementText(QXmlStreamReader::IncludeChildElements); }

    QXmlStreamReader m_xml;
    Document m_document;
};

} // namespace

Document read(const QString& text) {
    return Reader(text).document();
}

namespace {

const Identifier* declaring(const Document& document, QStringView language) {
    for (const Identifier& identifier : document.identifiers)
        if (languageOf(identifier) == language)
            return &identifier;
    return nullptr;
}

// How the refusal names an identifier: as the file declares it.
QString declared(const Identifier& identifier) {
    if (!identifier.locale.isEmpty())
        return identifier.locale;
    return identifier.name.isEmpty() ? QStringLiteral("#") + identifier.id : identifier.name;
}

const Identifier& byName(const Document& document, const QString& name) {
    for (const Identifier& identifier : document.identifiers)
        if (identifier.id == name)
            return identifier;
    for (const Identifier& identifier : document.identifiers)
        if (identifier.locale.compare(name, Qt::CaseInsensitive) == 0 ||
            identifier.name.compare(name, Qt::CaseInsensitive) == 0)
            return identifier;
    QStringList known;
    for (const Identifier& identifier : document.identifiers)
        known.append(QStringLiteral("%1 (%2%3%4)")
                         .arg(identifier.id, identifier.name,
                              identifier.name.isEmpty() || identifier.locale.isEmpty() ? QString()
                                                                                       : QStringLiteral(", "),
                              identifier.locale));
    throw BadInput(
        0, QStringLiteral("no language \"%1\" in the file; it has: %2")
               .arg(name, known.isEmpty() ? QStringLiteral("none") : known.join(QStringLiteral("; "))));
}

const Identifier& other(const Document& document, const Identifier& one) {
    for (const Identifier& identifier : document.identifiers)
        if (identifier.id != one.id)
            return identifier;
    throw BadInput(0, QStringLiteral("the file has only one language, \"%1\"").arg(one.id));
}

// The entry's text in the identifier; none (and not merely empty) when the entry has no translation
// into it.
std::optional<QString> textIn(const Entry& entry, const QString& id) {
    for (const Translation& translation : entry.translations)
        if (translation.id == id)
            return translation.text;
    return std::nullopt;
}

} // namespace

QString languageOf(const Identifier& identifier) {
    const QString code =
        identifier.locale.isEmpty() ? identifier.name.trimmed() : identifier.locale.trimmed();
    // "en_GB", "en-US", "sr@latin", "ru_RU.UTF-8": the language is what comes first.
    static const QRegularExpression separator(QStringLiteral("[_@.-]"));
    const qsizetype end = code.indexOf(separator);
    const QString language = (end < 0 ? code : code.first(end)).toLower();
    // Longer than a language code, it is a name: "English", "Русский".
    return language.size() <= 3 ? language : languageNamed(code);
}

LanguagesMissing::LanguagesMissing(const QStringList& languages)
    : BadInput(0,
               QStringLiteral("the file's languages: %1; English and Russian are needed, or --from/--to")
                   .arg(languages.isEmpty() ? QStringLiteral("none") : languages.join(QStringLiteral(", ")))),
      m_languages(languages) {}

QList<Pair> pairs(const Document& document, const QString& from, const QString& to) {
    const Identifier* english = from.isEmpty() ? nullptr : &byName(document, from);
    const Identifier* russian = to.isEmpty() ? nullptr : &byName(document, to);
    if (english && !russian)
        russian = &other(document, *english);
    else if (russian && !english)
        english = &other(document, *russian);
    else if (!english && !russian) {
        english = declaring(document, u"en");
        russian = declaring(document, u"ru");
    }
    if (!english || !russian) {
        QStringList languages;
        for (const Identifier& identifier : document.identifiers)
            languages.append(declared(identifier));
        throw LanguagesMissing(languages);
    }

    QList<Pair> result;
    result.reserve(document.entries.size());
    for (const Entry& entry : document.entries) {
        const std::optional<QString> russianText = textIn(entry, russian->id);
        const std::optional<QString> englishText = textIn(entry, english->id);
        result.append({russianText.value_or(QString()), englishText.value_or(QString()),
                       russianText && englishText ? Gap::None : Gap::Language});
    }
    return result;
}

} // namespace kvtml
