// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

class QListWidget;
class QListWidgetItem;
class QWidget;

// The look the two player windows share.
namespace playerwidgets {

// The list of player names: maroon bold letters of 19 pixels on pale blue, items 22 pixels high.
QListWidget* nameList(QWidget* parent, const QRect& place, const char* family);
// Gives the list's items their height; call after adding items.
void setItemHeights(QListWidget* list);
// The list's selected item; none when nothing is selected.
QListWidgetItem* selectedItem(const QListWidget* list);

} // namespace playerwidgets
