// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// The tool speaks Russian where the locale is Russian and English elsewhere.
QString localized(QStringView russian, QStringView english);

QString helpText();
