// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopControls.h"

#include <QDialog>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>

namespace {

bool isEnter(const QKeyEvent* key) {
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Sees the keys that the window's controls leave unused, before the dialog's own handling.
class ButtonKeys : public QObject {
public:
    ButtonKeys(QDialog& window, QAbstractButton* cancelButton)
        : QObject(&window), m_window(window), m_cancel(cancelButton) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &m_window || event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            pressIfUsable(m_cancel);
            return true;
        }
        if (isEnter(key)) {
            if (auto* focused = qobject_cast<QAbstractButton*>(m_window.focusWidget())) {
                pressIfUsable(focused);
                return true;
            }
            // The dialog presses its default button, when it has one; a window without one ignores Enter.
            return !hasDefaultButton();
        }
        return false;
    }

private:
    static void pressIfUsable(QAbstractButton* button) {
        if (button && button->isVisible() && button->isEnabled())
            button->click();
    }

    bool hasDefaultButton() const {
        const QList<QPushButton*> buttons = m_window.findChildren<QPushButton*>();
        return std::any_of(buttons.begin(), buttons.end(),
                           [](const QPushButton* b) { return b->isDefault(); });
    }

    QDialog& m_window;
    QPointer<QAbstractButton> m_cancel;
};

// The current cell draws no focus frame of its own: the view frames the whole row.
class RowFocusDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem plain(option);
        plain.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, plain, index);
    }
};

} // namespace

namespace desktop {

void useButtonKeys(QDialog& window, QAbstractButton* cancelButton) {
    // Qt makes a focused button, or the first one, the default of its own accord; only the buttons
    // made default on purpose are.
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (!button->isDefault())
            button->setAutoDefault(false);
    window.installEventFilter(new ButtonKeys(window, cancelButton));
}

void keepOneSelected(QAbstractItemView& list) {
    QItemSelectionModel* selection = list.selectionModel();
    QObject::connect(selection, &QItemSelectionModel::selectionChanged, &list,
                     [selection](const QItemSelection&, const QItemSelection& deselected) {
                         if (selection->hasSelection() || deselected.isEmpty())
                             return;
                         const QModelIndex previous = deselected.indexes().first();
                         if (previous.isValid())
                             selection->setCurrentIndex(previous, QItemSelectionModel::ClearAndSelect);
                     });
}

void setSelectedText(QLineEdit& edit, const QString& text) {
    edit.setText(text);
    edit.selectAll();
}

} // namespace desktop

ReportView::ReportView(QWidget* parent) : QTableView(parent) {
    setTabKeyNavigation(false);
    setItemDelegate(new RowFocusDelegate(this));
}

void ReportView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid() || !model())
        return;
    const QRect first = visualRect(current.siblingAtColumn(0));
    const QRect last = visualRect(current.siblingAtColumn(model()->columnCount() - 1));
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.rect = first.united(last);
    frame.backgroundColor = palette().color(QPalette::Base);
    QPainter painter(viewport());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}

TimePickerEdit::TimePickerEdit(QWidget* parent) : QDateTimeEdit(parent) {
    setWrapping(true);
}

void TimePickerEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
    if (!printable) {
        m_sectionFilled = false;
        QDateTimeEdit::keyPressEvent(event);
        return;
    }
    // Typing over text that spans several fields starts with the first one, as the picker never
    // marks more than one.
    if (lineEdit()->selectedText().contains(QLatin1Char(':')))
        setSelectedSection(sectionAt(0));
    // A field filled by its digits moves on by itself; the separator typed after it then stays in
    // the next field instead of skipping it.
    if (typed == QStringLiteral(":") && m_sectionFilled) {
        m_sectionFilled = false;
        return;
    }
    const int before = currentSectionIndex();
    QDateTimeEdit::keyPressEvent(event);
    m_sectionFilled = typed.at(0).isDigit() && currentSectionIndex() != before;
}

void TimePickerEdit::focusInEvent(QFocusEvent* event) {
    QDateTimeEdit::focusInEvent(event);
    // A field of the picker is always marked while it has the focus.
    if (!lineEdit()->hasSelectedText())
        setSelectedSection(currentSection());
}
