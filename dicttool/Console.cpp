// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/Console.h"

#include "dicttool/CommandLine.h"
#include "dicttool/Texts.h"
#include "platform/Failure.h"
#include "platform/Files.h"
#include "platform/WriteLock.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace console {

QByteArray readInput(const QString& fileName) {
    QFile file;
    const bool opened = fileName == u"-" ? file.open(stdin, QIODevice::ReadOnly)
                                         : (file.setFileName(fileName), file.open(QIODevice::ReadOnly));
    if (!opened)
        throw Failure(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(QStringLiteral("Cannot read file \"%1\". %2").arg(fileName, file.errorString()));
    return bytes;
}

void writeOutput(const QString& fileName, QByteArrayView bytes) {
    if (fileName != u"-") {
        files::replaceFile(fileName, bytes);
        return;
    }
    if (std::fwrite(bytes.data(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()) ||
        std::fflush(stdout) != 0)
        throw Failure(QStringLiteral("Cannot write to standard output"));
}

void note(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

ProgramFolder programFolder(const Invocation& invocation) {
    if (invocation.has(QStringLiteral("folder")))
        return ProgramFolder(QDir(invocation.value(QStringLiteral("folder"))).absolutePath());
    return ProgramFolder::ofExecutable();
}

std::unique_ptr<WriteLock> lockProgramFolder(const ProgramFolder& folder) {
    using namespace std::chrono_literals;
    auto lock = std::make_unique<WriteLock>(folder.root());
    if (lock->tryLock(2s))
        return lock;
    note(localized(u"%1: LexiTrainer сейчас пишет в папку программы, ждём до минуты…",
                   u"%1: LexiTrainer is writing in the program folder, waiting up to a minute…")
             .arg(folder.root()));
    if (!lock->tryLock(60s))
        throw Failure(localized(u"%1: LexiTrainer не отпускает папку программы (%2); ничего не записано, "
                                u"повторите позже",
                                u"%1: LexiTrainer keeps the program folder locked (%2); nothing was written, "
                                u"try again later")
                          .arg(folder.root(), WriteLock::FileName.toString()));
    return lock;
}

} // namespace console
