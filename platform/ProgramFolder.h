// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// The one folder the program reads and writes its files in: dictionaries, sounds, the player file,
// saved games, the background picture, the settings and the read-me. Names within it keep the
// program's relative spelling ("словарь/main.txt", "./sound/Yes.wav", ".\\словарь\\User.txt").
// The real program uses the executable's folder; tests hand in a temporary one.
class ProgramFolder {
public:
    explicit ProgramFolder(QString root);
    // The folder that holds the executable.
    static ProgramFolder ofExecutable();

    const QString& root() const { return m_root; }
    // The full path of a name relative to the folder; "\" counts as "/", and a leading "./" is dropped.
    QString file(QStringView relativeName) const;

private:
    QString m_root;
};
