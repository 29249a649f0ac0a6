// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RegistryText.h"

#include "platform/TextCodec.h"

#include <QtEndian>

namespace regtext {

namespace {

const QString Root = QStringLiteral("HKEY_LOCAL_MACHINE");

bool equalNames(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isBlankOrComment(const QString& line) {
    const QString trimmed = line.trimmed();
    return trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';'));
}

// A quoted string starting at text[pos] == '"', with \\ and \" escaped. Returns the text and moves pos
// past the closing quote; nullopt when the quote is not closed.
std::optional<QString> parseQuoted(const QString& text, qsizetype& pos) {
    QString result;
    for (qsizetype i = pos + 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('"')) {
            pos = i + 1;
            return result;
        }
        if (c == QLatin1Char('\\') && i + 1 < text.size() &&
            (text[i + 1] == QLatin1Char('\\') || text[i + 1] == QLatin1Char('"'))) {
            result += text[++i];
            continue;
        }
        result += c;
    }
    return std::nullopt;
}

QString quoted(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

std::optional<QByteArray> parseHexBytes(const QString& list) {
    QByteArray bytes;
    const QStringList parts = list.split(QLatin1Char(','));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString part = parts[i].trimmed();
        if (part.isEmpty()) {
            if (i == parts.size() - 1) // "hex:" alone, or a trailing comma
                continue;
            return std::nullopt;
        }
        bool ok = false;
        const uint byte = part.toUInt(&ok, 16);
        if (!ok || part.size() > 2 || byte > 0xFF)
            return std::nullopt;
        bytes.append(char(byte));
    }
    return bytes;
}

// The text of a string kept as hex: UTF-16LE code units up to the first terminating zero, brought into
// the code page the rest of the program works in.
QString textFromUtf16(const QByteArray& bytes) {
    QString text;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = char16_t(quint8(bytes[i]) | quint8(bytes[i + 1]) << 8);
        if (unit == 0)
            break;
        text += QChar(unit);
    }
    return ansi::fromUser(text);
}

// Parses the data after "name=" of the value whose first line is lines[index]; consumes continuation
// lines of hex data. nullopt when the data is not one of the forms the format knows.
std::optional<Value> parseData(QString data, const QStringList& lines, qsizetype& index) {
    Value value;
    if (data.startsWith(QLatin1Char('"'))) {
        qsizetype pos = 0;
        const auto text = parseQuoted(data, pos);
        if (!text || !data.mid(pos).trimmed().isEmpty())
            return std::nullopt;
        value.type = RegSz;
        value.text = *text;
        return value;
    }
    if (data.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        const QString digits = data.mid(6).trimmed();
        bool ok = false;
        const uint number = digits.toUInt(&ok, 16);
        if (!ok || digits.isEmpty() || digits.size() > 8 || digits.startsWith(QLatin1Char('+')) ||
            digits.startsWith(QLatin1Char('-')))
            return std::nullopt;
        value.type = RegDword;
        value.bytes.resize(4);
        qToLittleEndian<quint32>(number, value.bytes.data());
        return value;
    }
    if (!data.startsWith(QLatin1String("hex"), Qt::CaseInsensitive))
        return std::nullopt;
    qsizetype colon = data.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return std::nullopt;
    const QString kind = data.left(colon);
    if (kind.compare(QLatin1String("hex"), Qt::CaseInsensitive) == 0) {
        value.type = RegBinary;
    } else {
        if (!kind.endsWith(QLatin1Char(')')) || kind.at(3) != QLatin1Char('('))
            return std::nullopt;
        bool ok = false;
        const QString number = kind.mid(4, kind.size() - 5);
        value.type = int(number.toUInt(&ok, 16));
        if (!ok || number.isEmpty() || number.size() > 8)
            return std::nullopt;
    }
    QString list = data.mid(colon + 1).trimmed();
    while (list.endsWith(QLatin1Char('\\'))) {
        list.chop(1);
        if (++index >= lines.size())
            return std::nullopt;
        list += lines[index].trimmed();
    }
    const auto bytes = parseHexBytes(list);
    if (!bytes)
        return std::nullopt;
    value.bytes = *bytes;
    if (value.type == RegSz || value.type == RegExpandSz)
        value.text = textFromUtf16(value.bytes);
    return value;
}

