// SPDX-License-Identifier: GPL-3.0-or-later
#include "players/PlayerActions.h"

#include "platform/Failure.h"
#include "platform/Platform.h"
#include "platform/RegionalFormats.h"
#include "players/PlayerFile.h"
#include "players/PlayerHost.h"
#include "players/PlayerStore.h"
#include "shared/GameState.h"
#include "shared/TextRules.h"
#include "shared/TimeValue.h"

namespace players {

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
    const qint32 record = bestPoints(memoPlayers, textrules::trimmed(playerName).toString());
    host.setRecordLabel(QStringLiteral("Ваш рекорд: ") + QString::number(record));
}

void recordFinishedGame(Platform& platform, const GameState& game, PlayerStore& store, PlayerHost& host) {
    bool recorded = false;
    try {
        recorded = store.recordGame(textrules::trimmed(game.PlayerName).toString(),
                                    {regional::dateTimeText(platform.now()), QString::number(game.YesCount),
                                     QString::number(game.NoCount), QString::number(game.Points),
                                     timevalue::toText(game.GameTime)});
    } catch (const Failure& failure) {
        platform.messageBox(QStringLiteral("Результат не записан"),
                            failure.message() +
                                QStringLiteral("\r\n\r\nРезультат игры не потерян: программа запишет его в "
                                               "список игроков при следующем изменении списка или при "
                                               "выходе из программы."),
                            mb::IconExclamation);
        return;
    }
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
    showPlayerLabels(host, store.MemoPlayers(), game.PlayerName);
}

} // namespace players
