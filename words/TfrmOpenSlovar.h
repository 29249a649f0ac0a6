// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "words/Decoder.h"

#include <QDialog>

class QLabel;
class QProgressBar;

// The small progress window of a long dictionary load. The user cannot close it: it has no close box,
// and Alt+F4, Escape and the window manager's close request are refused until the load lets it go.
class TfrmOpenSlovar : public QDialog, public LoadProgress {
    Q_OBJECT
public:
    explicit TfrmOpenSlovar(QWidget* parent = nullptr);

    // The load's length and how far it has come, in characters of the text. The bar holds an int, so
    // a text longer than that is shown scaled; the percentage is taken from the exact figures.
    void setMaximum(qint64 maximum) override;
    // Moves the bar and shows the percentage.
    void setPosition(qint64 position) override;
    void showProgress() override;
    void processEvents() override;
    // Lets the window close, and closes it.
    void finish() override;

    void ShowPercent();
    // Alt+F4 clears the key; no other key does anything.
    void FormKeyDown(int& Key, Qt::KeyboardModifiers Shift);

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* Label1;
    QProgressBar* ProgBar;
    QLabel* lblPersent;

    void updateBar();

    qint64 m_maximum = 100;
    qint64 m_position = 0;
    int m_scaleShift = 0;
    bool m_loading = true;
};
