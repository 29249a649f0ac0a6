// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dicttool/Pair.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace kvtml {

// Whether a text can stand in an XML file: XML 1.0 has no room for most control characters.
bool fitsXml(QStringView text);

// A KVTML 2 file in UTF-8 that KDE's trainers open: English (identifier 0, locale "en") and Russian
// (identifier 1, locale "ru"), one entry per pair, all in one lesson with the title's name. The texts
// must fit XML.
QByteArray write(const QList<Pair>& pairs, const QString& title);

} // namespace kvtml
