// SPDX-License-Identifier: GPL-3.0-or-later
#include "saves/SavedGame.h"

#include "platform/Failure.h"
#include "platform/RegionalFormats.h"
#include "shared/CrLfLines.h"
#include "shared/GameState.h"
#include "shared/TextRules.h"
#include "shared/TimeValue.h"

namespace {

const QString lineEnd = QStringLiteral("\r\n");

const QString dateKey = QStringLiteral("Date:=");
const QString yesKey = QStringLiteral("Yes:=");
const QString noKey = QStringLiteral("No:=");
const QString pointsKey = QStringLiteral("Очки:=");
const QString gameTimeKey = QStringLiteral("GameTime:=");
const QString timeLeftKey = QStringLiteral("GameTimePoz:=");
const QString playerKey = QStringLiteral("PlayerName:=");
const QString questionKey = QStringLiteral("Question:=");
const std::array<QString, 4> answerKeys = {QStringLiteral("Answer1:="), QStringLiteral("Answer2:="),
                                           QStringLiteral("Answer3:="), QStringLiteral("Answer4:=")};
const QString realButtonKey = QStringLiteral("RealButton:=");
const QString directionKey = QStringLiteral("DirectionTrans:=");

// A value reads back only if it holds no CR LF and none of the characters whose scrambled byte ends
// or drops out of the file's one line (LF, CR and end-of-file once scrambled).
void checkStorable(const QString& key, const QString& value) {
    const bool breaksLine = value.contains(lineEnd) || value.contains(QChar(0x03)) ||
                            value.contains(QChar(0x13)) || value.contains(QChar(0x14));
    if (breaksLine)
        throw Failure(
            QStringLiteral("The value of \"%1\" cannot be saved: it holds a line break or a control "
                           "character that would cut the saved game short")
                .arg(key));
}

QString required(QStringView content, const QString& key) {
    std::optional<QString> value = GetStrValue(content, key);
    if (!value)
        throw Failure(QStringLiteral("Key \"%1\" is missing from the saved game").arg(key));
    return *std::move(value);
}

qint32 integer(QStringView content, const QString& key) {
    return textrules::toInt32(required(content, key));
}

double time(QStringView content, const QString& key) {
    return timevalue::fromText(required(content, key));
}

} // namespace

std::optional<QString> GetStrValue(QStringView content, QStringView key) {
    CrLfLines lines(content);
    while (lines.next()) {
        if (lines.line().startsWith(key))
            return lines.line().sliced(key.size()).toString();
    }
    return std::nullopt;
}

namespace savedgame {

SavedGame snapshot(const GameState& game, QStringView questionBoxText, const std::array<QString, 4>& answers,
                   const QDateTime& moment) {
    SavedGame saved;
    saved.Date = regional::dateTimeText(moment);
    saved.YesCount = game.YesCount;
    saved.NoCount = game.NoCount;
    saved.Points = game.Points;
    saved.GameTime = game.GameTime;
    saved.TimeLeft = game.TimeLeft;
    saved.PlayerName = game.PlayerName;
    // The first line is the prompt; a box without a second line (the end of a game) asks nothing.
    const qsizetype wordStart = questionBoxText.indexOf(lineEnd);
    if (wordStart >= 0) {
        const QStringView rest = questionBoxText.sliced(wordStart + lineEnd.size());
        saved.Question = rest.left(rest.indexOf(lineEnd)).toString();
    }
    saved.Answers = answers;
    saved.RealButton = game.RealButton;
    saved.DirectionTrans = game.DirectionTrans;
    return saved;
}

QString format(const SavedGame& saved) {
    QString content;
    const auto add = [&](const QString& key, const QString& value) {
        checkStorable(key, value);
        content += key + value + lineEnd;
    };
    add(dateKey, saved.Date);
    add(yesKey, QString::number(saved.YesCount));
    add(noKey, QString::number(saved.NoCount));
    add(pointsKey, QString::number(saved.Points));
    add(gameTimeKey, timevalue::toText(saved.GameTime));
    add(timeLeftKey, timevalue::toText(saved.TimeLeft));
    add(playerKey, saved.PlayerName);
    add(questionKey, saved.Question);
    for (int k = 0; k < 4; ++k)
        add(answerKeys[k], saved.Answers[k]);
    add(realButtonKey, QString::number(saved.RealButton));
    add(directionKey, saved.DirectionTrans);
    return content;
}

SavedGame parse(QStringView content) {
    SavedGame saved;
    saved.YesCount = integer(content, yesKey);
    saved.NoCount = integer(content, noKey);
    saved.Points = integer(content, pointsKey);
    saved.GameTime = time(content, gameTimeKey);
    saved.TimeLeft = time(content, timeLeftKey);
    saved.PlayerName = required(content, playerKey);
    saved.Question = required(content, questionKey);
    for (int k = 0; k < 4; ++k)
        saved.Answers[k] = required(content, answerKeys[k]);
    saved.RealButton = integer(content, realButtonKey);
    // Any other position would score every answer as wrong without a word.
    if (saved.RealButton < 0 || saved.RealButton > 4)
        throw Failure(QStringLiteral("'%1' is not a valid position of the right answer (0 to 4) for \"%2\"")
                          .arg(saved.RealButton)
                          .arg(realButtonKey));
    saved.DirectionTrans = required(content, directionKey);
    saved.Date = required(content, dateKey);
    return saved;
}

void restore(GameState& game, const SavedGame& saved, const QString& fileName) {
    game.YesCount = saved.YesCount;
    game.NoCount = saved.NoCount;
    game.Points = saved.Points;
    game.GameTime = saved.GameTime;
    game.TimeLeft = saved.TimeLeft;
    game.PlayerName = saved.PlayerName;
    game.RealButton = saved.RealButton;
    game.DirectionTrans = saved.DirectionTrans;
    game.LoadedGame = true;
    game.Practice = false;
    game.GameRunning = true;
    game.SaveFileName = fileName;
    game.Saved = true;
}

QString questionBoxText(const SavedGame& saved) {
    return QStringLiteral("Выберете перевод слова:\r\n") + saved.Question;
}

QString currentPlayerText(const SavedGame& saved) {
    return QStringLiteral("Текущий игрок: ") + saved.PlayerName;
}

QString saveTimeText(const SavedGame& saved) {
    return QStringLiteral("Время сохранения: ") + saved.Date;
}

// Two blanks after the colon, unlike the label of a game started afresh.
QString remainingTimeText(const SavedGame& saved) {
    return QStringLiteral("У вас осталось:  ") + timevalue::toText(saved.TimeLeft);
}

} // namespace savedgame
