// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/AnswerLabel.h"

#include "platform/PlainText.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int SideMargin = 3;

} // namespace

AnswerLabel::AnswerLabel(QWidget* parent) : MouseLabel(parent) {
    setTextFormat(Qt::PlainText);
}

QRect AnswerLabel::textRect() const {
    return contentsRect().adjusted(SideMargin, 0, -SideMargin, 0);
}

AnswerLabel::Fitted AnswerLabel::fitted() const {
    const QString whole = text();
    const int width = textRect().width();
    QFont f = font();
    const int largest = QFontInfo(f).pixelSize();
    for (int pixels = largest; pixels > MinimumPixels; --pixels) {
        f.setPixelSize(pixels);
        if (QFontMetrics(f).horizontalAdvance(whole) <= width)
            return {f, whole, false};
    }
    f.setPixelSize(std::min(largest, MinimumPixels));
    const QString shown = QFontMetrics(f).elidedText(whole, Qt::ElideRight, width);
    return {f, shown, shown != whole};
}

void AnswerLabel::paintEvent(QPaintEvent*) {
    const Fitted fit = fitted();
    // The whole answer stays within reach when the button cannot show it.
    plaintext::setToolTip(*this, fit.elided ? text() : QString());
    QPainter painter(this);
    painter.setFont(fit.font);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(textRect(), int(alignment()) | Qt::TextSingleLine, fit.text);
}
