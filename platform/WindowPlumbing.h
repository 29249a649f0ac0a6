// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <QSize>

#include <functional>

class Platform;
class QShowEvent;
class QWidget;

// FormShow of a window, through the error report, whenever the program shows it; a window the desktop
// restores is not shown anew. Later runs it once the window's own loop runs, so that closing the
// window during a long FormShow ends that loop.
enum class ShowRun { Now, Later };
void runOnShow(Platform& platform, QWidget& window, const QShowEvent* event,
               const std::function<void()>& formShow, ShowRun when = ShowRun::Now);

// Keeps controls at their designed distance from the window edges they are anchored to while the
// window is resized: anchored to both sides of an axis a control stretches, to the far side only it
// moves, otherwise it stays.
class Anchors {
public:
    enum Edge { Left = 1, Top = 2, Right = 4, Bottom = 8 };

    explicit Anchors(QSize design) : m_design(design) {}
    // Keeps a control, now at its designed place, anchored from then on.
    void anchor(QWidget* control, int edges);
    // Lays the controls out for the window's present size.
    void follow(QSize size) const;

private:
    struct Anchored {
        QWidget* control;
        QRect designed;
        int edges;
    };
    QSize m_design;
    QList<Anchored> m_controls;
};
