// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Files.h"

#include "platform/Failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

// What a temporary file of ours is called: the target's name, a random part and an ending no user file
// has, so that leftovers of a program killed in the middle of a write are known as ours.
const QString TemporaryEnding = QStringLiteral(".tmp");
const QString TemporaryMark = QStringLiteral(".lexitrainer-");

bool isDiskFull(const QString& reason) {
    return reason == qt_error_string(ENOSPC)
#ifdef EDQUOT
           || reason == qt_error_string(EDQUOT)
#endif
        ;
}

[[noreturn]] void fail(const char* what, const QString& path, const QString& reason) {
    // A full disk is the one failure a player can mend, so it is told in the program's language.
    if (isDiskFull(reason))
        throw Failure(QStringLiteral("Диск заполнен: файл \"%1\" не записан, в нём всё осталось как было.\r\n"
                                     "Освободите место на диске и повторите.")
                          .arg(QDir::toNativeSeparators(path)));
    throw Failure(QStringLiteral("%1 \"%2\". %3").arg(QLatin1String(what), path, reason));
}

QString temporaryName(const QString& target) {
    const quint32 random = QRandomGenerator::global()->generate();
    return target + TemporaryMark + QString::number(random, 16).rightJustified(8, u'0') + TemporaryEnding;
}

// A temporary file beside the target. Where the system can, it has no name until it is whole, so a
// kill while it is written leaves nothing behind; elsewhere it is named at once.
class Temporary {
public:
    explicit Temporary(const QString& target) : m_target(target) {
#if defined(O_TMPFILE)
        const QString folder = QFileInfo(target).absolutePath();
        const int handle =
            ::open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (handle >= 0) {
            m_unnamed = true;
            m_file.open(handle, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle);
            return;
        }
#endif
        for (int attempt = 0; attempt < 16; ++attempt) {
            m_file.setFileName(temporaryName(target));
            if (m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
                return;
            if (!QFileInfo::exists(m_file.fileName()))
                return;
        }
    }
    ~Temporary() {
        m_file.close();
        if (!m_name.isEmpty())
            QFile::remove(m_name);
        else if (!m_unnamed && m_file.isOpen())
            QFile::remove(m_file.fileName());
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    QFile& file() {
        return m_file;
    }
    bool isOpen() const {
        return m_file.isOpen();
    }

    // Gives the whole file a name and renames it over the target; the reason when it could not.
    std::optional<QString> replaceTarget() {
#if defined(O_TMPFILE)
        if (m_unnamed) {
            const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_file.handle());
            for (int attempt = 0; attempt < 16 && m_name.isEmpty(); ++attempt) {
                const QString name = temporaryName(m_target);
                if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, QFile::encodeName(name).constData(),
                             AT_SYMLINK_FOLLOW) == 0)
                    m_name = name;
                else if (errno != EEXIST)
                    return qt_error_string(errno);
            }
        }
#endif
        if (m_name.isEmpty())
            m_name = m_file.fileName();
        m_file.close();
        std::error_code error;
        fs::rename(toPath(m_name), toPath(m_target), error);
        if (error)
            return QString::fromLocal8Bit(error.message());
        m_name.clear();
        return std::nullopt;
    }

private:
    QString m_target;
    QFile m_file;
    bool m_unnamed = false;
    QString m_name; // once the file has a name on the disk
};

// Whether the bytes written are on the disk, not only in the system's cache.
std::optional<QString> syncToDisk(QFileDevice& file) {
#ifndef _WIN32
    if (::fsync(file.handle()) != 0)
        return qt_error_string(errno);
#else
    Q_UNUSED(file);
#endif
    return std::nullopt;
}

// The replaced file keeps the rights the old one had.
std::optional<QString> keepPermissions(QFileDevice& file, const QString& target) {
#ifndef _WIN32
    struct stat old {};
    if (::stat(QFile::encodeName(target).constData(), &old) != 0 ||
        ::fchmod(file.handle(), old.st_mode & 07777) != 0)
        return qt_error_string(errno);
#else
    if (!file.setPermissions(QFileInfo(target).permissions()))
        return file.errorString();
#endif
    return std::nullopt;
}

// After a rename the folder's own entry must reach the disk too, or a power cut may bring back the old
// name with the old content, or neither. Folders that cannot be opened so are left to the system.
void syncFolder(const QString& folder) {
#ifndef _WIN32
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return;
    ::fsync(handle);
    ::close(handle);
#else
    Q_UNUSED(folder);
#endif
}

// What the tests let the writes of this thread take; none when they set no limit.
thread_local qint64* writeBudget = nullptr;

// Writes every byte to a device; the reason of the failure otherwise. Files are opened unbuffered,
// because a short write is then followed by the one that fails with the system's reason ("No space
// left on device", "File too large"), where a buffered flush cut short reports none.
std::optional<QString> writeEvery(QIODevice& device, QByteArrayView bytes) {
    const char* data = bytes.data();
    qint64 left = bytes.size();
    while (left > 0) {
        if (writeBudget && *writeBudget <= 0)
            return qt_error_string(ENOSPC);
        const qint64 written = device.write(data, writeBudget ? std::min(left, *writeBudget) : left);
        if (written <= 0)
            return device.errorString();
        if (writeBudget)
            *writeBudget -= written;
        data += written;
        left -= written;
    }
    // Checked before a commit, which would rename a temporary that was cut short.
    if (const auto* file = qobject_cast<QFileDevice*>(&device); file && file->error() != QFileDevice::NoError)
        return file->errorString();
    return std::nullopt;
}

} // namespace

namespace files {

void writeAll(QIODevice& device, const QString& path, QByteArrayView bytes) {
    if (const std::optional<QString> reason = writeEvery(device, bytes))
        fail("Cannot write file", path, *reason);
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
    const QFileInfo info(path);
    if (info.isDir())
        fail("Cannot create file", path, qt_error_string(EISDIR));
    if (isReadOnly(path))
        fail("Cannot create file", path, qt_error_string(EACCES));
    // A link keeps pointing at the file it names, which is the one replaced.
    const QString target =
        info.isSymLink() && !info.canonicalFilePath().isEmpty() ? info.canonicalFilePath() : path;

    Temporary temporary(target);
    QFile& file = temporary.file();
    if (!temporary.isOpen())
        fail("Cannot create file", path, file.errorString());
    std::optional<QString> reason = writeEvery(file, bytes);
    if (!reason)
        reason = syncToDisk(file);
    if (!reason && info.exists())
        reason = keepPermissions(file, target);
    if (reason)
        fail("Cannot write file", path, *reason);
    if (const std::optional<QString> renameFailure = temporary.replaceTarget())
        fail("Cannot write file", path, *renameFailure);
    syncFolder(QFileInfo(target).absolutePath());
}

void removeLeftovers(const QString& folder) {
    static const QRegularExpression ours(
        QStringLiteral("^.+%1[0-9a-f]{8}%2$")
            .arg(QRegularExpression::escape(TemporaryMark), QRegularExpression::escape(TemporaryEnding)));
    for (const QString& name : listFolder(folder, QStringLiteral("*") + TemporaryEnding))
        if (ours.match(name).hasMatch())
            QFile::remove(folder + QLatin1Char('/') + name);
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
    if (const std::optional<QString> reason = writeEvery(file, bytes)) {
        // A part of the new text would leave a torn last line that every later read takes for data:
        // the file goes back to what it held.
        file.resize(oldSize);
        fail("Cannot write file", path, *reason);
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
