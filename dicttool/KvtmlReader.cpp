// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/KvtmlReader.h"

#include "dicttool/BadInput.h"

#include <QXmlStreamReader>

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

const Identifier* byLocale(const Document& document, QStringView language) {
    for (const Identifier& identifier : document.identifiers) {
        const QString locale = identifier.locale.toLower();
        if (locale.startsWith(language) &&
            (locale.size() == language.size() || locale[language.size()] == u'_' ||
             locale[language.size()] == u'-'))
            return &identifier;
    }
    return nullptr;
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

QString textIn(const Entry& entry, const QString& id) {
    for (const Translation& translation : entry.translations)
        if (translation.id == id)
            return translation.text;
    return {};
}

} // namespace

QList<Pair> pairs(const Document& document, const QString& from, const QString& to) {
    const Identifier* english = from.isEmpty() ? nullptr : &byName(document, from);
    const Identifier* russian = to.isEmpty() ? nullptr : &byName(document, to);
    if (english && !russian)
        russian = &other(document, *english);
    else if (russian && !english)
        english = &other(document, *russian);
    else if (!english && !russian && byLocale(document, u"en") && byLocale(document, u"ru")) {
        english = byLocale(document, u"en");
        russian = byLocale(document, u"ru");
    }

    if (english) {
        QList<Pair> result;
        result.reserve(document.entries.size());
        for (const Entry& entry : document.entries)
            result.append({textIn(entry, russian->id), textIn(entry, english->id)});
        return result;
    }
    QList<TwoSides> sides;
    sides.reserve(document.entries.size());
    for (const Entry& entry : document.entries) {
        const auto& t = entry.translations;
        sides.append({t.size() > 0 ? t[0].text : QString(), t.size() > 1 ? t[1].text : QString()});
    }
    return oriented(sides);
}

} // namespace kvtml
