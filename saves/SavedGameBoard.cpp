// SPDX-License-Identifier: GPL-3.0-or-later
#include "saves/SavedGameBoard.h"

#include "quiz/AnswerLabel.h"
#include "quiz/GameBoard.h"
#include "saves/SavedGame.h"
#include "shared/MouseLabel.h"

SavedGame savedGameOnBoard(const GameState& game, const GameBoard& board, const QDateTime& moment) {
    const std::array<QString, 4> answers = {board.answerLabel(1)->text(), board.answerLabel(2)->text(),
                                            board.answerLabel(3)->text(), board.answerLabel(4)->text()};
    return savedgame::snapshot(game, board.memoText(), answers, moment);
}

void showSavedGame(GameBoard& board, const SavedGame& saved) {
    board.setMemoText(savedgame::questionBoxText(saved));
    for (int position = 1; position <= 4; ++position)
        board.answerLabel(position)->setText(saved.Answers[position - 1]);
    board.setPlayerLabels(savedgame::currentPlayerText(saved), savedgame::saveTimeText(saved));
    board.setTimeText(savedgame::remainingTimeText(saved));
}
