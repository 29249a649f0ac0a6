// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ProgramFolder.h"

#include <QDialog>
#include <functional>

class KeyStore;
class Platform;
class QCheckBox;
class QDateTimeEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The settings window: direction of translation, game length and the background picture. It shows
// what the key store holds, writes it back on "OK" and has the main window apply it at once; a chosen
// picture is copied into the program's folder.
class TfrmSeting : public QDialog {
    Q_OBJECT
public:
    TfrmSeting(Platform& platform, const ProgramFolder& folder, KeyStore& store,
               std::function<void()> loadRegistrySetings, QWidget* parent = nullptr);

    void FormShow();
    void Button1Click();
    void Button2Click();
    void CheckBox1Click();
    void Button3Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QGroupBox* GroupBox1;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QLabel* Label1;
    QDateTimeEdit* TimePicker;
    QCheckBox* CheckBox1;
    QPushButton* Button3;
    QPushButton* Button1;
    QPushButton* Button2;

    // The picture dialog, and the copy of a picked file; false when cancelled.
    bool pickPicture();

    Platform& m_platform;
    ProgramFolder m_folder;
    KeyStore& m_store;
    std::function<void()> m_loadRegistrySetings;
};
