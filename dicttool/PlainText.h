// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// Flash-card programs keep their fields as HTML, with sound and picture references in square brackets.
namespace plaintext {

// The field without its media references ("[sound:apple.mp3]", "[img:cat.png]").
QString withoutMedia(QStringView field);

// The word an HTML field shows: tags removed, entities decoded, <br>, <div> and <p> as line ends, blanks
// run together, media references dropped, and of the lines the first that holds anything.
QString wordOfHtml(QStringView html);

} // namespace plaintext
