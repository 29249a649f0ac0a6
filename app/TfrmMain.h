// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "quiz/GameState.h"
#include "settings/SettingsStore.h"
#include "words/WordList.h"

#include <QMainWindow>
#include <QPixmap>
#include <functional>

class KeyStore;
class MouseLabel;
class Platform;
class QAction;
class QFrame;
class QLabel;
class QTextEdit;
class QTimer;

// The one permanent window: the question box, the four answer buttons, the score panel and the menu.
// It owns the game state, the word list and the player text; every other window is a modal dialog
// opened by one of its commands.
class TfrmMain : public QMainWindow, public GameState, public SettingsTarget {
    Q_OBJECT
public:
    TfrmMain(Platform& platform, KeyStore& keyStore, QWidget* parent = nullptr);
    ~TfrmMain() override;

    Platform& platform() { return m_platform; }

    // Start-up, once, when the window is first shown.
    void FormShow();
    // The close question; false keeps the window open.
    bool FormCloseQuery();
    void FileAccess(const QString& fileName);
    void Decoder(const QString& fileName, WordList& list);
    void LoadRegistrySetings();
    void Timer2Timer();

    // Call points that the player and saved-game windows fill.
    void LoadPlayersInformation();
    void ShowPlayerSelection();
    void SaveGameRezoults();
    void ShowSaveWindow();
    void SaveToCurrentFile();

    // The game (quiz/).
    void NewQuestion();
    void ShowRND(int realButton, qsizetype rightIndex);
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

    // The answer buttons' faces (quiz/).
    void AnswerMouseMove(int position);
    void AnswerMouseDown(int position);
    void AnswerMouseUp(int position);
    void Answer1MouseMove() { AnswerMouseMove(1); }
    void Answer2MouseMove() { AnswerMouseMove(2); }
    void Answer3MouseMove() { AnswerMouseMove(3); }
    void Answer4MouseMove() { AnswerMouseMove(4); }
    void Answer1MouseDown() { AnswerMouseDown(1); }
    void Answer2MouseDown() { AnswerMouseDown(2); }
    void Answer3MouseDown() { AnswerMouseDown(3); }
    void Answer4MouseDown() { AnswerMouseDown(4); }
    void Answer1MouseUp() { AnswerMouseUp(1); }
    void Answer2MouseUp() { AnswerMouseUp(2); }
    void Answer3MouseUp() { AnswerMouseUp(3); }
    void Answer4MouseUp() { AnswerMouseUp(4); }
    void imgBqrMouseMove();

    // Window-opening and other menu commands.
    void mnuOpenClick();
    void mnuSaveClick();
    void mnuSaveAsClick();
    void mnuExitClick();
    void mnuSetingClick();
    void mnuChangePlayerClick();
    void mnuShowResultsClick();
    void N12Click();
    void mnuReadMeClick();
    void mnuAboutClick();

    // The settings as LoadRegistrySetings applies them.
    void setGameTime(double gameTime) override;
    void setDirection(const QString& direction) override;
    void loadBackground(const QString& path) override;
    void clearBackground() override;

    // The question box's text, its lines joined by CR LF.
    QString memoText() const;
    void setMemoText(const QString& text);
    MouseLabel* answerImage(int position) const;
    QLabel* answerLabel(int position) const;

    // Controls.
    MouseLabel* imgBqr;
    QPixmap imgNormal, imgMouseMove, imgPress;
    QLabel* lblPlayerReccord;
    QLabel* lblCurrentPlayer;
    MouseLabel *Answer1, *Answer2, *Answer3, *Answer4;
    MouseLabel *lblAnswer1, *lblAnswer2, *lblAnswer3, *lblAnswer4;
    WordList lstQuestion;
    QString MemoPlayers;
    QTextEdit* mmWorld;
    QFrame* Panel1;
    QLabel* Image2;
    QLabel *Label16, *Label17, *Label19, *Label3;
    QTimer* Timer1;
    QTimer* Timer2;

    QAction *mnuNewGame, *mnuOpen, *mnuSave, *mnuSaveAs, *mnuStopGame, *mnuResumeGame, *mnuAbortGame,
        *mnuExit;
    QAction *mnuSeting, *mnuChangePlayer, *mnuShowResults, *N12, *N13;
    QAction *mnuReadMe, *mnuAbout;

    // Shared by the four answer buttons: one button at a time wears the mouse-over face.
    bool HoverActive = false;
    qint32 HoverButton = 0;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void connectAnswerButtons();
    // Runs a handler through the error report.
    void guarded(const std::function<void()>& handler);
    QAction* menuCommand(QMenu* menu, const char* name, const QString& caption, void (TfrmMain::*handler)());

    Platform& m_platform;
    KeyStore& m_keyStore;
    bool m_shown = false;
};
