// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

class QWidget;

// One game per program folder. The first start holds a lock file in the folder and listens on a local
// socket named after the folder; a later start finds the lock held, connects to the socket, which tells
// the running game to come forward, and ends. A lock left by a killed game is taken over, and a folder
// where no lock can be made (read-only) lets every start run.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    static constexpr QStringView LockName = u"LexiTrainer.lock";

    explicit SingleInstance(const QString& folder, QObject* parent = nullptr);

    bool isFirst() const { return m_first; }
    // From a later start: tells the running game; false when it did not answer within a few seconds.
    bool tellRunning();

signals:
    // Another start on the same folder wants the game in front.
    void anotherStart();

private:
    QLockFile m_lock;
    QString m_serverName;
    QLocalServer m_server;
    bool m_first = true;
};

// Brings the main window, and a modal window open over it, in front of the others.
void bringForward(QWidget& mainWindow);
