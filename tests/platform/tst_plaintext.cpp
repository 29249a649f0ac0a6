// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostileText.h"
#include "platform/PlainText.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTextDocument>

class TestPlainText : public QObject {
    Q_OBJECT
private slots:
    void oneLineFieldKeepsTheFirstLine_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("cursorAfter");
        QTest::addRow("two lines") << QString() << 0 << QStringLiteral("лиса\nволк") << QStringLiteral("лиса")
                                   << 4;
        QTest::addRow("CR LF") << QString() << 0 << QStringLiteral("лиса\r\nволк\r\n")
                               << QStringLiteral("лиса") << 4;
        QTest::addRow("a lone CR") << QString() << 0 << QStringLiteral("лиса\rволк") << QStringLiteral("лиса")
                                   << 4;
        QTest::addRow("paragraph separator")
            << QString() << 0 << QStringLiteral("лиса\u2029волк") << QStringLiteral("лиса") << 4;
        QTest::addRow("into the middle")
            << QStringLiteral("ab") << 1 << QStringLiteral("x\ny\nz") << QStringLiteral("axb") << 2;
        QTest::addRow("a break first")
            << QStringLiteral("ab") << 2 << QStringLiteral("\nволк") << QStringLiteral("ab") << 2;
        QTest::addRow("one line") << QStringLiteral("ab") << 1 << QStringLiteral("во\u00A0что")
                                  << QStringLiteral("aво\u00A0чтоb") << 7;
    }
    void oneLineFieldKeepsTheFirstLine() {
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(QString, pasted);
        QFETCH(QString, after);
        QFETCH(int, cursorAfter);
        QLineEdit edit;
        plaintext::keepFirstLine(edit);
        edit.setText(before);
        edit.setCursorPosition(cursor);
        QGuiApplication::clipboard()->setText(pasted);
        edit.paste();
        QCOMPARE(edit.text(), after);
        QCOMPARE(edit.cursorPosition(), cursorAfter);

        edit.setText(before + pasted);
        QCOMPARE(edit.text(),
                 (before + pasted).section(QRegularExpression(QStringLiteral("[\r\n\u2029]")), 0, 0));
    }

    // The tool tip of a text that does not fit shows it as written: nothing in it is read as markup.
    void toolTipShowsTheTextAsWritten_data() { addHostileRows(); }
    void toolTipShowsTheTextAsWritten() {
        QFETCH(QString, text);
        QTextDocument shown;
        shown.setHtml(plaintext::toolTip(text));
        QCOMPARE(shown.toRawText(), text);
    }
};

QTEST_MAIN(TestPlainText)
#include "tst_plaintext.moc"
