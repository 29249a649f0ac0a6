// SPDX-License-Identifier: GPL-3.0-or-later
// writeicons FOLDER: writes the application's icon as FOLDER/<N>x<N>/apps/lexitrainer.png at every size
// of the hicolor theme, the tree a desktop's icon folder expects.
#include "info/AppIcon.h"

#include <QDir>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: writeicons FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const int size : appIconSizes) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString file = dir + QStringLiteral("/lexitrainer.png");
        if (!QDir().mkpath(dir) || !appImage(size).save(file, "PNG")) {
            std::fprintf(stderr, "writeicons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
