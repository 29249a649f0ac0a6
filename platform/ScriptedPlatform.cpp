// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ScriptedPlatform.h"

#include "platform/Failure.h"
#include "platform/TextCodec.h"

#include <QDialog>

namespace {

template <typename T> std::optional<T> pop(std::deque<T>& queue) {
    if (queue.empty())
        return std::nullopt;
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

// What a box answers when nobody clicked: OK where there is one, else Cancel, else No.
int unansweredReply(int flags) {
    switch (flags & 0x0F) {
    case mb::YesNoCancel:
        return mb::IdCancel;
    case mb::YesNo:
        return mb::IdNo;
    default:
        return mb::IdOk;
    }
}

} // namespace

void ScriptedPlatform::answerMessage(int answer) {
    m_messageAnswers.push_back(answer);
}

void ScriptedPlatform::answerInput(std::optional<QString> text) {
    m_inputAnswers.push_back(std::move(text));
}

void ScriptedPlatform::answerPicture(const QString& path) {
    m_pictureAnswers.push_back(path);
}

void ScriptedPlatform::onModal(std::function<void(QDialog&)> action) {
    m_modalActions.push_back(std::move(action));
}

void ScriptedPlatform::queueDraws(const QList<int>& draws) {
    m_draws.insert(m_draws.end(), draws.begin(), draws.end());
}

int ScriptedPlatform::messageBox(const QString& caption, const QString& text, int flags) {
    messages.append({caption, text, flags});
    return pop(m_messageAnswers).value_or(unansweredReply(flags));
}

std::optional<QString> ScriptedPlatform::inputText(const QString& caption, const QString& prompt,
                                                   const QString& initial) {
    inputDialogs.append({caption, prompt, initial});
    const std::optional<std::optional<QString>> answer = pop(m_inputAnswers);
    if (!answer || !*answer)
        return std::nullopt;
    // The real dialog holds at most 255 characters of the code page; so does this one.
    return ansi::fromUser(QStringView(**answer).left(255));
}

QString ScriptedPlatform::openPicture() {
    ++pictureDialogs;
    return pop(m_pictureAnswers).value_or(QString());
}

int ScriptedPlatform::showModal(QDialog& dialog) {
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    // A dialog left open by the action, or by an action that failed, is closed as Escape would.
    struct CloseIfOpen {
        QDialog& dialog;
        ~CloseIfOpen() {
            if (dialog.isVisible())
                dialog.reject();
        }
    } closer{dialog};
    if (std::optional<std::function<void(QDialog&)>> action = pop(m_modalActions))
        (*action)(dialog);
    if (dialog.isVisible())
        dialog.reject();
    return dialog.result();
}

void ScriptedPlatform::playSound(const QString& fileName) {
    sounds.append(fileName);
}

void ScriptedPlatform::shellOpen(const QString& target) {
    shellCalls.append(target);
}

void ScriptedPlatform::setClipboardText(const QString& text) {
    clipboard = text;
}

QString ScriptedPlatform::clipboardText() {
    return clipboard;
}

QDateTime ScriptedPlatform::now() {
    return m_now;
}

quint32 ScriptedPlatform::performanceCounter() {
    ++counterReads;
    return m_counter++;
}

int ScriptedPlatform::randomBelow(int n) {
    const std::optional<int> draw = pop(m_draws);
    if (!draw)
        return Platform::randomBelow(n);
    performanceCounter(); // the real draw reads the counter first; so does a scripted one
    if (*draw < 0 || *draw >= n)
        throw Failure(QStringLiteral("Scripted draw %1 is not below %2").arg(*draw).arg(n));
    return *draw;
}
