// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/Decoder.h"

#include "shared/CrLfLines.h"
#include "shared/ScrambledText.h"
#include "words/WordList.h"

#include <QElapsedTimer>

namespace {

constexpr qsizetype progressThreshold = 40;
// Events run about this often; running them after every line would cost more than the load itself.
constexpr qint64 eventIntervalMs = 15;
// Lines between two looks at the clock.
constexpr int linesPerClockCheck = 64;

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
    const QString t = ReadScrambledText(fileName);

    const FinishOnExit finish(progress);
    progress.setMaximum(t.size());
    // Into an empty list the lines go without a copy; otherwise the buffer grows once.
    if (list.count() == 0)
        list.shareText(t);
    else
        list.reserve(t.size());

    QElapsedTimer sinceEvents;
    sinceEvents.start();
    int linesSinceClockCheck = 0;
    CrLfLines lines(t);
    while (lines.next()) {
        list.append(lines.line());
        const bool showNow = list.count() == progressThreshold;
        if (showNow)
            progress.showProgress();
        bool runEvents = showNow;
        if (++linesSinceClockCheck == linesPerClockCheck) {
            linesSinceClockCheck = 0;
            runEvents = runEvents || sinceEvents.hasExpired(eventIntervalMs);
        }
        if (runEvents) {
            // What was consumed before this line, so the percentage stays below 100 %.
            progress.setPosition(lines.consumed());
            progress.processEvents();
            sinceEvents.restart();
        }
    }
}
