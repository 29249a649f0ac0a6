// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ProgramFolder.h"

#include <QDialog>
#include <functional>

class Platform;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QTabWidget;
class WordList;
class WordListModel;

// The user dictionary editor: adds pairs to "словарь/User.txt" and deletes them from it. New pairs are
// checked against the loaded word list and the window's own alphabetical copy of the user dictionary;
// when the window closes after a change, the main window reloads its word list.
class TfrmAddWord : public QDialog {
    Q_OBJECT
public:
    TfrmAddWord(Platform& platform, const ProgramFolder& folder, const WordList& wordList,
                std::function<void()> reloadWordList, QWidget* parent = nullptr);
    ~TfrmAddWord() override;

    // Reloads the user dictionary into the list and refreshes the counts.
    void FormShow();
    void FormClose();
    void Edit1Change();
    void Edit2Change();
    void btnAddWorldClick();
    void Button3Click();
    void Button1Click();
    void Edit3Change();
    void Button2Click();

    // The lines of lstWords, in its order.
    const WordList& userWords() const;
    // The row selected in lstWords, or -1.
    qsizetype selectedRow() const;

    bool DictionaryChanged = false;

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QLabel* Label1;
    QLabel* Label2;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QPushButton* btnAddWorld;
    QLabel* Label6;
    QLabel* Label7;
    QListView* lstWords;
    QLabel* Label3;
    QLineEdit* Edit3;
    QPushButton* Button1;
    QPushButton* Button3;
    QLabel* Label8;
    QLabel* Label4;
    QPushButton* Button2;

    class Busy;
    void buildAddPage();
    void buildDeletePage();
    void selectRow(qsizetype row);

    Platform& m_platform;
    ProgramFolder m_folder;
    const WordList& m_wordList;
    std::function<void()> m_reloadWordList;
    WordListModel* m_words;
    // While a load lets pending events run, the window takes no clicks and does not close, so that
    // nothing acts on a list that is half loaded.
    bool m_busy = false;
};
