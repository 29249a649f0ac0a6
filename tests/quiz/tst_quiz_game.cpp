// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "quiz/MouseLabel.h"
#include "quiz/TimeValue.h"

#include <QAction>
#include <QMouseEvent>
#include <QTimer>

namespace {

const QString TimeUp = QStringLiteral("Время закончилось!");
const QString PressF2 = QStringLiteral("Для начала новой игры нажмите F2");

QStringList labelTexts(const TfrmMain& window) {
    QStringList texts;
    for (int position = 1; position <= 4; ++position)
        texts << window.answerLabel(position)->text();
    return texts;
}

void send(QWidget* widget, QEvent::Type type) {
    QMouseEvent event(type, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

qint64 face(const TfrmMain& window, int position) { return window.answerImage(position)->pixmap().cacheKey(); }

} // namespace

class TestQuizGame : public QObject {
    Q_OBJECT
private slots:
    void aQuestionInBothDirections_data() {
        QTest::addColumn<QString>("direction");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("labels");
        QTest::addRow("forward") << "EN\\RU" << "кошка"
                                 << QStringList{"A.   dog", "B.   cat", "C.   house", "D.   b|c"};
        QTest::addRow("reverse") << "RU\\EN" << "cat"
                                 << QStringList{"A.   собака", "B.   кошка", "C.   дом", "D.   a"};
    }
    void aQuestionInBothDirections() {
        QFETCH(QString, direction);
        QFETCH(QString, word);
        QFETCH(QStringList, labels);
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", {"кошка|cat", "собака|dog", "дом|house", "a|b|c"});
        TfrmMain& window = f.start();
        window.DirectionTrans = direction;
        // Right pair 0 on B; then one rejected draw (the right pair again) before 1, 2, 3.
        f.platform.queueDraws({0, 1, 0, 1, 2, 3});
        window.Saved = true;
        window.NewQuestion();
        QCOMPARE(window.memoText(), "Выберете правильный перевод слова:\r\n" + word);
        QCOMPARE(window.RealButton, 2);
        QCOMPARE(labelTexts(window), labels);
        QVERIFY(!window.Saved);
    }

    void tooFewWordsChangeNothing() {
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", {"a|1", "b|2", "c|3"});
        TfrmMain& window = f.start();
        f.platform.messages.clear();
        window.RealButton = 3;
        window.Saved = true;
        window.lblAnswer1->setText("old");
        window.NewQuestion();
        QCOMPARE(f.platform.messages.size(), 1);
        QCOMPARE(f.platform.messages[0].caption, QStringLiteral("Не достаточно слов в словаре"));
        QCOMPARE(f.platform.messages[0].flags, 48);
        QCOMPARE(window.lblAnswer1->text(), QStringLiteral("old"));
        QCOMPARE(window.RealButton, 3);
        QVERIFY(window.Saved);
        QCOMPARE(window.memoText(), QStringLiteral("Для начала игры нажмите \"F2\""));

        // The game still starts; every answer then counts as wrong and asks again.
        window.mnuNewGame->trigger();
        QVERIFY(window.GameRunning);
        QVERIFY(window.Timer1->isActive());
        window.RealButton = 0;
        window.Answer1Click();
        QCOMPARE(window.NoCount, 1);
        QCOMPARE(f.platform.messages.size(), 3);
    }

    void aWholeGamePlayedWithTheMouse() {
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", TestFolder::pairs(10));
        TfrmMain& window = f.start();
        window.mnuNewGame->trigger();
        QVERIFY(window.mnuSave->isEnabled());
        QVERIFY(window.mnuSaveAs->isEnabled());
        QCOMPARE(window.Label3->text(), QStringLiteral("У вас осталось: 0:03:00"));

        for (int answers = 0; answers < 3; ++answers)
            QTest::mouseClick(window.answerLabel(window.RealButton), Qt::LeftButton);
        for (int answers = 0; answers < 2; ++answers)
            QTest::mouseClick(window.answerImage(window.RealButton % 4 + 1), Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(window.Label16->text(), QStringLiteral("Количество правильных ответов: 3"));
        QCOMPARE(window.Label17->text(), QStringLiteral("Количество неправильных ответов: 2"));
        QCOMPARE(window.Label19->text(), QStringLiteral("Количество набранных очков: 100"));
        QCOMPARE(f.platform.sounds, (QStringList{"./sound/Yes.wav", "./sound/Yes.wav", "./sound/Yes.wav",
                                                 "./sound/No.wav", "./sound/No.wav"}));

        QString last;
        for (int tick = 1; tick < 180; ++tick) {
            window.Timer1Timer();
            last = window.Label3->text();
        }
        QCOMPARE(last, QStringLiteral("У вас осталось: 0:00:01"));
        QVERIFY(window.GameRunning);
        window.Timer1Timer();
        QVERIFY(!window.GameRunning);
        QVERIFY(!window.Timer1->isActive());
        QCOMPARE(window.Label3->text(), QStringLiteral("У вас осталось: 0:00:00"));
        QCOMPARE(labelTexts(window), (QStringList{TimeUp, TimeUp, TimeUp, TimeUp}));
        QCOMPARE(window.memoText(), PressF2);
        QCOMPARE(f.platform.sounds.last(), QStringLiteral("./sound/End.wav"));
        QCOMPARE(window.Label19->text(), QStringLiteral("Количество набранных очков: 100"));
        QCOMPARE(window.RealButton, 0);

        // After the time is up answers do nothing, and the next game starts from 0:00:00 on the label.
        window.Answer1Click();
        QCOMPARE(window.YesCount + window.NoCount, 5);
        window.mnuNewGame->trigger();
        QCOMPARE(window.Label3->text(), QStringLiteral("У вас осталось: 0:00:00"));
        window.Timer1Timer();
        QCOMPARE(window.Label3->text(), QStringLiteral("У вас осталось: 0:02:59"));
    }

    void theNewGameQuestionDuringAGame() {
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", TestFolder::pairs(10));
        TfrmMain& window = f.start();
        window.mnuNewGame->trigger();
        window.Answer1Click();
        window.Timer1Timer();
        window.mnuStopGameClick();
        window.SaveFileName = "game.gsv";
        const QString question = window.memoText();

        f.platform.answerMessage(mb::IdNo);
        window.mnuNewGameClick();
        QCOMPARE(f.platform.messages.last().text, QStringLiteral("Вы действительно хотите начать новую игру ?"));
        QCOMPARE(f.platform.messages.last().flags, 36);
        QVERIFY(window.Timer1->isActive()); // paused before, running after
        QVERIFY(window.SaveFileName.isEmpty());
        QCOMPARE(window.memoText(), question);
        QCOMPARE(window.YesCount + window.NoCount, 1);

        f.platform.answerMessage(mb::IdYes);
        window.mnuNewGameClick();
        QCOMPARE(window.YesCount + window.NoCount, 0);
        QCOMPARE(window.Label3->text(), QStringLiteral("У вас осталось: 0:03:00"));
        QCOMPARE(window.TimeLeft, window.GameTime);
        QVERIFY(window.GameRunning);
        QVERIFY(window.Timer1->isActive());
    }

    void pauseResumeAbortAndTheTranslator() {
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", TestFolder::pairs(10));
        TfrmMain& window = f.start();
        window.mnuResumeGame->trigger();
        QVERIFY(!window.Timer1->isActive());

        window.mnuNewGame->trigger();
        window.mnuStopGame->trigger();
        QVERIFY(!window.Timer1->isActive());
        window.Answer2Click(); // answers count while paused
        QCOMPARE(window.YesCount + window.NoCount, 1);
        f.platform.messages.clear();
        window.N13->trigger();
        QCOMPARE(f.platform.messages.size(), 1);
        QCOMPARE(f.platform.messages[0].caption, QStringLiteral("Переводчик"));
        QCOMPARE(f.platform.messages[0].flags, 48);
        QVERIFY(window.Timer1->isActive());

        window.mnuAbortGame->trigger();
        QVERIFY(!window.GameRunning);
        QVERIFY(!window.Timer1->isActive());
        QCOMPARE(labelTexts(window), (QStringList{"", "", "", ""}));
        QCOMPARE(window.memoText(), PressF2);
        QCOMPARE(window.Label16->text(), QStringLiteral("Количество правильных ответов: 0"));
        QCOMPARE(window.Label3->text(), QStringLiteral("У вас осталось: 0:03:00"));
        window.N13->trigger(); // no game: no refusal
        QCOMPARE(f.platform.messages.size(), 1);
    }

    void abortWithoutAGameEnablesSave() {
        MainWindowFixture f;
        TfrmMain& window = f.start();
        window.mnuAbortGame->trigger();
        QVERIFY(window.mnuSave->isEnabled());
        QVERIFY(!window.mnuSaveAs->isEnabled());
        QCOMPARE(window.memoText(), PressF2);
    }

    void theFacesOfTheAnswerButtons() {
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", TestFolder::pairs(10));
        TfrmMain& window = f.start();
        const qint64 normal = window.imgNormal.cacheKey();
        const qint64 over = window.imgMouseMove.cacheKey();
        const qint64 pressed = window.imgPress.cacheKey();

        send(window.lblAnswer1, QEvent::MouseMove); // over the label lights its button
        QCOMPARE(face(window, 1), over);
        send(window.Answer2, QEvent::MouseMove); // no background crossed: B stays normal
        QCOMPARE(face(window, 2), normal);
        QCOMPARE(face(window, 1), over);
        send(window.imgBqr, QEvent::MouseMove);
        QCOMPARE(face(window, 1), normal);
        send(window.Answer2, QEvent::MouseMove);
        QCOMPARE(face(window, 2), over);
        QCOMPARE(window.HoverButton, 2);

        send(window.Answer2, QEvent::MouseButtonPress); // no game: no pressed face
        QCOMPARE(face(window, 2), over);
        send(window.Answer2, QEvent::MouseButtonRelease);
        QCOMPARE(face(window, 2), normal);

        window.mnuNewGame->trigger();
        send(window.lblAnswer3, QEvent::MouseButtonPress);
        QCOMPARE(face(window, 3), pressed);
        send(window.lblAnswer3, QEvent::MouseButtonRelease);
        QCOMPARE(face(window, 3), normal);
        QCOMPARE(window.YesCount + window.NoCount, 1); // the release clicked
        QVERIFY(window.answerImage(1)->focusPolicy() == Qt::NoFocus);
    }

    void theF2Key() {
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", TestFolder::pairs(10));
        TfrmMain& window = f.start();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_F2);
        QVERIFY(window.GameRunning);
        // Letters and digits answer nothing.
        for (Qt::Key key : {Qt::Key_A, Qt::Key_1, Qt::Key_Return, Qt::Key_Space})
            QTest::keyClick(&window, key);
        QCOMPARE(window.YesCount + window.NoCount, 0);
    }
};

QTEST_MAIN(TestQuizGame)
#include "tst_quiz_game.moc"
