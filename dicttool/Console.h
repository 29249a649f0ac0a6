// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ProgramFolder.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>

class WriteLock;
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

// The program folder's write lock, which the game takes around its rewrites too, held as long as the
// answer lives. Waits while the game writes, and says so when that takes long; throws Failure when the
// game holds it for a minute.
std::unique_ptr<WriteLock> lockProgramFolder(const ProgramFolder& folder);

} // namespace console