QString fullPath(const QString& key) {
    QString path = key;
    while (path.startsWith(QLatin1Char('\\')))
        path.remove(0, 1);
    while (path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    return Root + QLatin1Char('\\') + path;
}

Section& appendSection(Document& document, const QString& key) {
    // A blank line before the new section, as registry editors separate keys.
    if (document.sections.isEmpty()) {
        if (!document.preamble.isEmpty() && !document.preamble.last().trimmed().isEmpty())
            document.preamble.append(QString());
    } else {
        QList<Item>& items = document.sections.last().items;
        const bool separated = !items.isEmpty() && !items.last().lines.isEmpty() &&
                               items.last().lines.last().trimmed().isEmpty();
        if (!separated) {
            Item blank;
            blank.lines = {QString()};
            items.append(blank);
        }
    }
    Section section;
    section.path = fullPath(key);
    section.headerLine = QLatin1Char('[') + section.path + QLatin1Char(']');
    Item blank;
    blank.lines = {QString()};
    section.items.append(blank);
    document.sections.append(section);
    return document.sections.last();
}

QStringList formatHex(const QString& prefix, const QByteArray& bytes) {
    QStringList lines;
    QString line = prefix;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        // Long data wraps as registry editors write it, each line ending in a backslash.
        if (line.size() + 3 > 79 && i > 0) {
            lines.append(line + QLatin1Char('\\'));
            line = QStringLiteral("  ");
        }
        line += QStringLiteral("%1").arg(quint8(bytes[i]), 2, 16, QLatin1Char('0'));
        if (i + 1 < bytes.size())
            line += QLatin1Char(',');
    }
    lines.append(line);
    return lines;
}

QStringList formatValue(const QString& name, const Value& value) {
    const QString prefix = (name.isEmpty() ? QStringLiteral("@") : quoted(name)) + QLatin1Char('=');
    switch (value.type) {
    case RegSz: {
        // A line break or other control character cannot stand inside a quoted string of this format;
        // such text goes as the UTF-16 bytes of a REG_SZ, terminating zero included.
        bool plain = true;
        for (const QChar c : value.text)
            if (c.unicode() < 0x20)
                plain = false;
        if (plain)
            return {prefix + quoted(value.text)};
        QByteArray bytes;
        for (const QChar c : value.text + QChar(0)) {
            bytes.append(char(c.unicode() & 0xFF));
            bytes.append(char(c.unicode() >> 8));
        }
        return formatHex(prefix + QStringLiteral("hex(1):"), bytes);
    }
    case RegBinary:
        return formatHex(prefix + QStringLiteral("hex:"), value.bytes);
    default:
        if (value.type == RegDword && value.bytes.size() == 4)
            return {prefix +
                    QStringLiteral("dword:%1")
                        .arg(qFromLittleEndian<quint32>(value.bytes.constData()), 8, 16, QLatin1Char('0'))};
        return formatHex(prefix + QStringLiteral("hex(%1):").arg(value.type, 0, 16), value.bytes);
    }
}

} // namespace

