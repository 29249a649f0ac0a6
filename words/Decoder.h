// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class WordList;

// Adds the lines of a dictionary file to the list, after what it holds; text after the last CR LF is
// not added. When the list reaches 40 items during the load, a progress window shows until the end,
// and pending events run now and then so that the program stays responsive. A file that cannot be
// read throws before anything changes.
void Decoder(const QString& fileName, WordList& list);
