// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/KvtmlWriter.h"

#include <QXmlStreamWriter>

#include <algorithm>

namespace kvtml {

bool fitsXml(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return u >= 0x20 ? u != 0xFFFE && u != 0xFFFF : u == u'\t' || u == u'\n' || u == u'\r';
    });
}

namespace {

void writeIdentifier(QXmlStreamWriter& xml, int id, const QString& name, const QString& locale) {
    xml.writeStartElement(QStringLiteral("identifier"));
    xml.writeAttribute(QStringLiteral("id"), QString::number(id));
    xml.writeTextElement(QStringLiteral("name"), name);
    xml.writeTextElement(QStringLiteral("locale"), locale);
    xml.writeEndElement();
}

void writeTranslation(QXmlStreamWriter& xml, int id, const QString& text) {
    xml.writeStartElement(QStringLiteral("translation"));
    xml.writeAttribute(QStringLiteral("id"), QString::number(id));
    xml.writeTextElement(QStringLiteral("text"), text);
    xml.writeEndElement();
}

} // namespace

QByteArray write(const QList<Pair>& pairs, const QString& title) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeDTD(
        QStringLiteral(R"(<!DOCTYPE kvtml PUBLIC "kvtml2.dtd" "http://edu.kde.org/kvtml/kvtml2.dtd">)"));
    xml.writeStartElement(QStringLiteral("kvtml"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2.0"));

    xml.writeStartElement(QStringLiteral("information"));
    xml.writeTextElement(QStringLiteral("generator"), QStringLiteral("lexitrainer-dict"));
    xml.writeTextElement(QStringLiteral("title"), title);
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("identifiers"));
    writeIdentifier(xml, 0, QStringLiteral("English"), QStringLiteral("en"));
    writeIdentifier(xml, 1, QStringLiteral("Русский"), QStringLiteral("ru"));
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("entries"));
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        xml.writeStartElement(QStringLiteral("entry"));
        xml.writeAttribute(QStringLiteral("id"), QString::number(i));
        writeTranslation(xml, 0, pairs[i].english);
        writeTranslation(xml, 1, pairs[i].russian);
        xml.writeEndElement();
    }
    xml.writeEndElement();

    // The trainers list and practise words by lesson, so every entry goes into one.
    xml.writeStartElement(QStringLiteral("lessons"));
    xml.writeStartElement(QStringLiteral("container"));
    xml.writeTextElement(QStringLiteral("name"), title);
    xml.writeTextElement(QStringLiteral("inpractice"), QStringLiteral("true"));
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        xml.writeEmptyElement(QStringLiteral("entry"));
        xml.writeAttribute(QStringLiteral("id"), QString::number(i));
    }
    xml.writeEndElement();
    xml.writeEndElement();

    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

} // namespace kvtml
