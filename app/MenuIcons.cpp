// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MenuIcons.h"

#include <QPainter>
#include <QPixmap>
#include <functional>

namespace menuicons {

namespace {

QIcon drawn(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

void badge(QPainter& p, const QColor& colour, const QString& glyph) {
    p.setPen(colour.darker(150));
    p.setBrush(colour);
    p.drawEllipse(QRectF(1, 1, 14, 14));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, glyph);
}

} // namespace

QIcon open() {
    return drawn([](QPainter& p) {
        p.setPen(QColor(150, 110, 20));
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(QRectF(1.5, 4.5, 12, 9));
        p.setBrush(QColor(255, 225, 120));
        p.drawPolygon(
            QPolygonF({QPointF(3.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)}));
    });
}

QIcon save() {
    return drawn([](QPainter& p) {
        p.setPen(QColor(20, 40, 110));
        p.setBrush(QColor(60, 90, 180));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(QColor(230, 230, 235));
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
    });
}

QIcon exit() {
    return drawn([](QPainter& p) {
        p.setPen(QColor(100, 60, 30));
        p.setBrush(QColor(170, 110, 60));
        p.drawRect(QRectF(2.5, 1.5, 8, 13));
        p.setPen(QPen(QColor(200, 30, 30), 2));
        p.drawLine(QPointF(7, 8), QPointF(15, 8));
        p.drawLine(QPointF(12, 5), QPointF(15, 8));
        p.drawLine(QPointF(12, 11), QPointF(15, 8));
    });
}

QIcon readMe() {
    return drawn([](QPainter& p) { badge(p, QColor(40, 120, 200), QStringLiteral("?")); });
}

QIcon about() {
    return drawn([](QPainter& p) { badge(p, QColor(30, 150, 90), QStringLiteral("i")); });
}

} // namespace menuicons
