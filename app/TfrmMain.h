// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mistakes/MistakesStore.h"
#include "mistakes/PracticeSet.h"
#include "platform/ProgramFolder.h"
#include "players/PlayerHost.h"
#include "players/PlayerStore.h"
#include "settings/SettingsStore.h"
#include "shared/GameState.h"
#include "words/WordList.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class DictionaryReader;
class GameBoard;
class KeyStore;
class Platform;
class QAction;
class QMenu;
class QTimer;

// The one permanent window: the game board, the menu and the two timers. It owns the game state, the
// word list and the player file's owner; every other window is a modal dialog opened by one of its commands
// and given only what it works on. The handlers here stay short: the rules live in the subsystems.
class TfrmMain : public QMainWindow, public SettingsTarget, public PlayerHost {
    Q_OBJECT
public:
    TfrmMain(Platform& platform, KeyStore& keyStore, ProgramFolder folder, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Start-up, once, when the window is first shown.
    void FormShow();
    // The close question; false keeps the window open.
    bool FormCloseQuery();
    void FileAccess(const QString& fileName);
    void Decoder(const QString& fileName, WordList& list);
    // A reading of a dictionary begun before the window was built; the first load of that file
    // takes it over.
    void takeEarlyReading(std::unique_ptr<DictionaryReader> reader);
    // Clears the word list and loads the standard, then the user dictionary, each if it exists.
    void LoadWordLists();
    void LoadRegistrySetings();
    void Timer2Timer();

    // Call points that the player and saved-game windows fill.
    void LoadPlayersInformation();
    void ShowPlayerSelection();
    void SaveGameRezoults();
    // Whether the game was saved.
    bool ShowSaveWindow();
    bool SaveToCurrentFile();

    // The game.
    void NewQuestion();
    void mnuNewGameClick();
    void AnswerClick(int position);
    void Answer1Click() { AnswerClick(1); }
    void Answer2Click() { AnswerClick(2); }
    void Answer3Click() { AnswerClick(3); }
    void Answer4Click() { AnswerClick(4); }
    void UpdateKolichestvo();
    void Timer1Timer();
    void DestoryGame();
    void mnuAbortGameClick();
    void mnuStopGameClick();
    void mnuResumeGameClick();
    void N13Click();

    // Window-opening and other menu commands.
    void mnuOpenClick();
    void mnuSaveClick();
    void mnuSaveAsClick();
    void mnuExitClick();
    void mnuSetingClick();
    void mnuChangePlayerClick();
    void mnuShowResultsClick();
    void mnuMistakesClick();
    void mnuChartClick();
    void N12Click();
    void mnuReadMeClick();
    void mnuAboutClick();

    // The settings as LoadRegistrySetings applies them.
    void setGameTime(double gameTime) override;
    void setDirection(const QString& direction) override;
    void loadBackground(const QString& path) override;
    void clearBackground() override;

    // What the player windows change here.
    void setCurrentPlayerLabel(const QString& text) override;
    void setRecordLabel(const QString& text) override;
    void stopGameClock() override;
    void closeMainWindow() override;
    void reloadSettings() override;
    void playerRenamed(const QString& oldName, const QString& newName) override;
    void playerDeleted(const QString& name) override;

    GameState game;
    WordList lstQuestion;
    // The player file and its text, MemoPlayers.
    players::PlayerStore playerStore;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    GameBoard* board;
    QTimer* Timer1;
    QTimer* Timer2;
    QAction *mnuNewGame, *mnuOpen, *mnuSave, *mnuSaveAs, *mnuStopGame, *mnuResumeGame, *mnuAbortGame,
        *mnuExit;
    QAction *mnuSeting, *mnuChangePlayer, *mnuShowResults, *mnuMistakes, *mnuChart, *N12, *N13;
    QAction *mnuReadMe, *mnuAbout;

    void buildMenu();
    // Clears what writes killed halfway left beside the program's files.
    void removeLeftovers();
    // Writes the results that a failed write left unrecorded; when that fails too, asks whether to
    // close without them.
    bool unrecordedResultsLetClose();
    // Runs a handler through the error report.
    void guarded(const std::function<void()>& handler);
    QAction* menuCommand(QMenu* menu, const char* name, const QString& caption, void (TfrmMain::*handler)());
    QTimer* timer(int interval, void (TfrmMain::*handler)());
    void playSound(const char* relativeName);
    // A new game, or a practice game over the current player's mistakes.
    void startNewGame(bool practice);
    // Counts the answer to the asked pair in the player's mistakes and in the practice set.
    void noteAnswer(bool right);
    // Queues an edit of the mistakes file and has it written once the handler has returned.
    void queueMistakesEdit(MistakesStore::Edit edit);
    void flushMistakes();
    // Save and save-as follow whether the game may be saved.
    void enableSaving();
    QString playerKey() const;

    Platform& m_platform;
    KeyStore& m_keyStore;
    ProgramFolder m_folder;
    bool m_shown = false;
    std::unique_ptr<DictionaryReader> m_earlyReading;
    MistakesStore m_mistakes;
    PracticeSet m_practice;
    QString m_askedPair; // the pair of the question on the board, a copy: the list may be reloaded
};
