// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

class QDialog;

// Message box flags and answers, with the Windows values the program was written against.
namespace mb {
constexpr int Ok = 0;
constexpr int OkCancel = 1;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int IconStop = 16;
constexpr int IconQuestion = 32;
constexpr int IconExclamation = 48;
constexpr int IconInformation = 64;

constexpr int IdOk = 1;
constexpr int IdCancel = 2;
constexpr int IdYes = 6;
constexpr int IdNo = 7;
} // namespace mb

// Everything the program asks of the desktop: what a person answers, what a person hears or sees
// outside the program's windows, and the sources of time and chance. One Qt implementation serves the
// real program; a scripted one serves the tests.
class Platform {
public:
    virtual ~Platform() = default;

    // A message box with the given mb:: flags; returns the mb::Id* answer.
    virtual int messageBox(const QString& caption, const QString& text, int flags) = 0;
    int errorBox(const QString& caption, const QString& text) {
        return messageBox(caption, text, mb::IconStop);
    }
    int informationBox(const QString& caption, const QString& text) {
        return messageBox(caption, text, mb::IconInformation);
    }

    // The text input dialog (at most 255 characters); nullopt when cancelled.
    virtual std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                             const QString& initial) = 0;
    // The open-picture dialog; an empty path when cancelled.
    virtual QString openPicture() = 0;
    // Runs the dialog's modal loop and returns its result code (QDialog::Accepted or Rejected).
    virtual int showModal(QDialog& dialog) = 0;

    // Plays a wave file asynchronously; a newer sound replaces one still playing; failures are silent.
    virtual void playSound(const QString& fileName) = 0;
    // Hands a file, web or mailto link to the desktop; the result is ignored.
    virtual void shellOpen(const QString& target) = 0;

    virtual void setClipboardText(const QString& text) = 0;
    virtual QString clipboardText() = 0;

    virtual QDateTime now() = 0;
    // Low 32 bits of a high-resolution tick count.
    virtual quint32 performanceCounter() = 0;
    // A uniform draw in [0, n), the generator re-seeded from performanceCounter() first.
    virtual int randomBelow(int n);
};

// A uniform draw in [0, n) from a generator seeded with seed; no modulo bias.
int drawBelow(quint32 seed, int n);
