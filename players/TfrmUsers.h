// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowPlumbing.h"

#include <QDialog>
#include <optional>

class GamesModel;
class Platform;
class PlayerHost;
class ProgramFolder;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;
struct GameState;

// The results window: every recorded game of one player a row, and the edits of the player file:
// rename, delete a player, delete chosen games, clear a player's games. Each edit rewrites the file
// whole and shows the lists again from the reloaded text.
class TfrmUsers : public QDialog {
    Q_OBJECT
public:
    // memoPlayers is the main window's player text, which host.reloadPlayerText() reloads.
    TfrmUsers(Platform& platform, const ProgramFolder& folder, const GameState& game,
              const QString& memoPlayers, PlayerHost& host, QWidget* parent = nullptr);

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

    QListWidget* ListBox1;
    QPushButton* SpeedButton1;
    QPushButton* Button3;
    QPushButton* SpeedButton2;
    QTableView* ListView1;
    GamesModel* games;
    QLabel* Label1;
    QPushButton* Button1;

    QString ShownPlayer;
    int ShownPlayerIndex = 0;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The selected name; none when the list is empty.
    std::optional<QString> selectedName() const;
    void writePlayerFile(const QString& text);
    void showCount();
    void refreshLabels();
    void selectAgain(int index);

    Platform& m_platform;
    const ProgramFolder& m_folder;
    const GameState& m_game;
    const QString& m_memoPlayers;
    PlayerHost& m_host;
    Anchors m_anchors;
};
