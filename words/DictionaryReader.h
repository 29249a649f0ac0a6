// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include "words/WordList.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class QFile;

// Reads a dictionary file, unscrambles it and finds its lines on a thread of its own, piece by piece,
// so that the reading can begin before the windows are built and the loader has only to take the list.
// The text is what ReadScrambledBytes gives: the file's first line, unscrambled.
class DictionaryReader {
public:
    // Opens the file and starts reading; a file that cannot be opened is reported by throwIfUnopened.
    explicit DictionaryReader(const QString& fileName);
    // Stops the reading if it still runs.
    ~DictionaryReader();
    DictionaryReader(const DictionaryReader&) = delete;
    DictionaryReader& operator=(const DictionaryReader&) = delete;

    const QString& fileName() const { return m_fileName; }
    // Throws Failure naming the file when it could not be opened.
    void throwIfUnopened() const;
    // The file's size when it was opened: the text's length, unless the first line ends early.
    qsizetype expectedSize() const { return m_expected; }
    // Where the text goes: its first ready() bytes are final and do not move.
    const QByteArray& buffer() const { return m_buffer; }

    // The lines found so far. The list itself is handed over at the end; the first lines' ends come
    // before, so that a load can show them one by one.
    struct Found {
        qsizetype lines = 0;
        qsizetype lastLineStart = 0;      // where the last line found begins
        std::vector<qsizetype> firstEnds; // where the first FirstLines lines end (their CR LF)
        bool done = false;
    };
    static constexpr qsizetype FirstLines = 40;
    // Waits until more than `seenLines` lines are found or the reading is over, but not past the deadline.
    Found waitBeyond(qsizetype seenLines, std::chrono::steady_clock::time_point deadline);
    // Once the reading is over: every line whose CR LF came, in order; text after the last CR LF makes
    // no line. The list shares buffer().
    WordList takeLines();
    // Throws Failure naming the file when the reading failed after the file was opened.
    void throwIfFailed() const;

private:
    void publish(qsizetype lastLineStart, bool done);

    QString m_fileName;
    std::unique_ptr<QFile> m_file;
    bool m_opened = false;
    qsizetype m_expected = 0;
    QByteArray m_buffer;
    char* m_data = nullptr; // taken while the buffer was not shared, so writing never copies it

    std::mutex m_mutex;
    std::condition_variable m_changed;
    WordList m_lines; // written by the reading thread until it is over
    Found m_found;
    QString m_readError;
    std::exception_ptr m_fault;
    bool m_stop = false;
    std::thread m_thread;
};
