// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/MouseLabel.h"

#include <QMouseEvent>

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
    // The release puts the normal face back first; the click follows it.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    event->accept();
}
