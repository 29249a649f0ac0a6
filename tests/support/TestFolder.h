// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestHelpers.h"
#include "shared/ScrambledText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

// A program folder in a temporary directory. The current directory stays where it is, so a file
// opened by a bare relative name instead of through the program folder is not found.
class TestFolder {
public:
    QString path(const QString& relative = QString()) const {
        return relative.isEmpty() ? m_dir.path() : m_dir.path() + QLatin1Char('/') + relative;
    }
    QString keyStorePath() const { return path(QStringLiteral("LexiTrainer.reg")); }

    // A scrambled dictionary of these lines, each ended by CR LF.
    void writeDictionary(const QString& relative, const QStringList& lines) const {
        QDir().mkpath(QFileInfo(path(relative)).path());
        WriteScrambledText(path(relative), listText(lines), WriteMode::Replace);
    }

    // n distinct pairs "wordK|answerK".
    static QStringList pairs(int n) {
        QStringList lines;
        for (int k = 0; k < n; ++k)
            lines << QStringLiteral("word%1|answer%1").arg(k);
        return lines;
    }

private:
    QTemporaryDir m_dir;
};
