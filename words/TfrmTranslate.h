// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class Platform;
class QAction;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class WordList;

// The mini translator: while the user types, lists up to ten loaded pairs whose English or Russian
// side begins with the typed word; a listed line can be copied.
class TfrmTranslate : public QDialog {
    Q_OBJECT
public:
    TfrmTranslate(Platform& platform, const WordList& wordList, QWidget* parent = nullptr);

    QString GetLanguage() const;
    void Edit1Change();
    void FormShow();
    void mnuCopyClick();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* Edit1;
    QPushButton* Button1;
    QListWidget* ListBox1;
    QMenu* PopupMenu1;
    QAction* mnuCopy;

    Platform& m_platform;
    const WordList& m_wordList;
    bool m_trimming = false;
};
