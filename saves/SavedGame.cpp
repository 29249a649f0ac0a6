// SPDX-License-Identifier: GPL-3.0-or-later
#include "saves/SavedGame.h"

#include "platform/Failure.h"
#include "platform/RegionalFormats.h"
#include "shared/CrLfLines.h"
#include "shared/GameState.h"
#include "shared/TextRules.h"
#include "shared/TimeValue.h"

#include <type_traits>
#include <vector>

namespace {

const QString lineEnd = QStringLiteral("\r\n");

// A value as the file holds it, and back; a value that is no number or time throws Failure.
QString toText(const QString& value) {
    return value;
}
QString toText(qint32 value) {
    return QString::number(value);
}
QString toText(double value) {
    return timevalue::toText(value);
}
void fromText(const QString& text, QString& value) {
    value = text;
}
void fromText(const QString& text, qint32& value) {
    value = textrules::toInt32(text);
}
void fromText(const QString& text, double& value) {
    value = timevalue::fromText(text);
}

// One line of the file: its key, and the field it holds, which the game state shares for some.
struct Field {
    QString key;
    QString (*write)(const SavedGame&);
    void (*read)(SavedGame&, const QString&);
    void (*fromGame)(SavedGame&, const GameState&);
    void (*toGame)(GameState&, const SavedGame&);
};

template <auto Saved, auto Game = nullptr> Field field(const char16_t* key) {
    Field f{QString::fromUtf16(key), [](const SavedGame& saved) { return toText(saved.*Saved); },
            [](SavedGame& saved, const QString& text) { fromText(text, saved.*Saved); }, nullptr, nullptr};
    if constexpr (!std::is_null_pointer_v<decltype(Game)>) {
        f.fromGame = [](SavedGame& saved, const GameState& game) { saved.*Saved = game.*Game; };
        f.toGame = [](GameState& game, const SavedGame& saved) { game.*Game = saved.*Saved; };
    }
    return f;
}

template <int K> Field answer(const char16_t* key) {
    return {QString::fromUtf16(key), [](const SavedGame& saved) { return saved.Answers[K]; },
            [](SavedGame& saved, const QString& text) { saved.Answers[K] = text; }, nullptr, nullptr};
}

// Any position but 0 to 4 would score every answer as wrong without a word.
void readPosition(SavedGame& saved, const QString& text) {
    const qint32 position = textrules::toInt32(text);
    if (position < 0 || position > 4)
        throw Failure(QStringLiteral("'%1' - неверное место правильного ответа (от 0 до 4) в \"%2\"")
                          .arg(position)
                          .arg(QStringLiteral("RealButton:=")));
    saved.RealButton = position;
}

// The lines in the order of the file. A new value of the game is one more line here.
const std::vector<Field>& fields() {
    static const std::vector<Field> all = [] {
        Field realButton = field<&SavedGame::RealButton, &GameState::RealButton>(u"RealButton:=");
        realButton.read = readPosition;
        return std::vector<Field>{
            field<&SavedGame::Date>(u"Date:="),
            field<&SavedGame::YesCount, &GameState::YesCount>(u"Yes:="),
            field<&SavedGame::NoCount, &GameState::NoCount>(u"No:="),
            field<&SavedGame::Points, &GameState::Points>(u"Очки:="),
            field<&SavedGame::GameTime, &GameState::GameTime>(u"GameTime:="),
            field<&SavedGame::TimeLeft, &GameState::TimeLeft>(u"GameTimePoz:="),
            field<&SavedGame::PlayerName, &GameState::PlayerName>(u"PlayerName:="),
            field<&SavedGame::Question>(u"Question:="),
            answer<0>(u"Answer1:="),
            answer<1>(u"Answer2:="),
            answer<2>(u"Answer3:="),
            answer<3>(u"Answer4:="),
            realButton,
            field<&SavedGame::DirectionTrans, &GameState::DirectionTrans>(u"DirectionTrans:="),
        };
    }();
    return all;
}

// A value reads back only if it holds no CR LF and none of the characters whose scrambled byte ends
// or drops out of the file's one line (LF, CR and end-of-file once scrambled).
void checkStorable(const QString& key, const QString& value) {
    const bool breaksLine = value.contains(lineEnd) || value.contains(QChar(0x03)) ||
                            value.contains(QChar(0x13)) || value.contains(QChar(0x14));
    if (breaksLine)
        throw Failure(
            QStringLiteral("Значение \"%1\" нельзя сохранить: в нём есть перевод строки или управляющий "
                           "символ, который оборвал бы сохранённую игру")
                .arg(key));
}

QString required(QStringView content, const QString& key) {
    std::optional<QString> value = GetStrValue(content, key);
    if (!value)
        throw Failure(QStringLiteral("В сохранённой игре нет ключа \"%1\"").arg(key));
    return *std::move(value);
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
    for (const Field& f : fields())
        if (f.fromGame)
            f.fromGame(saved, game);
    // The first line is the prompt; a box without a second line (the end of a game) asks nothing.
    const qsizetype wordStart = questionBoxText.indexOf(lineEnd);
    if (wordStart >= 0) {
        const QStringView rest = questionBoxText.sliced(wordStart + lineEnd.size());
        saved.Question = rest.left(rest.indexOf(lineEnd)).toString();
    }
    saved.Answers = answers;
    return saved;
}

QString format(const SavedGame& saved) {
    QString content;
    for (const Field& f : fields()) {
        const QString value = f.write(saved);
        checkStorable(f.key, value);
        content += f.key + value + lineEnd;
    }
    return content;
}

SavedGame parse(QStringView content) {
    SavedGame saved;
    // In the order a game is restored; the date is only shown, so it comes last.
    const std::vector<Field>& all = fields();
    for (auto f = all.begin() + 1; f != all.end(); ++f)
        f->read(saved, required(content, f->key));
    all.front().read(saved, required(content, all.front().key));
    return saved;
}

void restore(GameState& game, const SavedGame& saved, const QString& fileName) {
    for (const Field& f : fields())
        if (f.toGame)
            f.toGame(game, saved);
    game.reopenedFrom(fileName);
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
