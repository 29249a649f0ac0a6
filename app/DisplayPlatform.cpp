// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DisplayPlatform.h"

#include <QProcessEnvironment>

namespace {

const QString PlatformVariable = QStringLiteral("QT_QPA_PLATFORM");

} // namespace

QByteArray displayPlatformFor(const QProcessEnvironment& environment) {
    // An empty value is no choice: Qt ignores it too.
    if (!environment.value(PlatformVariable).isEmpty())
        return {};
    const bool waylandSession = environment.value(QStringLiteral("XDG_SESSION_TYPE"))
                                    .compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0;
    if (!waylandSession || environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty() ||
        environment.value(QStringLiteral("DISPLAY")).isEmpty())
        return {};
    return QByteArrayLiteral("xcb;wayland");
}
