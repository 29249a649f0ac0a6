// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's side of the players: the player file, the player selection, the results window and
// the change of player.
#include "app/TfrmMain.h"

#include "mistakes/MistakesFile.h"
#include "mistakes/TfrmMistakes.h"
#include "platform/Platform.h"
#include "players/PlayerActions.h"
#include "players/PlayerFile.h"
#include "players/TfrmChart.h"
#include "players/TfrmChoiceUser.h"
#include "players/TfrmUsers.h"
#include "quiz/GameBoard.h"
#include "quiz/GameRules.h"

#include <QTimer>

void TfrmMain::LoadPlayersInformation() {
    // A file that cannot even be created leaves the text as it was, without a word.
    playerStore.reload();
}

void TfrmMain::ShowPlayerSelection() {
    TfrmChoiceUser window(m_platform, game, playerStore, *this, this);
    m_platform.showModal(window);
}

void TfrmMain::SaveGameRezoults() {
    players::recordFinishedGame(m_platform, game, playerStore, *this);
}

void TfrmMain::mnuShowResultsClick() {
    TfrmUsers window(m_platform, game, playerStore, *this, this);
    m_platform.showModal(window);
}

void TfrmMain::mnuMistakesClick() {
    // The clock stands while the list is open, as it does for the other windows that change the game.
    const bool ticking = Timer1->isActive();
    Timer1->stop();
    bool practice = false;
    {
        TfrmMistakes window(m_platform, m_mistakes, playerKey(), game.DirectionTrans, this);
        m_platform.showModal(window);
        practice = window.practiceChosen();
    }
    if (practice)
        startNewGame(true);
    else if (ticking)
        Timer1->start();
}

void TfrmMain::mnuChartClick() {
    TfrmChart window(playerStore.MemoPlayers(), playerKey(), this);
    m_platform.showModal(window);
}

void TfrmMain::playerRenamed(const QString& oldName, const QString& newName) {
    m_mistakes.apply([&](QStringView text) { return mistakes::renamed(text, oldName, newName); });
}

void TfrmMain::playerDeleted(const QString& name) {
    m_mistakes.apply([&](QStringView text) { return mistakes::withoutPlayer(text, name); });
}

void TfrmMain::mnuChangePlayerClick() {
    if (game.playerChangeAsksToSave()) {
        Timer1->stop();
        const int answer = m_platform.messageBox(
            QStringLiteral("Вопрос"), QStringLiteral("Перед выбором нового игрока сохранить изменения ? "),
            mb::YesNoCancel | mb::IconQuestion);
        if (answer == mb::IdCancel) {
            Timer1->start();
            return;
        }
        // Saved as the close question saves: to the game's file, or through the save window without one.
        if (answer == mb::IdYes)
            mnuSaveClick();
        DestoryGame();
    } else if (game.GameRunning) {
        if (m_platform.messageBox(
                QStringLiteral("Вопрос"),
                QStringLiteral("Вы действительно хотите сменить игрока ? Это визвет окончание игры."),
                mb::YesNo | mb::IconQuestion) != mb::IdYes)
            return;
        DestoryGame();
    }
    ShowPlayerSelection();
}

void TfrmMain::setCurrentPlayerLabel(const QString& text) {
    board->setCurrentPlayerLabel(text);
}

void TfrmMain::setRecordLabel(const QString& text) {
    board->setRecordLabel(text);
}

void TfrmMain::stopGameClock() {
    Timer1->stop();
}

void TfrmMain::closeMainWindow() {
    // Once the player selection has closed, so that this is the last window and the program ends.
    QTimer::singleShot(0, this, [this] { close(); });
}

void TfrmMain::reloadSettings() {
    LoadRegistrySetings();
}
