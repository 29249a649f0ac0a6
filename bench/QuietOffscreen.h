// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <cstdio>

// Runs the benchmarks offscreen unless a platform is named, and keeps that platform's complaint that
// it cannot raise a window (the stay-on-top progress window and the player selection raise
// themselves) out of the tables.
inline void useQuietOffscreen() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QtMessageHandler standardMessages = nullptr;
    standardMessages =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (message.contains(QStringLiteral("does not support raise()")))
                return;
            if (standardMessages)
                standardMessages(type, context, message);
            else
                std::fprintf(stderr, "%s\n", qPrintable(message));
        });
}
