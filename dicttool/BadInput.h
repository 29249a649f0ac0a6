// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"

#include <QString>

// An input file that breaks its own format. The line is where reading stopped (0 when the fault has no
// line, as in compressed data), so that the message can point the user at it; the reader of a file
// names it when it passes the fault on.
class BadInput : public Failure {
public:
    BadInput(qsizetype line, const QString& problem) : BadInput(QString(), line, problem) {}
    BadInput(const QString& fileName, qsizetype line, const QString& problem)
        : Failure(where(fileName, line) + problem), m_fileName(fileName), m_line(line), m_problem(problem) {}

    BadInput inFile(const QString& fileName) const { return BadInput(fileName, m_line, m_problem); }
    const QString& fileName() const { return m_fileName; }
    qsizetype line() const { return m_line; }

private:
    static QString where(const QString& fileName, qsizetype line) {
        QString text = fileName;
        if (line > 0)
            text += (text.isEmpty() ? QStringLiteral("line %1") : QStringLiteral(":%1")).arg(line);
        return text.isEmpty() ? text : text + QStringLiteral(": ");
    }

    QString m_fileName;
    qsizetype m_line;
    QString m_problem;
};
