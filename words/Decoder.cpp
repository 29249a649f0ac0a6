// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/Decoder.h"

#include "words/DictionaryReader.h"
#include "words/WordList.h"

#include <algorithm>
#include <chrono>

namespace {

constexpr qsizetype progressThreshold = 40;
static_assert(DictionaryReader::FirstLines >= progressThreshold,
              "the reader hands over the lines before the progress shows");
// Events run about this often; running them after every line would cost more than the load itself.
constexpr std::chrono::milliseconds eventInterval(15);

using Clock = std::chrono::steady_clock;

class FinishOnExit {
public:
    explicit FinishOnExit(LoadProgress& progress) : m_progress(progress) {}
    ~FinishOnExit() { m_progress.finish(); }
    FinishOnExit(const FinishOnExit&) = delete;
    FinishOnExit& operator=(const FinishOnExit&) = delete;

private:
    LoadProgress& m_progress;
};

} // namespace

void Decoder(const QString& fileName, WordList& list, LoadProgress& progress) {
    DictionaryReader reader(fileName);
    Decoder(reader, list, progress);
}

void Decoder(DictionaryReader& reader, WordList& list, LoadProgress& progress) {
    reader.throwIfUnopened();

    const FinishOnExit finish(progress);
    progress.setMaximum(reader.expectedSize());
    const qsizetype countBefore = list.count();
    // Into an empty list the lines go without a copy; otherwise the buffer grows once.
    if (countBefore == 0)
        list.shareText(reader.buffer());
    else
        list.reserve(reader.expectedSize());

    // The reader finds the lines on its thread. Up to the 40th they go into the list one by one, so
    // that the progress shows when the list reaches 40; the rest come whole at the end.
    const char* data = reader.buffer().constData();
    qsizetype taken = 0;
    qsizetype lineStart = 0;
    Clock::time_point lastEvents = Clock::now();
    const auto runEventsAt = [&](qsizetype position) {
        progress.setPosition(position);
        progress.processEvents();
        lastEvents = Clock::now();
    };
    DictionaryReader::Found found;
    do {
        found = reader.waitBeyond(found.lines, lastEvents + eventInterval);
        while (list.count() < progressThreshold && taken < qsizetype(found.firstEnds.size())) {
            const qsizetype end = found.firstEnds[size_t(taken++)];
            // What was consumed before this line, so the percentage stays below 100 %.
            const qsizetype consumed = lineStart;
            list.appendBytes(QByteArrayView(data + lineStart, end - lineStart));
            lineStart = end + 2;
            if (list.count() == progressThreshold) {
                progress.showProgress();
                runEventsAt(consumed);
            }
        }
        if (!found.done && Clock::now() >= lastEvents + eventInterval)
            runEventsAt(std::max(found.lastLineStart, lineStart));
    } while (!found.done);
    // A file that failed half way adds nothing, as one that cannot be read at all.
    try {
        reader.throwIfFailed();
    } catch (...) {
        list.truncate(countBefore);
        throw;
    }
    WordList lines = reader.takeLines();
    if (countBefore == 0) {
        list = std::move(lines);
        return;
    }
    for (qsizetype i = taken; i < lines.count(); ++i)
        list.appendBytes(lines.bytesAt(i));
}
