// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ProgramFolder.h"

#include <QDialog>
#include <functional>

class Platform;
class QListWidget;
class QPushButton;
class SaveListBox;
struct GameState;
struct SavedGame;

// The open window: lists the saved games and continues the chosen one on the main window.
class TfrmOpen : public QDialog {
    Q_OBJECT
public:
    // showRestored puts a reopened game on the main window (question box, answers, counters, player
    // labels, remaining time) and starts its clock; the game state already holds it by then.
    TfrmOpen(Platform& platform, ProgramFolder folder, GameState& game,
             std::function<void(const SavedGame&)> showRestored, QWidget* parent = nullptr);

    // Appends the names of a folder's saved games, sub-folders named like one included, in the order
    // the file system gives them. Pending events run meanwhile, so the clock and the windows stay
    // alive over a long folder; closing the list's window ends the listing.
    static void GetFiles(const QString& folder, QListWidget* list);

    void FormShow();
    void Button1Click();
    void Button2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    SaveListBox* ListBox1;
    QPushButton* Button1;
    QPushButton* Button2;

    Platform& m_platform;
    ProgramFolder m_folder;
    GameState& m_game;
    std::function<void(const SavedGame&)> m_showRestored;
};
