// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/AppIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

// The drawing is laid out on a 64 x 64 grid and scaled; the letters are strokes rather than text, so
// the icon looks the same whatever fonts a machine has.
constexpr qreal Grid = 64;

QPainterPath letterA() {
    QPainterPath path;
    path.moveTo(8, 42);
    path.lineTo(20, 10);
    path.lineTo(32, 42);
    path.moveTo(12.5, 31);
    path.lineTo(27.5, 31);
    return path;
}

QPainterPath letterYa() {
    QPainterPath path;
    path.moveTo(55, 55);
    path.lineTo(55, 24);
    path.lineTo(44, 24);
    path.cubicTo(34, 24, 34, 40, 44, 40);
    path.lineTo(55, 40);
    path.moveTo(46, 40);
    path.lineTo(36, 55);
    return path;
}

void strokeLetter(QPainter& painter, const QPainterPath& letter, const QColor& colour, qreal width,
                  bool shadow) {
    if (shadow)
        painter.strokePath(letter.translated(1, 1.5),
                           QPen(QColor(0, 20, 60, 150), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.strokePath(letter, QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

} // namespace

QPixmap appPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / Grid, size / Grid);

    // Small icons get a tile to the edge and bolder strokes, so the letters stay legible.
    const bool small = size <= 24;
    const QRectF tile = small ? QRectF(0.5, 0.5, 63, 63) : QRectF(2, 2, 60, 60);
    QLinearGradient fill(0, tile.top(), 0, tile.bottom());
    fill.setColorAt(0, QColor(40, 130, 220));
    fill.setColorAt(1, QColor(0, 62, 130));
    painter.setPen(QPen(QColor(0, 40, 95), std::max(1.0, Grid / size)));
    painter.setBrush(fill);
    painter.drawRoundedRect(tile, 12, 12);

    if (!small) {
        // A soft shine over the upper half.
        QLinearGradient shine(0, tile.top(), 0, 34);
        shine.setColorAt(0, QColor(255, 255, 255, 70));
        shine.setColorAt(1, QColor(255, 255, 255, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(shine);
        painter.drawRoundedRect(tile.adjusted(2, 2, -2, -30), 10, 10);
    }

    const qreal stroke = small ? 7.5 : 6;
    // At a few pixels a shadow only blurs the letters.
    strokeLetter(painter, letterA(), Qt::white, stroke, !small);
    strokeLetter(painter, letterYa(), QColor(170, 255, 40), stroke, !small);
    painter.end();
    return pixmap;
}

QIcon appIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(appPixmap(size));
    return icon;
}
