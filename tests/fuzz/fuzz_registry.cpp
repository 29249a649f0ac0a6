// SPDX-License-Identifier: GPL-3.0-or-later
// The key store's REGEDIT4 text: any bytes parse or are refused, what is parsed writes back with every
// value kept, and writing the three settings into it changes those and nothing else.
#include "FuzzCheck.h"
#include "platform/RegistryText.h"
#include "platform/TextCodec.h"

#include <QList>
#include <QtEndian>

using regtext::Document;
using regtext::Value;

namespace {

const QString Key = QStringLiteral("SoftWare\\LexiTrainer");
const QString FullKey = QStringLiteral("HKEY_LOCAL_MACHINE\\SoftWare\\LexiTrainer");
const QStringList SettingNames = {QStringLiteral("GameTime"), QStringLiteral("Translation"),
                                  QStringLiteral("BackgroundImage")};

struct Entry {
    QString section;
    QString name;
    Value value;
};

bool sameValue(const Value& a, const Value& b) {
    return a.type == b.type && a.bytes == b.bytes && a.text == b.text;
}

bool isSetting(const Entry& entry) {
    if (entry.section.compare(FullKey, Qt::CaseInsensitive) != 0)
        return false;
    for (const QString& name : SettingNames)
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// Every value of the document in file order, the settings left out on request.
QList<Entry> entries(const Document& document, bool withSettings) {
    QList<Entry> all;
    for (const auto& section : document.sections)
        for (const auto& item : section.items)
            if (item.isValue) {
                Entry entry{section.path, item.name, item.value};
                if (withSettings || !isSetting(entry))
                    all.append(entry);
            }
    return all;
}

bool sameEntries(const QList<Entry>& a, const QList<Entry>& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].section != b[i].section || a[i].name != b[i].name || !sameValue(a[i].value, b[i].value))
            return false;
    return true;
}

Document reparsed(const Document& document) {
    const auto again = regtext::parse(regtext::format(document));
    FUZZ_CHECK(again.has_value());
    return *again;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const auto parsed = regtext::parse(bytes);
    if (!parsed)
        return 0;

    // What the store writes back keeps every value, and writing it again changes nothing more.
    const Document written = reparsed(*parsed);
    FUZZ_CHECK(sameEntries(entries(*parsed, true), entries(written, true)));
    const Document writtenTwice = reparsed(written);
    FUZZ_CHECK(sameEntries(entries(written, true), entries(writtenTwice, true)));
    FUZZ_CHECK(regtext::format(writtenTwice) == regtext::format(reparsed(writtenTwice)));

    // The three settings, with data drawn from the input itself.
    QByteArray gameTime = bytes.right(8);
    gameTime.append(QByteArray(8 - gameTime.size(), '\0'));
    // A string value ends at its first zero, as in the registry.
    const QString translation = ansi::decode(bytes.left(48)).remove(QChar(0));
    QByteArray background(4, '\0');
    qToLittleEndian<quint32>(quint32(qHash(bytes)), background.data());
    const QList<Value> settings = {Value{regtext::RegBinary, gameTime, {}},
                                   Value{regtext::RegSz, {}, translation},
                                   Value{regtext::RegDword, background, {}}};

    Document changed = *parsed;
    for (qsizetype i = 0; i < SettingNames.size(); ++i)
        FUZZ_CHECK(regtext::setValue(changed, Key, SettingNames[i], settings[i]));
    const Document stored = reparsed(changed);
    FUZZ_CHECK(regtext::keyExists(stored, Key));
    for (qsizetype i = 0; i < SettingNames.size(); ++i) {
        const Value* value = regtext::findValue(stored, Key, SettingNames[i]);
        FUZZ_CHECK(value != nullptr);
        FUZZ_CHECK(value->type == settings[i].type);
        if (value->type == regtext::RegSz)
            FUZZ_CHECK(value->text == settings[i].text);
        else
            FUZZ_CHECK(value->bytes == settings[i].bytes);
    }
    FUZZ_CHECK(sameEntries(entries(*parsed, false), entries(stored, false)));
    return 0;
}
