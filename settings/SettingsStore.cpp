// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsStore.h"

#include "platform/Failure.h"
#include "platform/KeyStore.h"
#include "platform/ProgramFolder.h"
#include "shared/TimeValue.h"

#include <QFile>
#include <QtEndian>
#include <bit>
#include <cmath>

namespace settings {

namespace {

// Closes the key however the reading ends.
class OpenKey {
public:
    explicit OpenKey(KeyStore& store) : m_store(store) {
        if (!m_store.openKey(KeyPath, false))
            m_store.openKey(KeyPath, true);
    }
    ~OpenKey() { m_store.closeKey(); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

private:
    KeyStore& m_store;
};

} // namespace

double defaultGameTime() {
    return timevalue::fromHms(0, 3, 0);
}

double readGameTime(const KeyStore& store) {
    const QByteArray bytes = store.readBinaryData(GameTimeName);
    if (bytes.size() != 8)
        throw Failure(QStringLiteral("Invalid data type for '%1'").arg(GameTimeName));
    const double value = std::bit_cast<double>(qFromLittleEndian<quint64>(bytes.constData()));
    // A hand-edited infinity or NaN would leave a clock that never runs down and times that cannot be
    // shown.
    if (!std::isfinite(value))
        throw Failure(QStringLiteral("Invalid data type for '%1'").arg(GameTimeName));
    return value;
}

void writeGameTime(KeyStore& store, double gameTime) {
    QByteArray bytes(8, Qt::Uninitialized);
    qToLittleEndian<quint64>(std::bit_cast<quint64>(gameTime), bytes.data());
    store.writeBinaryData(GameTimeName, bytes);
}

QString readTranslation(const KeyStore& store) {
    return store.readString(TranslationName);
}

void writeTranslation(KeyStore& store, const QString& direction) {
    store.writeString(TranslationName, direction);
}

bool readBackgroundImage(const KeyStore& store) {
    return store.readInteger(BackgroundImageName) != 0;
}

void writeBackgroundImage(KeyStore& store, bool on) {
    store.writeInteger(BackgroundImageName, on ? 1 : 0);
}

void LoadRegistrySetings(KeyStore& store, const ProgramFolder& folder, SettingsTarget& target) {
    const OpenKey key(store);

    double gameTime = defaultGameTime();
    if (store.valueExists(GameTimeName))
        gameTime = readGameTime(store);
    else
        writeGameTime(store, gameTime);
    target.setGameTime(gameTime);

    QString direction = EnglishRussian;
    if (store.valueExists(TranslationName))
        direction = readTranslation(store);
    else
        writeTranslation(store, direction);
    target.setDirection(direction);

    if (!store.valueExists(BackgroundImageName)) {
        writeBackgroundImage(store, false);
    } else if (readBackgroundImage(store)) {
        const QString picture = folder.file(BackgroundFileName);
        if (QFile::exists(picture))
            target.loadBackground(picture);
    } else {
        target.clearBackground();
    }
}

} // namespace settings
