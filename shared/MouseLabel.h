// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// A picture or text that reports the mouse the way the answer buttons need it: every move (the button
// held or not), every press, every release, and a click when the left button is released over it.
// A double click is one click: its second press shows as a press, and its release clicks nothing.
class MouseLabel : public QLabel {
    Q_OBJECT
public:
    explicit MouseLabel(QWidget* parent);

signals:
    void mouseMoved();
    void mousePressed();
    void mouseReleased();
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool m_doubleClickPressed = false;
};
