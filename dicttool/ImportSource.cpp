// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/ImportSource.h"

#include "dicttool/BadInput.h"
#include "dicttool/Dictd.h"
#include "dicttool/DictdArticle.h"
#include "dicttool/InputText.h"
#include "dicttool/KvtmlReader.h"
#include "platform/Failure.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <shared_mutex>
#include <thread>

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

// The data file read and inflated on a thread of its own. An article is read as soon as its bytes are
// there, so that reading the articles shares the two cores with the inflating instead of waiting for it.
class IncomingData {
public:
    explicit IncomingData(const QString& fileName) : m_thread([this, fileName] { run(fileName); }) {}

    // Calls `read` with the data inflated so far, once it reaches `end` or is complete, and keeps it in
    // place meanwhile (the inflating goes on, and waits to move it to a larger buffer).
    template <typename Read> void whenThere(qint64 end, const Read& read) {
        std::unique_lock lock(m_guard);
        m_grown.wait(lock, [&] { return m_finished || m_size >= end; });
        lock.unlock();
        // The bytes before m_size are written; only the inflating's move to a larger buffer could
        // take them away.
        const std::shared_lock stays(m_moving);
        lock.lock();
        const QByteArrayView text(m_text, m_size);
        lock.unlock();
        read(text);
    }

    // Waits for the inflating to end and throws its fault, if any.
    void finish() {
        m_thread.join();
        if (m_fault)
            std::rethrow_exception(m_fault);
    }

private:
    void run(const QString& fileName) {
        const auto ready = [this](const char* text, qsizetype size) {
            const std::lock_guard lock(m_guard);
            m_text = text;
            m_size = size;
            m_grown.notify_all();
        };
        try {
            m_data = dictd::readData(readFile(fileName), {m_moving, ready});
        } catch (...) {
            m_fault = std::current_exception();
        }
        const std::unique_lock moving(m_moving);
        const std::lock_guard lock(m_guard);
        if (!m_fault) {
            m_text = m_data.constData();
            m_size = m_data.size();
        }
        m_finished = true;
        m_grown.notify_all();
    }

    std::shared_mutex m_moving;
    std::mutex m_guard;
    std::condition_variable m_grown;
    const char* m_text = nullptr;
    qsizetype m_size = 0;
    bool m_finished = false;
    QByteArray m_data;
    std::exception_ptr m_fault;
    std::jthread m_thread; // last: joined before the rest goes
};

// The pair of every article but the database's own header entries, in the index's order. Articles
// depend on nothing but the data, so two threads read them, each taking the next run of entries; the
// first fault in the index's order is the one reported, as reading them one by one would.
QList<Pair> articlePairs(const QList<dictd::IndexEntry>& index, IncomingData& data,
                         const Progress& progress) {
    constexpr qsizetype Run = 1024;
    QList<Pair> found(index.size());
    Pair* const foundAt = found.data();
    std::atomic<qsizetype> nextRun{0};
    std::atomic<qsizetype> done{0};
    std::mutex faultGuard;
    qsizetype faultAt = index.size();
    std::exception_ptr fault;
    const auto work = [&](bool reports) {
        for (qsizetype start; (start = nextRun.fetch_add(Run)) < index.size();) {
            const qsizetype end = std::min(start + Run, index.size());
            // The run is read once the data reaches its last byte, without a wait for each article.
            qint64 runEnd = 0;
            for (qsizetype i = start; i < end; ++i)
                runEnd = std::max(runEnd, index[i].offset + index[i].length);
            data.whenThere(runEnd, [&](QByteArrayView text) {
                for (qsizetype i = start; i < end; ++i) {
                    const dictd::IndexEntry& entry = index[i];
                    if (dictd::isHeaderEntry(entry.headword))
                        continue;
                    try {
                        foundAt[i] = firstTranslation(entry.headword, dictd::articleBytes(text, entry));
                    } catch (...) {
                        const std::lock_guard lock(faultGuard);
                        if (i < faultAt) {
                            faultAt = i;
                            fault = std::current_exception();
                        }
                        break;
                    }
                }
            });
            done += end - start;
            if (reports && progress)
                progress(done, index.size());
        }
    };
    {
        const std::jthread helper(work, false);
        work(true);
    }
    if (fault)
        std::rethrow_exception(fault);

    // The header entries' places closed up.
    qsizetype kept = 0;
    for (qsizetype i = 0; i < index.size(); ++i) {
        if (dictd::isHeaderEntry(index[i].headword))
            continue;
        if (kept != i)
            foundAt[kept] = std::move(foundAt[i]);
        ++kept;
    }
    found.resize(kept);
    return found;
}

QList<Pair> readDatabase(const QString& fileName, const Progress& progress) {
    const std::optional<Database> database = databaseOf(fileName);
    if (!database)
        throw BadInput(fileName, 0,
                       QStringLiteral("a dictd database needs its index (.index) and its data (.dict or "
                                      ".dict.dz) side by side"));
    // The data inflates while the index is read and the articles are read; a fault of the index is
    // still the one reported first, then one of the data, then one of an article.
    IncomingData data(database->data);
    QList<dictd::IndexEntry> index;
    try {
        index = dictd::readIndex(inputtext::decode(readFile(database->index)));
    } catch (const BadInput& fault) {
        throw fault.inFile(database->index);
    }
    QList<Pair> pairs;
    std::exception_ptr articleFault;
    try {
        pairs = articlePairs(index, data, progress);
    } catch (...) {
        articleFault = std::current_exception();
    }
    try {
        data.finish();
    } catch (const BadInput& fault) {
        throw fault.inFile(database->data);
    }
    try {
        if (articleFault)
            std::rethrow_exception(articleFault);
    } catch (const BadInput& fault) {
        throw fault.inFile(database->index);
    }
    return pairs;
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
            return readDatabase(fileName, progress);
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
