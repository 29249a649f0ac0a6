// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class ProgramFolder;

// The settings key store: keys and typed values under HKEY_LOCAL_MACHINE, kept in a text file in the
// REGEDIT4 export format so that a user can read and edit it. Key and value names compare without
// regard to case. The file is read on every open and rewritten whole and atomically on every write.
// Failures throw Failure with the registry layer's messages:
//   "Failed to create key %s", "Failed to get data for '%s'", "Invalid data type for '%s'",
//   "Failed to set data for '%s'".
class KeyStore {
public:
    // The file named by LEXITRAINER_REGISTRY, else LexiTrainer.reg in the program's folder.
    static QString defaultPath(const ProgramFolder& folder);

    explicit KeyStore(QString filePath);

    // Opens a key below HKEY_LOCAL_MACHINE (e.g. "SoftWare\\LexiTrainer"). Returns false when the key
    // does not exist (and canCreate is false) or the file cannot be read. With canCreate, a missing key
    // is created; failing that throws "Failed to create key %s".
    bool openKey(const QString& key, bool canCreate);
    void closeKey();

    bool valueExists(const QString& name) const;
    // Binary data of a REG_BINARY value; another type throws "Invalid data type for '%s'", a missing
    // value "Failed to get data for '%s'".
    QByteArray readBinaryData(const QString& name) const;
    // A REG_SZ or REG_EXPAND_SZ value.
    QString readString(const QString& name) const;
    // A REG_DWORD value.
    qint32 readInteger(const QString& name) const;

    void writeBinaryData(const QString& name, const QByteArray& data);
    void writeString(const QString& name, const QString& value);
    void writeInteger(const QString& name, qint32 value);

private:
    QString m_filePath;
    QString m_currentKey; // empty when no key is open
};
