// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/Decoder.h"

#include "words/DictionaryReader.h"
#include "words/WordList.h"

#include <chrono>
#include <cstring>

namespace {

constexpr qsizetype progressThreshold = 40;
// Events run about this often; running them after every line would cost more than the load itself.
constexpr std::chrono::milliseconds eventInterval(15);
// Lines between two looks at the clock.
constexpr int linesPerClockCheck = 64;

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

// The lines of the text as its bytes come in; the reader unscrambles on its thread while this one
// finds the line breaks and fills the list.
class LineTaker {
public:
    LineTaker(DictionaryReader& reader, WordList& list, LoadProgress& progress)
        : m_data(reader.buffer().constData()), m_list(list), m_progress(progress) {}

    // Takes every line whose CR LF lies in the first `ready` bytes.
    void take(qsizetype ready) {
        for (;;) {
            const char* cr = nullptr;
            while (m_scanFrom < ready) {
                cr = static_cast<const char*>(
                    std::memchr(m_data + m_scanFrom, '\r', size_t(ready - m_scanFrom)));
                if (!cr) {
                    m_scanFrom = ready;
                    break;
                }
                const qsizetype at = cr - m_data;
                // A CR on the last ready byte is looked at again when its next byte is there.
                if (at + 1 >= ready) {
                    m_scanFrom = at;
                    return;
                }
                if (m_data[at + 1] == '\n')
                    break;
                m_scanFrom = at + 1;
                cr = nullptr;
            }
            if (!cr)
                return;
            const qsizetype consumed = m_lineStart;
            m_list.appendBytes(QByteArrayView(m_data + m_lineStart, cr - (m_data + m_lineStart)));
            m_lineStart = m_scanFrom = cr - m_data + 2;
            const bool showNow = m_list.count() == progressThreshold;
            if (showNow)
                m_progress.showProgress();
            bool runEvents = showNow;
            if (++m_linesSinceClockCheck == linesPerClockCheck) {
                m_linesSinceClockCheck = 0;
                runEvents = runEvents || Clock::now() >= nextEvents();
            }
            // What was consumed before this line, so the percentage stays below 100 %.
            if (runEvents)
                runEventsAt(consumed);
        }
    }

    Clock::time_point nextEvents() const { return m_lastEvents + eventInterval; }
    // While the file keeps the loader waiting.
    void runEventsNow() { runEventsAt(m_lineStart); }

private:
    void runEventsAt(qsizetype position) {
        m_progress.setPosition(position);
        m_progress.processEvents();
        m_lastEvents = Clock::now();
    }

    const char* m_data;
    WordList& m_list;
    LoadProgress& m_progress;
    qsizetype m_lineStart = 0;
    qsizetype m_scanFrom = 0;
    int m_linesSinceClockCheck = 0;
    Clock::time_point m_lastEvents = Clock::now();
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

    LineTaker lines(reader, list, progress);
    DictionaryReader::Progress read;
    while (!read.done) {
        const qsizetype seen = read.ready;
        read = reader.waitBeyond(seen, lines.nextEvents());
        lines.take(read.ready);
        if (!read.done && Clock::now() >= lines.nextEvents())
            lines.runEventsNow();
    }
    // A file that failed half way adds nothing, as one that cannot be read at all.
    try {
        reader.throwIfFailed();
    } catch (...) {
        list.truncate(countBefore);
        throw;
    }
}
