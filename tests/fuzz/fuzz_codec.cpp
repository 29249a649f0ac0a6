// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows-1251 codec and the scrambling over it: bytes to text to bytes is the identity, and any
// text at all becomes code-page text once.
#include "FuzzCheck.h"
#include "platform/TextCodec.h"
#include "shared/ScrambledText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);

    const QString text = ansi::decode(bytes);
    FUZZ_CHECK(text.size() == bytes.size());
    FUZZ_CHECK(ansi::encode(text) == bytes);
    FUZZ_CHECK(ansi::fromUser(text) == text);

    QByteArray scrambledBytes = bytes;
    for (char& b : scrambledBytes)
        b = char(b ^ 0x19);
    const QString scrambled = Coding(text);
    FUZZ_CHECK(scrambled == ansi::decode(scrambledBytes));
    FUZZ_CHECK(Coding(scrambled) == text);

    // The same bytes as UTF-16, which may hold anything: lone halves, characters beyond 16 bits.
    const QString typed = QString(reinterpret_cast<const QChar*>(data), qsizetype(size / 2));
    const QByteArray encoded = ansi::encode(typed);
    FUZZ_CHECK(encoded.size() <= typed.size());
    const QString once = ansi::fromUser(typed);
    FUZZ_CHECK(once.size() == encoded.size());
    FUZZ_CHECK(ansi::fromUser(once) == once);
    FUZZ_CHECK(ansi::encode(once) == encoded);
    // Scrambling agrees with encoding, XOR-ing and decoding, and twice gives the code-page text.
    QByteArray xored = encoded;
    for (char& b : xored)
        b = char(b ^ 0x19);
    FUZZ_CHECK(Coding(typed) == ansi::decode(xored));
    FUZZ_CHECK(Coding(Coding(typed)) == once);
    return 0;
}
