// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class DictionaryReader;
class WordList;

// Loads a dictionary file into the list, after what it holds, with the progress window of a long load.
// Throws Failure naming the file when it cannot be read.
void loadDictionary(const QString& fileName, WordList& list);
void loadDictionary(DictionaryReader& reader, WordList& list);
