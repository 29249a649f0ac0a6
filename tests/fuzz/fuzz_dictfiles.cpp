// SPDX-License-Identifier: GPL-3.0-or-later
// The files the dictionary tool brings in from other programs: KVTML, TSV and CSV found from their
// content, and dictd databases (an index and plain, gzip or dictzip data). Any input is read or refused
// with a message; nothing else may happen. The first byte chooses the kind, the rest is the file; a
// dictd input is its index, a zero byte, then its data.
#include "FuzzCheck.h"
#include "dicttool/BadInput.h"
#include "dicttool/Dictd.h"
#include "dicttool/DictdArticle.h"
#include "dicttool/ImportSource.h"
#include "dicttool/InputText.h"
#include "platform/Failure.h"

#include <algorithm>
#include <functional>

namespace {

// Runs a reading step; a refusal is a Failure with a message, and any other end is a finding.
bool reads(const std::function<void()>& step) {
    try {
        step();
    } catch (const Failure& failure) {
        FUZZ_CHECK(!failure.message().isEmpty());
        return false;
    }
    return true;
}

void readDatabase(const QByteArray& bytes) {
    const qsizetype split = bytes.indexOf('\0');
    const QByteArray indexBytes = split < 0 ? bytes : bytes.left(split);
    const QByteArray dataBytes = split < 0 ? QByteArray() : bytes.mid(split + 1);
    const QString indexText = inputtext::decode(indexBytes);
    dictd::looksLikeIndex(indexText);
    QList<dictd::IndexEntry> index;
    if (!reads([&] { index = dictd::readIndex(indexText); }))
        return;
    for (const dictd::IndexEntry& entry : index) {
        FUZZ_CHECK(entry.offset >= 0 && entry.length >= 0);
    }
    QByteArray data;
    if (!reads([&] { data = dictd::readData(dataBytes); }))
        return;
    if (!dictd::isCompressed(dataBytes))
        FUZZ_CHECK(data == dataBytes);
    for (qsizetype i = 0; i < std::min<qsizetype>(index.size(), 64); ++i) {
        const dictd::IndexEntry& entry = index[i];
        dictd::isHeaderEntry(entry.headword);
        reads([&] {
            const QString text = dictd::article(data, entry);
            const Pair pair = firstTranslation(entry.headword, text);
            spellsHeadword(pair.english, entry.headword);
            // The import decodes the article's bytes itself, to the same pair.
            const Pair fromBytes = firstTranslation(entry.headword, dictd::articleBytes(data, entry));
            FUZZ_CHECK(fromBytes.russian == pair.russian && fromBytes.english == pair.english);
        });
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QByteArray bytes = fuzz::bytesOf(data + 1, size - 1);
    switch (data[0] % 5) {
    case 0: // found from the content, as an import from standard input
        reads([&] { importsource::read(QStringLiteral("-"), bytes, {}); });
        break;
    case 1:
        reads([&] {
            importsource::read(QStringLiteral("-"), bytes, {importsource::Format::Tsv, {}, {}, {2, 1}});
        });
        break;
    case 2:
        reads([&] {
            importsource::read(QStringLiteral("-"), bytes, {importsource::Format::Csv, {}, {}, {}});
        });
        break;
    case 3:
        reads([&] {
            importsource::read(QStringLiteral("-"), bytes,
                               {importsource::Format::Kvtml, QStringLiteral("en"), QStringLiteral("ru"), {}});
        });
        break;
    default:
        readDatabase(bytes);
        break;
    }
    return 0;
}
