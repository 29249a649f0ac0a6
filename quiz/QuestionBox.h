// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTextEdit>

// The question box: the prompt and the word, every line centred. A long word is drawn in a smaller
// font, down to a size still easy to read, so the whole text shows without scrolling; past that its
// end gives way to "…" and the whole text becomes the box's tool tip. text() hands back exactly what
// was set, character for character: the box shows a copy, which may be shortened.
class QuestionBox : public QTextEdit {
    Q_OBJECT
public:
    // The smallest character height, in pixels, the text is drawn in.
    static constexpr int MinimumPixels = 11;

    // largest: the font a text that fits is drawn in.
    QuestionBox(const QFont& largest, QWidget* parent);

    // Lines end with CR LF.
    void setText(const QString& text);
    QString text() const { return m_text; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();
    // Puts shown into the document, as setPlainText would.
    void setShownText(const QString& shown);
    bool fitsWhole(const QString& shown);

    QString m_text;
    QFont m_largest;
};
