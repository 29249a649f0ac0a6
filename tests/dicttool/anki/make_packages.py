#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the small Anki packages the tests import, in the layouts Anki writes: old.apkg (collection.anki2,
# note types as JSON), anki21.colpkg (collection.anki21), new.apkg (collection.anki21b compressed with
# zstd, note types in tables, beside the collection.anki2 that asks to update Anki), and two damaged
# ones. Needs python3 and the
# zstd program; run it here and check the packages in.
import json
import os
import sqlite3
import subprocess
import tempfile
import zipfile

# (note type, field names, notes); every package holds the same notes.
NOTE_TYPES = [
    (1001, "Basic", ["Front", "Back"], [
        ["<b>apple</b> [sound:apple.mp3]", "<b>яблоко</b>"],
        ["to&nbsp;borrow", "брать&nbsp;взаймы"],
        ["mushroom", '<span style="color: rgb(0, 0, 0);">гриб</span>'],
        ["<div>bread</div><div>a loaf of bread</div>", "хлеб<br>буханка"],
        ['<img src="cat.jpg">', "кошка"],
        ["salt &amp; pepper", "соль и перец"],
    ]),
    (1002, "Русский-English", ["Русский", "English"], [
        ["дом", "house"],
        ["", "tree"],
    ]),
    (1003, "Deutsch", ["Wort", "Bedeutung"], [
        ["Hund", "dog"],
    ]),
]

OLD_SCHEMA = """
CREATE TABLE col (id integer primary key, crt integer not null, mod integer not null, scm integer not null,
  ver integer not null, dty integer not null, usn integer not null, ls integer not null, conf text not null,
  models text not null, decks text not null, dconf text not null, tags text not null);
CREATE TABLE notes (id integer primary key, guid text not null, mid integer not null, mod integer not null,
  usn integer not null, tags text not null, flds text not null, sfld integer not null, csum integer not null,
  flags integer not null, data text not null);
CREATE TABLE cards (id integer primary key, nid integer not null, did integer not null, ord integer not null,
  mod integer not null, usn integer not null, type integer not null, queue integer not null, due integer not null,
  ivl integer not null, factor integer not null, reps integer not null, lapses integer not null,
  left integer not null, odue integer not null, odid integer not null, flags integer not null, data text not null);
"""

NEW_TABLES = """
CREATE TABLE notetypes (id integer NOT NULL PRIMARY KEY, name text NOT NULL COLLATE unicase,
  mtime_secs integer NOT NULL, usn integer NOT NULL, config blob NOT NULL);
CREATE TABLE fields (ntid integer NOT NULL, ord integer NOT NULL, name text NOT NULL COLLATE unicase,
  config blob NOT NULL, PRIMARY KEY (ntid, ord)) without rowid;
CREATE UNIQUE INDEX idx_fields_name_ntid ON fields (name, ntid);
"""


def collection(note_types, new_layout):
    with tempfile.TemporaryDirectory() as scratch:
        path = os.path.join(scratch, "collection")
        db = sqlite3.connect(path)
        db.create_collation("unicase", lambda a, b: (a.lower() > b.lower()) - (a.lower() < b.lower()))
        db.executescript(OLD_SCHEMA + (NEW_TABLES if new_layout else ""))
        models = {}
        for type_id, name, fields, _ in note_types:
            if new_layout:
                db.execute("INSERT INTO notetypes VALUES (?, ?, 0, 0, x'')", (type_id, name))
                for ord_, field in enumerate(fields):
                    db.execute("INSERT INTO fields VALUES (?, ?, ?, x'')", (type_id, ord_, field))
            else:
                # Anki lists the fields in no particular order; "ord" places them.
                models[str(type_id)] = {"id": type_id, "name": name,
                                        "flds": [{"name": f, "ord": i} for i, f in reversed(list(enumerate(fields)))]}
        db.execute("INSERT INTO col VALUES (1, 0, 0, 0, ?, 0, 0, 0, '{}', ?, '{}', '{}', '{}')",
                   (18 if new_layout else 11, "" if new_layout else json.dumps(models, ensure_ascii=False)))
        note_id = 1500000000000
        for type_id, _, _, notes in note_types:
            for fields in notes:
                note_id += 1
                db.execute("INSERT INTO notes VALUES (?, ?, ?, 0, 0, '', ?, ?, 0, 0, '')",
                           (note_id, "g%d" % note_id, type_id, "\x1f".join(fields), fields[0]))
        db.commit()
        db.close()
        with open(path, "rb") as f:
            return f.read()


def zstd(data):
    # Through a pipe, as Anki streams it: the frame does not say its size.
    return subprocess.run(["zstd", "-q", "-c"], input=data, stdout=subprocess.PIPE, check=True).stdout


def package(name, entries):
    with zipfile.ZipFile(name, "w", zipfile.ZIP_DEFLATED) as z:
        for entry, data in entries:
            z.writestr(entry, data)


please_update = [(1, "Basic", ["Front", "Back"],
                  [["Please update to the latest Anki version, then import the .colpkg/.apkg file again.", ""]])]
package("old.apkg", [("collection.anki2", collection(NOTE_TYPES, False)), ("media", '{"0": "apple.mp3"}'),
                     ("0", b"ID3")])
package("anki21.colpkg", [("collection.anki21", collection(NOTE_TYPES, False)), ("media", "{}")])
package("new.apkg", [("collection.anki2", collection(please_update, False)),
                     ("collection.anki21b", zstd(collection(NOTE_TYPES, True))), ("media", zstd(b"")),
                     ("meta", b"\x08\x03")])
# Damaged ones: a collection that is no database, and compressed data cut short.
package("not-sqlite.apkg", [("collection.anki2", b"SQLite format 2\x00 and then nothing")])
package("zstd-cut.apkg", [("collection.anki21b", zstd(collection(NOTE_TYPES, True))[:300])])
