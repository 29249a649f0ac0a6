// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/MouseLabel.h"

#include <QMouseEvent>
#include <utility>

MouseLabel::MouseLabel(QWidget* parent) : QLabel(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void MouseLabel::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved();
    event->accept();
}

void MouseLabel::mousePressEvent(QMouseEvent* event) {
    emit mousePressed();
    event->accept();
}

void MouseLabel::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased();
    const bool secondOfDouble = std::exchange(m_doubleClickPressed, false);
    // The release puts the normal face back first; the click follows it.
    if (event->button() == Qt::LeftButton && !secondOfDouble && rect().contains(event->position().toPoint()))
        emit clicked();
    event->accept();
}

void MouseLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    emit mousePressed();
    m_doubleClickPressed = event->button() == Qt::LeftButton;
    event->accept();
}
