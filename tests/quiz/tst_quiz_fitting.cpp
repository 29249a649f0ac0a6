// SPDX-License-Identifier: GPL-3.0-or-later
// Long answers and long question words on the real main window: smaller, then shortened, never lost.
#include "MainWindowFixture.h"
#include "quiz/Question.h"

#include <QScrollBar>
#include <QTimer>

namespace {

const QString Long = QStringLiteral("в переносном смысле означает: ");
const QString Other = Long.repeated(10);

// The main window asking for the pair "text|text": the word in the question box, the answer on A.
// The second pair, asked by askOther(), has a word too long for the box.
struct Asked {
    MainWindowFixture f;
    TfrmMain* window = nullptr;

    explicit Asked(const QString& text) {
        f.folder.writeDictionary(
            QStringLiteral("словарь/main.txt"),
            QStringList{text + QLatin1Char('|') + text, Other + QLatin1Char('|') + Other} +
                TestFolder::pairs(3));
        window = &f.start();
        control<QTimer>(*window, "Timer2")->stop();
        ask();
    }
    void ask() {
        f.platform.queueDraws({0, 0, 1, 2, 3});
        window->NewQuestion();
    }
    void askOther() {
        f.platform.queueDraws({1, 0, 0, 2, 3});
        window->NewQuestion();
    }
};

} // namespace

class TestQuizFitting : public QObject {
    Q_OBJECT
private slots:
    void answersShowTheirLetterAndAllTheyCan_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("smaller");
        QTest::addColumn<bool>("shortened");
        QTest::addRow("short") << QStringLiteral("кошка") << false << false;
        QTest::addRow("smaller") << QStringLiteral("имеющий такой-то признак") << true << false;
        QTest::addRow("a line of Mueller's")
            << Long + QStringLiteral("имеющий такой-то признак") << true << true;
        QTest::addRow("300 characters") << Long.repeated(10).left(300) << true << true;
        QTest::addRow("markup") << QStringLiteral("<font size=7>x</font>").repeated(8) << true << true;
    }
    void answersShowTheirLetterAndAllTheyCan() {
        QFETCH(QString, answer);
        QFETCH(bool, smaller);
        QFETCH(bool, shortened);
        Asked asked(answer);
        QCOMPARE(asked.window->game.RealButton, 1);
        AnswerLabel* label = control<GameBoard>(*asked.window, "board")->answerLabel(1);
        const QString whole = question::prefix(1) + answer;
        QCOMPARE(label->text(), whole);

        const AnswerLabel::Fitted fit = label->fitted();
        QCOMPARE(fit.font.pixelSize() < label->font().pixelSize(), smaller);
        QVERIFY(fit.font.pixelSize() >= AnswerLabel::MinimumPixels);
        QCOMPARE(fit.elided, shortened);
        QVERIFY(fit.text.startsWith(question::prefix(1) + answer.left(2)));
        if (shortened)
            QVERIFY(whole.startsWith(fit.text.chopped(1)));
        else
            QCOMPARE(fit.text, whole);
        // Room to spare on both sides: the text touches neither edge of the button.
        QVERIFY(QFontMetrics(fit.font).horizontalAdvance(fit.text) < label->contentsRect().width() - 4);

        label->grab(); // drawn once, as the window shows it
        QCOMPARE(label->toolTip().isEmpty(), !shortened);
        QCOMPARE(label->accessibleDescription(), shortened ? whole : QString());
        if (shortened) {
            QTextDocument tip;
            tip.setHtml(label->toolTip());
            QCOMPARE(tip.toRawText(), whole);
        }
    }

    void questionBoxShowsThePromptAndTheWholeWord_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("smaller");
        QTest::addColumn<bool>("shortened");
        QTest::addRow("short") << QStringLiteral("кошка") << false << false;
        QTest::addRow("two lines") << Long + Long << true << false;
        QTest::addRow("300 characters") << Long.repeated(10).left(300) << true << true;
        QTest::addRow("no-break space") << QStringLiteral("во\u00A0что бы то ни стало") << false << false;
        QTest::addRow("empty") << QString() << false << false;
    }
    void questionBoxShowsThePromptAndTheWholeWord() {
        QFETCH(QString, word);
        QFETCH(bool, smaller);
        QFETCH(bool, shortened);
        Asked asked(word);
        QuestionBox* box = control<QuestionBox>(*asked.window, "mmWorld");
        const QString text = question::prompt() + QStringLiteral("\r\n") + word;
        const auto showsTheText = [&] {
            QCOMPARE(control<GameBoard>(*asked.window, "board")->memoText(), text);
            QCOMPARE(box->verticalScrollBar()->maximum(), 0);
            QVERIFY(!box->textCursor().hasSelection());
            QCOMPARE(QFontInfo(box->font()).pixelSize() < 17, smaller);
            QVERIFY(QFontInfo(box->font()).pixelSize() >= QuestionBox::MinimumPixels);
            const QString shown =
                box->document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
            if (shortened) {
                QVERIFY(shown.endsWith(QChar(0x2026)));
                QVERIFY(QString(text)
                            .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                            .startsWith(shown.chopped(1)));
                QTextDocument tip;
                tip.setHtml(box->toolTip());
                QCOMPARE(tip.toPlainText(),
                         QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            } else {
                QCOMPARE(shown, question::prompt() + QLatin1Char('\n') + word);
                QVERIFY(box->toolTip().isEmpty());
            }
        };
        showsTheText();
        const QImage first = box->grab().toImage();

        // Asked again after another word, part of which the player had selected: shown as the first
        // time, to the pixel.
        asked.askOther();
        QCOMPARE(control<GameBoard>(*asked.window, "board")->memoText(),
                 question::prompt() + QStringLiteral("\r\n") + Other);
        QTextCursor selected(box->document());
        selected.setPosition(3);
        selected.setPosition(box->document()->characterCount() - 1, QTextCursor::KeepAnchor);
        box->setTextCursor(selected);
        asked.ask();
        showsTheText();
        QCOMPARE(box->grab().toImage(), first);
    }
};

QTEST_MAIN(TestQuizFitting)
#include "tst_quiz_fitting.moc"
