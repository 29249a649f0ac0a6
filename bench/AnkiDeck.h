// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WordMaker.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <sqlite3.h>
#include <zip.h>
#include <zstd.h>

// An Anki package of made-up notes, as Anki writes it: a note type "Basic" (Front, Back) with some
// markup and sound references in the fields, in the old layout (collection.anki2, note types as JSON)
// or the new one (collection.anki21b compressed with zstd, note types in tables).
inline QByteArray ankiPackage(int notes, bool newLayout) {
    QTemporaryDir scratch;
    const QByteArray path = scratch.filePath(QStringLiteral("collection")).toUtf8();
    sqlite3* db = nullptr;
    sqlite3_open(path.constData(), &db);
    sqlite3_exec(
        db,
        "CREATE TABLE col (id integer primary key, ver integer, models text);"
        "CREATE TABLE notes (id integer primary key, guid text, mid integer, mod integer, usn integer,"
        " tags text, flds text, sfld text, csum integer, flags integer, data text);"
        "BEGIN;",
        nullptr, nullptr, nullptr);
    if (newLayout)
        sqlite3_exec(db,
                     "CREATE TABLE notetypes (id integer primary key, name text);"
                     "CREATE TABLE fields (ntid integer, ord integer, name text, config blob,"
                     " PRIMARY KEY (ntid, ord)) without rowid;"
                     "INSERT INTO col VALUES (1, 18, '');"
                     "INSERT INTO notetypes VALUES (7, 'Basic');"
                     "INSERT INTO fields VALUES (7, 0, 'Front', x''), (7, 1, 'Back', x'');",
                     nullptr, nullptr, nullptr);
    else
        sqlite3_exec(db,
                     "INSERT INTO col VALUES (1, 11, '{\"7\": {\"id\": 7, \"name\": \"Basic\", \"flds\": "
                     "[{\"name\": \"Front\", \"ord\": 0}, {\"name\": \"Back\", \"ord\": 1}]}}');",
                     nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO notes VALUES (?, ?, 7, 0, 0, '', ?, '', 0, 0, '')", -1, &insert,
                       nullptr);
    WordMaker maker{11};
    for (int i = 0; i < notes; ++i) {
        const QByteArray english = maker.english();
        const QByteArray fields = "<b>" + english + "</b> [sound:" + english + ".mp3]\x1f<div>" +
                                  ansi::decode(maker.russian()).toUtf8() + "</div>";
        const QByteArray guid = QByteArray::number(i, 36);
        sqlite3_bind_int64(insert, 1, 1500000000000 + i);
        sqlite3_bind_text(insert, 2, guid.constData(), int(guid.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, fields.constData(), int(fields.size()), SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
    sqlite3_close(db);

    QFile file(QString::fromUtf8(path));
    file.open(QIODevice::ReadOnly);
    QByteArray collection = file.readAll();
    if (newLayout) {
        QByteArray compressed(qsizetype(ZSTD_compressBound(size_t(collection.size()))), Qt::Uninitialized);
        compressed.truncate(qsizetype(ZSTD_compress(compressed.data(), size_t(compressed.size()),
                                                    collection.constData(), size_t(collection.size()), 3)));
        collection = compressed;
    }

    const QByteArray packagePath = scratch.filePath(QStringLiteral("deck.apkg")).toUtf8();
    zip_t* archive = zip_open(packagePath.constData(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    zip_file_add(archive, newLayout ? "collection.anki21b" : "collection.anki2",
                 zip_source_buffer(archive, collection.constData(), zip_uint64_t(collection.size()), 0),
                 ZIP_FL_ENC_UTF_8);
    zip_file_add(archive, "media", zip_source_buffer(archive, "{}", 2, 0), ZIP_FL_ENC_UTF_8);
    zip_close(archive);
    QFile package(QString::fromUtf8(packagePath));
    package.open(QIODevice::ReadOnly);
    return package.readAll();
}
