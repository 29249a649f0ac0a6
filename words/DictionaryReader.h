// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

class QFile;

// Reads a dictionary file and unscrambles it on a thread of its own, piece by piece, so that its lines
// can be taken while the rest is still coming in, and the reading can begin before the windows are built.
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

    struct Progress {
        qsizetype ready = 0;
        bool done = false;
    };
    // Waits until more than `seen` bytes are ready or the reading is over, but not past the deadline.
    Progress waitBeyond(qsizetype seen, std::chrono::steady_clock::time_point deadline);
    // Throws Failure naming the file when the reading failed after the file was opened.
    void throwIfFailed() const;

private:
    void run();
    void publish(qsizetype ready, bool done);

    QString m_fileName;
    std::unique_ptr<QFile> m_file;
    bool m_opened = false;
    qsizetype m_expected = 0;
    QByteArray m_buffer;
    char* m_data = nullptr; // taken while the buffer was not shared, so writing never copies it

    std::mutex m_mutex;
    std::condition_variable m_changed;
    Progress m_progress;
    QString m_readError;
    bool m_stop = false;
    std::thread m_thread;
};
