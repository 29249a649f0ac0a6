// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WriteLock.h"

#include "platform/Failure.h"

#include <QDir>

using namespace std::chrono_literals;

WriteLock::WriteLock(const QString& folder) : m_file(folder + QLatin1Char('/') + FileName.toString()) {
    // Only a program that is gone leaves the lock stale: a long import holds it rightly.
    m_file.setStaleLockTime(0);
}

bool WriteLock::tryLock(std::chrono::milliseconds patience) {
    if (m_file.tryLock(patience))
        return true;
    return m_file.error() != QLockFile::LockFailedError;
}

void WriteLock::lockFor(const QString& fileName) {
    if (!tryLock(10s))
        throw Failure(
            QStringLiteral("Файл \"%1\" не записан: в папку программы сейчас пишет другая программа "
                           "(lexitrainer-dict).\r\nПовторите чуть позже.")
                .arg(QDir::toNativeSeparators(fileName)));
}
