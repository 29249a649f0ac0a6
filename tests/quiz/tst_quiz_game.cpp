// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "shared/MouseLabel.h"
#include "shared/TimeValue.h"

#include <QAction>
#include <QMouseEvent>
#include <QTimer>

namespace {

const QString TimeUp = QStringLiteral("Время закончилось!");
const QString PressF2 = QStringLiteral("Для начала новой игры нажмите F2");

QStringList labelTexts(const TfrmMain& window) {
    QStringList texts;
    for (int position = 1; position <= 4; ++position)
        texts << control<GameBoard>(window, "board")->answerLabel(position)->text();
    return texts;
}

void send(QWidget* widget, QEvent::Type type) {
    QMouseEvent event(type, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ? Qt::LeftButton
                                                                                              : Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

qint64 face(const TfrmMain& window, int position) {
    return control<GameBoard>(window, "board")->answerImage(position)->pixmap().cacheKey();
}

} // namespace

class TestQuizGame : public QObject {
    Q_OBJECT
private slots:
    void aQuestionInBothDirections_data() {
        QTest::addColumn<QString>("direction");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("labels");
        QTest::addRow("forward") << "EN\\RU"
                                 << "кошка" << QStringList{"A.   dog", "B.   cat", "C.   house", "D.   b|c"};
        QTest::addRow("reverse") << "RU\\EN"
                                 << "cat" << QStringList{"A.   собака", "B.   кошка", "C.   дом", "D.   a"};
    }
    void aQuestionInBothDirections() {
        QFETCH(QString, direction);
        QFETCH(QString, word);
        QFETCH(QStringList, labels);
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", {"кошка|cat", "собака|dog", "дом|house", "a|b|c"});
        TfrmMain& window = f.start();
        window.game.DirectionTrans = direction;
        // Right pair 0 on B; then one rejected draw (the right pair again) before 1, 2, 3.
        f.platform.queueDraws({0, 1, 0, 1, 2, 3});
        window.game.Saved = true;
        window.NewQuestion();
        QCOMPARE(control<GameBoard>(window, "board")->memoText(),
                 "Выберете правильный перевод слова:\r\n" + word);
        QCOMPARE(window.game.RealButton, 2);
        QCOMPARE(labelTexts(window), labels);
        QVERIFY(!window.game.Saved);
    }

    void tooFewWordsChangeNothing() {
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", {"a|1", "b|2", "c|3"});
        TfrmMain& window = f.start();
        f.platform.messages.clear();
        window.game.RealButton = 3;
        window.game.Saved = true;
        control<AnswerLabel>(window, "lblAnswer1")->setText("old");
        window.NewQuestion();
        QCOMPARE(f.platform.messages.size(), 1);
        QCOMPARE(f.platform.messages[0].caption, QStringLiteral("Не достаточно слов в словаре"));
        QCOMPARE(f.platform.messages[0].flags, 48);
        QCOMPARE(control<AnswerLabel>(window, "lblAnswer1")->text(), QStringLiteral("old"));
        QCOMPARE(window.game.RealButton, 3);
        QVERIFY(window.game.Saved);
        QCOMPARE(control<GameBoard>(window, "board")->memoText(),
                 QStringLiteral("Для начала игры нажмите \"F2\""));

        // The game still starts; every answer then counts as wrong and asks again.
        control<QAction>(window, "mnuNewGame")->trigger();
        QVERIFY(window.game.GameRunning);
        QVERIFY(control<QTimer>(window, "Timer1")->isActive());
        window.game.RealButton = 0;
        window.Answer1Click();
        QCOMPARE(window.game.NoCount, 1);
        QCOMPARE(f.platform.messages.size(), 3);
    }

    void aWholeGamePlayedWithTheMouse() {
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", TestFolder::pairs(10));
        TfrmMain& window = f.start();
        control<QAction>(window, "mnuNewGame")->trigger();
        QVERIFY(control<QAction>(window, "mnuSave")->isEnabled());
        QVERIFY(control<QAction>(window, "mnuSaveAs")->isEnabled());
        QCOMPARE(control<QLabel>(window, "Label3")->text(), QStringLiteral("У вас осталось: 0:03:00"));

        for (int answers = 0; answers < 3; ++answers)
            QTest::mouseClick(control<GameBoard>(window, "board")->answerLabel(window.game.RealButton),
                              Qt::LeftButton);
        for (int answers = 0; answers < 2; ++answers)
            QTest::mouseClick(
                control<GameBoard>(window, "board")->answerImage(window.game.RealButton % 4 + 1),
                Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(control<QLabel>(window, "Label16")->text(),
                 QStringLiteral("Количество правильных ответов: 3"));
        QCOMPARE(control<QLabel>(window, "Label17")->text(),
                 QStringLiteral("Количество неправильных ответов: 2"));
        QCOMPARE(control<QLabel>(window, "Label19")->text(),
                 QStringLiteral("Количество набранных очков: 100"));
        const QString yes = f.folder.path("sound/Yes.wav"), no = f.folder.path("sound/No.wav");
        QCOMPARE(f.platform.sounds, (QStringList{yes, yes, yes, no, no}));

        QString last;
        for (int tick = 1; tick < 180; ++tick) {
            window.Timer1Timer();
            last = control<QLabel>(window, "Label3")->text();
        }
        QCOMPARE(last, QStringLiteral("У вас осталось: 0:00:01"));
        QVERIFY(window.game.GameRunning);
        window.Timer1Timer();
        QVERIFY(!window.game.GameRunning);
        QVERIFY(!control<QTimer>(window, "Timer1")->isActive());
        QCOMPARE(control<QLabel>(window, "Label3")->text(), QStringLiteral("У вас осталось: 0:00:00"));
        QCOMPARE(labelTexts(window), (QStringList{TimeUp, TimeUp, TimeUp, TimeUp}));
        QCOMPARE(control<GameBoard>(window, "board")->memoText(), PressF2);
        QCOMPARE(f.platform.sounds.last(), f.folder.path("sound/End.wav"));
        QCOMPARE(control<QLabel>(window, "Label19")->text(),
                 QStringLiteral("Количество набранных очков: 100"));
        QCOMPARE(window.game.RealButton, 0);

        // After the time is up answers do nothing, and the next game starts from 0:00:00 on the label.
        window.Answer1Click();
        QCOMPARE(window.game.YesCount + window.game.NoCount, 5);
        control<QAction>(window, "mnuNewGame")->trigger();
        QCOMPARE(control<QLabel>(window, "Label3")->text(), QStringLiteral("У вас осталось: 0:00:00"));
        window.Timer1Timer();
        QCOMPARE(control<QLabel>(window, "Label3")->text(), QStringLiteral("У вас осталось: 0:02:59"));
    }

    void theNewGameQuestionDuringAGame() {
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", TestFolder::pairs(10));
        TfrmMain& window = f.start();
        control<QAction>(window, "mnuNewGame")->trigger();
        window.Answer1Click();
        window.Timer1Timer();
        window.mnuStopGameClick();
        window.game.SaveFileName = "game.gsv";
        const QString question = control<GameBoard>(window, "board")->memoText();

        f.platform.answerMessage(mb::IdNo);
        window.mnuNewGameClick();
        QCOMPARE(f.platform.messages.last().text,
                 QStringLiteral("Вы действительно хотите начать новую игру ?"));
        QCOMPARE(f.platform.messages.last().flags, 36);
        QVERIFY(control<QTimer>(window, "Timer1")->isActive()); // paused before, running after
        QVERIFY(window.game.SaveFileName.isEmpty());
        QCOMPARE(control<GameBoard>(window, "board")->memoText(), question);
        QCOMPARE(window.game.YesCount + window.game.NoCount, 1);

        f.platform.answerMessage(mb::IdYes);
        window.mnuNewGameClick();
        QCOMPARE(window.game.YesCount + window.game.NoCount, 0);
        QCOMPARE(control<QLabel>(window, "Label3")->text(), QStringLiteral("У вас осталось: 0:03:00"));
        QCOMPARE(window.game.TimeLeft, window.game.GameTime);
        QVERIFY(window.game.GameRunning);
        QVERIFY(control<QTimer>(window, "Timer1")->isActive());
    }

    void pauseResumeAbortAndTheTranslator() {
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", TestFolder::pairs(10));
        TfrmMain& window = f.start();
        control<QAction>(window, "mnuResumeGame")->trigger();
        QVERIFY(!control<QTimer>(window, "Timer1")->isActive());

        control<QAction>(window, "mnuNewGame")->trigger();
        control<QAction>(window, "mnuStopGame")->trigger();
        QVERIFY(!control<QTimer>(window, "Timer1")->isActive());
        window.Answer2Click(); // answers count while paused
        QCOMPARE(window.game.YesCount + window.game.NoCount, 1);
        f.platform.messages.clear();
        control<QAction>(window, "N13")->trigger();
        QCOMPARE(f.platform.messages.size(), 1);
        QCOMPARE(f.platform.messages[0].caption, QStringLiteral("Переводчик"));
        QCOMPARE(f.platform.messages[0].flags, 48);
        QVERIFY(control<QTimer>(window, "Timer1")->isActive());

        control<QAction>(window, "mnuAbortGame")->trigger();
        QVERIFY(!window.game.GameRunning);
        QVERIFY(!control<QTimer>(window, "Timer1")->isActive());
        QCOMPARE(labelTexts(window), (QStringList{"", "", "", ""}));
        QCOMPARE(control<GameBoard>(window, "board")->memoText(), PressF2);
        QCOMPARE(control<QLabel>(window, "Label16")->text(),
                 QStringLiteral("Количество правильных ответов: 0"));
        QCOMPARE(control<QLabel>(window, "Label3")->text(), QStringLiteral("У вас осталось: 0:03:00"));
        control<QAction>(window, "N13")->trigger(); // no game: no refusal
        QCOMPARE(f.platform.messages.size(), 1);
    }

    void abortWithoutAGameEnablesSave() {
        MainWindowFixture f;
        TfrmMain& window = f.start();
        control<QAction>(window, "mnuAbortGame")->trigger();
        QVERIFY(control<QAction>(window, "mnuSave")->isEnabled());
        QVERIFY(!control<QAction>(window, "mnuSaveAs")->isEnabled());
        QCOMPARE(control<GameBoard>(window, "board")->memoText(), PressF2);
    }

    void theFacesOfTheAnswerButtons() {
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", TestFolder::pairs(10));
        TfrmMain& window = f.start();
        const qint64 normal = control<GameBoard>(window, "board")->imgNormal.cacheKey();
        const qint64 over = control<GameBoard>(window, "board")->imgMouseMove.cacheKey();
        const qint64 pressed = control<GameBoard>(window, "board")->imgPress.cacheKey();

        send(control<AnswerLabel>(window, "lblAnswer1"),
             QEvent::MouseMove); // over the label lights its button
        QCOMPARE(face(window, 1), over);
        send(control<MouseLabel>(window, "Answer2"),
             QEvent::MouseMove); // no background crossed: B stays normal
        QCOMPARE(face(window, 2), normal);
        QCOMPARE(face(window, 1), over);
        send(control<MouseLabel>(window, "imgBqr"), QEvent::MouseMove);
        QCOMPARE(face(window, 1), normal);
        send(control<MouseLabel>(window, "Answer2"), QEvent::MouseMove);
        QCOMPARE(face(window, 2), over);
        QCOMPARE(control<GameBoard>(window, "board")->HoverButton, 2);

        send(control<MouseLabel>(window, "Answer2"), QEvent::MouseButtonPress); // no game: no pressed face
        QCOMPARE(face(window, 2), over);
        send(control<MouseLabel>(window, "Answer2"), QEvent::MouseButtonRelease);
        QCOMPARE(face(window, 2), normal);

        control<QAction>(window, "mnuNewGame")->trigger();
        send(control<AnswerLabel>(window, "lblAnswer3"), QEvent::MouseButtonPress);
        QCOMPARE(face(window, 3), pressed);
        send(control<AnswerLabel>(window, "lblAnswer3"), QEvent::MouseButtonRelease);
        QCOMPARE(face(window, 3), normal);
        QCOMPARE(window.game.YesCount + window.game.NoCount, 1); // the release clicked
        QVERIFY(control<GameBoard>(window, "board")->answerImage(1)->focusPolicy() == Qt::NoFocus);
    }

    // Labels grow with their text, so no counter value and no long name is ever cut off.
    void labelsShowTheirWholeText() {
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", TestFolder::pairs(10));
        TfrmMain& window = f.start();
        GameBoard& board = *control<GameBoard>(window, "board");
        auto wholeText = [](const QLabel* l) {
            return l->width() >= l->fontMetrics().horizontalAdvance(l->text());
        };
        control<QAction>(window, "mnuNewGame")->trigger();
        for (int answers = 0; answers < 12; ++answers)
            window.AnswerClick(window.game.RealButton);
        QCOMPARE(control<QLabel>(board, "Label16")->text(),
                 QStringLiteral("Количество правильных ответов: 12"));
        QCOMPARE(control<QLabel>(board, "Label19")->text(),
                 QStringLiteral("Количество набранных очков: 1200"));
        for (const QLabel* counter : {control<QLabel>(board, "Label16"), control<QLabel>(board, "Label17"),
                                      control<QLabel>(board, "Label19")})
            QVERIFY2(wholeText(counter), qPrintable(counter->text()));

        window.game.YesCount = 99999;
        window.game.NoCount = 99999;
        window.game.Points = -50000;
        window.UpdateKolichestvo();
        for (const QLabel* counter : {control<QLabel>(board, "Label16"), control<QLabel>(board, "Label17"),
                                      control<QLabel>(board, "Label19")}) {
            QVERIFY2(wholeText(counter), qPrintable(counter->text()));
            // Still inside the score panel.
            QVERIFY(control<QFrame>(board, "Panel1")->rect().contains(counter->geometry()));
        }

        const QString name = QStringLiteral("Константин Константинопольский-Щедрин");
        board.setPlayerLabels(QStringLiteral("Текущий игрок: ") + name,
                              QStringLiteral("Ваш рекорд: 1234500"));
        for (const QLabel* player :
             {control<QLabel>(board, "lblCurrentPlayer"), control<QLabel>(board, "lblPlayerReccord")})
            QVERIFY2(player->width() >= player->fontMetrics().horizontalAdvance(player->text()) + 10,
                     qPrintable(player->text()));
    }

    // The background reaches the bottom edge, so leaving C or D downwards takes the mouse-over face off.
    void theBackgroundCoversTheWindow() {
        MainWindowFixture f;
        TfrmMain& window = f.start();
        GameBoard& board = *control<GameBoard>(window, "board");
        QCOMPARE(control<MouseLabel>(board, "imgBqr")->geometry(), board.rect());
        for (const QPoint below : {QPoint(150, 421), QPoint(450, 421), QPoint(604, 424)})
            QCOMPARE(board.childAt(below), control<MouseLabel>(board, "imgBqr"));
    }

    // Resuming a clock that runs leaves its next tick where it was.
    void resumingARunningClockKeepsItsTick() {
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", TestFolder::pairs(10));
        TfrmMain& window = f.start();
        control<QAction>(window, "mnuNewGame")->trigger();
        QTest::qWait(100);
        const int before = control<QTimer>(window, "Timer1")->remainingTime();
        for (int presses = 0; presses < 5; ++presses)
            control<QAction>(window, "mnuResumeGame")->trigger();
        // A restarted interval would be back at a full second.
        QVERIFY2(control<QTimer>(window, "Timer1")->remainingTime() <= before,
                 qPrintable(QString::number(before)));
        control<QAction>(window, "mnuStopGame")->trigger();
        control<QAction>(window, "mnuResumeGame")->trigger();
        QVERIFY(control<QTimer>(window, "Timer1")->isActive());
    }

    void aDoubleClickAnswersOnce_data() {
        QTest::addColumn<bool>("secondPress");
        // Platforms differ in whether the second press of a double click comes as a press too.
        QTest::addRow("double click alone") << false;
        QTest::addRow("press, then double click") << true;
    }
    void aDoubleClickAnswersOnce() {
        QFETCH(bool, secondPress);
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", TestFolder::pairs(10));
        TfrmMain& window = f.start();
        control<QAction>(window, "mnuNewGame")->trigger();
        QWidget* button = control<AnswerLabel>(window, "lblAnswer2");
        send(button, QEvent::MouseButtonPress);
        send(button, QEvent::MouseButtonRelease);
        if (secondPress)
            send(button, QEvent::MouseButtonPress);
        send(button, QEvent::MouseButtonDblClick);
        send(button, QEvent::MouseButtonRelease);
        QCOMPARE(window.game.YesCount + window.game.NoCount, 1);
        // The next single click answers again.
        send(button, QEvent::MouseButtonPress);
        send(button, QEvent::MouseButtonRelease);
        QCOMPARE(window.game.YesCount + window.game.NoCount, 2);
    }

    void theF2Key() {
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", TestFolder::pairs(10));
        TfrmMain& window = f.start();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_F2);
        QVERIFY(window.game.GameRunning);
        // Letters and digits answer nothing.
        for (Qt::Key key : {Qt::Key_A, Qt::Key_1, Qt::Key_Return, Qt::Key_Space})
            QTest::keyClick(&window, key);
        QCOMPARE(window.game.YesCount + window.game.NoCount, 0);
    }
};

QTEST_MAIN(TestQuizGame)
#include "tst_quiz_game.moc"