std::optional<Document> parse(QByteArrayView bytes) {
    Document document;
    if (bytes.isEmpty())
        return document;
    document.preamble.clear();

    const QString text = ansi::decode(bytes);
    if (!text.contains(QLatin1String("\r\n")) && text.contains(QLatin1Char('\n')))
        document.lineEnd = QStringLiteral("\n");
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);

    const QString header = lines.first().trimmed();
    if (header != QLatin1String("REGEDIT4") &&
        header != QLatin1String("Windows Registry Editor Version 5.00"))
        return std::nullopt;
    document.preamble.append(lines.first());

    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (isBlankOrComment(line)) {
            Item item;
            item.lines = {line};
            if (document.sections.isEmpty())
                document.preamble.append(line);
            else
                document.sections.last().items.append(item);
            continue;
        }
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('['))) {
            // A deletion entry ("[-...]") is an instruction to an import, not content of a store.
            if (!trimmed.endsWith(QLatin1Char(']')) || trimmed.size() < 3 || trimmed[1] == QLatin1Char('-'))
                return std::nullopt;
            Section section;
            section.path = trimmed.mid(1, trimmed.size() - 2).trimmed();
            section.headerLine = line;
            document.sections.append(section);
            continue;
        }
        if (document.sections.isEmpty())
            return std::nullopt;

        Item item;
        item.isValue = true;
        qsizetype pos = 0;
        if (trimmed.startsWith(QLatin1Char('@'))) {
            pos = 1; // the key's default value, whose name is empty
        } else if (trimmed.startsWith(QLatin1Char('"'))) {
            const auto name = parseQuoted(trimmed, pos);
            if (!name)
                return std::nullopt;
            item.name = *name;
        } else {
            return std::nullopt;
        }
        const QString rest = trimmed.mid(pos).trimmed();
        if (!rest.startsWith(QLatin1Char('=')))
            return std::nullopt;
        const qsizetype first = i;
        const auto value = parseData(rest.mid(1).trimmed(), lines, i);
        if (!value)
            return std::nullopt;
        item.value = *value;
        item.lines = lines.mid(first, i - first + 1);
        document.sections.last().items.append(item);
    }
    return document;
}

QByteArray format(const Document& document) {
    QStringList lines = document.preamble;
    for (const Section& section : document.sections) {
        lines.append(section.headerLine);
        for (const Item& item : section.items)
            lines.append(item.lines);
    }
    return ansi::encode(lines.join(document.lineEnd) + document.lineEnd);
}

bool keyExists(const Document& document, const QString& key) {
    // An import creates every key above a section, so a key exists also when only keys below it do.
    const QString path = fullPath(key);
    for (const Section& section : document.sections)
        if (equalNames(section.path, path) ||
            section.path.startsWith(path + QLatin1Char('\\'), Qt::CaseInsensitive))
            return true;
    return false;
}

const Value* findValue(const Document& document, const QString& key, const QString& name) {
    const QString path = fullPath(key);
    const Value* found = nullptr;
    for (const Section& section : document.sections) {
        if (!equalNames(section.path, path))
            continue;
        for (const Item& item : section.items)
            if (item.isValue && equalNames(item.name, name))
                found = &item.value;
    }
    return found;
}

void addKey(Document& document, const QString& key) {
    appendSection(document, key);
}

bool setValue(Document& document, const QString& key, const QString& name, const Value& value) {
    for (const QChar c : name)
        if (c.unicode() < 0x20)
            return false;
    const QString full = fullPath(key);
    Section* target = nullptr;
    qsizetype targetIndex = -1;
    // The last entry of the name takes the new data and keeps its spelling; earlier ones would only
    // be overridden on import, so they go.
    for (Section& section : document.sections) {
        if (!equalNames(section.path, full))
            continue;
        for (qsizetype i = 0; i < section.items.size(); ++i) {
            if (section.items[i].isValue && equalNames(section.items[i].name, name)) {
                if (target) {
                    target->items[targetIndex].isValue = false;
                    target->items[targetIndex].lines.clear();
                }
                target = &section;
                targetIndex = i;
            }
        }
    }
    if (target) {
        Item& item = target->items[targetIndex];
        item.value = value;
        item.lines = formatValue(item.name, value);
    } else {
        Section* section = nullptr;
        for (Section& candidate : document.sections)
            if (equalNames(candidate.path, full))
                section = &candidate;
        if (!section)
            section = &appendSection(document, key);
        qsizetype at = 0;
        for (qsizetype i = 0; i < section->items.size(); ++i)
            if (section->items[i].isValue)
                at = i + 1;
        Item item;
        item.isValue = true;
        item.name = name;
        item.value = value;
        item.lines = formatValue(name, value);
        section->items.insert(at, item);
    }
    return true;
}

} // namespace regtext
