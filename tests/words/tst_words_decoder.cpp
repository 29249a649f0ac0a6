// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestHelpers.h"
#include "platform/Failure.h"
#include "words/CrLfLines.h"
#include "words/Decoder.h"
#include "words/ScrambledText.h"
#include "words/TfrmOpenSlovar.h"
#include "words/WordList.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

QStringList itemsOf(const WordList& list) {
    QStringList items;
    for (qsizetype i = 0; i < list.count(); ++i)
        items.append(list.at(i).toString());
    return items;
}

QStringList numberedLines(int count, const QString& stem = QStringLiteral("слово%1|word%1")) {
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(stem.arg(i, 5, 10, QLatin1Char('0')));
    return lines;
}

TfrmOpenSlovar* livingWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<TfrmOpenSlovar*>(widget))
            return window;
    return nullptr;
}

// Watches the progress windows of one load: when they appear and what their label shows whenever
// pending events run.
class LoadWatcher : public QObject {
public:
    explicit LoadWatcher(const WordList& list) : m_list(list) {
        qApp->installEventFilter(this);
        m_ticker.setInterval(0);
        QObject::connect(&m_ticker, &QTimer::timeout, this, [this] {
            ++ticks;
            if (TfrmOpenSlovar* window = livingWindow(); window && window->isVisible())
                labels.append(window->lblPersent->text());
        });
        m_ticker.start();
    }
    ~LoadWatcher() override { qApp->removeEventFilter(this); }

    int shows = 0;
    qsizetype countAtFirstShow = -1;
    QPointer<TfrmOpenSlovar> window;
    QStringList labels;
    int ticks = 0;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* shown = qobject_cast<TfrmOpenSlovar*>(object)) {
                if (shows++ == 0)
                    countAtFirstShow = m_list.count();
                window = shown;
            }
        }
        return false;
    }

private:
    const WordList& m_list;
    QTimer m_ticker;
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
        const QString source = QStringLiteral("a|b\r\n\r\nc|d\r\ntail");
        WordList list;
        list.shareText(source);
        QCOMPARE(list.count(), 0);
        QCOMPARE(list.text(), QString());
        CrLfLines lines(source);
        QVERIFY(lines.next());
        const QStringView first = lines.line();
        QVERIFY(lines.next());
        list.append(lines.line()); // out of order: copied
        list.append(first);
        QCOMPARE(itemsOf(list), (QStringList{"", "a|b"}));
        list.clear();

        list.shareText(source);
        CrLfLines again(source);
        while (again.next())
            list.append(again.line());
        QCOMPARE(itemsOf(list), (QStringList{"a|b", "", "c|d"}));
        QCOMPARE(list.text(), QStringLiteral("a|b\r\n\r\nc|d\r\n"));
        list.append(u"e|f");
        QCOMPARE(list.text(), QStringLiteral("a|b\r\n\r\nc|d\r\ne|f\r\n"));
        QCOMPARE(source, QStringLiteral("a|b\r\n\r\nc|d\r\ntail"));
        list.shareText(QStringLiteral("x\r\n")); // ignored: the list holds items
        QCOMPARE(list.count(), 4);
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
        LoadWatcher watcher(list);
        Decoder(m_path, list);
        QCOMPARE(itemsOf(list), QStringList{"old|старое"} + items);
        QCOMPARE(watcher.shows, 0);
        QVERIFY(!livingWindow());
    }

    void missingFileThrowsBeforeAnyWindow() {
        WordList list;
        list.append(u"a|b");
        LoadWatcher watcher(list);
        const QString missing = m_folder->filePath(QStringLiteral("User.txt"));
        const QString message = failureOf([&] { Decoder(missing, list); });
        QVERIFY2(message.contains(u'"' + missing + u'"'), qPrintable(message));
        QCOMPARE(itemsOf(list), QStringList{"a|b"});
        QCOMPARE(watcher.shows, 0);
    }

    void windowShowsWhenTheListReaches40() {
        const QStringList lines = numberedLines(100);
        WriteScrambledText(m_path, listText(lines), WriteMode::Replace);
        WordList list;
        LoadWatcher watcher(list);
        Decoder(m_path, list);

        QCOMPARE(itemsOf(list), lines);
        QCOMPARE(watcher.shows, 1);
        QCOMPARE(watcher.countAtFirstShow, 40);
        QVERIFY(watcher.window.isNull());
        QVERIFY(!livingWindow());
        // Events first run right after the 40th line, when 39 of 100 equal lines were consumed.
        QVERIFY(!watcher.labels.isEmpty());
        QCOMPARE(watcher.labels.first(), QStringLiteral("Загружено 39 %"));
        for (const QString& label : std::as_const(watcher.labels)) {
            QVERIFY(label.startsWith(QStringLiteral("Загружено ")) && label.endsWith(QStringLiteral(" %")));
            QVERIFY2(label.sliced(10).chopped(2).toInt() < 100, qPrintable(label));
        }
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
        LoadWatcher watcher(list);
        Decoder(m_path, list);
        QCOMPARE(list.count(), before + lines);
        QCOMPARE(watcher.shows, shown ? 1 : 0);
        QVERIFY(!livingWindow());
    }

    void longDictionaryKeepsEventsRunning() {
        const QStringList lines = numberedLines(46000);
        WriteScrambledText(m_path, listText(lines), WriteMode::Replace);
        WordList list;
        LoadWatcher watcher(list);
        Decoder(m_path, list);
        QCOMPARE(list.count(), 46000);
        QCOMPARE(list.at(45999), lines.last());
        QCOMPARE(watcher.shows, 1);
        QVERIFY(watcher.ticks > 0);
        QVERIFY(!livingWindow());
    }

    void showPercent_data() {
        QTest::addColumn<qint64>("maximum");
        QTest::addColumn<qint64>("position");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("barMaximum");
        QTest::addRow("start") << qint64(250) << qint64(0) << "Загружено 0 %" << 250;
        QTest::addRow("truncates") << qint64(3) << qint64(2) << "Загружено 66 %" << 3;
        QTest::addRow("whole") << qint64(7) << qint64(7) << "Загружено 100 %" << 7;
        QTest::addRow("no overflow") << qint64(2000000000) << qint64(1999999999) << "Загружено 99 %"
                                     << 2000000000;
        QTest::addRow("longer than the bar")
            << qint64(5000000000) << qint64(4999999999) << "Загружено 99 %" << int(5000000000 >> 2);
    }
    void showPercent() {
        QFETCH(qint64, maximum);
        QFETCH(qint64, position);
        QFETCH(QString, label);
        QFETCH(int, barMaximum);
        TfrmOpenSlovar form;
        form.setMaximum(maximum);
        form.setPosition(position);
        form.ShowPercent();
        QCOMPARE(form.lblPersent->text(), label);
        QCOMPARE(form.ProgBar->maximum(), barMaximum);
        QVERIFY(form.ProgBar->value() <= form.ProgBar->maximum());
    }

    void userCannotCloseIt() {
        TfrmOpenSlovar form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        int key = Qt::Key_F4;
        form.FormKeyDown(key, Qt::AltModifier);
        QCOMPARE(key, 0);
        key = Qt::Key_F4;
        form.FormKeyDown(key, Qt::NoModifier);
        QCOMPARE(key, int(Qt::Key_F4));

        QTest::keyClick(&form, Qt::Key_F4, Qt::AltModifier);
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.close());
        QVERIFY(form.isVisible());

        form.finishLoading();
        QVERIFY(form.close());
        QVERIFY(!form.isVisible());
    }

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_path;
};

QTEST_MAIN(tst_words_decoder)
#include "tst_words_decoder.moc"
