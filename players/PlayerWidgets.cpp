// SPDX-License-Identifier: GPL-3.0-or-later
#include "players/PlayerWidgets.h"

#include "platform/WindowLook.h"
#include "shared/WindowFonts.h"

#include <QListWidget>

namespace playerwidgets {

QListWidget* nameList(QWidget* parent, const QRect& place, const char* family) {
    auto* list = new QListWidget(parent);
    list->setGeometry(place);
    list->setFont(windowfonts::named(family, 19, true));
    setFieldColours(*list, QColor(157, 185, 235), QColor(128, 0, 0));
    list->setUniformItemSizes(true);
    // A long name is cut at the edge, not shortened with an ellipsis.
    list->setTextElideMode(Qt::ElideNone);
    return list;
}

void setItemHeights(QListWidget* list) {
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setSizeHint(QSize(0, 22));
}

QListWidgetItem* selectedItem(const QListWidget* list) {
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? nullptr : items.first();
}

} // namespace playerwidgets
