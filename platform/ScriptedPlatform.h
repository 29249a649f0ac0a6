// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <functional>

class QDialog;

// The platform for tests: answers what a person would answer from queues, runs a test's code inside a
// modal window, fixes time and chance, and records what a person would have seen or heard.
class ScriptedPlatform : public Platform {
public:
    struct Message {
        QString caption;
        QString text;
        int flags = 0;
    };
    struct InputDialog {
        QString caption;
        QString prompt;
        QString initial;
    };

    // Queues the answer to the next message box. An unqueued box answers IdOk, or IdCancel / IdNo
    // when it has no OK button, and the test can still see it in messages.
    void answerMessage(int answer);
    void answerInput(std::optional<QString> text);
    void answerPicture(const QString& path);
    // The next showModal shows the dialog, runs the action inside it and, if the dialog is still
    // open afterwards, rejects it. Without a queued action the dialog is rejected at once.
    void onModal(std::function<void(QDialog&)> action);
    // The next draws of randomBelow, in order; each must lie below its n. Without queued draws,
    // randomBelow draws from the fixed counter sequence as the real platform would.
    void queueDraws(const QList<int>& draws);
    void setNow(const QDateTime& now) { m_now = now; }

    int messageBox(const QString& caption, const QString& text, int flags) override;
    std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                     const QString& initial) override;
    QString openPicture() override;
    int showModal(QDialog& dialog) override;
    void playSound(const QString& fileName) override;
    void shellOpen(const QString& target) override;
    void setClipboardText(const QString& text) override;
    QString clipboardText() override;
    QDateTime now() override;
    quint32 performanceCounter() override;
    int randomBelow(int n) override;

    // What the program showed and did, in order.
    QList<Message> messages;
    QList<InputDialog> inputDialogs;
    int pictureDialogs = 0;
    QStringList sounds;
    QStringList shellCalls;
    QString clipboard;
    int counterReads = 0;

private:
    std::deque<int> m_messageAnswers;
    std::deque<std::optional<QString>> m_inputAnswers;
    std::deque<QString> m_pictureAnswers;
    std::deque<std::function<void(QDialog&)>> m_modalActions;
    std::deque<int> m_draws;
    QDateTime m_now = QDateTime(QDate(2007, 3, 6), QTime(19, 5, 33));
    quint32 m_counter = 12345;
};
