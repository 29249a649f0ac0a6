// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestHelpers.h"
#include "shared/ScrambledText.h"
#include "words/LoadDictionary.h"
#include "words/TfrmOpenSlovar.h"
#include "words/WordList.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Lines of one length, so that the percentages are those of the line count.
QStringList equalLines(int count) {
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(QStringLiteral("слово%1|word%1").arg(i, 5, 10, QLatin1Char('0')));
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
                labels.append(control<QLabel>(*window, "lblPersent")->text());
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

class tst_words_progresswindow : public QObject {
    Q_OBJECT

private slots:
    void loadShowsTheWindowOnlyWhileLong_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("shows");
        QTest::addRow("short") << 39 << 0;
        QTest::addRow("long") << 100 << 1;
    }
    void loadShowsTheWindowOnlyWhileLong() {
        QFETCH(int, lines);
        QFETCH(int, shows);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("main.txt"));
        WriteScrambledText(path, listText(equalLines(lines)), WriteMode::Replace);
        WordList list;
        LoadWatcher watcher(list);
        loadDictionary(path, list);

        QCOMPARE(list.count(), lines);
        QCOMPARE(watcher.shows, shows);
        QVERIFY(watcher.window.isNull());
        QVERIFY(!livingWindow());
        if (shows == 0)
            return;
        QCOMPARE(watcher.countAtFirstShow, 40);
        // Events first run right after the 40th line, when 39 of 100 equal lines were consumed.
        QVERIFY(!watcher.labels.isEmpty());
        QCOMPARE(watcher.labels.first(), QStringLiteral("Загружено 39 %"));
        for (const QString& label : std::as_const(watcher.labels))
            QVERIFY2(label.sliced(10).chopped(2).toInt() < 100, qPrintable(label));
    }

    void missingFileShowsNoWindow() {
        QTemporaryDir folder;
        const QString missing = folder.filePath(QStringLiteral("User.txt"));
        WordList list;
        LoadWatcher watcher(list);
        QVERIFY(failureOf([&] { loadDictionary(missing, list); }).contains(missing));
        QCOMPARE(watcher.shows, 0);
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
        QCOMPARE(control<QLabel>(form, "lblPersent")->text(), label);
        QCOMPARE(control<QProgressBar>(form, "ProgBar")->maximum(), barMaximum);
        QVERIFY(control<QProgressBar>(form, "ProgBar")->value() <=
                control<QProgressBar>(form, "ProgBar")->maximum());
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

        form.finish();
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(tst_words_progresswindow)
#include "tst_words_progresswindow.moc"
