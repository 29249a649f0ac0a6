// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// A command, its options and its arguments, options first: "import --format csv words.csv". An
// option's value follows it ("--format csv", "-o out.txt") or is joined to it by "=" ("--format=csv");
// "--" ends the options, and "-" alone is an argument.
struct Invocation {
    QString command;                 // empty when help was asked for
    QHash<QString, QString> options; // by name without dashes; a flag has an empty value
    QStringList arguments;

    bool has(const QString& option) const { return options.contains(option); }
    QString value(const QString& option) const { return options.value(option); }
};

// Wrong usage: the message says what is wrong, in the user's language.
struct UsageError {
    QString message;
};

// Throws UsageError on an unknown command or option, a missing value or a wrong number of arguments.
Invocation parseCommandLine(const QStringList& arguments);
