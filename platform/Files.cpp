// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Files.h"

#include "platform/Failure.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Names go to the file system as it spells them: bytes in the locale's encoding on POSIX systems.
#ifdef _WIN32
fs::path toPath(const QString& name) {
    return fs::path(name.toStdWString());
}
QString fromPath(const fs::path& path) {
    return QString::fromStdWString(path.native());
}
#else
fs::path toPath(const QString& name) {
    return fs::path(QFile::encodeName(name).toStdString());
}
QString fromPath(const fs::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}
#endif

// The Windows wildcards: '*' any run of characters, '?' one character, nothing else special, letters
// compared without regard to case.
QRegularExpression wildcard(const QString& pattern) {
    QString expression;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('*'))
            expression += QStringLiteral(".*");
        else if (c == QLatin1Char('?'))
            expression += QLatin1Char('.');
        else
            expression += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(expression),
                              QRegularExpression::CaseInsensitiveOption |
                                  QRegularExpression::DotMatchesEverythingOption);
}

// What the tests let the writes of this thread take; none when they set no limit.
thread_local qint64* writeBudget = nullptr;

[[noreturn]] void fail(const char* what, const QString& path, const QString& reason) {
    throw Failure(QStringLiteral("%1 \"%2\". %3").arg(QLatin1String(what), path, reason));
}

} // namespace

namespace files {

// Files are opened unbuffered, because a short write is then followed by the one that fails with the
// system's reason ("No space left on device", "File too large"), where a buffered flush cut short
// reports none.
void writeAll(QIODevice& device, const QString& path, QByteArrayView bytes) {
    const char* data = bytes.data();
    qint64 left = bytes.size();
    while (left > 0) {
        if (writeBudget && *writeBudget <= 0)
            fail("Cannot write file", path, qt_error_string(ENOSPC));
        const qint64 written = device.write(data, writeBudget ? std::min(left, *writeBudget) : left);
        if (written <= 0)
            fail("Cannot write file", path, device.errorString());
        if (writeBudget)
            *writeBudget -= written;
        data += written;
        left -= written;
    }
    // Checked before a commit, which would rename a temporary that was cut short.
    if (const auto* file = qobject_cast<QFileDevice*>(&device); file && file->error() != QFileDevice::NoError)
        fail("Cannot write file", path, file->errorString());
}

FailWritesAfter::FailWritesAfter(qint64 bytes) : m_left(bytes), m_outer(writeBudget) {
    writeBudget = &m_left;
}

FailWritesAfter::~FailWritesAfter() {
    writeBudget = m_outer;
}

void resetAttributes(const QString& path) {
    std::error_code error;
    fs::permissions(toPath(path), fs::perms::owner_write, fs::perm_options::add, error);
}

void createIfMissing(const QString& path) {
    if (QFileInfo::exists(path))
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail("Cannot create file", path, file.errorString());
}

bool isReadOnly(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && (!(info.permissions() & QFileDevice::WriteOwner) || !info.isWritable());
}

void replaceFile(const QString& path, QByteArrayView bytes) {
    // A rename would slip past a read-only target.
    const QFileInfo target(path);
    if (target.isDir())
        fail("Cannot create file", path, qt_error_string(EISDIR));
    if (isReadOnly(path))
        fail("Cannot create file", path, qt_error_string(EACCES));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        fail("Cannot create file", path, file.errorString());
    try {
        writeAll(file, path, bytes);
    } catch (const Failure&) {
        file.cancelWriting();
        throw;
    }
    if (!file.commit())
        fail("Cannot write file", path, file.errorString());
}

void appendFile(const QString& path, QByteArrayView bytes) {
    if (!QFileInfo::exists(path))
        fail("Cannot open file", path, qt_error_string(ENOENT));
    if (isReadOnly(path))
        fail("Cannot open file", path, qt_error_string(EACCES));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly |
                   QIODevice::Unbuffered))
        fail("Cannot open file", path, file.errorString());
    const qint64 oldSize = file.size();
    try {
        writeAll(file, path, bytes);
    } catch (const Failure&) {
        // A part of the new text would leave a torn last line that every later read takes for data:
        // the file goes back to what it held.
        file.resize(oldSize);
        throw;
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        fail("Cannot write file", path, file.errorString());
}

bool copyOverwrite(const QString& from, const QString& to) {
    if (!QFileInfo(from).isFile())
        return false;
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return false;
    try {
        replaceFile(to, bytes);
    } catch (const Failure&) {
        return false;
    }
    return true;
}

QStringList listFolder(const QString& folder, const QString& pattern) {
    const QRegularExpression matcher = wildcard(pattern);
    QStringList names;
    std::error_code error;
    fs::directory_iterator entry(toPath(folder), error);
    // A folder that is missing or cannot be read has no entries, as a failed first search reports.
    for (const fs::directory_iterator end; !error && entry != end; entry.increment(error)) {
        const QString name = fromPath(entry->path().filename());
        if (matcher.match(name).hasMatch())
            names.append(name);
    }
    return names;
}

} // namespace files
