// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Ways to make a write fail on purpose where a real fault cannot be had on demand.

#include <QDir>
#include <QFile>
#include <QList>
#include <QStringList>
#include <QTest>

#include <csignal>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

// No file of this process may grow past a size while it lives, as a full disk cuts a write short. The
// signal the limit raises is ignored, so the write fails with "File too large" instead.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_saved;
        limited.rlim_cur = rlim_t(bytes);
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

// While it lives, this thread meets the permissions of files and folders as an ordinary user does, also
// when the tests run as the superuser: a read-only folder then refuses new files.
class OrdinaryPermissions {
public:
    OrdinaryPermissions() {
        m_header.version = _LINUX_CAPABILITY_VERSION_3;
        if (syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_active = syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~OrdinaryPermissions() {
        if (m_active)
            syscall(SYS_capset, &m_header, m_saved);
    }
    OrdinaryPermissions(const OrdinaryPermissions&) = delete;
    OrdinaryPermissions& operator=(const OrdinaryPermissions&) = delete;

private:
    __user_cap_header_struct m_header{};
    __user_cap_data_struct m_saved[2]{};
    bool m_active = false;
};

// Where to cut a write of `size` bytes: after every byte of a short content, after every chunk of a
// long one, and just before its end.
inline QList<qint64> cutPoints(qint64 size, qint64 chunks = 48) {
    QList<qint64> points;
    const qint64 step = qMax<qint64>(1, size / chunks);
    for (qint64 at = 0; at < size; at += step)
        points.append(at);
    if (size > 0 && points.last() != size - 1)
        points.append(size - 1);
    return points;
}

// The ways a folder can refuse a write, besides a cut: the folder read-only, the target a folder, the
// folder gone.
enum class FolderFault { ReadOnly, TargetIsFolder, Vanished };

// Everything in a folder, hidden entries included, to check that a failed write leaves nothing behind.
inline QStringList folderEntries(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}
