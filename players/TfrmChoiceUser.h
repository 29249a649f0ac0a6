// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class Platform;
class PlayerHost;
class QLabel;
class QListWidget;
class QPushButton;
struct GameState;
namespace players {
class PlayerStore;
}

// The player selection: choosing a name in the list makes that player current at once, "Добавить"
// adds a player, and the buttons only close the window. Without any player the program cannot be
// used, so closing the window then closes the main window too.
class TfrmChoiceUser : public QDialog {
    Q_OBJECT
public:
    TfrmChoiceUser(Platform& platform, GameState& game, players::PlayerStore& players, PlayerHost& host,
                   QWidget* parent = nullptr);

    void FormShow();
    void ListBox1Click();
    void LoadPlayerInfo(const QString& Name);
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void ListBox1DblClick();
    void FormClose();

protected:
    void showEvent(QShowEvent* event) override;
    // Every way of closing ends here, so the closing rules always run.
    void done(int result) override;

private:
    QListWidget* ListBox1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QLabel* Label1;

    Platform& m_platform;
    GameState& m_game;
    players::PlayerStore& m_players;
    PlayerHost& m_host;
};
