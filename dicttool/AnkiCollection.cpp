// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/AnkiPackage.h"

#include "dicttool/BadInput.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sqlite3.h>

#include <algorithm>
#include <memory>

namespace anki {

namespace {

// A note's fields are kept in one text, apart by the unit separator.
constexpr QChar FieldSeparator = u'\x1f';

struct DatabaseCloser {
    void operator()(sqlite3* database) const { sqlite3_close(database); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

[[noreturn]] void unreadable(sqlite3* database) {
    throw BadInput(0, QStringLiteral("the Anki collection cannot be read: %1")
                          .arg(QString::fromUtf8(sqlite3_errmsg(database))));
}

// Anki compares names with a collation of its own; the database names it in its tables, and SQLite
// refuses a query that needs a collation it does not know.
int compareIgnoringCase(void*, int leftSize, const void* left, int rightSize, const void* right) {
    return QString::fromUtf8(static_cast<const char*>(left), leftSize)
        .compare(QString::fromUtf8(static_cast<const char*>(right), rightSize), Qt::CaseInsensitive);
}

class Database {
public:
    // SQLite reads the bytes where they are; they must outlive the database.
    explicit Database(QByteArray& bytes) {
        sqlite3* database = nullptr;
        const int opened = sqlite3_open_v2(":memory:", &database, SQLITE_OPEN_READWRITE, nullptr);
        m_database.reset(database);
        if (opened != SQLITE_OK)
            unreadable(database);
        // The file comes from anyone: its schema may not call functions or write anything.
        sqlite3_db_config(database, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
        sqlite3_db_config(database, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
        if (sqlite3_deserialize(database, "main", reinterpret_cast<unsigned char*>(bytes.data()),
                                bytes.size(), bytes.size(), SQLITE_DESERIALIZE_READONLY) != SQLITE_OK ||
            sqlite3_create_collation(database, "unicase", SQLITE_UTF8, nullptr, compareIgnoringCase) !=
                SQLITE_OK)
            unreadable(database);
    }

    Statement prepare(const char* sql) const {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_database.get(), sql, -1, &statement, nullptr) != SQLITE_OK)
            unreadable(m_database.get());
        return Statement(statement);
    }

    // Whether the statement has a row; throws on an error.
    bool step(const Statement& statement) const {
        const int result = sqlite3_step(statement.get());
        if (result != SQLITE_ROW && result != SQLITE_DONE)
            unreadable(m_database.get());
        return result == SQLITE_ROW;
    }

    qint64 number(const char* sql) const {
        const Statement statement = prepare(sql);
        return step(statement) ? sqlite3_column_int64(statement.get(), 0) : 0;
    }

private:
    std::unique_ptr<sqlite3, DatabaseCloser> m_database;
};

QString textColumn(const Statement& statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), column));
    return QString::fromUtf8(text, sqlite3_column_bytes(statement.get(), column));
}

// Anki 2.1.28 and later keep the note types in tables of their own.
QList<NoteType> typesFromTables(const Database& database) {
    QList<NoteType> types;
    const Statement fields = database.prepare("SELECT ntid, name FROM fields ORDER BY ntid, ord");
    while (database.step(fields)) {
        const qint64 id = sqlite3_column_int64(fields.get(), 0);
        if (types.isEmpty() || types.back().id != id)
            types.append(NoteType{id, {}});
        types.back().fields.append(textColumn(fields, 1));
    }
    return types;
}

// Older collections keep them as JSON in the col table: {"id": {"flds": [{"name": …, "ord": …}]}}.
QList<NoteType> typesFromJson(const Database& database) {
    const Statement models = database.prepare("SELECT models FROM col");
    if (!database.step(models))
        throw BadInput(0, QStringLiteral("the Anki collection has no note types"));
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(textColumn(models, 0).toUtf8(), &error);
    if (!json.isObject())
        throw BadInput(
            0,
            QStringLiteral("the Anki collection's note types cannot be read: %1").arg(error.errorString()));
    QList<NoteType> types;
    const QJsonObject object = json.object();
    for (auto type = object.begin(); type != object.end(); ++type) {
        QJsonArray fields = type.value().toObject().value(QLatin1StringView("flds")).toArray();
        QList<std::pair<int, QString>> ordered;
        for (const QJsonValue field : fields)
            ordered.append({field.toObject().value(QLatin1StringView("ord")).toInt(),
                            field.toObject().value(QLatin1StringView("name")).toString()});
        std::stable_sort(ordered.begin(), ordered.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        NoteType noteType{type.key().toLongLong(), {}};
        for (const auto& [ord, name] : ordered)
            noteType.fields.append(name);
        types.append(noteType);
    }
    return types;
}

} // namespace

Collection read(const QByteArray& bytes, const Progress& progress) {
    if (!bytes.startsWith(QByteArrayView("SQLite format 3\0", 16)))
        throw BadInput(0, QStringLiteral("the Anki collection is no SQLite database"));
    QByteArray copy = bytes;
    // A database left in write-ahead mode is read as an ordinary one: a package holds no log beside it.
    if (copy.size() > 19 && (copy[18] == 2 || copy[19] == 2))
        copy[18] = copy[19] = 1;
    const Database database(copy);

    Collection collection;
    // Collections upgraded in place may keep an empty fields table beside their JSON.
    const bool tables =
        database.number("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'fields'") &&
        database.number("SELECT count(*) FROM fields");
    collection.types = tables ? typesFromTables(database) : typesFromJson(database);

    const qint64 total = database.number("SELECT count(*) FROM notes");
    const Statement notes = database.prepare("SELECT mid, flds FROM notes ORDER BY id");
    for (qint64 done = 0; database.step(notes); ++done) {
        collection.notes.append(
            {sqlite3_column_int64(notes.get(), 0), textColumn(notes, 1).split(FieldSeparator)});
        if (progress && done % 1024 == 0)
            progress(done, total);
    }
    return collection;
}

} // namespace anki
