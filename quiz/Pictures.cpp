// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/Pictures.h"

#include <QBitmap>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace pictures {

namespace {

constexpr QRgb Red = qRgb(255, 0, 0);

QPainterPath rounded(const QRectF& rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

} // namespace

QPixmap buttonFace(Face face) {
    QImage image(189, 30, QImage::Format_RGB888);
    image.fill(Red);
    QPainter painter(&image);

    // The rim is drawn without anti-aliasing so that the corners stay pure red and mask out cleanly.
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

    painter.setRenderHint(QPainter::Antialiasing);
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

    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setMask(pixmap.createMaskFromColor(QColor(image.pixel(0, image.height() - 1))));
    return pixmap;
}

QPixmap scorePanel() {
    QImage image(394, 132, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient frame(0, 0, 394, 132);
    frame.setColorAt(0, QColor(240, 240, 244));
    frame.setColorAt(0.5, QColor(168, 170, 178));
    frame.setColorAt(1, QColor(220, 222, 228));
    painter.fillRect(image.rect(), frame);
    painter.setPen(QColor(120, 122, 130));
    painter.drawRect(0, 0, 393, 131);
    QLinearGradient field(0, 6, 0, 126);
    field.setColorAt(0, QColor(226, 232, 240));
    field.setColorAt(1, QColor(196, 206, 220));
    painter.fillRect(QRect(6, 6, 382, 120), field);
    painter.setPen(QColor(140, 142, 150));
    painter.drawRect(6, 6, 381, 119);
    painter.end();
    // A 256-colour picture, as the panel always had.
    return QPixmap::fromImage(image.convertToFormat(QImage::Format_Indexed8));
}

} // namespace pictures
