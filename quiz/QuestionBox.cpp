// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/QuestionBox.h"

#include "platform/PlainText.h"

#include <QFontInfo>

QuestionBox::QuestionBox(const QFont& largest, QWidget* parent) : QTextEdit(parent), m_largest(largest) {
    setFont(largest);
    setReadOnly(true);
    setAcceptRichText(false);
}

void QuestionBox::setText(const QString& text) {
    m_text = text;
    fit();
}

void QuestionBox::resizeEvent(QResizeEvent* event) {
    QTextEdit::resizeEvent(event);
    fit();
}

bool QuestionBox::fitsWhole(const QString& shown) {
    setPlainText(shown);
    return document()->size().height() <= viewport()->height();
}

void QuestionBox::fit() {
    const QString text = QString(m_text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QFont f = m_largest;
    const int largest = QFontInfo(f).pixelSize();
    for (int pixels = largest; pixels >= std::min(largest, MinimumPixels); --pixels) {
        f.setPixelSize(pixels);
        setFont(f);
        if (fitsWhole(text)) {
            plaintext::setToolTip(*this, QString());
            return;
        }
    }
    // The longest start of the text that fits with "…" after it; the prompt line always does.
    qsizetype fits = 0;
    qsizetype tooLong = text.size();
    while (tooLong - fits > 1) {
        const qsizetype middle = (fits + tooLong) / 2;
        if (fitsWhole(text.left(middle) + QChar(0x2026)))
            fits = middle;
        else
            tooLong = middle;
    }
    fitsWhole(text.left(fits) + QChar(0x2026));
    plaintext::setToolTip(*this, text);
}
