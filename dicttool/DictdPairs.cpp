// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/DictdPairs.h"

#include "dicttool/BadInput.h"
#include "dicttool/DictdArticle.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <numeric>
#include <thread>
#include <vector>

#include <zlib.h>

namespace dictd {

namespace {

using importsource::Progress;

// Runs the work on this thread and on a second one at once; the work is told whether it is this thread's,
// which reports the progress.
template <typename Work> void onBothCores(const Work& work) {
    const std::jthread helper(work, false);
    work(true);
}

// The places of the header entries, which give no pair, closed up.
void closeUpHeaderEntries(QList<Pair>& found, const QList<IndexEntry>& index) {
    qsizetype kept = 0;
    for (qsizetype i = 0; i < index.size(); ++i) {
        if (isHeaderEntry(index[i].headword))
            continue;
        if (kept != i)
            found[kept] = std::move(found[i]);
        ++kept;
    }
    found.resize(kept);
}

// The articles from the whole text, the two threads each taking the next run of entries; the first fault in
// the index's order is the one reported, as reading them one by one would.
QList<Pair> pairsOfText(const QList<IndexEntry>& index, QByteArrayView text, const Progress& progress) {
    constexpr qsizetype Run = 1024;
    QList<Pair> found(index.size());
    Pair* const foundAt = found.data();
    std::atomic<qsizetype> nextRun{0};
    std::atomic<qsizetype> done{0};
    std::mutex faultGuard;
    qsizetype faultAt = index.size();
    std::exception_ptr fault;
    onBothCores([&](bool reports) {
        for (qsizetype start; (start = nextRun.fetch_add(Run)) < index.size();) {
            const qsizetype end = std::min(start + Run, index.size());
            for (qsizetype i = start; i < end; ++i) {
                const IndexEntry& entry = index[i];
                if (isHeaderEntry(entry.headword))
                    continue;
                try {
                    foundAt[i] = firstTranslation(entry.headword, articleBytes(text, entry));
                } catch (...) {
                    const std::lock_guard lock(faultGuard);
                    if (i < faultAt) {
                        faultAt = i;
                        fault = std::current_exception();
                    }
                    break;
                }
            }
            done += end - start;
            if (reports && progress)
                progress(done, index.size());
        }
    });
    if (fault)
        std::rethrow_exception(fault);
    closeUpHeaderEntries(found, index);
    return found;
}

// The articles of a dictzip file, chunk by chunk: each thread inflates the next chunk and reads the articles
// that start in it while the text is fresh in its cache, and the whole text is never held. None when a
// chunk is damaged, the text's checksum or length is not the trailer's or an entry points past the text:
// inflating the data whole then finds the fault and reports it as it always has.
std::optional<QList<Pair>> pairsOfChunks(const QList<IndexEntry>& index, const Dictzip& file,
                                         const Progress& progress) {
    const qsizetype chunkCount = file.chunks.size();
    const qint64 chunkLength = file.chunkLength;
    // The trailer gives the text's length modulo 4 GiB; the last chunk holds the rest.
    const qint64 lastLength = quint32(file.length - quint32((chunkCount - 1) * chunkLength));
    if (lastLength == 0 || lastLength > chunkLength)
        return std::nullopt;
    const qint64 textLength = (chunkCount - 1) * chunkLength + lastLength;
    const auto chunkOf = [&](const IndexEntry& entry) {
        return std::min<qsizetype>(entry.offset / chunkLength, chunkCount - 1);
    };

    // Each article's entry and the place of its pair (header entries give none), by the chunk the article
    // starts in: those of chunk c are articles[startOf[c]] to articles[startOf[c + 1] - 1].
    struct Article {
        qsizetype entry;
        qsizetype place;
    };
    std::vector<qsizetype> startOf(static_cast<size_t>(chunkCount) + 1);
    for (const IndexEntry& entry : index) {
        if (isHeaderEntry(entry.headword))
            continue;
        if (entry.offset + entry.length > textLength)
            return std::nullopt;
        ++startOf[size_t(chunkOf(entry)) + 1];
    }
    std::partial_sum(startOf.begin(), startOf.end(), startOf.begin());
    std::vector<Article> articles(size_t(startOf.back()));
    {
        std::vector<qsizetype> next(startOf.begin(), startOf.end() - 1);
        qsizetype place = 0;
        for (qsizetype i = 0; i < index.size(); ++i)
            if (!isHeaderEntry(index[i].headword))
                articles[size_t(next[size_t(chunkOf(index[i]))]++)] = {i, place++};
    }

    QList<Pair> found(startOf.back());
    Pair* const foundAt = found.data();
    std::vector<quint32> checksums(static_cast<size_t>(chunkCount));
    std::atomic<qsizetype> nextChunk{0};
    std::atomic<qsizetype> done{0};
    std::atomic<bool> failed{false};
    std::mutex faultGuard;
    std::exception_ptr fault;
    // The chunk's text, then as much of the following chunks as its last articles run into; false when a
    // chunk is damaged.
    const auto readChunk = [&](qsizetype chunk, ChunkInflater& inflater, std::vector<char>& text) {
        const qint64 start = chunk * chunkLength;
        const bool last = chunk + 1 == chunkCount;
        const qint64 length = last ? lastLength : chunkLength;
        qint64 end = start + length;
        for (size_t k = size_t(startOf[size_t(chunk)]); k < size_t(startOf[size_t(chunk) + 1]); ++k)
            end = std::max(end, index[articles[k].entry].offset + index[articles[k].entry].length);
        // The room grows with what is inflated, never ahead of it: an entry may point far past what a
        // damaged chunk list promises.
        const auto makeRoom = [&](qint64 size) {
            if (text.size() < size_t(size))
                text.resize(size_t(size));
        };
        // The last chunk must end the text where the trailer says: room for a byte more tells.
        makeRoom(length + 1);
        if (inflater.inflate(file.chunks[chunk], last, text.data(), last ? length + 1 : length) != length)
            return false;
        checksums[size_t(chunk)] =
            quint32(crc32(0, reinterpret_cast<const Bytef*>(text.data()), uInt(length)));
        for (qint64 at = start + length, next = chunk + 1; at < end; ++next) {
            const qint64 part = std::min(chunkLength, end - at);
            makeRoom(at - start + part);
            if (inflater.inflate(file.chunks[next], next + 1 == chunkCount, text.data() + (at - start),
                                 part) != part)
                return false;
            at += part;
        }
        for (size_t k = size_t(startOf[size_t(chunk)]); k < size_t(startOf[size_t(chunk) + 1]); ++k) {
            const IndexEntry& entry = index[articles[k].entry];
            foundAt[articles[k].place] = firstTranslation(
                entry.headword, QByteArrayView(text.data() + (entry.offset - start), entry.length));
        }
        return true;
    };
    onBothCores([&](bool reports) {
        // Both kept for the next chunk; the text is never shortened.
        std::optional<ChunkInflater> inflater;
        std::vector<char> text;
        for (qsizetype chunk; !failed && (chunk = nextChunk++) < chunkCount;) {
            try {
                if (!inflater)
                    inflater.emplace();
                if (!readChunk(chunk, *inflater, text))
                    failed = true;
            } catch (...) {
                const std::lock_guard lock(faultGuard);
                fault = std::current_exception();
                failed = true;
            }
            done += startOf[size_t(chunk) + 1] - startOf[size_t(chunk)];
            if (reports && progress)
                progress(done, startOf.back());
        }
    });
    if (fault)
        std::rethrow_exception(fault);
    if (failed)
        return std::nullopt;
    quint32 checksum = checksums[0];
    for (qsizetype chunk = 1; chunk < chunkCount; ++chunk)
        checksum = quint32(crc32_combine(checksum, checksums[size_t(chunk)],
                                         chunk + 1 == chunkCount ? lastLength : chunkLength));
    if (checksum != file.checksum)
        return std::nullopt;
    return found;
}

} // namespace

QList<Pair> articlePairs(const QList<IndexEntry>& index, const QByteArray& data, const FileNames& files,
                         const Progress& progress) {
    if (const std::optional<Dictzip> file = dictzipChunks(data)) {
        if (std::optional<QList<Pair>> pairs = pairsOfChunks(index, *file, progress))
            return *std::move(pairs);
    }
    QByteArray text;
    try {
        text = readData(data);
    } catch (const BadInput& fault) {
        throw fault.inFile(files.data);
    }
    try {
        return pairsOfText(index, text, progress);
    } catch (const BadInput& fault) {
        throw fault.inFile(files.index);
    }
}

} // namespace dictd
