// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/CommandLine.h"
#include "dicttool/Commands.h"
#include "dicttool/Console.h"
#include "dicttool/ImportRules.h"
#include "dicttool/ImportSource.h"
#include "dicttool/KvtmlReader.h"
#include "dicttool/Progress.h"
#include "dicttool/Texts.h"
#include "platform/Failure.h"
#include "platform/TextCodec.h"
#include "platform/WriteLock.h"
#include "shared/ScrambledText.h"
#include "words/Decoder.h"
#include "words/UserDictionary.h"
#include "words/WordList.h"

#include <QDir>
#include <QFileInfo>

namespace {

// A dictionary read only to be checked against: nothing to show while it loads.
class QuietLoad : public LoadProgress {
public:
    void setMaximum(qint64) override {}
    void showProgress() override {}
    void setPosition(qint64) override {}
    void processEvents() override {}
    void finish() override {}
};

void loadIfThere(const QString& fileName, WordList& list) {
    QuietLoad quiet;
    if (QFileInfo::exists(fileName))
        Decoder(fileName, list, quiet);
}

importsource::Options optionsOf(const Invocation& invocation) {
    importsource::Options options;
    if (invocation.has(QStringLiteral("format"))) {
        options.format = importsource::formatNamed(invocation.value(QStringLiteral("format")));
        if (!options.format)
            throw UsageError{localized(u"неизвестный формат \"%1\" (kvtml, tsv, csv, dictd, anki)",
                                       u"unknown format \"%1\" (kvtml, tsv, csv, dictd, anki)")
                                 .arg(invocation.value(QStringLiteral("format")))};
    }
    options.from = invocation.value(QStringLiteral("from"));
    options.to = invocation.value(QStringLiteral("to"));
    if (invocation.has(QStringLiteral("columns"))) {
        const QStringList numbers = invocation.value(QStringLiteral("columns")).split(u',');
        bool englishOk = false;
        bool russianOk = false;
        if (numbers.size() == 2) {
            options.columns.english = numbers[0].toInt(&englishOk);
            options.columns.russian = numbers[1].toInt(&russianOk);
        }
        if (!englishOk || !russianOk || options.columns.english < 1 || options.columns.russian < 1 ||
            options.columns.english == options.columns.russian)
            throw UsageError{
                localized(u"--columns ждёт два разных номера столбцов, английского и русского: 1,2",
                          u"--columns needs two different column numbers, English and Russian: 1,2")};
    }
    if (invocation.has(QStringLiteral("fields"))) {
        const QStringList names = invocation.value(QStringLiteral("fields")).split(u',');
        if (names.size() != 2 || names[0].trimmed().isEmpty() || names[1].trimmed().isEmpty() ||
            names[0].trimmed().compare(names[1].trimmed(), Qt::CaseInsensitive) == 0)
            throw UsageError{
                localized(u"--fields ждёт имена двух разных полей, английского и русского: Front,Back",
                          u"--fields needs the names of two different fields, English and Russian: "
                          u"Front,Back")};
        options.fields = {names[0].trimmed(), names[1].trimmed()};
    }
    if (invocation.has(QStringLiteral("separator"))) {
        options.separator = delimited::separatorNamed(invocation.value(QStringLiteral("separator")));
        if (!options.separator)
            throw UsageError{localized(u"--separator ждёт один символ или tab, comma, semicolon",
                                       u"--separator needs one character, or tab, comma, semicolon")};
    }
    if (invocation.has(QStringLiteral("standard")) && invocation.has(QStringLiteral("o")))
        throw UsageError{
            localized(u"--standard и -o вместе не указываются", u"--standard and -o exclude each other")};
    if (invocation.arguments.count(QStringLiteral("-")) > 1)
        throw UsageError{localized(u"стандартный ввод можно прочитать только один раз",
                                   u"standard input can be read only once")};
    return options;
}

// Why pairs were incomplete, the reasons that occurred: "(one side empty 3, a language missing 1)".
QString incompleteReasons(const importrules::Counts& counts) {
    QStringList reasons;
    const qsizetype emptySide = counts.incomplete - counts.languageMissing - counts.emptyAfterMarkup;
    if (emptySide > 0)
        reasons.append(localized(u"одна сторона пуста %1", u"one side empty %1").arg(emptySide));
    if (counts.languageMissing > 0)
        reasons.append(localized(u"нет слова на одном из языков %1", u"a language missing %1")
                           .arg(counts.languageMissing));
    if (counts.emptyAfterMarkup > 0)
        reasons.append(
            localized(u"поле пусто без разметки %1", u"a field empty once its markup was removed %1")
                .arg(counts.emptyAfterMarkup));
    return reasons.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(reasons.join(QStringLiteral(", ")));
}

QString summary(const QString& target, const importrules::Counts& counts) {
    return localized(u"%1: добавлено %2, пропущено как повторы %3, пропущено как непредставимые %4, "
                     u"пропущено без перевода %5%6",
                     u"%1: added %2, skipped as duplicates %3, skipped as not representable %4, "
                     u"skipped as incomplete %5%6")
        .arg(target)
        .arg(counts.added)
        .arg(counts.duplicates)
        .arg(counts.notRepresentable)
        .arg(counts.incomplete)
        .arg(incompleteReasons(counts));
}

} // namespace

