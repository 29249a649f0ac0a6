// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/DelimitedWriter.h"

namespace delimited {

namespace {

void appendField(QString& out, const QString& field, QChar delimiter) {
    // A leading "#" is quoted too, so that a reader skipping Anki's "#name:value" lines keeps the word.
    const bool quoted = field.contains(delimiter) || field.contains(u'"') || field.contains(u'\n') ||
                        field.contains(u'\r') || field.startsWith(u'#');
    if (!quoted) {
        out += field;
        return;
    }
    out += u'"';
    for (const QChar c : field) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

} // namespace

QString record(const QStringList& fields, QChar delimiter) {
    QString out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += delimiter;
        appendField(out, fields[i], delimiter);
    }
    out += delimiter == u',' ? QLatin1StringView("\r\n") : QLatin1StringView("\n");
    return out;
}

QByteArray write(const QList<Pair>& pairs, QChar delimiter) {
    QString out;
    for (const Pair& pair : pairs)
        out += record({pair.english, pair.russian}, delimiter);
    return out.toUtf8();
}

} // namespace delimited
