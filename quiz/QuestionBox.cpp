// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/QuestionBox.h"

#include "platform/PlainText.h"

#include <QFontInfo>
#include <QTextBlock>
#include <QTextCursor>

QuestionBox::QuestionBox(const QFont& largest, QWidget* parent) : QTextEdit(parent), m_largest(largest) {
    setFont(largest);
    setReadOnly(true);
    setAcceptRichText(false);
    // Nothing here is typed, so nothing needs undoing; kept edits would only grow with every question.
    document()->setUndoRedoEnabled(false);
}

void QuestionBox::setText(const QString& text) {
    m_text = text;
    fit();
}

void QuestionBox::resizeEvent(QResizeEvent* event) {
    QTextEdit::resizeEvent(event);
    fit();
}

void QuestionBox::setShownText(const QString& shown) {
    // A question keeps the prompt line: only the lines after it are rewritten, which costs a fraction
    // of building the whole document again on every answer.
    const qsizetype lineEnd = shown.indexOf(QLatin1Char('\n'));
    const QTextBlock second = document()->firstBlock().next();
    if (lineEnd < 0 || !second.isValid() ||
        document()->firstBlock().text() != QStringView(shown).left(lineEnd)) {
        setPlainText(shown);
        return;
    }
    // One edit block: the cursor then skips measuring where it stands, which lays the text out again.
    QTextCursor rest(document());
    rest.beginEditBlock();
    rest.setPosition(second.position());
    rest.setPosition(document()->characterCount() - 1, QTextCursor::KeepAnchor);
    rest.insertText(shown.mid(lineEnd + 1));
    rest.endEditBlock();
    // As with a new text, nothing stays selected.
    if (textCursor().hasSelection())
        setTextCursor(QTextCursor(document()));
}

bool QuestionBox::fitsWhole(const QString& shown) {
    setShownText(shown);
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
