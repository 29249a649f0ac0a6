// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ErrorReport.h"

#include "platform/Failure.h"
#include "platform/Platform.h"

void runReported(Platform& platform, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const Failure& failure) {
        platform.errorBox(QStringLiteral("LexiTrainer"), failure.message());
    } catch (const std::exception& error) {
        platform.errorBox(QStringLiteral("LexiTrainer"), QString::fromUtf8(error.what()));
    }
}
