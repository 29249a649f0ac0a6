// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PlainText.h"

#include <QLineEdit>
#include <QValidator>

namespace {

bool isLineBreak(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator;
}

// The field checks every change with its validator, the cursor standing after what was just put in:
// from the first line break up to the cursor is what came after the first line of the insert.
class FirstLineValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override {
        const auto lineBreak = std::find_if(input.cbegin(), input.cend(), isLineBreak);
        if (lineBreak == input.cend())
            return Acceptable;
        const int cut = int(lineBreak - input.cbegin());
        const int resume = std::max(pos, cut);
        QString rest = input.mid(resume);
        // What followed the cursor cannot hold a break of its own, but keep it to one line all the same.
        rest.truncate(int(std::find_if(rest.cbegin(), rest.cend(), isLineBreak) - rest.cbegin()));
        input = input.left(cut) + rest;
        pos = cut;
        return Acceptable;
    }
};

} // namespace

namespace plaintext {

QString toolTip(const QString& text) {
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

void setToolTip(QWidget& widget, const QString& text) {
    const QString tip = text.isEmpty() ? QString() : toolTip(text);
    if (widget.toolTip() == tip)
        return;
    widget.setToolTip(tip);
    widget.setAccessibleDescription(text);
}

void keepFirstLine(QLineEdit& edit) {
    edit.setValidator(new FirstLineValidator(&edit));
}

} // namespace plaintext
