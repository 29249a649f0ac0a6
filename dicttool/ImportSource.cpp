// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/ImportSource.h"

#include "dicttool/BadInput.h"
#include "dicttool/Dictd.h"
#include "dicttool/DictdPairs.h"
#include "dicttool/InputText.h"
#include "dicttool/KvtmlReader.h"
#include "platform/Failure.h"

#include <QFile>
#include <QFileInfo>

#include <future>

namespace importsource {

std::optional<Format> formatNamed(QStringView name) {
    if (name == u"kvtml")
        return Format::Kvtml;
    if (name == u"tsv")
        return Format::Tsv;
    if (name == u"csv")
        return Format::Csv;
    if (name == u"dictd")
        return Format::Dictd;
    if (name == u"anki")
        return Format::Anki;
    return std::nullopt;
}

namespace {

// The two files of a dictd database, named after either of them.
struct Database {
    QString index;
    QString data;
};

std::optional<Database> databaseOf(const QString& fileName) {
    if (fileName == u"-")
        return std::nullopt;
    QString base = fileName;
    for (const QLatin1StringView ending :
         {QLatin1StringView(".index"), QLatin1StringView(".dict.dz"), QLatin1StringView(".dict")}) {
        if (base.endsWith(ending)) {
            base.chop(ending.size());
            break;
        }
    }
    Database database{base + QStringLiteral(".index"), base + QStringLiteral(".dict.dz")};
    if (!QFileInfo::exists(database.data))
        database.data = base + QStringLiteral(".dict");
    if (database.index == fileName ? !QFileInfo::exists(database.data) : !QFileInfo::exists(database.index))
        return std::nullopt;
    return database;
}

QByteArray readFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(QStringLiteral("Cannot read file \"%1\". %2").arg(fileName, file.errorString()));
    return bytes;
}

// The first line that holds a record, past empty lines and Anki's "#name:value" lines.
QStringView firstRecordLine(QStringView text) {
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        const QStringView line = text.sliced(start, end - start);
        if (!line.trimmed().isEmpty() && !line.startsWith(u'#'))
            return line;
        start = end + 1;
    }
    return {};
}

Format detect(const QString& fileName, const QByteArray& bytes, QStringView text, const Options& options) {
    if (dictd::isCompressed(bytes))
        return Format::Dictd;
    if (anki::isPackage(bytes))
        return Format::Anki;
    if (text.trimmed().startsWith(u'<'))
        return Format::Kvtml;
    const bool dictdName = fileName.endsWith(u".index") || fileName.endsWith(u".dict");
    if (!options.separator && (dictdName || dictd::looksLikeIndex(text)) && databaseOf(fileName))
        return Format::Dictd;
    const std::optional<QChar> declared =
        options.separator ? options.separator : delimited::header(text).separator;
    if (declared)
        return *declared == u'\t' ? Format::Tsv : Format::Csv;
    return firstRecordLine(text).contains(u'\t') ? Format::Tsv : Format::Csv;
}

// Tab- or comma-separated text: the delimiter given, else the one the file declares, else for CSV the one
// found in it.
QList<Pair> readDelimited(QStringView text, Format format, const Options& options) {
    const delimited::Header header = delimited::header(text);
    const std::optional<QChar> declared = options.separator ? options.separator : header.separator;
    const QChar delimiter = declared                ? *declared
                            : format == Format::Tsv ? QChar(u'\t')
                                                    : delimited::foundDelimiter(text);
    return delimited::pairs(delimited::read(text, delimiter), options.columns, header);
}

// `text` is the named file's, when it is read already: the index need not be read and decoded again.
QList<Pair> readDatabase(const QString& fileName, const Progress& progress, const QString* text = nullptr) {
    const std::optional<Database> database = databaseOf(fileName);
    if (!database)
        throw BadInput(fileName, 0,
                       QStringLiteral("a dictd database needs its index (.index) and its data (.dict or "
                                      ".dict.dz) side by side"));
    // The data file is read while the index is; a fault of the index is still the one reported first.
    std::future<QByteArray> data = std::async(std::launch::async, readFile, database->data);
    QList<dictd::IndexEntry> index;
    try {
        index = dictd::readIndex(
            text && database->index == fileName ? *text : inputtext::decode(readFile(database->index)));
    } catch (const BadInput& fault) {
        throw fault.inFile(database->index);
    }
    return dictd::articlePairs(index, data.get(), {database->index, database->data}, progress);
}

} // namespace

QList<Pair> read(const QString& fileName, const QByteArray& bytes, const Options& options,
                 const Progress& progress) {
    if (options.format == Format::Dictd || (!options.format && dictd::isCompressed(bytes)))
        return readDatabase(fileName, progress);
    if (options.format == Format::Anki || (!options.format && anki::isPackage(bytes))) {
        try {
            return anki::pairs(anki::read(anki::collection(bytes), progress), options.fields);
        } catch (const BadInput& fault) {
            throw fault.inFile(fileName);
        }
    }
    const QString text = inputtext::decode(bytes);
    try {
        switch (const Format format = options.format.value_or(detect(fileName, bytes, text, options))) {
        case Format::Kvtml:
            return kvtml::pairs(kvtml::read(text), options.from, options.to);
        case Format::Tsv:
        case Format::Csv:
            return readDelimited(text, format, options);
        case Format::Dictd:
            return readDatabase(fileName, progress, &text);
        case Format::Anki:
            break; // read above
        }
    } catch (const kvtml::LanguagesMissing&) {
        throw; // the import names the file in the user's language
    } catch (const BadInput& fault) {
        throw fault.fileName().isEmpty() ? fault.inFile(fileName) : fault;
    }
    return {};
}

} // namespace importsource
