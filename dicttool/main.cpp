// SPDX-License-Identifier: GPL-3.0-or-later
// lexitrainer-dict: imports word pairs from other programs' files, exports the dictionaries, turns the
// data files into text and back, and lists the players' results.
#include "dicttool/CommandLine.h"
#include "dicttool/Commands.h"
#include "dicttool/Console.h"
#include "dicttool/Texts.h"
#include "platform/Failure.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QString self = QStringLiteral("lexitrainer-dict");
    try {
        const Invocation invocation = parseCommandLine(application.arguments().sliced(1));
        const QString& command = invocation.command;
        if (command.isEmpty()) {
            std::fputs(helpText().toLocal8Bit().constData(), stdout);
            return 0;
        }
        if (command == u"import")
            return runImport(invocation);
        if (command == u"export")
            return runExport(invocation);
        if (command == u"decode")
            return runDecode(invocation);
        if (command == u"encode")
            return runEncode(invocation);
        return runResults(invocation);
    } catch (const UsageError& error) {
        console::note(self + QStringLiteral(": ") + error.message);
        console::note(localized(u"Подробнее: %1 --help", u"Try '%1 --help'.").arg(self));
        return 2;
    } catch (const Failure& failure) {
        console::note(self + QStringLiteral(": ") + failure.message());
        return 1;
    }
}
