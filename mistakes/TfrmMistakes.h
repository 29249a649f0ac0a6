// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mistakes/MistakesFile.h"

#include <QDialog>

class MistakesStore;
class Platform;
class QLabel;
class QPushButton;
class QTableWidget;

// "Мои ошибки": the current player's mistakes, most missed first, with their deletion and the start of
// a practice game, which the main window runs once this window has closed.
class TfrmMistakes : public QDialog {
    Q_OBJECT
public:
    // The words show as the game asks them in this direction.
    TfrmMistakes(Platform& platform, MistakesStore& store, const QString& player, const QString& direction,
                 QWidget* parent = nullptr);

    void LoadMistakes();
    void btnPracticeClick();
    void btnDeleteClick();
    bool practiceChosen() const { return m_practice; }

private:
    QTableWidget* table;
    QLabel* lblEmpty;
    QPushButton* btnPractice;
    QPushButton* btnDelete;
    QPushButton* btnClose;

    Platform& m_platform;
    MistakesStore& m_store;
    QString m_player;
    QString m_direction;
    QList<mistakes::Mistake> m_shown;
    bool m_practice = false;
};
