// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QWidget>

#include "quiz/Question.h"

struct GameState;
class AnswerLabel;
class MouseLabel;
class QFrame;
class QLabel;
class QuestionBox;

// The main window's client area: the background, the two player labels, the question box, the four
// picture answer buttons with their faces, and the score panel. It shows what the game commands
// decide and reports clicks on an answer; the game itself is run by the main window.
class GameBoard : public QWidget {
    Q_OBJECT
public:
    // The answer buttons' pressed face depends on whether a game is on.
    GameBoard(const GameState& game, QWidget* parent);

    void showQuestion(const question::Drawn& drawn);
    // The three counter labels, each wide enough for any value.
    void showCounters(const GameState& game);
    // "У вас осталось: " and the time text.
    void showTimeLeft(double value);
    // The time label's text as it stands, as a saved game shows its remaining time.
    void setTimeText(const QString& text);
    // The end of the time: all four answers read "Время закончилось!".
    void showTimeUp();
    // No game: empty answers, the prompt to press F2.
    void showNoGame();
    // Both player labels sized to their texts, each then 10 pixels wider; a text too long for the
    // board is shortened, whole in the tool tip.
    void setPlayerLabels(const QString& currentPlayerText, const QString& recordText);
    void setCurrentPlayerLabel(const QString& text);
    void setRecordLabel(const QString& text);

    // Once the window is first shown: the answer buttons in their normal face, the background over the
    // whole board (the window's frame does not exist yet at the first show, so its outer size cannot be
    // asked for then).
    void showFirstFaces();
    void setBackground(const QPixmap& picture);
    void clearBackground();

    // The question box's text, its lines joined by CR LF.
    QString memoText() const;
    void setMemoText(const QString& text);
    MouseLabel* answerImage(int position) const;
    AnswerLabel* answerLabel(int position) const;

    // The faces of the answer buttons. One button at a time wears the mouse-over face; only the
    // background takes it off again.
    void AnswerMouseMove(int position);
    void AnswerMouseDown(int position);
    void AnswerMouseUp(int position);
    void imgBqrMouseMove();

    QPixmap imgNormal, imgMouseMove, imgPress;

    bool HoverActive = false;
    qint32 HoverButton = 0;

signals:
    void answerClicked(int position);

private:
    MouseLabel* imgBqr;
    QLabel* lblPlayerReccord;
    QLabel* lblCurrentPlayer;
    MouseLabel *Answer1, *Answer2, *Answer3, *Answer4;
    AnswerLabel *lblAnswer1, *lblAnswer2, *lblAnswer3, *lblAnswer4;
    QuestionBox* mmWorld;
    QFrame* Panel1;
    QLabel* Image2;
    QLabel *Label16, *Label17, *Label19, *Label3;

    void connectAnswerButtons();

    const GameState& m_game;
};
