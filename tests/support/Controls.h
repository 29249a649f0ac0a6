// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// A window's control found by its name, as a person finds it by its place; the test stops when the
// window holds none of that name and type.
template <class T> T* control(const QObject& window, const char* name) {
    T* found = window.findChild<T*>(QLatin1StringView(name));
    if (!found)
        qFatal("No %s named %s", T::staticMetaObject.className(), name);
    return found;
}
