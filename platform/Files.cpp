// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Files.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
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

} // namespace

namespace files {

QString programFolder() {
    return QCoreApplication::applicationDirPath();
}

void resetAttributes(const QString& path) {
    std::error_code error;
    fs::permissions(toPath(path), fs::perms::owner_write, fs::perm_options::add, error);
}

bool copyOverwrite(const QString& from, const QString& to) {
    if (!QFileInfo(from).isFile())
        return false;
    // A read-only target refuses to be replaced, as the read-only attribute does on Windows (a rename
    // alone would slip past it, and so would root's right to write anything).
    const QFileInfo target(to);
    if (target.exists() && (!target.isFile() || !(target.permissions() & QFileDevice::WriteOwner)))
        return false;

    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    // Written beside the target and renamed over it, so a copy that breaks off leaves the old target.
    QSaveFile copy(to);
    if (!copy.open(QIODevice::WriteOnly))
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 got = source.read(buffer, sizeof buffer);
        if (got < 0) {
            copy.cancelWriting();
            return false;
        }
        if (got == 0)
            break;
        if (copy.write(buffer, got) != got) {
            copy.cancelWriting();
            return false;
        }
    }
    // commit() would rename a temporary that a full disk cut short, so a failed flush stops here.
    if (!copy.flush() || copy.error() != QFileDevice::NoError) {
        copy.cancelWriting();
        return false;
    }
    return copy.commit();
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
