// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The key store's file: the REGEDIT4 text that registry editors import and export, in the Windows-1251
// code page. Key and value names compare without regard to case. A document keeps every line as the
// file spelled it (comments, blank lines, other keys), so that writing a value changes only that value.
namespace regtext {

constexpr int RegSz = 1;
constexpr int RegExpandSz = 2;
constexpr int RegBinary = 3;
constexpr int RegDword = 4;

struct Value {
    int type = 0;
    QByteArray bytes; // the data as stored (a dword as its four little-endian bytes)
    QString text;     // the text of a string type
};

// One entry of a key's section: a value, or a line that holds none (blank line, comment).
struct Item {
    bool isValue = false;
    QString name;
    Value value;
    QStringList lines;
};

struct Section {
    QString path; // between the brackets, as spelled in the file
    QString headerLine;
    QList<Item> items;
};

struct Document {
    QStringList preamble{QStringLiteral("REGEDIT4"), QString()}; // the header and what precedes the
                                                                 // first section
    QList<Section> sections;
    QString lineEnd = QStringLiteral("\r\n");
};

// The document a file's bytes hold; no bytes at all are an empty store. nullopt when the bytes are not
// a key-store file (another header, a line of no known form, a deletion entry): such a file is never to
// be rewritten, so that nothing in it is lost. Any bytes whatever give one of the two.
std::optional<Document> parse(QByteArrayView bytes);
QByteArray format(const Document& document);

// A key below HKEY_LOCAL_MACHINE ("SoftWare\\LexiTrainer") exists when a section names it or a key
// below it, as an import creates every key above a section.
bool keyExists(const Document& document, const QString& key);
// Adds an empty section for the key, after the others.
void addKey(Document& document, const QString& key);
// The value as an import would leave it: the last entry of that name in any section of the key.
const Value* findValue(const Document& document, const QString& key, const QString& name);
// Writes a value into the key, which gets a section if it has none: the last entry of the name takes
// the new data and keeps its spelling, earlier ones go. False, and nothing changed, when the name cannot
// stand in the file (it holds a control character).
bool setValue(Document& document, const QString& key, const QString& name, const Value& value);

} // namespace regtext
