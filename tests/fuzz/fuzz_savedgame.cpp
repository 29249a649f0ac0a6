// SPDX-License-Identifier: GPL-3.0-or-later
// The saved-game content: any file reads as a checked game or fails with a message, and every game
// the program can write reads back as the same game.
#include "FuzzCheck.h"
#include "platform/Failure.h"
#include "platform/TextCodec.h"
#include "saves/SavedGame.h"
#include "shared/GameState.h"
#include "shared/ScrambledText.h"
#include "shared/TimeValue.h"

#include <QRegularExpression>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

namespace {

std::optional<SavedGame> parsed(QStringView content) {
    try {
        return savedgame::parse(content);
    } catch (const Failure& failure) {
        FUZZ_CHECK(!failure.message().isEmpty());
        return std::nullopt;
    }
}

// A decimal integer of 32 bits with an optional sign, blanks around it allowed; nothing else.
std::optional<qint32> decimal(const QString& text) {
    static const QRegularExpression shape(QStringLiteral("^[+-]?[0-9]+$"));
    const QString trimmed = text.trimmed();
    if (!shape.match(trimmed).hasMatch())
        return std::nullopt;
    const QString digits = trimmed.sliced(trimmed[0] == u'+' || trimmed[0] == u'-' ? 1 : 0);
    qint64 value = 0;
    for (const QChar c : digits) {
        value = value * 10 + (c.unicode() - u'0');
        if (value > qint64(1) << 32)
            return std::nullopt;
    }
    if (trimmed[0] == u'-')
        value = -value;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

// The numbers of a game read back are the numbers its file spells.
void checkNumbers(QStringView content, const SavedGame& game) {
    const auto spelled = [&](QStringView key) {
        return decimal(GetStrValue(content, key).value_or(QString()));
    };
    FUZZ_CHECK(spelled(u"Yes:=") == game.YesCount);
    FUZZ_CHECK(spelled(u"No:=") == game.NoCount);
    FUZZ_CHECK(spelled(u"Очки:=") == game.Points);
    FUZZ_CHECK(spelled(u"RealButton:=") == game.RealButton);
}

// Equal as the file can tell: times only by their text.
bool same(const SavedGame& a, const SavedGame& b) {
    return a.Date == b.Date && a.YesCount == b.YesCount && a.NoCount == b.NoCount && a.Points == b.Points &&
           timevalue::toText(a.GameTime) == timevalue::toText(b.GameTime) &&
           timevalue::toText(a.TimeLeft) == timevalue::toText(b.TimeLeft) && a.PlayerName == b.PlayerName &&
           a.Question == b.Question && a.Answers == b.Answers && a.RealButton == b.RealButton &&
           a.DirectionTrans == b.DirectionTrans;
}

// A value the file cannot carry: a line break, or a character whose scrambled byte ends the line.
bool storable(const QString& value) {
    return !value.contains(QLatin1String("\r\n")) && !value.contains(QChar(0x03)) &&
           !value.contains(QChar(0x13)) && !value.contains(QChar(0x14));
}

bool storable(const SavedGame& game) {
    bool all = storable(game.Date) && storable(game.PlayerName) && storable(game.Question) &&
               storable(game.DirectionTrans);
    for (const QString& answer : game.Answers)
        all = all && storable(answer);
    return all;
}

// Written the way the save window writes, read the way the open window reads.
void checkRoundTrip(const SavedGame& game) {
    QString content;
    try {
        content = savedgame::format(game);
    } catch (const Failure&) {
        FUZZ_CHECK(!storable(game));
        return;
    }
    FUZZ_CHECK(storable(game));
    const QString path = fuzz::scratchFile("game.gsv");
    WriteScrambledText(path, content, WriteMode::Replace);
    const QString read = ReadScrambledText(path);
    FUZZ_CHECK(read == content);
    const std::optional<SavedGame> back = parsed(read);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(same(*back, game));

    GameState state;
    savedgame::restore(state, *back, path);
    FUZZ_CHECK(state.LoadedGame && state.GameRunning && state.Saved && state.SaveFileName == path);
    FUZZ_CHECK(state.RealButton >= 0 && state.RealButton <= 4);
}

qint32 number(const std::uint8_t* data, std::size_t size, std::size_t at) {
    qint32 value = 0;
    if (at + sizeof value <= size)
        std::memcpy(&value, data + at, sizeof value);
    return value;
}

double timeValue(const std::uint8_t* data, std::size_t size, std::size_t at) {
    std::uint64_t raw = 0;
    if (at + sizeof raw <= size)
        std::memcpy(&raw, data + at, sizeof raw);
    const double value = std::bit_cast<double>(raw);
    // The store refuses what is not finite, and a game's clock counts down from there.
    return std::isfinite(value) ? value : 0.0;
}

// A game made of the input: numbers from its first bytes, texts from the rest split at 0x1F.
SavedGame gameOf(const std::uint8_t* data, std::size_t size) {
    SavedGame game;
    game.YesCount = number(data, size, 0);
    game.NoCount = number(data, size, 4);
    game.Points = number(data, size, 8);
    game.GameTime = timeValue(data, size, 12);
    game.TimeLeft = timeValue(data, size, 20);
    game.RealButton = int(std::uint32_t(number(data, size, 28)) % 5);
    const QStringList texts =
        size > 32 ? ansi::decode(QByteArrayView(data + 32, qsizetype(size - 32))).split(QChar(0x1F))
                  : QStringList();
    const auto text = [&](qsizetype k) { return k < texts.size() ? texts[k] : QString(); };
    game.Date = text(0);
    game.PlayerName = text(1);
    game.Question = text(2);
    for (int k = 0; k < 4; ++k)
        game.Answers[k] = text(3 + k);
    game.DirectionTrans = text(7);
    return game;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);

    // The input as a saved-game file.
    const QString path = fuzz::scratchFile("input.gsv");
    fuzz::writeFile(path, bytes);
    const QString content = ReadScrambledText(path);
    if (const std::optional<SavedGame> game = parsed(content)) {
        FUZZ_CHECK(game->RealButton >= 0 && game->RealButton <= 4);
        checkNumbers(content, *game);
        checkRoundTrip(*game);
    }
    // The input as plain content, which may hold any character.
    const QString plain = ansi::decode(bytes);
    if (const std::optional<SavedGame> game = parsed(plain)) {
        checkNumbers(plain, *game);
        checkRoundTrip(*game);
    }

    checkRoundTrip(gameOf(data, size));
    return 0;
}
