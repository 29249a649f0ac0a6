// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/BadInput.h"
#include "dicttool/CommandLine.h"
#include "dicttool/Commands.h"
#include "dicttool/Console.h"
#include "dicttool/DataFileText.h"
#include "dicttool/Texts.h"
#include "platform/WriteLock.h"

namespace {

QString outputOf(const Invocation& invocation) {
    return invocation.has(QStringLiteral("o")) ? invocation.value(QStringLiteral("o")) : QStringLiteral("-");
}

} // namespace

int runDecode(const Invocation& invocation) {
    const QString input = invocation.arguments.front();
    console::writeOutput(outputOf(invocation), datafile::decode(console::readInput(input)));
    return 0;
}

int runEncode(const Invocation& invocation) {
    const QString input = invocation.arguments.front();
    const QByteArray text = console::readInput(input);
    QByteArray scrambled;
    try {
        scrambled = datafile::encode(text);
    } catch (const BadInput& fault) {
        throw fault.inFile(input);
    }
    // Written all the same: the text may be meant so, and decode gives it back unchanged.
    if (const datafile::Hazard hazard = datafile::readingHazard(text); hazard.line > 0)
        console::note(localized(u"предупреждение: %1:%2: %3", u"warning: %1:%2: %3")
                          .arg(input)
                          .arg(hazard.line)
                          .arg(hazard.problem));
    const QString output = outputOf(invocation);
    // A data file of the program is written while the game leaves the folder alone.
    const auto lock =
        output == u"-" ? nullptr : console::lockProgramFolder(console::programFolder(invocation));
    console::writeOutput(output, scrambled);
    return 0;
}
