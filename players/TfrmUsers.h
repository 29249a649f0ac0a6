// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowPlumbing.h"

#include <QDialog>
#include <optional>

class GamesModel;
class Platform;
class PlayerHost;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;
struct GameState;
namespace players {
class PlayerStore;
}

// The results window: every recorded game of one player a row, and the edits of the player file:
// rename, delete a player, delete chosen games, clear a player's games. Each edit goes to the player
// file as it is now and shows the lists again from what the file then holds.
class TfrmUsers : public QDialog {
    Q_OBJECT
public:
    TfrmUsers(Platform& platform, const GameState& game, players::PlayerStore& players, PlayerHost& host,
              QWidget* parent = nullptr);

    void FormShow();
    void ListBox1Click();
    void LoadInformation(const QString& Name);
    void Button3Click();
    void SpeedButton1Click();
    void DeletePlayer();
    void ListView1Enter();
    void ListView1Exit();
    void SpeedButton2Click();
    void Button1Click();

    QString ShownPlayer;
    int ShownPlayerIndex = 0;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* ListBox1;
    QPushButton* SpeedButton1;
    QPushButton* Button3;
    QPushButton* SpeedButton2;
    QTableView* ListView1;
    GamesModel* games;
    QLabel* Label1;
    QPushButton* Button1;

    // The selected name; none when the list is empty.
    std::optional<QString> selectedName() const;
    void showCount();
    void refreshLabels();
    void selectAgain(int index);

    Platform& m_platform;
    const GameState& m_game;
    players::PlayerStore& m_players;
    PlayerHost& m_host;
    Anchors m_anchors;
};
