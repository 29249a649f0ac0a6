// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ProgramFolder.h"

#include <QDialog>
#include <functional>

class Platform;
class QLineEdit;
class QPushButton;
class SaveListBox;
struct GameState;
struct SavedGame;

// The save window: names the file the running game is written to. Its Save also serves callers that
// never show it ("Сохранить" to the game's own file).
class TfrmSave : public QDialog {
    Q_OBJECT
public:
    // snapshot gives the game and what the main window shows at the moment it is called.
    TfrmSave(Platform& platform, ProgramFolder folder, GameState& game, std::function<SavedGame()> snapshot,
             QWidget* parent = nullptr);

    // Writes the game to the file, asking first when ask is set and the file exists; then the window
    // closes, and the game belongs to the file. A failure leaves the old file and the game's file name.
    void Save(const QString& path, bool ask);

    void FormShow();
    void Button1Click();
    void Button2Click();
    void ListBox1DblClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    SaveListBox* ListBox1;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QPushButton* Button2;

    Platform& m_platform;
    ProgramFolder m_folder;
    GameState& m_game;
    std::function<SavedGame()> m_snapshot;
};
