// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/GameState.h"

#include "platform/Failure.h"
#include "shared/TimeValue.h"

#include <cmath>

namespace {

qint32 checkedAdd(qint32 value, qint32 step) {
    qint32 sum;
    if (__builtin_add_overflow(value, step, &sum))
        throw Failure(QStringLiteral("Integer overflow"));
    return sum;
}

} // namespace

void GameState::startGame() {
    GameRunning = true;
    YesCount = 0;
    NoCount = 0;
    Points = 0;
    SaveFileName.clear();
}

void GameState::askQuestion(int realButton) {
    RealButton = realButton;
    Saved = false;
}

bool GameState::scoreAnswer(int position) {
    const bool right = RealButton == position;
    // Both counters are checked before either changes, so a refused answer leaves the score whole.
    if (right) {
        const qint32 yes = checkedAdd(YesCount, 1);
        Points = checkedAdd(Points, 100);
        YesCount = yes;
    } else {
        const qint32 no = checkedAdd(NoCount, 1);
        Points = checkedAdd(Points, -100);
        NoCount = no;
    }
    return right;
}

bool GameState::tick() {
    if (timevalue::toText(TimeLeft) != QStringLiteral("0:00:01")) {
        // Kept on whole milliseconds, so a day of ticks cannot drift the shown second.
        TimeLeft = std::round((TimeLeft - timevalue::OneSecond) * 86'400'000.0) / 86'400'000.0;
        return false;
    }
    TimeLeft = GameTime;
    RealButton = 0;
    GameRunning = false;
    return true;
}

void GameState::abortGame() {
    TimeLeft = GameTime;
    RealButton = 0;
    GameRunning = false;
    YesCount = 0;
    NoCount = 0;
    Points = 0;
    SaveFileName.clear();
    Saved = false;
    Practice = false;
}

void GameState::detachFromFile() {
    SaveFileName.clear();
}

void GameState::savedTo(const QString& fileName) {
    SaveFileName = fileName;
    Saved = true;
}

void GameState::reopenedFrom(const QString& fileName) {
    LoadedGame = true;
    Practice = false;
    GameRunning = true;
    savedTo(fileName);
}

void GameState::leaveReopenedGame() {
    LoadedGame = false;
}

void GameState::choosePlayer(const QString& name) {
    PlayerName = name;
}

void GameState::setGameTime(double gameTime) {
    GameTime = gameTime;
    TimeLeft = gameTime;
}

void GameState::choosePractice(bool practice) {
    Practice = practice;
}

void GameState::setDirection(const QString& direction) {
    DirectionTrans = direction;
}
