// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/CommandLine.h"

#include "dicttool/Texts.h"

#include <QList>

#include <algorithm>
#include <optional>

namespace {

struct KnownOption {
    QLatin1StringView name;
    bool takesValue;
};

struct KnownCommand {
    QLatin1StringView name;
    QList<KnownOption> options;
    int minArguments;
    int maxArguments; // -1: any number
};

const QList<KnownCommand>& commands() {
    using L = QLatin1StringView;
    static const QList<KnownCommand> known = {
        {L("import"),
         {{L("format"), true},
          {L("from"), true},
          {L("to"), true},
          {L("columns"), true},
          {L("separator"), true},
          {L("fields"), true},
          {L("standard"), false},
          {L("o"), true},
          {L("folder"), true}},
         1,
         -1},
        {L("export"),
         {{L("standard"), false}, {L("format"), true}, {L("o"), true}, {L("folder"), true}},
         0,
         0},
        {L("decode"), {{L("o"), true}}, 1, 1},
        {L("encode"), {{L("o"), true}}, 1, 1},
        {L("results"), {{L("format"), true}, {L("folder"), true}}, 0, 1},
    };
    return known;
}

[[noreturn]] void wrong(const QString& message) {
    throw UsageError{message};
}

} // namespace

Invocation parseCommandLine(const QStringList& arguments) {
    if (arguments.isEmpty())
        wrong(localized(u"не указана команда", u"no command given"));
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h")) ||
        arguments.front() == u"help")
        return {};

    Invocation invocation;
    invocation.command = arguments.front();
    const auto command = std::find_if(commands().begin(), commands().end(),
                                      [&](const KnownCommand& c) { return c.name == invocation.command; });
    if (command == commands().end())
        wrong(localized(u"неизвестная команда \"%1\"", u"unknown command \"%1\"").arg(invocation.command));

    qsizetype i = 1;
    for (; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--") {
            ++i;
            break;
        }
        if (argument == u"-" || !argument.startsWith(u'-'))
            break;
        QString name = argument.sliced(argument.startsWith(u"--") ? 2 : 1);
        std::optional<QString> joinedValue;
        if (const qsizetype equals = name.indexOf(u'='); equals >= 0) {
            joinedValue = name.sliced(equals + 1);
            name.truncate(equals);
        }
        // Long names take two dashes and "o" one.
        const bool dashesRight = (name.size() == 1) == !argument.startsWith(u"--");
        const auto option = std::find_if(command->options.begin(), command->options.end(),
                                         [&](const KnownOption& o) { return o.name == name; });
        if (!dashesRight || option == command->options.end())
            wrong(localized(u"команда %1 не знает параметра \"%2\"", u"%1 has no option \"%2\"")
                      .arg(invocation.command, argument));
        if (invocation.options.contains(name))
            wrong(localized(u"параметр \"%1\" указан дважды", u"the option \"%1\" is given twice")
                      .arg(argument));
        QString value;
        if (option->takesValue) {
            if (joinedValue) {
                value = *joinedValue;
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            }
            if (value.isEmpty())
                wrong(localized(u"после \"%1\" нужно значение", u"\"%1\" needs a value").arg(argument));
        } else if (joinedValue) {
            wrong(localized(u"\"%1\" не принимает значения", u"\"%1\" takes no value").arg(name));
        }
        invocation.options.insert(name, value);
    }
    invocation.arguments = arguments.sliced(i);

    const qsizetype count = invocation.arguments.size();
    if (count < command->minArguments || (command->maxArguments >= 0 && count > command->maxArguments))
        wrong(localized(u"неверное число аргументов у команды %1", u"wrong number of arguments for %1")
                  .arg(invocation.command));
    return invocation;
}
