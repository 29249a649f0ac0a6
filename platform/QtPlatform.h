// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Platform.h"

#include <memory>

class QSoundEffect;

// The platform of the real program, on Qt.
class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

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

private:
    std::unique_ptr<QSoundEffect> m_sound;
};

// Loads Qt's own Russian texts ("Да", "Нет", "Отмена", the file dialog) into the application.
void installRussianTranslations();
