// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestHelpers.h"
#include "dicttool/ImportSource.h"

#include <QTemporaryDir>

// Writes the bytes to a file of that name in the folder and reads its pairs as import does.
inline QList<Pair> importFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes,
                              const importsource::Options& options = {}) {
    const QString path = dir.filePath(name);
    writeBytes(path, bytes);
    return importsource::read(path, readBytes(path), options);
}
