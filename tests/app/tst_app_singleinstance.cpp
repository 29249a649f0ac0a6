// SPDX-License-Identifier: GPL-3.0-or-later
// One game per program folder: a later start on the same folder is told apart and reaches the running
// one; another folder, a game that ended and a game that was killed block nothing.
#include "app/SingleInstance.h"

#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void laterStartReachesTheRunningGame() {
        QTemporaryDir folder;
        QTemporaryDir other;
        SingleInstance running(folder.path());
        QVERIFY(running.isFirst());
        QSignalSpy asked(&running, &SingleInstance::anotherStart);

        SingleInstance later(folder.path() + QStringLiteral("/."));
        QVERIFY(!later.isFirst());
        QVERIFY(later.tellRunning());
        QTRY_COMPARE(asked.size(), 1);

        QVERIFY(SingleInstance(other.path()).isFirst());
    }

    void endedOrKilledGameBlocksNothing() {
        QTemporaryDir folder;
        {
            SingleInstance ended(folder.path());
            QVERIFY(ended.isFirst());
        }
        QVERIFY(SingleInstance(folder.path()).isFirst());

        // A game killed while it held the lock: the lock file stays, naming a process that is gone.
        const pid_t child = fork();
        if (child == 0) {
            QLockFile lock(folder.filePath(SingleInstance::LockName.toString()));
            _exit(lock.tryLock(0) ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QCOMPARE(WEXITSTATUS(status), 0);
        QVERIFY(QFile::exists(folder.filePath(SingleInstance::LockName.toString())));
        QVERIFY(SingleInstance(folder.path()).isFirst());
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_app_singleinstance.moc"
