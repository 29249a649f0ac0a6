// SPDX-License-Identifier: GPL-3.0-or-later
#include "players/PlayerActions.h"

#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "platform/RegionalFormats.h"
#include "players/PlayerFile.h"
#include "players/PlayerHost.h"
#include "quiz/GameState.h"
#include "quiz/TimeValue.h"
#include "words/ScrambledText.h"

#include <QFile>

namespace players {

std::optional<QString> readPlayerFile(const QString& path) {
    if (!QFile::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return std::nullopt;
    }
    return normalisedLineBreaks(ReadScrambledText(path));
}

void refuseUnsafeName(Platform& platform) {
    platform.messageBox(QStringLiteral("Отмена ввода"),
                        QStringLiteral("Такое имя испортило бы список игроков.\r\nИмя не должно содержать "
                                       "переводов строки и других управляющих символов, сочетаний "
                                       "\"$/$/$/$/$\" и \"$\\$\\$\\$\\$\", начинаться с \"/$\" и "
                                       "заканчиваться на \"$\\\"."),
                        mb::IconExclamation);
}

void showPlayerLabels(PlayerHost& host, const QString& memoPlayers, const QString& playerName) {
    // The name first: a record that cannot be read must not leave another player's name showing.
    host.setCurrentPlayerLabel(QStringLiteral("Текущий игрок: ") + playerName);
    const qint32 record = bestPoints(memoPlayers, trimmedName(playerName));
    host.setRecordLabel(QStringLiteral("Ваш рекорд: ") + QString::number(record));
}

void recordFinishedGame(Platform& platform, const ProgramFolder& folder, const GameState& game,
                        const QString& memoPlayers, PlayerHost& host) {
    const QString name = trimmedName(game.PlayerName);
    const std::optional<QString> recorded = withGameRecorded(
        memoPlayers, name,
        {regional::dateTimeText(platform.now()), QString::number(game.YesCount),
         QString::number(game.NoCount), QString::number(game.Points), timevalue::toText(game.GameTime)});
    if (!recorded) {
        // Writing the result anywhere else would give it to another player.
        platform.messageBox(QStringLiteral("Результат не записан"),
                            QStringLiteral("Результат игры не записан: игрока \"%1\" больше нет в списке "
                                           "игроков (его переименовали или удалили).\r\nВыберите игрока "
                                           "командой меню Сервис -> Сменить игрока.")
                                .arg(game.PlayerName),
                            mb::IconExclamation);
        return;
    }
    WriteScrambledText(folder.file(FileName), *recorded, WriteMode::Replace);
    host.reloadPlayerText();
    showPlayerLabels(host, memoPlayers, game.PlayerName);
}

} // namespace players
