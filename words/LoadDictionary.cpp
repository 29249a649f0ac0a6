// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/LoadDictionary.h"

#include "words/Decoder.h"
#include "words/TfrmOpenSlovar.h"

void loadDictionary(const QString& fileName, WordList& list) {
    TfrmOpenSlovar window;
    Decoder(fileName, list, window);
}

void loadDictionary(DictionaryReader& reader, WordList& list) {
    TfrmOpenSlovar window;
    Decoder(reader, list, window);
}
