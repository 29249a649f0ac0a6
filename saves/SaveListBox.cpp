// SPDX-License-Identifier: GPL-3.0-or-later
#include "saves/SaveListBox.h"

#include "platform/WindowLook.h"

#include <QStyledItemDelegate>

namespace {

constexpr int ItemHeight = 13;

class FixedHeightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), ItemHeight};
    }
};

} // namespace

SaveListBox::SaveListBox(QWidget* parent) : QListWidget(parent) {
    setFieldColours(*this, QColor(166, 202, 240), Qt::black);
    setItemDelegate(new FixedHeightDelegate(this));
    // Every row alike, so a long folder is laid out without measuring each entry.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QListWidgetItem* SaveListBox::selectedEntry() const {
    QListWidgetItem* item = currentItem();
    return item && item->isSelected() ? item : nullptr;
}

void SaveListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    emit dblClick();
}
