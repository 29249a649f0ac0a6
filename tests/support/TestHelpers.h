// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Controls.h"
#include "platform/Failure.h"
#include "words/WordList.h"

#include <QByteArray>
#include <QFile>
#include <QListWidget>
#include <QStringList>
#include <QTest>
#include <functional>
#include <source_location>

// The message of the Failure the action throws; empty when it throws none.
inline QString failureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Failure& failure) {
        return failure.message();
    }
    return {};
}

// The bytes of a file. A file that is missing or cannot be read fails the test, so that a check on a
// file never passes because the file has vanished.
inline QByteArray readBytes(const QString& path,
                            const std::source_location where = std::source_location::current()) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QTest::qFail(qPrintable(QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString())),
                     where.file_name(), int(where.line()));
        return QByteArrayLiteral("<unreadable>");
    }
    return file.readAll();
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A list's text: every line followed by CR LF, the last included.
inline QString listText(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

// A word list holding these lines, in order.
inline WordList listOf(const QStringList& lines) {
    WordList list;
    for (const QString& line : lines)
        list.append(line);
    return list;
}

// The lines of a word list, or the items of a list box, in order.
inline QStringList itemsOf(const WordList& list) {
    QStringList items;
    for (qsizetype i = 0; i < list.count(); ++i)
        items.append(list.at(i));
    return items;
}
inline QStringList itemsOf(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}
