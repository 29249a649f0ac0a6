// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

// Legal but unusual text a player's files may hold: markup, entities, pictures and links that must
// never be followed, and lengths that do not fit. Rows of one "text" column; "%DIR%" stands for a
// folder the test makes with prepareHostileText.
inline void addHostileRows() {
    QTest::addColumn<QString>("text");
    QTest::addRow("bold markup") << QStringLiteral("<b>x</b>");
    QTest::addRow("entities") << QStringLiteral("a &lt; b &amp; c");
    QTest::addRow("picture file") << QStringLiteral("<img src=\"%DIR%/picture.png\">");
    QTest::addRow("picture from a named pipe") << QStringLiteral("<img src=\"%DIR%/pipe\">");
    QTest::addRow("link") << QStringLiteral("<a href=\"file:///etc/passwd\">x</a>");
    QTest::addRow("large font") << QStringLiteral("<font size=7>x</font>");
    QTest::addRow("300 characters") << QStringLiteral("длинное слово ").repeated(21).left(300);
    QTest::addRow("no-break space") << QStringLiteral("во\u00A0что бы то ни стало");
    QTest::addRow("255 characters") << QString(255, QChar(0x0416));
}

// The text of a row with its folder filled in; the folder gets the picture and the named pipe the
// rows name, so that following them would show a picture or block on the pipe.
inline QString prepareHostileText(const QString& text, const QString& folder) {
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.save(folder + QStringLiteral("/picture.png"));
    ::mkfifo(QFile::encodeName(folder + QStringLiteral("/pipe")).constData(), 0600);
    return QString(text).replace(QStringLiteral("%DIR%"), folder);
}

// Whether the label draws its text as written: it looks the same when told to take its text as plain.
inline bool drawnAsWritten(QLabel* label) {
    const QImage shown = label->grab().toImage();
    const Qt::TextFormat format = label->textFormat();
    label->setTextFormat(Qt::PlainText);
    const QImage plain = label->grab().toImage();
    label->setTextFormat(format);
    return shown == plain;
}
