// SPDX-License-Identifier: GPL-3.0-or-later
#include "players/PlayerActions.h"

#include "platform/Failure.h"
#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "platform/RegionalFormats.h"
#include "players/PlayerFile.h"
#include "players/PlayerHost.h"
#include "shared/GameState.h"
#include "shared/ScrambledText.h"
#include "shared/TextRules.h"
#include "shared/TimeValue.h"

namespace players {

std::optional<QString> readPlayerFile(const QString& path) {
    try {
        files::createIfMissing(path);
    } catch (const Failure&) {
        return std::nullopt; // silently: MemoPlayers keeps what it held
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
    const qint32 record = bestPoints(memoPlayers, textrules::trimmed(playerName).toString());
    host.setPlayerLabels(QStringLiteral("Текущий игрок: ") + playerName,
                         QStringLiteral("Ваш рекорд: ") + QString::number(record));
}

void recordFinishedGame(Platform& platform, const ProgramFolder& folder, const GameState& game,
                        const QString& memoPlayers, PlayerHost& host) {
    const QString name = textrules::trimmed(game.PlayerName).toString();
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
