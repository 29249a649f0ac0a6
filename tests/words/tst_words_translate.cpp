// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestHelpers.h"
#include "platform/ScriptedPlatform.h"
#include "words/TfrmTranslate.h"
#include "words/Translator.h"
#include "words/WordList.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {

const QString NotFound = QStringLiteral("Перевод слова не найден");

} // namespace

class TestTranslate : public QObject {
    Q_OBJECT

private slots:
    void language_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("language");
        QTest::addRow("Latin capital") << "Zebra"
                                       << "EN";
        QTest::addRow("Latin small") << "a"
                                     << "EN";
        QTest::addRow("Cyrillic") << "кот"
                                  << "RU";
        QTest::addRow("digit") << "1st"
                               << "RU";
        QTest::addRow("punctuation") << "-a"
                                     << "RU";
        QTest::addRow("Latin letter with accent") << QString(QChar(0xC4)) << "RU";
    }
    void language() {
        QFETCH(QString, text);
        QFETCH(QString, language);
        QCOMPARE(translator::language(text), language);
    }

    void results_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("expected");
        const QStringList pets = {"кот|cat", "кошка|cat", "собака|dog"};
        QTest::addRow("English side") << pets << "c" << QStringList{"cat  -  кот", "cat  -  кошка"};
        QTest::addRow("last line") << pets << "do" << QStringList{"dog  -  собака"};
        QTest::addRow("Russian side") << pets << "ко" << QStringList{"кот  -  cat", "кошка  -  cat"};
        QTest::addRow("case counts") << pets << "Ко" << QStringList{NotFound};
        QTest::addRow("first line, Russian") << pets << "кот" << QStringList{"кот  -  cat"};
        QTest::addRow("first line, English") << QStringList{"a|x", "b|y"} << "x" << QStringList{"x  -  a"};
        QTest::addRow("digit on the Russian side")
            << QStringList{"1|one", "one|1"} << "1" << QStringList{"1  -  one"};
        QTest::addRow("only the first bar") << QStringList{"а|b|c"} << "а" << QStringList{"а  -  b|c"};
        QTest::addRow("line without bar") << QStringList{"кот"} << "к" << QStringList{"кот"};
        QTest::addRow("empty list") << QStringList() << "к" << QStringList{NotFound};
        QStringList many, firstTen;
        for (int i = 0; i < 12; ++i)
            many.append(QStringLiteral("кот%1|cat").arg(i));
        for (int i = 0; i < 10; ++i)
            firstTen.append(QStringLiteral("кот%1  -  cat").arg(i));
        QTest::addRow("ten at most") << many << "кот" << firstTen;
        QStringList descending, firstTenDescending;
        for (int i = 11; i >= 0; --i)
            descending.append(QStringLiteral("р|t%1").arg(i));
        for (int i = 11; i >= 2; --i)
            firstTenDescending.append(QStringLiteral("t%1  -  р").arg(i));
        QTest::addRow("first ten in list order, not in word order")
            << descending << "t" << firstTenDescending;
        QTest::addRow("other cases among the matches")
            << QStringList{"а|Cat", "б|cat", "в|CAT", "г|cab", "д|ca", "е|cb", "ж|c"} << "ca"
            << QStringList{"cat  -  б", "cab  -  г", "ca  -  д"};
        QTest::addRow("Cyrillic capitals and ё")
            << QStringList{"яблоко|apple", "Яблоко|Apple", "ёж|x", "Ёлка|y"} << "Я"
            << QStringList{"Яблоко  -  Apple"};
        QTest::addRow("ё") << QStringList{"яблоко|apple", "ёж|x", "Ёлка|y"} << "ё" << QStringList{"ёж  -  x"};
        QTest::addRow("bar in the word")
            << QStringList{"кот|cat", "кот|dog"} << "кот|d" << QStringList{"кот  -  dog"};
        // Keys alike in their first eight or twelve letters are ordered by the rest.
        QStringList alike;
        for (const char* ending : {"", "e", "ional", "ionalist", "ionalization", "IONALLY", "ive", "s", "ure",
                                   "a", "z", "ioz", "ioa", "ionalism", "ionalise"})
            for (const char* russian : {"а", "б"})
                alike.append(QString::fromUtf8(russian) + QStringLiteral("|internat") +
                             QLatin1String(ending));
        QTest::addRow("alike for twelve letters")
            << alike << "internationalis"
            << QStringList{"internationalist  -  а", "internationalist  -  б", "internationalism  -  а",
                           "internationalism  -  б", "internationalise  -  а", "internationalise  -  б"};
        QTest::addRow("alike for eight letters, then not")
            << alike << "internate" << QStringList{"internate  -  а", "internate  -  б"};
        QTest::addRow("alike for eight letters")
            << alike << "internationa"
            << QStringList{"international  -  а",        "international  -  б",
                           "internationalist  -  а",     "internationalist  -  б",
                           "internationalization  -  а", "internationalization  -  б",
                           "internationalism  -  а",     "internationalism  -  б",
                           "internationalise  -  а",     "internationalise  -  б"};
        QTest::addRow("character outside the code page")
            << QStringList{"?|x"} << QString(QChar(0x4E00)) << QStringList{NotFound};
    }
    void results() {
        QFETCH(QStringList, lines);
        QFETCH(QString, word);
        QFETCH(QStringList, expected);
        const WordList list = listOf(lines);
        QCOMPARE(translator::results(list, word, translator::language(word)), expected);
    }

    void lookupsFollowTheList() {
        WordList list = listOf({"кот|cat"});
        QCOMPARE(translator::results(list, u"d", QStringLiteral("EN")), QStringList{NotFound});
        list.append(u"собака|dog");
        QCOMPARE(translator::results(list, u"d", QStringLiteral("EN")), QStringList{"dog  -  собака"});
        const WordList copy = list;
        list.clear();
        QCOMPARE(translator::results(list, u"d", QStringLiteral("EN")), QStringList{NotFound});
        QCOMPARE(translator::results(copy, u"со", QStringLiteral("RU")), QStringList{"собака  -  dog"});
    }

    void windowFollowsTheField() {
        ScriptedPlatform platform;
        const WordList list = listOf({"кот|cat", "кошка|cat", "собака|dog"});
        TfrmTranslate window(platform, list);
        platform.onModal([&](QDialog&) {
            QCOMPARE(window.windowTitle(), QStringLiteral("Мини переводчик на 3 слов(а)"));
            QTest::keyClick(control<QLineEdit>(window, "Edit1"), Qt::Key_Space);
            QCOMPARE(control<QLineEdit>(window, "Edit1")->text(), QString());
            control<QLineEdit>(window, "Edit1")->insert(QStringLiteral("ко"));
            QCOMPARE(itemsOf(control<QListWidget>(window, "ListBox1")),
                     QStringList({"кот  -  cat", "кошка  -  cat"}));
            QTest::keyClick(control<QLineEdit>(window, "Edit1"), Qt::Key_Home);
            QTest::keyClicks(control<QLineEdit>(window, "Edit1"), QStringLiteral("  "));
            QCOMPARE(control<QLineEdit>(window, "Edit1")->text(), QStringLiteral("ко"));
            QCOMPARE(control<QLineEdit>(window, "Edit1")->cursorPosition(), 0);

            control<QLineEdit>(window, "Edit1")->setText(QStringLiteral("   "));
            QCOMPARE(control<QLineEdit>(window, "Edit1")->text(), QString());
            QCOMPARE(control<QListWidget>(window, "ListBox1")->count(), 0);

            control<QLineEdit>(window, "Edit1")->setText(QStringLiteral("dog  "));
            QCOMPARE(control<QLineEdit>(window, "Edit1")->text(), QStringLiteral("dog  "));
            QCOMPARE(itemsOf(control<QListWidget>(window, "ListBox1")), QStringList{"dog  -  собака"});

            // Text outside the code page is looked up as the "?" it becomes.
            control<QLineEdit>(window, "Edit1")->setText(QStringLiteral("ü"));
            QCOMPARE(itemsOf(control<QListWidget>(window, "ListBox1")), QStringList{NotFound});
        });
        platform.showModal(window);
    }

    void copySelectedLine() {
        ScriptedPlatform platform;
        const WordList list = listOf({"кот|cat", "кошка|cat"});
        TfrmTranslate window(platform, list);
        control<QLineEdit>(window, "Edit1")->setText(QStringLiteral("c"));
        control<QAction>(window, "mnuCopy")->trigger();
        QCOMPARE(platform.clipboard, QString()); // nothing selected yet
        control<QListWidget>(window, "ListBox1")->setCurrentRow(1);
        control<QAction>(window, "mnuCopy")->trigger();
        QCOMPARE(platform.clipboard, QStringLiteral("cat  -  кошка"));
        control<QLineEdit>(window, "Edit1")->setText(QStringLiteral("x"));
        control<QListWidget>(window, "ListBox1")->setCurrentRow(0);
        control<QAction>(window, "mnuCopy")->trigger();
        QCOMPARE(platform.clipboard, NotFound);
    }

    void escapeCloses() {
        ScriptedPlatform platform;
        const WordList list;
        TfrmTranslate window(platform, list);
        bool closed = false;
        platform.onModal([&](QDialog& dialog) {
            QTest::keyClick(control<QLineEdit>(window, "Edit1"), Qt::Key_Escape);
            closed = !dialog.isVisible();
        });
        platform.showModal(window);
        QVERIFY(closed);
    }
};

QTEST_MAIN(TestTranslate)
#include "tst_words_translate.moc"
