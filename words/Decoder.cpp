// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/Decoder.h"

#include "words/CrLfLines.h"
#include "words/ScrambledText.h"
#include "words/TfrmOpenSlovar.h"
#include "words/WordList.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <memory>

namespace {

constexpr qsizetype windowThreshold = 40;
// Events run about this often; running them after every line would cost more than the load itself.
constexpr qint64 eventIntervalMs = 15;
// Lines between two looks at the clock.
constexpr int linesPerClockCheck = 64;

struct CloseWindow {
    void operator()(TfrmOpenSlovar* window) const {
        window->finishLoading();
        window->close();
        delete window;
    }
};

} // namespace

void Decoder(const QString& fileName, WordList& list) {
    const QString t = ReadScrambledText(fileName);

    const std::unique_ptr<TfrmOpenSlovar, CloseWindow> window(new TfrmOpenSlovar);
    window->setMaximum(t.size());
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
        const bool showNow = list.count() == windowThreshold;
        if (showNow)
            window->show();
        bool runEvents = showNow;
        if (++linesSinceClockCheck == linesPerClockCheck) {
            linesSinceClockCheck = 0;
            runEvents = runEvents || sinceEvents.hasExpired(eventIntervalMs);
        }
        if (runEvents) {
            // The bar shows what was consumed before this line, so the label stays below 100 %.
            window->setPosition(lines.consumed());
            window->ShowPercent();
            QCoreApplication::processEvents();
            sinceEvents.restart();
        }
    }
}
