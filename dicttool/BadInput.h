// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"

#include <QString>

// An input file that breaks its own format. The line is where reading stopped (0 when the fault has no
// line, as in compressed data), so that the message can point the user at it.
class BadInput : public Failure {
public:
    BadInput(qsizetype line, const QString& problem)
        : Failure(line > 0 ? QStringLiteral("line %1: %2").arg(line).arg(problem) : problem), m_line(line),
          m_problem(problem) {}
    qsizetype line() const { return m_line; }
    const QString& problem() const { return m_problem; }

private:
    qsizetype m_line;
    QString m_problem;
};
