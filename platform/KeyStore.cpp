// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/KeyStore.h"

#include "platform/Failure.h"
#include "platform/Files.h"
#include "platform/ProgramFolder.h"
#include "platform/RegistryText.h"
#include "platform/WriteLock.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <optional>

using regtext::Document;
using regtext::Value;

namespace {

// Reads the file. nullopt when it exists but cannot be read or is not a key-store file: such a file is
// never rewritten, so nothing in it is lost. A missing file is an empty store.
std::optional<Document> load(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return Document();
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return regtext::parse(bytes);
}

bool save(const QString& path, const Document& document) {
    try {
        files::replaceFile(path, regtext::format(document));
    } catch (const Failure&) {
        return false; // the caller reports it in the registry layer's words
    }
    return true;
}

[[noreturn]] void failGet(const QString& name) {
    throw Failure(QStringLiteral("Failed to get data for '%1'").arg(name));
}

[[noreturn]] void failType(const QString& name) {
    throw Failure(QStringLiteral("Invalid data type for '%1'").arg(name));
}

[[noreturn]] void failSet(const QString& name) {
    throw Failure(QStringLiteral("Failed to set data for '%1'").arg(name));
}

Value readValue(const QString& path, const QString& key, const QString& name) {
    if (key.isEmpty())
        failGet(name);
    const auto document = load(path);
    if (!document)
        failGet(name);
    const Value* value = regtext::findValue(*document, key, name);
    if (!value)
        failGet(name);
    return *value;
}

void writeValue(const QString& path, const QString& key, const QString& name, const Value& value) {
    if (key.isEmpty())
        failSet(name);
    // Read and written under the lock of the folder it lies in, the program folder as a rule, so that a
    // value written by another program meanwhile stays.
    WriteLock lock(QFileInfo(path).absolutePath());
    if (!lock.tryLock(std::chrono::seconds(10)))
        failSet(name);
    auto document = load(path);
    if (!document || !regtext::setValue(*document, key, name, value) || !save(path, *document))
        failSet(name);
}

} // namespace

QString KeyStore::defaultPath(const ProgramFolder& folder) {
    const QString path = qEnvironmentVariable("LEXITRAINER_REGISTRY");
    if (!path.isEmpty())
        return path;
    return folder.file(u"LexiTrainer.reg");
}

KeyStore::KeyStore(QString filePath) : m_filePath(std::move(filePath)) {}

bool KeyStore::openKey(const QString& key, bool canCreate) {
    const auto failCreate = [&] { throw Failure(QStringLiteral("Failed to create key %1").arg(key)); };
    m_currentKey.clear();
    if (key.isEmpty()) {
        if (canCreate)
            failCreate();
        return false;
    }
    auto document = load(m_filePath);
    if (!document) {
        if (canCreate)
            failCreate();
        return false;
    }
    if (!regtext::keyExists(*document, key)) {
        if (!canCreate)
            return false;
        regtext::addKey(*document, key);
        if (!save(m_filePath, *document))
            failCreate();
    }
    m_currentKey = key;
    return true;
}

void KeyStore::closeKey() {
    m_currentKey.clear();
}

bool KeyStore::valueExists(const QString& name) const {
    if (m_currentKey.isEmpty())
        return false;
    const auto document = load(m_filePath);
    return document && regtext::findValue(*document, m_currentKey, name);
}

QByteArray KeyStore::readBinaryData(const QString& name) const {
    const Value value = readValue(m_filePath, m_currentKey, name);
    if (value.type != regtext::RegBinary)
        failType(name);
    return value.bytes;
}

QString KeyStore::readString(const QString& name) const {
    const Value value = readValue(m_filePath, m_currentKey, name);
    if (value.type != regtext::RegSz && value.type != regtext::RegExpandSz)
        failType(name);
    return value.text;
}

qint32 KeyStore::readInteger(const QString& name) const {
    const Value value = readValue(m_filePath, m_currentKey, name);
    if (value.type != regtext::RegDword || value.bytes.size() != 4)
        failType(name);
    return qFromLittleEndian<qint32>(value.bytes.constData());
}

void KeyStore::writeBinaryData(const QString& name, const QByteArray& data) {
    writeValue(m_filePath, m_currentKey, name, Value{regtext::RegBinary, data, {}});
}

void KeyStore::writeString(const QString& name, const QString& value) {
    writeValue(m_filePath, m_currentKey, name, Value{regtext::RegSz, {}, value});
}

void KeyStore::writeInteger(const QString& name, qint32 value) {
    QByteArray bytes(4, Qt::Uninitialized);
    qToLittleEndian<qint32>(value, bytes.data());
    writeValue(m_filePath, m_currentKey, name, Value{regtext::RegDword, bytes, {}});
}
