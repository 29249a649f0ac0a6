// SPDX-License-Identifier: GPL-3.0-or-later
// The scrambled text reader with its first-line rule, the dictionary load into a word list, and the
// writer's round trip, against plain reference rules.
#include "FuzzCheck.h"
#include "platform/TextCodec.h"
#include "shared/ScrambledText.h"
#include "words/Decoder.h"
#include "words/UserDictionary.h"
#include "words/WordList.h"

#include <QStringList>

namespace {

// The first line: up to the first LF, CR LF or 0x1A; a CR on its own is left out.
QByteArray firstLine(const QByteArray& bytes) {
    QByteArray line;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char b = bytes[i];
        if (b == '\n' || b == '\x1A')
            break;
        if (b == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                break;
            continue;
        }
        line += b;
    }
    return line;
}

QByteArray xored(QByteArray bytes) {
    for (char& b : bytes)
        b = char(b ^ 0x19);
    return bytes;
}

// The lines ended by CR LF; what follows the last one is no line.
QStringList crLfLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype end; (end = text.indexOf(QLatin1String("\r\n"), start)) >= 0; start = end + 2)
        lines.append(text.mid(start, end - start));
    return lines;
}

class CheckedProgress : public LoadProgress {
public:
    explicit CheckedProgress(const WordList& list) : m_list(list), m_countBefore(list.count()) {}

    void setMaximum(qint64 maximum) override {
        FUZZ_CHECK(!m_maximumSet && !m_finished);
        m_maximumSet = true;
        m_maximum = maximum;
    }
    void showProgress() override {
        FUZZ_CHECK(m_maximumSet && !m_shown && !m_finished);
        FUZZ_CHECK(m_list.count() == 40);
        m_shown = true;
    }
    void setPosition(qint64 position) override {
        FUZZ_CHECK(m_maximumSet && !m_finished);
        FUZZ_CHECK(position >= m_position && position < m_maximum);
        m_position = position;
    }
    void processEvents() override { FUZZ_CHECK(m_maximumSet && !m_finished); }
    void finish() override {
        FUZZ_CHECK(m_maximumSet && !m_finished);
        m_finished = true;
    }

    // Shown exactly when the count passed through 40 during the load.
    void checkEnd() const {
        FUZZ_CHECK(m_finished);
        FUZZ_CHECK(m_shown == (m_countBefore < 40 && m_list.count() >= 40));
    }

private:
    const WordList& m_list;
    qsizetype m_countBefore;
    bool m_maximumSet = false;
    bool m_shown = false;
    bool m_finished = false;
    qint64 m_maximum = 0;
    qint64 m_position = 0;
};

void load(const QString& path, WordList& list) {
    CheckedProgress progress(list);
    Decoder(path, list, progress);
    progress.checkEnd();
}

void checkItems(const WordList& list, const QStringList& expected) {
    FUZZ_CHECK(list.count() == expected.size());
    QString text;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        FUZZ_CHECK(list.at(i) == expected[i]);
        text += expected[i] + QLatin1String("\r\n");
    }
    FUZZ_CHECK(list.text() == text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString path = fuzz::scratchFile("dictionary.txt");
    fuzz::writeFile(path, bytes);

    const QByteArray line = firstLine(bytes);
    const QString text = ReadScrambledText(path);
    FUZZ_CHECK(text == ansi::decode(xored(line)));
    FUZZ_CHECK(Coding(Coding(text)) == text);

    // A fresh load shares the read text; a second load into the same list copies its lines.
    const QStringList lines = crLfLines(text);
    WordList list;
    load(path, list);
    checkItems(list, lines);
    load(path, list);
    checkItems(list, lines + lines);
    // Lines added by hand after a load, as the dictionary editor's list grows.
    list.append(u"extra|line");
    if (list.count() > 1)
        list.append(list.at(0));
    QStringList grown = lines + lines;
    grown.append(QStringLiteral("extra|line"));
    if (grown.size() > 1)
        grown.append(grown[0]);
    checkItems(list, grown);
    list.clear();
    checkItems(list, {});

    // The user dictionary editor's list: every line once, sorted; deleting a line rewrites the others.
    {
        WordList userWords;
        load(path, userWords);
        const WordList sorted = userdictionary::sorted(userWords);
        QStringList sortedLines;
        for (qsizetype i = 0; i < sorted.count(); ++i)
            sortedLines.append(sorted.at(i));
        QStringList a = sortedLines, b = lines;
        a.sort();
        b.sort();
        FUZZ_CHECK(a == b);
        if (!sortedLines.isEmpty()) {
            const qsizetype row = qsizetype(size % std::size_t(sortedLines.size()));
            const QString rewritten = fuzz::scratchFile("User.txt");
            userdictionary::writeWithout(rewritten, sorted, row);
            sortedLines.removeAt(row);
            WordList back;
            load(rewritten, back);
            checkItems(back, sortedLines);
        }
    }

    // What the program writes is the first line alone, and reads back as the same text, also when
    // appended to itself.
    const QString copy = fuzz::scratchFile("copy.txt");
    WriteScrambledText(copy, text, WriteMode::Replace);
    FUZZ_CHECK(fuzz::readFile(copy) == line);
    WriteScrambledText(copy, text, WriteMode::Append);
    FUZZ_CHECK(fuzz::readFile(copy) == line + line);
    FUZZ_CHECK(ReadScrambledText(copy) == text + text);
    return 0;
}
