// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestHelpers.h"
#include "platform/Failure.h"
#include "shared/CrLfLines.h"
#include "shared/ScrambledText.h"
#include "words/Decoder.h"
#include "words/WordList.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QStringList numberedLines(int count, const QString& stem = QStringLiteral("слово%1|word%1")) {
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(stem.arg(i, 5, 10, QLatin1Char('0')));
    return lines;
}

// Stands in for the progress window and records what the load told it.
struct RecordingProgress : LoadProgress {
    explicit RecordingProgress(const WordList& list) : list(list) {}

    const WordList& list;
    qint64 maximum = -1;
    int shows = 0;
    qsizetype countAtShow = -1;
    QList<qint64> positions;
    int eventRuns = 0;
    int finishes = 0;
    int callsAfterFinish = 0;
    bool failInEvents = false;

    void setMaximum(qint64 value) override {
        callsAfterFinish += finishes;
        maximum = value;
    }
    void showProgress() override {
        callsAfterFinish += finishes;
        if (shows++ == 0)
            countAtShow = list.count();
    }
    // Positions and event runs as the player sees them: from the show on. Before it, a reader kept
    // waiting by a busy machine may run events at the start of the text.
    void setPosition(qint64 position) override {
        callsAfterFinish += finishes;
        if (shows > 0)
            positions.append(position);
    }
    void processEvents() override {
        callsAfterFinish += finishes;
        if (shows == 0)
            return;
        ++eventRuns;
        if (failInEvents)
            throw Failure(QStringLiteral("stopped"));
    }
    void finish() override { ++finishes; }
};

} // namespace

