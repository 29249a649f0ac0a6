// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QString>
#include <QStringView>

#include <chrono>

// The lock that the game and lexitrainer-dict hold around every rewrite of a program folder's files:
// an edit then reads the file as the other program left it, and neither writes over the other's change.
// A lock left by a killed program is taken over. A folder where no lock can be made (read-only) is
// not locked: the write that follows reports what matters.
class WriteLock {
public:
    static constexpr QStringView FileName = u"LexiTrainer.write.lock";

    explicit WriteLock(const QString& folder);
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

    // Waits at most `patience` for the lock; false when another program held it all that time.
    bool tryLock(std::chrono::milliseconds patience);
    // Waits a few seconds, as a window may; then throws Failure in Russian naming the file.
    void lockFor(const QString& fileName);

private:
    QLockFile m_file;
};
