// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/DictionaryReader.h"

#include "platform/Failure.h"
#include "shared/ScrambledText.h"

#include <QFile>

#include <algorithm>
#include <cstring>

namespace {

// The first piece is small, so that the first lines come at once; the rest are large enough that the
// reader seldom wakes the loader.
constexpr qint64 firstPiece = 16 * 1024;
constexpr qint64 laterPiece = 512 * 1024;

} // namespace

DictionaryReader::DictionaryReader(const QString& fileName) : m_fileName(fileName) {
    // The file object stays with this thread; the reading thread only reads through it.
    m_file = std::make_unique<QFile>(fileName);
    if (!m_file->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        m_found.done = true;
        return;
    }
    m_opened = true;
    m_expected = qsizetype(std::max<qint64>(m_file->size(), 0));
    m_buffer.resize(m_expected);
    m_data = m_buffer.data();
    m_lines.shareText(m_buffer);
    m_thread = std::thread([this] {
        QFile& f = *m_file;
        FirstLineState state;
        qsizetype written = 0;
        qsizetype scanned = 0;
        qsizetype lineStart = 0;
        qsizetype lastLineStart = 0;
        qint64 read = 0;
        qint64 piece = firstPiece;
        // A file that grew since it was opened is read as far as it was long then. The last piece
        // comes with the news that the text is whole.
        for (;;) {
            {
                const std::lock_guard lock(m_mutex);
                if (m_stop)
                    break;
            }
            const qint64 got = f.read(m_data + written, std::min<qint64>(piece, m_expected - read));
            if (got < 0) {
                const std::lock_guard lock(m_mutex);
                m_readError = f.errorString();
                break;
            }
            read += got;
            written += unscramblePiece(m_data + written, qsizetype(got), state);
            // Every CR LF in what came; a CR on the last byte is looked at again with the next piece,
            // and a lone CR belongs to its line.
            while (scanned < written) {
                const auto* cr =
                    static_cast<const char*>(std::memchr(m_data + scanned, '\r', size_t(written - scanned)));
                const qsizetype at = cr ? cr - m_data : written;
                if (at + 1 >= written) {
                    scanned = at;
                    break;
                }
                scanned = at + 1;
                if (m_data[at + 1] != '\n')
                    continue;
                try {
                    m_lines.appendBytes(QByteArrayView(m_data + lineStart, at - lineStart));
                } catch (...) {
                    // A list over 4 GiB: the loader reports it, as any failure of the reading.
                    const std::lock_guard lock(m_mutex);
                    m_fault = std::current_exception();
                    break;
                }
                if (m_lines.count() <= FirstLines) {
                    const std::lock_guard lock(m_mutex);
                    m_found.firstEnds.push_back(at);
                }
                lastLineStart = lineStart;
                lineStart = scanned = at + 2;
            }
            if (got == 0 || state.ended || read >= m_expected || m_fault)
                break;
            publish(lastLineStart, false);
            piece = laterPiece;
        }
        publish(lastLineStart, true);
    });
}

DictionaryReader::~DictionaryReader() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    if (m_thread.joinable())
        m_thread.join();
}

void DictionaryReader::publish(qsizetype lastLineStart, bool done) {
    {
        const std::lock_guard lock(m_mutex);
        m_found.lines = m_lines.count();
        m_found.lastLineStart = lastLineStart;
        m_found.done = done;
    }
    m_changed.notify_all();
}

DictionaryReader::Found DictionaryReader::waitBeyond(qsizetype seenLines,
                                                     std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(m_mutex);
    m_changed.wait_until(lock, deadline, [&] { return m_found.done || m_found.lines > seenLines; });
    return m_found;
}

WordList DictionaryReader::takeLines() {
    if (m_thread.joinable())
        m_thread.join();
    return std::move(m_lines);
}

void DictionaryReader::throwIfUnopened() const {
    if (!m_opened)
        throw Failure(QStringLiteral("Cannot open file \"%1\". %2").arg(m_fileName, m_file->errorString()));
}

void DictionaryReader::throwIfFailed() const {
    // Called once the reading is over, so the thread no longer writes these.
    if (m_fault)
        std::rethrow_exception(m_fault);
    if (!m_readError.isEmpty())
        throw Failure(QStringLiteral("Cannot read file \"%1\". %2").arg(m_fileName, m_readError));
}
