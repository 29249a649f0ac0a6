// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>

// The list of saved games in the save and open windows: sky blue, rows 13 pixels high, kept in the
// order the entries were added, and a double click anywhere in it, not only on an entry.
class SaveListBox : public QListWidget {
    Q_OBJECT
public:
    explicit SaveListBox(QWidget* parent = nullptr);

    // The selected entry, or null when none is selected.
    QListWidgetItem* selectedEntry() const;

signals:
    void dblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