class tst_words_decoder : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
        m_path = m_folder->filePath(QStringLiteral("main.txt"));
    }

    void wordList() {
        WordList list;
        QCOMPARE(list.count(), 0);
        QCOMPARE(list.text(), QString());
        list.append(u"кот|cat");
        list.append(u"");
        list.append(u"no separator");
        list.append(u"кот|cat");
        QCOMPARE(itemsOf(list), (QStringList{"кот|cat", "", "no separator", "кот|cat"}));
        QCOMPARE(list.text(), QStringLiteral("кот|cat\r\n\r\nno separator\r\nкот|cat\r\n"));
        // An item of the list itself may be added again, also when the buffer has to grow.
        for (int i = 0; i < 200; ++i)
            list.append(list.at(list.count() - 1));
        QCOMPARE(list.at(list.count() - 1), u"кот|cat");
        list.clear();
        QCOMPARE(list.count(), 0);
        QCOMPARE(list.text(), QString());
    }

    void wordListSharingAText() {
        const QByteArray source = "a|b\r\n\r\nc|d\r\ntail";
        const QByteArrayView text(source);
        WordList list;
        list.shareText(source);
        QCOMPARE(list.count(), 0);
        QCOMPARE(list.text(), QString());
        list.appendBytes(text.sliced(5, 0)); // out of order: copied
        list.appendBytes(text.first(3));
        QCOMPARE(itemsOf(list), (QStringList{"", "a|b"}));
        list.clear();

        list.shareText(source);
        list.appendBytes(text.first(3));
        list.appendBytes(text.sliced(5, 0));
        list.appendBytes(text.sliced(7, 3));
        QCOMPARE(itemsOf(list), (QStringList{"a|b", "", "c|d"}));
        QCOMPARE(list.bytes().data(), source.constData()); // nothing was copied
        QCOMPARE(list.text(), QStringLiteral("a|b\r\n\r\nc|d\r\n"));
        list.append(u"e|f");
        QCOMPARE(list.text(), QStringLiteral("a|b\r\n\r\nc|d\r\ne|f\r\n"));
        QCOMPARE(source, QByteArray("a|b\r\n\r\nc|d\r\ntail"));
        list.shareText("x\r\n"); // ignored: the list holds items
        QCOMPARE(list.count(), 4);
        list.truncate(1);
        QCOMPARE(list.text(), QStringLiteral("a|b\r\n"));
        list.append(u"g");
        QCOMPARE(itemsOf(list), (QStringList{"a|b", "g"}));
    }

    void items_data() {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QStringList>("items");
        QTest::addRow("last line without break is dropped") << "a|b\r\nc|d" << QStringList{"a|b"};
        QTest::addRow("empty line") << "a|b\r\n\r\n" << QStringList{"a|b", ""};
        QTest::addRow("empty file") << "" << QStringList{};
        QTest::addRow("no CR LF at all") << "a|b" << QStringList{};
        QTest::addRow("line without separator") << "просто слово\r\n" << QStringList{"просто слово"};
        QTest::addRow("lone CR and LF stay in the line") << "a\rb\nc\r\n\r\r\n"
                                                         << QStringList{"a\rb\nc", "\r"};
        QTest::addRow("duplicates") << "x|y\r\nx|y\r\n" << QStringList{"x|y", "x|y"};
    }
    void items() {
        QFETCH(QString, plain);
        QFETCH(QStringList, items);
        WriteScrambledText(m_path, plain, WriteMode::Replace);
        WordList list;
        list.append(u"old|старое");
        RecordingProgress progress(list);
        Decoder(m_path, list, progress);
        QCOMPARE(itemsOf(list), QStringList{"old|старое"} + items);
        QCOMPARE(progress.maximum, plain.size());
        QCOMPARE(progress.shows, 0);
        QCOMPARE(progress.finishes, 1);
        QCOMPARE(progress.callsAfterFinish, 0);
    }

    // The reader takes the file in pieces on its own thread; a line break byte where one piece ends
    // and the next begins ends the text as the whole-file reading does.
    void firstLineAcrossThePieces_data() {
        QTest::addColumn<QByteArray>("breakBytes");
        QTest::addColumn<int>("at");
        QTest::addRow("CR LF across the first pieces") << QByteArray("\r\n") << 16 * 1024 - 1;
        QTest::addRow("lone CR at a piece's end") << QByteArray("\r") << 16 * 1024 - 1;
        QTest::addRow("lone CR at a piece's start") << QByteArray("\r") << 16 * 1024;
        QTest::addRow("LF at a later piece's start") << QByteArray("\n") << 16 * 1024 + 512 * 1024;
        QTest::addRow("end-of-file byte") << QByteArray("\x1a") << 100000;
        QTest::addRow("no break") << QByteArray() << 0;
    }
    void firstLineAcrossThePieces() {
        QFETCH(QByteArray, breakBytes);
        QFETCH(int, at);
        WriteScrambledText(m_path, listText(numberedLines(30000)), WriteMode::Replace);
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray raw = file.readAll();
        raw.insert(at, breakBytes);
        QVERIFY(file.seek(0));
        QCOMPARE(file.write(raw), raw.size());
        file.close();

        QStringList expected;
        const QString text = ReadScrambledText(m_path);
        for (qsizetype start = 0, end; (end = text.indexOf(u"\r\n", start)) >= 0; start = end + 2)
            expected.append(text.sliced(start, end - start));
        WordList list;
        RecordingProgress progress(list);
        Decoder(m_path, list, progress);
        QCOMPARE(itemsOf(list), expected);
        QCOMPARE(list.text(), text.left(text.lastIndexOf(u"\r\n") + 2));
    }

    void missingFileThrowsBeforeAnyProgress() {
        WordList list;
        list.append(u"a|b");
        RecordingProgress progress(list);
        const QString missing = m_folder->filePath(QStringLiteral("User.txt"));
        const QString message = failureOf([&] { Decoder(missing, list, progress); });
        QVERIFY2(message.contains(u'"' + missing + u'"'), qPrintable(message));
        QCOMPARE(itemsOf(list), QStringList{"a|b"});
        QCOMPARE(progress.maximum, -1);
        QCOMPARE(progress.shows, 0);
        QCOMPARE(progress.finishes, 0);
    }

    void progressShowsWhenTheListReaches40() {
        const QStringList lines = numberedLines(100);
        const QString text = listText(lines);
        WriteScrambledText(m_path, text, WriteMode::Replace);
        WordList list;
        RecordingProgress progress(list);
        Decoder(m_path, list, progress);

        QCOMPARE(itemsOf(list), lines);
        QCOMPARE(progress.maximum, text.size());
        QCOMPARE(progress.shows, 1);
        QCOMPARE(progress.countAtShow, 40);
        QVERIFY(progress.eventRuns >= 1);
        // Right after the 40th line, 39 of the 100 equal lines were consumed: the bar stands below
        // its end then and ever after.
        QVERIFY(!progress.positions.isEmpty());
        QCOMPARE(progress.positions.first(), 39 * (text.size() / 100));
        for (const qint64 position : std::as_const(progress.positions))
            QVERIFY(position < progress.maximum);
        QCOMPARE(progress.finishes, 1);
        QCOMPARE(progress.callsAfterFinish, 0);
    }

    void failureDuringTheLoadStillFinishes() {
        WriteScrambledText(m_path, listText(numberedLines(100)), WriteMode::Replace);
        WordList list;
        RecordingProgress progress(list);
        progress.failInEvents = true;
        QCOMPARE(failureOf([&] { Decoder(m_path, list, progress); }), QStringLiteral("stopped"));
        QCOMPARE(progress.finishes, 1);
        QCOMPARE(list.count(), 40); // what was loaded before stays
    }

    void windowOnlyWhenTheCountPassesThrough40_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("shown");
        QTest::addRow("39 lines") << 0 << 39 << false;
        QTest::addRow("40 lines") << 0 << 40 << true;
        QTest::addRow("39 held, 1 line") << 39 << 1 << true;
        QTest::addRow("40 held") << 40 << 100 << false;
        QTest::addRow("500 held") << 500 << 5 << false;
    }
    void windowOnlyWhenTheCountPassesThrough40() {
        QFETCH(int, before);
        QFETCH(int, lines);
        QFETCH(bool, shown);
        WriteScrambledText(m_path, listText(numberedLines(lines)), WriteMode::Replace);
        WordList list;
        for (const QString& line : numberedLines(before, QStringLiteral("стандарт%1|standard%1")))
            list.append(line);
        RecordingProgress progress(list);
        Decoder(m_path, list, progress);
        QCOMPARE(list.count(), before + lines);
        QCOMPARE(progress.shows, shown ? 1 : 0);
        QCOMPARE(progress.finishes, 1);
    }

    void longDictionaryKeepsEventsRunning() {
        const QStringList lines = numberedLines(46000);
        WriteScrambledText(m_path, listText(lines), WriteMode::Replace);
        WordList list;
        RecordingProgress progress(list);
        Decoder(m_path, list, progress);
        QCOMPARE(list.count(), 46000);
        QCOMPARE(list.at(45999), lines.last());
        QCOMPARE(progress.shows, 1);
        QCOMPARE(progress.eventRuns, progress.positions.size());
        // A wait for the reader runs events at the same place again.
        for (qsizetype i = 1; i < progress.positions.size(); ++i)
            QVERIFY(progress.positions[i - 1] <= progress.positions[i]);
        QVERIFY(progress.positions.last() < progress.maximum);
    }

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_path;
};

QTEST_GUILESS_MAIN(tst_words_decoder)
#include "tst_words_decoder.moc"