int runImport(const Invocation& invocation) {
    const importsource::Options options = optionsOf(invocation);
    const ProgramFolder folder = console::programFolder(invocation);

    // Every input is read before anything is written: a damaged one leaves every dictionary as it was.
    // The pairs and the importer, tens of thousands of strings, are never freed: they go with the
    // process, which ends once the lines are written, rather than one by one at a cost beyond the writing.
    QList<Pair>& pairs = *new QList<Pair>;
    {
        Progress progress(localized(u"Чтение", u"Reading"));
        const qint64 files = invocation.arguments.size();
        for (qint64 file = 0; file < files; ++file) {
            const QString& fileName = invocation.arguments[file];
            // Each file is an equal share of the bar.
            try {
                QList<Pair> read = importsource::read(
                    fileName, console::readInput(fileName), options,
                    [&](qint64 done, qint64 total) { progress.update(file * total + done, files * total); });
                if (pairs.isEmpty())
                    pairs = std::move(read);
                else
                    pairs += std::move(read);
            } catch (const kvtml::LanguagesMissing& missing) {
                throw Failure(QStringLiteral("%1: ").arg(fileName) +
                              localized(u"в файле языки: %1; нужны английский и русский, или --from/--to",
                                        u"the file's languages: %1; English and Russian are needed, or "
                                        u"--from/--to")
                                  .arg(missing.languages().isEmpty()
                                           ? localized(u"не указаны", u"none declared")
                                           : missing.languages().join(QStringLiteral(", "))));
            }
            progress.update(file + 1, files);
        }
    }

    const QString mainFile = folder.file(userdictionary::MainFile);
    const QString userFile = folder.file(userdictionary::UserFile);
    const bool toStandard = invocation.has(QStringLiteral("standard"));
    const QString output = invocation.value(QStringLiteral("o"));
    const QString target = !output.isEmpty() ? output : toStandard ? mainFile : userFile;

    // The new pairs must not repeat a side of what the game will load beside them: a new standard
    // dictionary is loaded with the user dictionary, the user dictionary with both.
    // From reading the dictionaries to writing: the game adds and deletes pairs under the same lock.
    const auto lock = output == u"-" ? nullptr : console::lockProgramFolder(folder);
    importrules::Importer& importer = *new importrules::Importer;
    importer.reserve(pairs.size());
    if (output.isEmpty()) {
        WordList loaded;
        if (!toStandard)
            loadIfThere(mainFile, loaded);
        loadIfThere(userFile, loaded);
        importer.avoid(loaded);
    }
    {
        Progress progress(localized(u"Проверка", u"Checking"));
        importer.addAll(pairs, [&](qsizetype done) { progress.update(done, pairs.size()); });
    }

    const importrules::Counts& counts = importer.counts();
    if (output == u"-") {
        console::writeOutput(output, ansi::encode(Coding(importer.text())));
    } else if (!output.isEmpty() || toStandard) {
        // An empty standard dictionary would leave the game without questions.
        if (toStandard && counts.added == 0)
            throw Failure(localized(u"%1 не записан: в нём не было бы ни одной пары",
                                    u"%1 is not written: it would hold no pair")
                              .arg(target));
        QDir().mkpath(QFileInfo(target).absolutePath());
        WriteScrambledText(target, importer.text(), WriteMode::Replace);
    } else if (counts.added > 0) {
        QDir().mkpath(QFileInfo(target).absolutePath());
        importrules::appendLines(target, importer.text());
    }
    console::note(
        summary(output == u"-" ? localized(u"стандартный вывод", u"standard output") : target, counts));
    return 0;
}
