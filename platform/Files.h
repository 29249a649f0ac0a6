// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <QStringList>

namespace files {

// Makes a file writable by its owner before it is rewritten or appended to; a missing file or a
// refusal is ignored (the write that follows reports what matters).
void resetAttributes(const QString& path);
// Creates an empty file where none exists; an existing one stays as it is. Throws Failure naming the
// file and the system's reason when it cannot be created.
void createIfMissing(const QString& path);
// Whether a file exists and is not to be written: its owner lacks the write right, or this user does.
// The superuser may write anything, yet a read-only file stays one that is not to be changed.
bool isReadOnly(const QString& path);
// Replaces a file's whole content. The bytes go to a temporary file beside it that is flushed to the
// disk and renamed over it only once all of them are written, and the folder is flushed after the
// rename, so a failure, a kill or a power cut leaves the old content or the new, whole. An existing
// target that its owner may not write is refused, as the read-only attribute refuses on Windows, also
// to the superuser. Throws Failure naming the file and the system's reason; a full disk is said so in
// Russian.
void replaceFile(const QString& path, QByteArrayView bytes);
// Writes every byte to a device open for writing; the seam through which both writers here go, and
// where tests put a device that fails. Throws Failure "Cannot write file" naming the file and the
// device's reason when it takes fewer.
void writeAll(QIODevice& device, const QString& path, QByteArrayView bytes);
// Fault injection for tests: while one lives, the writes of this thread through these writers take only
// so many more bytes and then fail as on a full disk, whatever device they go to.
class FailWritesAfter {
public:
    explicit FailWritesAfter(qint64 bytes);
    ~FailWritesAfter();
    FailWritesAfter(const FailWritesAfter&) = delete;
    FailWritesAfter& operator=(const FailWritesAfter&) = delete;

private:
    qint64 m_left;
    qint64* m_outer;
};
// Removes the temporary files that a replaceFile killed between writing and renaming left in a folder.
// Only while no other program writes there: its temporary file would go too.
void removeLeftovers(const QString& folder);
// Adds bytes at the end of an existing file; a missing or read-only one is refused. A write cut short
// is taken back, so the file holds its old content or all of the new part. Throws Failure naming the
// file and the system's reason.
void appendFile(const QString& path, QByteArrayView bytes);
// Copies a file over any existing target, the way replaceFile writes; false when it could not.
bool copyOverwrite(const QString& from, const QString& to);
// The names in a folder that match a wildcard pattern ("*.gsv"), hidden entries and sub-folders
// included, in the order the file system returns them.
QStringList listFolder(const QString& folder, const QString& pattern);

} // namespace files
