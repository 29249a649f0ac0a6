// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SingleInstance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>
#include <QWidget>

namespace {

// One name per folder, short enough for a socket path, the same for every spelling of the folder.
QString serverName(const QString& folder) {
    const QString canonical = QDir(folder).canonicalPath();
    const QByteArray hash = QCryptographicHash::hash((canonical.isEmpty() ? folder : canonical).toUtf8(),
                                                     QCryptographicHash::Sha1);
    return QStringLiteral("LexiTrainer-") + QString::fromLatin1(hash.toHex().left(20));
}

} // namespace

SingleInstance::SingleInstance(const QString& folder, QObject* parent)
    : QObject(parent), m_lock(folder + QLatin1Char('/') + LockName.toString()),
      m_serverName(serverName(folder)) {
    // The game runs for hours: only a game that is gone leaves a stale lock.
    m_lock.setStaleLockTime(0);
    if (!m_lock.tryLock(0)) {
        m_first = m_lock.error() != QLockFile::LockFailedError;
        if (!m_first)
            return;
    }
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            socket->disconnectFromServer();
        }
        emit anotherStart();
    });
    // A socket left by a killed game would refuse the name.
    QLocalServer::removeServer(m_serverName);
    m_server.listen(m_serverName);
}

bool SingleInstance::tellRunning() {
    // The running game may still be starting and not listen yet.
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(500)) {
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(100);
    }
    return false;
}

void bringForward(QWidget& mainWindow) {
    if (mainWindow.isMinimized())
        mainWindow.showNormal();
    mainWindow.raise();
    mainWindow.activateWindow();
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != &mainWindow) {
        modal->raise();
        modal->activateWindow();
    }
}
