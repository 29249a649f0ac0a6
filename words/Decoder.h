// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class DictionaryReader;
class WordList;

// What a dictionary load shows while it runs: the progress window, or whatever a test puts in its place.
class LoadProgress {
public:
    virtual ~LoadProgress() = default;
    // The length of the text to load, in characters; comes once, before the first line.
    virtual void setMaximum(qint64 maximum) = 0;
    // The list has just reached 40 items: from now on the load is to be seen.
    virtual void showProgress() = 0;
    // The characters consumed before the current line, and the percentage that follows from them.
    virtual void setPosition(qint64 position) = 0;
    // Lets pending events run, so that the program stays responsive.
    virtual void processEvents() = 0;
    // The load is over, whether it ended or failed.
    virtual void finish() = 0;
};

// Adds the lines of a dictionary file to the list, after what it holds; text after the last CR LF is
// not added. When the list reaches 40 items during the load, the progress is shown until the end, and
// pending events run now and then. A file that cannot be read throws before the progress hears of it
// and before anything changes.
void Decoder(const QString& fileName, WordList& list, LoadProgress& progress);
// The same from a reader that may have begun before.
void Decoder(DictionaryReader& reader, WordList& list, LoadProgress& progress);
