// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/Pictures.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace pictures {

namespace {

QPainterPath rounded(const QRectF& rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

// A transparent picture of the given size in device-independent pixels; a painter on it draws in them.
QImage canvas(QSize size, qreal detail, QImage::Format format) {
    QImage image(size * detail, format);
    image.setDevicePixelRatio(detail);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

qreal detailFor(qreal devicePixelRatio) {
    return std::ceil(2 * std::max(devicePixelRatio, 1.0));
}

QPixmap buttonFace(Face face, qreal detail) {
    QImage image = canvas(QSize(189, 30), detail, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QColor rimLight, rimDark;
    switch (face) {
    case Face::Normal:
        rimLight = QColor(190, 190, 190);
        rimDark = QColor(110, 110, 110);
        break;
    case Face::MouseOver:
        rimLight = QColor(255, 255, 150);
        rimDark = QColor(230, 180, 0);
        break;
    case Face::Pressed:
        rimLight = QColor(255, 150, 255);
        rimDark = QColor(190, 0, 190);
        break;
    }
    QLinearGradient rim(0, 0, 0, 30);
    rim.setColorAt(0, rimLight);
    rim.setColorAt(1, rimDark);
    painter.fillPath(rounded(QRectF(0, 0, 189, 30), 9), rim);

    if (face != Face::Normal) {
        // A soft glow just inside the rim.
        QColor glow = rimLight;
        glow.setAlpha(140);
        painter.fillPath(rounded(QRectF(2, 2, 185, 26), 8), glow);
    }
    QLinearGradient bar(0, 3, 0, 27);
    const bool pressed = face == Face::Pressed;
    bar.setColorAt(0, pressed ? QColor(95, 95, 105) : QColor(150, 152, 160));
    bar.setColorAt(0.45, pressed ? QColor(70, 70, 80) : QColor(112, 114, 124));
    bar.setColorAt(1, pressed ? QColor(105, 105, 115) : QColor(78, 80, 90));
    painter.fillPath(rounded(QRectF(3.5, 3.5, 182, 23), 7), bar);
    // A highlight along the top of the bar.
    QLinearGradient shine(0, 4, 0, 14);
    shine.setColorAt(0, QColor(255, 255, 255, pressed ? 30 : 80));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillPath(rounded(QRectF(6, 4.5, 177, 10), 5), shine);
    painter.end();
    return QPixmap::fromImage(image);
}

QPixmap scorePanel(qreal detail) {
    QImage image = canvas(QSize(394, 132), detail, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient frame(0, 0, 394, 132);
    frame.setColorAt(0, QColor(240, 240, 244));
    frame.setColorAt(0.5, QColor(168, 170, 178));
    frame.setColorAt(1, QColor(220, 222, 228));
    painter.fillRect(QRect(0, 0, 394, 132), frame);
    painter.setPen(QPen(QColor(120, 122, 130), 1));
    painter.drawRect(QRectF(0.5, 0.5, 393, 131));
    QLinearGradient field(0, 6, 0, 126);
    field.setColorAt(0, QColor(226, 232, 240));
    field.setColorAt(1, QColor(196, 206, 220));
    painter.fillRect(QRect(6, 6, 382, 120), field);
    painter.setPen(QPen(QColor(140, 142, 150), 1));
    painter.drawRect(QRectF(6.5, 6.5, 381, 119));
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace pictures
