// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTimeEdit>
#include <QTableView>

class QAbstractButton;
class QAbstractItemView;
class QDialog;
class QLineEdit;

// How the controls of the desktop the game was made for answer the keyboard and the mouse, where Qt's
// own habits differ. Every window uses these instead of a rule of its own.
namespace desktop {

// Enter and Space press the focused button. Enter in any other control presses the window's default
// button (the one made default before this call) and nothing when there is none. Escape presses the
// cancel button and does nothing when there is none. Call once the window's buttons exist.
void useButtonKeys(QDialog& window, QAbstractButton* cancelButton = nullptr);

// A single-selection list that holds items keeps one selected: a click on its empty part, a Ctrl+click
// or Ctrl+Space on the selected item leave the selection where it was. Call after the list has its model.
void keepOneSelected(QAbstractItemView& list);

// Puts the text into the edit selected, so that what the player types replaces it.
void setSelectedText(QLineEdit& edit, const QString& text);

} // namespace desktop

// A table in the report style of a list view: Tab leaves it for the window's next control, and the
// focus marks the whole current row, as the selection does.
class ReportView : public QTableView {
    Q_OBJECT
public:
    explicit ReportView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A time-of-day picker: one field (hours, minutes or seconds) is marked at a time, Up and Down wrap
// round within the field, and a whole time typed over the marked text becomes that time.
class TimePickerEdit : public QDateTimeEdit {
    Q_OBJECT
public:
    explicit TimePickerEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // The last digit filled a field and moved on to the next.
    bool m_sectionFilled = false;
};
