// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/MouseLabel.h"

// The text on an answer button. A long answer is drawn in a smaller font, down to a size still easy
// to read; past that its end gives way to "…" and the whole answer becomes the button's tool tip. The
// start, with its letter "A." to "D.", always shows. text() is always the whole answer.
class AnswerLabel : public MouseLabel {
    Q_OBJECT
public:
    // The smallest character height, in pixels, an answer is drawn in.
    static constexpr int MinimumPixels = 10;

    explicit AnswerLabel(QWidget* parent);

    struct Fitted {
        QFont font;
        QString text; // as drawn: the whole text, or its start and "…"
        bool elided = false;
    };
    // How the current text is drawn in the current size.
    Fitted fitted() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The room for the text: a little in from each edge, so no answer touches the button's sides.
    QRect textRect() const;
};
