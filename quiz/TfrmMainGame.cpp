// SPDX-License-Identifier: GPL-3.0-or-later
// The game on the main window: questions, answers, the clock, and the faces of the answer buttons.
#include "app/TfrmMain.h"

#include "platform/Platform.h"
#include "quiz/GameRules.h"
#include "quiz/MouseLabel.h"
#include "quiz/Question.h"

#include <QAction>
#include <QTimer>

void TfrmMain::NewQuestion() {
    if (lstQuestion.count() < question::MinimumWords) {
        m_platform.messageBox(QStringLiteral("Не достаточно слов в словаре"),
                              QStringLiteral("Для игры необходимо более 4 слов в словаре!\r\nДля добавления "
                                             "используйте команду Сервис -> Добавить слово в словарь. Или "
                                             "скачайте словарь с сайта программы."),
                              mb::IconExclamation);
        return;
    }
    const qsizetype rightIndex = m_platform.randomBelow(int(lstQuestion.count()));
    const question::Sides right = question::sides(lstQuestion.at(rightIndex), DirectionTrans);
    setMemoText(question::prompt() + QStringLiteral("\r\n") + right.word.toString());
    RealButton = m_platform.randomBelow(4) + 1;
    answerLabel(RealButton)->setText(question::prefix(RealButton).append(right.answer));
    ShowRND(RealButton, rightIndex);
    Saved = false;
}

void TfrmMain::ShowRND(int realButton, qsizetype rightIndex) {
    const auto wrong = question::drawWrong(lstQuestion, rightIndex, m_platform);
    const auto positions = question::wrongPositions(realButton);
    for (int k = 0; k < 3; ++k) {
        const QStringView answer = question::sides(lstQuestion.at(wrong[k]), DirectionTrans).answer;
        answerLabel(positions[k])->setText(question::prefix(positions[k]).append(answer));
    }
}

void TfrmMain::mnuNewGameClick() {
    if (GameRunning) {
        Timer1->stop();
        const int answer = m_platform.messageBox(QStringLiteral("Вопрос"),
                                                 QStringLiteral("Вы действительно хотите начать новую игру ?"),
                                                 mb::YesNo | mb::IconQuestion);
        if (answer == mb::IdYes) {
            if (LoadedGame)
                ShowPlayerSelection();
            NewQuestion();
            TimeLeft = GameTime;
            Label3->setText(gamerules::remainingTimeText(GameTime));
            gamerules::resetCounters(*this);
            mnuSave->setEnabled(true);
            mnuSaveAs->setEnabled(true);
            SaveFileName.clear();
            UpdateKolichestvo();
        }
        Timer1->start();
        SaveFileName.clear();
        return;
    }
    if (LoadedGame)
        ShowPlayerSelection();
    NewQuestion();
    Timer1->start();
    GameRunning = true;
    gamerules::resetCounters(*this);
    mnuSave->setEnabled(true);
    mnuSaveAs->setEnabled(true);
    SaveFileName.clear();
    UpdateKolichestvo();
}

void TfrmMain::AnswerClick(int position) {
    if (!GameRunning)
        return;
    m_platform.playSound(RealButton == position ? QStringLiteral("./sound/Yes.wav") : QStringLiteral("./sound/No.wav"));
    gamerules::scoreAnswer(*this, position);
    UpdateKolichestvo();
    NewQuestion();
}

void TfrmMain::UpdateKolichestvo() {
    Label16->setText(gamerules::rightCountText(*this));
    Label17->setText(gamerules::wrongCountText(*this));
    Label19->setText(gamerules::pointsText(*this));
}

void TfrmMain::Timer1Timer() {
    if (!gamerules::tick(*this)) {
        Label3->setText(gamerules::remainingTimeText(TimeLeft));
        return;
    }
    m_platform.playSound(QStringLiteral("./sound/End.wav"));
    Timer1->stop();
    Label3->setText(QStringLiteral("У вас осталось: 0:00:00"));
    for (int position = 1; position <= 4; ++position)
        answerLabel(position)->setText(QStringLiteral("Время закончилось!"));
    setMemoText(QStringLiteral("Для начала новой игры нажмите F2"));
    mnuSave->setEnabled(true);
    if (!LoadedGame)
        SaveGameRezoults();
}

void TfrmMain::DestoryGame() {
    gamerules::abortGame(*this);
    Timer1->stop();
    Label3->setText(gamerules::remainingTimeText(GameTime));
    for (int position = 1; position <= 4; ++position)
        answerLabel(position)->clear();
    setMemoText(QStringLiteral("Для начала новой игры нажмите F2"));
    mnuSave->setEnabled(true);
    UpdateKolichestvo();
}

void TfrmMain::mnuAbortGameClick() { DestoryGame(); }

void TfrmMain::mnuStopGameClick() { Timer1->stop(); }

void TfrmMain::mnuResumeGameClick() {
    if (GameRunning)
        Timer1->start();
}

void TfrmMain::N13Click() {
    if (GameRunning) {
        Timer1->stop();
        m_platform.messageBox(QStringLiteral("Переводчик"),
                              QStringLiteral("Во время игры исмользование переводчика невозможно.\r\nЗакончите "
                                             "игру или выполните команду меню Файл -> Закончить игру"),
                              mb::IconExclamation);
        Timer1->start();
        return;
    }
    // The translator window comes later.
}

void TfrmMain::connectAnswerButtons() {
    for (int position = 1; position <= 4; ++position) {
        // The label and the picture under it share every handler, so the label never hides the button.
        for (MouseLabel* control : {answerImage(position), static_cast<MouseLabel*>(answerLabel(position))}) {
            connect(control, &MouseLabel::clicked, this, [this, position] { guarded([=, this] { AnswerClick(position); }); });
            connect(control, &MouseLabel::mouseMoved, this, [this, position] { AnswerMouseMove(position); });
            connect(control, &MouseLabel::mousePressed, this, [this, position] { AnswerMouseDown(position); });
            connect(control, &MouseLabel::mouseReleased, this, [this, position] { AnswerMouseUp(position); });
        }
    }
    connect(imgBqr, &MouseLabel::mouseMoved, this, [this] { imgBqrMouseMove(); });
}

void TfrmMain::AnswerMouseMove(int position) {
    if (HoverActive)
        return;
    answerImage(position)->setPixmap(imgMouseMove);
    HoverButton = position;
    HoverActive = true;
}

void TfrmMain::AnswerMouseDown(int position) {
    if (GameRunning)
        answerImage(position)->setPixmap(imgPress);
}

void TfrmMain::AnswerMouseUp(int position) { answerImage(position)->setPixmap(imgNormal); }

void TfrmMain::imgBqrMouseMove() {
    if (!HoverActive)
        return;
    answerImage(HoverButton)->setPixmap(imgNormal);
    HoverActive = false;
}
