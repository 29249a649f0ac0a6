// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's game commands: each applies what quiz/ decides and shows it on the board.
#include "app/TfrmMain.h"

#include "platform/Platform.h"
#include "platform/RegionalFormats.h"
#include "quiz/GameBoard.h"
#include "quiz/Question.h"
#include "shared/TextRules.h"
#include "words/TfrmTranslate.h"

#include <QAction>
#include <QTimer>

void TfrmMain::playSound(const char* relativeName) {
    m_platform.playSound(m_folder.file(QString::fromLatin1(relativeName)));
}

void TfrmMain::NewQuestion() {
    if (game.Practice && m_practice.isEmpty()) {
        // Every pair has been learnt: the practice game has nothing left to ask.
        DestoryGame();
        m_platform.informationBox(
            QStringLiteral("Тренировка"),
            QStringLiteral("Все слова из списка ошибок выучены. Тренировка закончена."));
        return;
    }
    const std::optional<question::Drawn> drawn =
        game.Practice ? m_practice.draw(lstQuestion, game.DirectionTrans, m_platform)
                      : question::draw(lstQuestion, game.DirectionTrans, m_platform);
    if (!drawn) {
        m_platform.messageBox(QStringLiteral("Не достаточно слов в словаре"),
                              QStringLiteral("Для игры необходимо более 4 слов в словаре!\r\nДля добавления "
                                             "используйте команду Сервис -> Добавить слово в словарь. Или "
                                             "скачайте словарь с сайта программы."),
                              mb::IconExclamation);
        return;
    }
    board->showQuestion(*drawn);
    m_askedPair = drawn->pair;
    game.askQuestion(drawn->realButton);
}

void TfrmMain::mnuNewGameClick() {
    startNewGame(false);
}

void TfrmMain::startNewGame(bool practice) {
    const bool wasRunning = game.GameRunning;
    if (wasRunning) {
        Timer1->stop();
        const int answer = m_platform.messageBox(
            QStringLiteral("Вопрос"), QStringLiteral("Вы действительно хотите начать новую игру ?"),
            mb::YesNo | mb::IconQuestion);
        if (answer != mb::IdYes) {
            // The game goes on, no longer tied to its saved file.
            Timer1->start();
            game.detachFromFile();
            return;
        }
    }
    if (game.LoadedGame)
        ShowPlayerSelection();
    const bool wasPractice = game.Practice;
    if (practice) {
        flushMistakes();
        m_practice.load(mistakes::mistakesOf(m_mistakes.text(), playerKey()), lstQuestion);
    }
    game.choosePractice(practice);
    NewQuestion();
    if (practice && !game.Practice)
        return; // nothing left to practise: NewQuestion has ended it
    // The time label changes its words between a practice game and a new one.
    if (wasRunning || practice || wasPractice)
        setGameTime(game.GameTime);
    game.startGame();
    mnuSaveAs->setEnabled(true);
    enableSaving();
    UpdateKolichestvo();
    Timer1->start();
}

void TfrmMain::enableSaving() {
    mnuSave->setEnabled(game.maySave());
    if (!game.maySave())
        mnuSaveAs->setEnabled(false);
}

QString TfrmMain::playerKey() const {
    return textrules::trimmed(game.PlayerName).toString();
}

void TfrmMain::noteAnswer(bool right) {
    const QString player = playerKey();
    if (player.isEmpty() || m_askedPair.isEmpty())
        return;
    const QString pair = m_askedPair;
    if (!right) {
        // Dated when written, in the same turn of the event loop: asking the clock costs the answer time.
        queueMistakesEdit([=, this](QStringView text) {
            return mistakes::withMiss(text, player, pair, regional::dateTimeText(m_platform.now()));
        });
    } else if (game.Practice) {
        queueMistakesEdit([=](QStringView text) { return mistakes::withRight(text, player, pair); });
    }
    if (game.Practice)
        m_practice.answered(pair, right);
}

void TfrmMain::queueMistakesEdit(MistakesStore::Edit edit) {
    if (m_mistakes.queue(std::move(edit)))
        QTimer::singleShot(0, this, [this] { guarded([this] { flushMistakes(); }); });
}

void TfrmMain::flushMistakes() {
    m_mistakes.flush();
}

void TfrmMain::AnswerClick(int position) {
    if (!game.GameRunning)
        return;
    const bool right = game.RealButton == position;
    playSound(right ? "./sound/Yes.wav" : "./sound/No.wav");
    game.scoreAnswer(position);
    noteAnswer(right);
    UpdateKolichestvo();
    NewQuestion();
}

void TfrmMain::UpdateKolichestvo() {
    board->showCounters(game);
}

void TfrmMain::Timer1Timer() {
    if (!game.tick()) {
        board->showTimeLeft(game.TimeLeft);
        return;
    }
    playSound("./sound/End.wav");
    Timer1->stop();
    board->showTimeUp();
    enableSaving();
    if (game.isRecorded())
        SaveGameRezoults();
}

void TfrmMain::DestoryGame() {
    game.abortGame();
    Timer1->stop();
    board->showTimeLeft(game.GameTime);
    board->showNoGame();
    mnuSave->setEnabled(true);
    UpdateKolichestvo();
}

void TfrmMain::mnuAbortGameClick() {
    DestoryGame();
}

void TfrmMain::mnuStopGameClick() {
    Timer1->stop();
}

void TfrmMain::mnuResumeGameClick() {
    // A clock that runs keeps its next tick where it was.
    if (game.GameRunning && !Timer1->isActive())
        Timer1->start();
}

void TfrmMain::N13Click() {
    if (game.GameRunning) {
        Timer1->stop();
        m_platform.messageBox(
            QStringLiteral("Переводчик"),
            QStringLiteral("Во время игры исмользование переводчика невозможно.\r\nЗакончите "
                           "игру или выполните команду меню Файл -> Закончить игру"),
            mb::IconExclamation);
        Timer1->start();
        return;
    }
    TfrmTranslate window(m_platform, lstQuestion, this);
    m_platform.showModal(window);
}
