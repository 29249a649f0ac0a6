// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's game commands: each applies what quiz/ decides and shows it on the board.
#include "app/TfrmMain.h"

#include "platform/Platform.h"
#include "quiz/GameBoard.h"
#include "quiz/GameRules.h"
#include "quiz/Question.h"
#include "words/TfrmTranslate.h"

#include <QAction>
#include <QTimer>

void TfrmMain::playSound(const char* relativeName) {
    m_platform.playSound(m_folder.file(QString::fromLatin1(relativeName)));
}

void TfrmMain::NewQuestion() {
    const std::optional<question::Drawn> drawn = question::draw(lstQuestion, game.DirectionTrans, m_platform);
    if (!drawn) {
        m_platform.messageBox(QStringLiteral("Не достаточно слов в словаре"),
                              QStringLiteral("Для игры необходимо более 4 слов в словаре!\r\nДля добавления "
                                             "используйте команду Сервис -> Добавить слово в словарь. Или "
                                             "скачайте словарь с сайта программы."),
                              mb::IconExclamation);
        return;
    }
    board->showQuestion(*drawn);
    game.RealButton = drawn->realButton;
    game.Saved = false;
}

void TfrmMain::mnuNewGameClick() {
    const bool wasRunning = game.GameRunning;
    if (wasRunning) {
        Timer1->stop();
        const int answer = m_platform.messageBox(QStringLiteral("Вопрос"),
                                                 QStringLiteral("Вы действительно хотите начать новую игру ?"),
                                                 mb::YesNo | mb::IconQuestion);
        if (answer != mb::IdYes) {
            // The game goes on, no longer tied to its saved file.
            Timer1->start();
            game.SaveFileName.clear();
            return;
        }
    }
    if (game.LoadedGame)
        ShowPlayerSelection();
    NewQuestion();
    if (wasRunning)
        setGameTime(game.GameTime);
    gamerules::startGame(game);
    mnuSave->setEnabled(true);
    mnuSaveAs->setEnabled(true);
    UpdateKolichestvo();
    Timer1->start();
}

void TfrmMain::AnswerClick(int position) {
    if (!game.GameRunning)
        return;
    playSound(game.RealButton == position ? "./sound/Yes.wav" : "./sound/No.wav");
    gamerules::scoreAnswer(game, position);
    UpdateKolichestvo();
    NewQuestion();
}

void TfrmMain::UpdateKolichestvo() { board->showCounters(game); }

void TfrmMain::Timer1Timer() {
    if (!gamerules::tick(game)) {
        board->showTimeLeft(game.TimeLeft);
        return;
    }
    playSound("./sound/End.wav");
    Timer1->stop();
    board->showTimeUp();
    mnuSave->setEnabled(true);
    if (!game.LoadedGame)
        SaveGameRezoults();
}

void TfrmMain::DestoryGame() {
    gamerules::abortGame(game);
    Timer1->stop();
    board->showTimeLeft(game.GameTime);
    board->showNoGame();
    mnuSave->setEnabled(true);
    UpdateKolichestvo();
}

void TfrmMain::mnuAbortGameClick() { DestoryGame(); }

void TfrmMain::mnuStopGameClick() { Timer1->stop(); }

void TfrmMain::mnuResumeGameClick() {
    // A clock that runs keeps its next tick where it was.
    if (game.GameRunning && !Timer1->isActive())
        Timer1->start();
}

void TfrmMain::N13Click() {
    if (game.GameRunning) {
        Timer1->stop();
        m_platform.messageBox(QStringLiteral("Переводчик"),
                              QStringLiteral("Во время игры исмользование переводчика невозможно.\r\nЗакончите "
                                             "игру или выполните команду меню Файл -> Закончить игру"),
                              mb::IconExclamation);
        Timer1->start();
        return;
    }
    TfrmTranslate window(m_platform, lstQuestion, this);
    m_platform.showModal(window);
}
