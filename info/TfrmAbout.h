// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ProgramFolder.h"

#include <QDialog>

class MouseLabel;
class Platform;
class QLabel;
class QPushButton;

// The about window: what the program is, its version and who made it, with a link to the read-me and
// one to write a letter. It stays above the other windows until closed.
class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    TfrmAbout(Platform& platform, const ProgramFolder& folder, QWidget* parent = nullptr);

    void FormCreate();
    void FormShow();
    void Label2Click();
    void Label3Click();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label5;
    QLabel* Label4;
    MouseLabel* Label2;
    MouseLabel* Label3;
    QPushButton* Button1;

    Platform& m_platform;
    ProgramFolder m_folder;
};
