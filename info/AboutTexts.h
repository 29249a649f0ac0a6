// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the about window says and where its links lead, in one place.
namespace about {

// The first letter is the Latin capital O, as the window has always been captioned.
inline const QString Caption = QStringLiteral("O программе LexiTrainer");
inline const QString Description =
    QStringLiteral("Программа LexiTrainer позволяет выучить Английский язык во время игры.");
inline const QString Version = QStringLiteral("Версия: 1.1");
inline const QString Credit = QStringLiteral("Разработчик — проект LexiTrainer");
// The program's site is the read-me beside it: it tells about the program, its licence and the
// origin of the dictionary.
inline const QString WebLabel = QStringLiteral("Вебсайт: ReadMe.htm");
inline const QString ReadMeFile = QStringLiteral("ReadMe.htm");
// No address of a person: the mail program opens a new message on the subject, to be addressed by
// the user.
inline const QString MailLabel = QStringLiteral("E-mail: написать письмо");
inline const QString MailLink = QStringLiteral("mailto:?subject=LexiTrainer");

} // namespace about
