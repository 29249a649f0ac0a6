// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowPlumbing.h"

#include "platform/ErrorReport.h"

#include <QPointer>
#include <QShowEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>

void runOnShow(Platform& platform, QWidget& window, const QShowEvent* event,
               const std::function<void()>& formShow, ShowRun when) {
    if (event->spontaneous())
        return;
    if (when == ShowRun::Now)
        runReported(platform, formShow);
    else
        QTimer::singleShot(0, &window, [&platform, formShow] { runReported(platform, formShow); });
}

void Anchors::anchor(QWidget* control, int edges) {
    m_controls.append({control, control->geometry(), edges});
}

void Anchors::follow(QSize size) const {
    const int dx = size.width() - m_design.width();
    const int dy = size.height() - m_design.height();
    // Along one axis: the designed start and length, and the growth of the window.
    const auto along = [](int start, int length, int current, bool near, bool far, int growth) {
        if (near && far)
            return std::pair{start, std::max(0, length + growth)};
        return std::pair{far ? start + growth : start, current};
    };
    for (const Anchored& a : m_controls) {
        const auto [x, width] = along(a.designed.x(), a.designed.width(), a.control->width(), a.edges & Left,
                                      a.edges & Right, dx);
        const auto [y, height] = along(a.designed.y(), a.designed.height(), a.control->height(),
                                       a.edges & Top, a.edges & Bottom, dy);
        a.control->setGeometry(x, y, width, height);
    }
}
