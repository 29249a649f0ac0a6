// SPDX-License-Identifier: GPL-3.0-or-later
// Anki's packages as the dictionary tool imports them: a zip archive holding an SQLite collection, plain
// or compressed with zstd. Any input is read or refused with a message; nothing else may happen. The
// first byte chooses whether the rest is a package or the collection database itself.
#include "FuzzCheck.h"
#include "dicttool/AnkiPackage.h"
#include "dicttool/ImportSource.h"
#include "platform/Failure.h"

namespace {

void readDatabase(const QByteArray& bytes) {
    anki::Collection collection;
    try {
        collection = anki::read(bytes);
    } catch (const Failure& failure) {
        FUZZ_CHECK(!failure.message().isEmpty());
        return;
    }
    // Every note gives a pair, whatever its note type holds.
    FUZZ_CHECK(anki::pairs(collection, {}).size() == collection.notes.size());
    FUZZ_CHECK(anki::pairs(collection, {QStringLiteral("Front"), QStringLiteral("Back")}).size() ==
               collection.notes.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QByteArray bytes = fuzz::bytesOf(data + 1, size - 1);
    if (data[0] % 2 == 0) {
        try {
            importsource::read(QStringLiteral("deck.apkg"), bytes, {importsource::Format::Anki, {}, {}, {}});
        } catch (const Failure& failure) {
            FUZZ_CHECK(!failure.message().isEmpty());
        }
    } else {
        readDatabase(bytes);
    }
    return 0;
}
