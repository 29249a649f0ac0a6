// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ProgramFolder.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

struct Invocation;

// Files named on the command line, "-" standing for standard input and output.
namespace console {

QByteArray readInput(const QString& fileName);
// Standard output for "-"; a file is replaced whole, so that a failure leaves the old one.
void writeOutput(const QString& fileName, QByteArrayView bytes);
// A line on standard error: notes, warnings and summaries, never the data.
void note(const QString& text);

// The folder given with --folder, or the one that holds the tool.
ProgramFolder programFolder(const Invocation& invocation);

} // namespace console
