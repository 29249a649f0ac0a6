// SPDX-License-Identifier: GPL-3.0-or-later
// dictd databases: the index, plain and compressed data, and the word pair each article gives.
#include "DictdFiles.h"
#include "TestHelpers.h"
#include "dicttool/BadInput.h"
#include "dicttool/Dictd.h"
#include "dicttool/DictdArticle.h"
#include "dicttool/ImportSource.h"
#include "dicttool/InputText.h"
#include "platform/TextCodec.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

namespace {

Database sampleDatabase() {
    Database db;
    db.add(QStringLiteral("00-database-info"), QStringLiteral("Mueller English-Russian Dictionary\n"));
    db.add(QStringLiteral("_n."), QStringLiteral("_n.\n   noun существительное\n"));
    db.add(QStringLiteral("cat"),
           QStringLiteral("cat\n   _I  [kæt]\n      1. _n.\n         1) кот; кошка\n"));
    db.add(QStringLiteral("dog"), QStringLiteral("dog\n   [dɘg] _n. собака, пёс\n"));
    return db;
}

using LineTexts = QMap<int, QString>;

QStringList lines(const QList<Pair>& pairs) {
    QStringList result;
    for (const Pair& pair : pairs)
        result.append(pair.russian + u'|' + pair.english);
    return result;
}

// Three hundred articles, "wordN" translated "словоN", and the pairs they give.
struct NumberedWords {
    Database db;
    QStringList pairs;
};
NumberedWords numberedWords() {
    NumberedWords words;
    for (int i = 0; i < 300; ++i) {
        words.db.add(QStringLiteral("word%1").arg(i), QStringLiteral("word%1\n   1) слово%1\n").arg(i));
        words.pairs.append(QStringLiteral("слово%1|word%1").arg(i));
    }
    return words;
}

// Text enough for several chunks, with Cyrillic split across their borders.
QByteArray longData() {
    QString text;
    for (int i = 0; i < 2000; ++i)
        text += QStringLiteral("слово %1 word\n").arg(i);
    return text.toUtf8();
}

} // namespace

class tst_dicttool_dictd : public QObject {
    Q_OBJECT

private slots:
    void indexNumbers_data() {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<qint64>("value");
        QTest::addRow("zero") << QStringLiteral("A") << qint64(0);
        QTest::addRow("last digit") << QStringLiteral("/") << qint64(63);
        QTest::addRow("two digits") << QStringLiteral("BA") << qint64(64);
        QTest::addRow("three digits") << QStringLiteral("CpQ") << qint64(2 * 4096 + 41 * 64 + 16);
        QTest::addRow("ten digits") << QStringLiteral("BAAAAAAAAA") << (qint64(1) << 54);
        QTest::addRow("too long to be safe") << QStringLiteral("BAAAAAAAAAA") << qint64(-1);
        QTest::addRow("empty") << QString() << qint64(-1);
        QTest::addRow("bad digit") << QStringLiteral("A*") << qint64(-1);
    }
    void indexNumbers() {
        QFETCH(QString, digits);
        QFETCH(qint64, value);
        QCOMPARE(dictd::indexNumber(digits), value);
    }

    void indexLines_data() {
        QTest::addColumn<QString>("index");
        QTest::addColumn<qsizetype>("faultLine"); // 0: read
        QTest::addRow("CR LF and a fourth field") << "cat\tA\tB\r\n\r\ndog\tB\tC\tDog\r\n" << qsizetype(0);
        QTest::addRow("a field missing") << "cat\tA\tB\ndog\tB\n" << qsizetype(2);
        QTest::addRow("not base-64") << "cat\tA\tB\n\ndog\tB\tC-D\n" << qsizetype(3);
        QTest::addRow("spaces instead of tabs") << "cat A B\n" << qsizetype(1);
    }
    void indexLines() {
        QFETCH(QString, index);
        QFETCH(qsizetype, faultLine);
        try {
            const QList<dictd::IndexEntry> entries = dictd::readIndex(index);
            QCOMPARE(faultLine, 0);
            QCOMPARE(entries.size(), 2);
            QCOMPARE(entries[1].headword, QStringLiteral("dog"));
            QCOMPARE(entries[1].offset, 1);
            QCOMPARE(entries[1].length, 2);
            QCOMPARE(entries[1].line, 3);
        } catch (const BadInput& fault) {
            QCOMPARE(fault.line(), faultLine);
        }
    }

    // A large index is read in two halves at once: the lines keep their numbers and the first fault is the
    // one reported, whichever half it lies in.
    void largeIndex_data() {
        QTest::addColumn<LineTexts>("changed");   // line number: its text instead
        QTest::addColumn<qsizetype>("faultLine"); // 0: read
        QTest::addRow("whole") << LineTexts{} << qsizetype(0);
        QTest::addRow("blank lines in both halves") << LineTexts{{10, ""}, {9000, " "}} << qsizetype(0);
        QTest::addRow("fault in the second half") << LineTexts{{9000, "bad"}} << qsizetype(9000);
        QTest::addRow("faults in both halves") << LineTexts{{20, "bad"}, {9000, "bad"}} << qsizetype(20);
    }
    void largeIndex() {
        QFETCH(LineTexts, changed);
        QFETCH(qsizetype, faultLine);
        QStringList lines;
        for (int line = 1; line <= 10000; ++line)
            lines.append(changed.value(line, QStringLiteral("word%1\tA\tB\r").arg(line)));
        try {
            const QList<dictd::IndexEntry> entries = dictd::readIndex(lines.join(u'\n'));
            QCOMPARE(faultLine, 0);
            QCOMPARE(entries.size(), 10000 - changed.size());
            for (const dictd::IndexEntry& entry : entries)
                QCOMPARE(entry.headword, QStringLiteral("word%1").arg(entry.line));
        } catch (const BadInput& fault) {
            QCOMPARE(fault.line(), faultLine);
        }
    }

    void compressedData_data() {
        QTest::addColumn<QByteArray>("file");
        const QByteArray plain = longData();
        QTest::addRow("plain") << plain;
        QTest::addRow("gzip") << gzip(plain);
        QTest::addRow("dictzip, one chunk") << dictzip(plain, 60000);
        QTest::addRow("dictzip, many chunks") << dictzip(plain, 1000);
        QTest::addRow("two gzip members") << gzip(plain.first(1000)) + gzip(plain.sliced(1000));
    }
    void compressedData() {
        QFETCH(QByteArray, file);
        QCOMPARE(dictd::readData(file), longData());
    }

    // A file cut short or damaged never passes for a shorter dictionary.
    void damagedData_data() {
        QTest::addColumn<QByteArray>("file");
        const QByteArray packed = dictzip(longData(), 1000);
        QTest::addRow("cut in a chunk") << packed.first(packed.size() / 2);
        QTest::addRow("cut before the checksum") << packed.first(packed.size() - 6);
        QTest::addRow("cut in the header") << packed.first(12);
        QByteArray flipped = packed;
        flipped[flipped.size() - 20] = char(flipped[flipped.size() - 20] ^ 0x40);
        QTest::addRow("a byte changed") << flipped;
        QByteArray wrongSize = packed;
        wrongSize[wrongSize.size() - 1] = char(wrongSize[wrongSize.size() - 1] ^ 0x01);
        QTest::addRow("length at the end wrong") << wrongSize;
    }
    void damagedData() {
        QFETCH(QByteArray, file);
        QVERIFY_THROWS_EXCEPTION(BadInput, dictd::readData(file));
    }

    // Either file of the database names it; the other one is found beside it, compressed or not.
    void database_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<bool>("compressed");
        QTest::addRow("index, .dict.dz beside it") << "mueller7.index" << true;
        QTest::addRow(".dict.dz") << "mueller7.dict.dz" << true;
        QTest::addRow("index, .dict beside it") << "mueller7.index" << false;
        QTest::addRow(".dict") << "mueller7.dict" << false;
    }
    void database() {
        QFETCH(QString, given);
        QFETCH(bool, compressed);
        QTemporaryDir dir;
        const Database db = sampleDatabase();
        writeBytes(dir.filePath("mueller7.index"), db.index);
        writeBytes(dir.filePath(compressed ? "mueller7.dict.dz" : "mueller7.dict"),
                   compressed ? dictzip(db.data, 30) : db.data);
        const QString path = dir.filePath(given);
        QCOMPARE(lines(importsource::read(path, readBytes(path), {})),
                 (QStringList{"кот|cat", "собака|dog"}));
    }

    void databaseFaultsNameTheirFile_data() {
        QTest::addColumn<QString>("index");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<QString>("file");
        QTest::addColumn<qsizetype>("line");
        const Database db = sampleDatabase();
        QTest::addRow("bad index line")
            << QString::fromUtf8(db.index + "horse\tZ\n") << false << "x.index" << qsizetype(5);
        QTest::addRow("entry past the data")
            << QString::fromUtf8(db.index + "horse\tA\tZZZ\n") << false << "x.index" << qsizetype(5);
        QTest::addRow("data cut short") << QString::fromUtf8(db.index) << true << "x.dict.dz" << qsizetype(0);
        QTest::addRow("bad index line, data cut short")
            << QString::fromUtf8(db.index + "horse\tZ\n") << true << "x.index" << qsizetype(5);
    }
    void databaseFaultsNameTheirFile() {
        QFETCH(QString, index);
        QFETCH(bool, cut);
        QFETCH(QString, file);
        QFETCH(qsizetype, line);
        QTemporaryDir dir;
        const QByteArray packed = dictzip(sampleDatabase().data, 30);
        writeBytes(dir.filePath("x.index"), index.toUtf8());
        writeBytes(dir.filePath("x.dict.dz"), cut ? packed.first(packed.size() - 10) : packed);
        try {
            importsource::read(dir.filePath("x.dict.dz"), readBytes(dir.filePath("x.dict.dz")), {});
            QFAIL("no fault found");
        } catch (const BadInput& fault) {
            QCOMPARE(fault.fileName(), dir.filePath(file));
            QCOMPARE(fault.line(), line);
        }
    }

    // Thousands of articles, read in runs side by side: the pairs keep the index's order, and of two
    // damaged entries the first in the index is reported, whichever run meets its fault first.
    void manyArticles() {
        Database db;
        QStringList expected;
        for (int i = 0; i < 5000; ++i) {
            db.add(QStringLiteral("word%1").arg(i), QStringLiteral("word%1\n   слово%1\n").arg(i));
            expected.append(QStringLiteral("слово%1|word%1").arg(i));
        }
        QTemporaryDir dir;
        writeBytes(dir.filePath("x.index"), db.index);
        writeBytes(dir.filePath("x.dict.dz"), dictzip(db.data, 4000));
        QCOMPARE(lines(importsource::read(dir.filePath("x.index"), readBytes(dir.filePath("x.index")), {})),
                 expected);

        QList<QByteArray> index = db.index.split('\n');
        for (const int damaged : {3500, 1500})
            index[damaged] = "past\tA\tZZZZ";
        writeBytes(dir.filePath("x.index"), index.join('\n'));
        try {
            importsource::read(dir.filePath("x.index"), readBytes(dir.filePath("x.index")), {});
            QFAIL("no fault found");
        } catch (const BadInput& fault) {
            QCOMPARE(fault.fileName(), dir.filePath("x.index"));
            QCOMPARE(fault.line(), 1501);
        }
    }

    // Chunks are inflated one by one where their articles are read; a file whose chunks do not add up is
    // read whole instead, which gives its pairs, or its fault as always.
    void chunks_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<qint64>("farEntry"); // > 0: one more entry, this long, from the text's start
        const Database db = numberedWords().db;
        const QByteArray packed = dictzip(db.data, 500);
        // The header is 12 bytes, "RA" and its length, version, chunk length and count: the first size at 22.
        const auto withFirstSizes = [&](int change) {
            QByteArray file = packed;
            const quint16 first = quint16(quint8(file[22]) | quint8(file[23]) << 8) + change;
            const quint16 second = quint16(quint8(file[24]) | quint8(file[25]) << 8) - change;
            file[22] = char(first & 0xFF);
            file[23] = char(first >> 8);
            file[24] = char(second & 0xFF);
            file[25] = char(second >> 8);
            return file;
        };
        QTest::addRow("as dictzip writes it") << dictzip(db.data, 500, true) << true << qint64(0);
        QTest::addRow("one chunk") << dictzip(db.data, 60000) << true << qint64(0);
        QTest::addRow("chunk list a byte off") << withFirstSizes(1) << true << qint64(0);
        QTest::addRow("chunk list two bytes off") << withFirstSizes(-2) << true << qint64(0);
        QByteArray damaged = packed;
        damaged[damaged.size() / 2] = char(damaged[damaged.size() / 2] ^ 0x10);
        QTest::addRow("a chunk damaged") << damaged << false << qint64(0);
        QByteArray checksum = packed;
        checksum[checksum.size() - 8] = char(checksum[checksum.size() - 8] ^ 0x01);
        QTest::addRow("checksum wrong") << checksum << false << qint64(0);
        QByteArray length = packed;
        length[length.size() - 4] = char(length[length.size() - 4] + 1);
        QTest::addRow("length wrong") << length << false << qint64(0);
        QTest::addRow("a second gzip member after it") << packed + gzip("x") << true << qint64(0);
        QByteArray unknownFlag = packed;
        unknownFlag[3] = char(unknownFlag[3] | 0x20);
        QTest::addRow("an unknown header flag") << unknownFlag << false << qint64(0);
        // A chunk list that promises 32,000 chunks of 65,535 bytes: an entry near the end of those 2 GiB is
        // no reason to set 2 GiB aside before a chunk has inflated. One chunk holds the data, the rest are
        // empty.
        const QByteArray one = dictzip(db.data, 60000); // its one chunk's compressed data starts at 24
        const qsizetype body = one.size() - 24 - 8;
        const int chunks = 32000;
        QByteArray promising = one.first(10);
        putLittleEndian(promising, 4 + 6 + 2 * chunks, 2);
        promising += "RA";
        putLittleEndian(promising, 6 + 2 * chunks, 2);
        putLittleEndian(promising, 1, 2);
        putLittleEndian(promising, 65535, 2);
        putLittleEndian(promising, chunks, 2);
        putLittleEndian(promising, quint32(body), 2);
        promising += QByteArray(2 * (chunks - 1), '\0');
        const qint64 promised = (chunks - 1) * 65535LL + 1;
        promising += one.sliced(24, body) + one.last(8).first(4);
        putLittleEndian(promising, quint32(promised), 4);
        QTest::addRow("a chunk list that promises 2 GiB") << promising << false << promised - 1;
    }
    void chunks() {
        QFETCH(QByteArray, file);
        QFETCH(bool, readable);
        QFETCH(qint64, farEntry);
        const NumberedWords words = numberedWords();
        QTemporaryDir dir;
        const QString far = QStringLiteral("far\tA\t%1\n").arg(indexDigits(farEntry));
        writeBytes(dir.filePath("x.index"), words.db.index + (farEntry > 0 ? far.toUtf8() : QByteArray()));
        writeBytes(dir.filePath("x.dict.dz"), file);
        const QString index = dir.filePath("x.index");
        // Memory a far entry must not cost: a gigabyte is more than any row needs.
        rlimit unlimited{};
        getrlimit(RLIMIT_DATA, &unlimited);
        const rlimit gigabyte{rlim_t(1) << 30, unlimited.rlim_max};
        setrlimit(RLIMIT_DATA, &gigabyte);
        const auto restore = qScopeGuard([&] { setrlimit(RLIMIT_DATA, &unlimited); });
        try {
            QCOMPARE(lines(importsource::read(index, readBytes(index), {})), words.pairs);
            QVERIFY(readable);
        } catch (const BadInput& fault) {
            QVERIFY2(!readable, qPrintable(fault.message()));
            QCOMPARE(fault.fileName(), dir.filePath("x.dict.dz"));
        }
    }

    void withoutItsIndex() {
        QTemporaryDir dir;
        writeBytes(dir.filePath("lonely.dict.dz"), dictzip(sampleDatabase().data, 30));
        QVERIFY_THROWS_EXCEPTION(BadInput, importsource::read(dir.filePath("lonely.dict.dz"),
                                                              readBytes(dir.filePath("lonely.dict.dz")), {}));
    }

    void firstTranslations_data() {
        QTest::addColumn<QString>("headword");
        QTest::addColumn<QString>("article");
        QTest::addColumn<QString>("pair");
        QTest::addRow("FreeDict, numbered senses") << "about"
                                                   << "about /əbaut/\n1. о\n2. приблизительно, примерно\n"
                                                   << "о|about";
        QTest::addRow("FreeDict, one sense") << "theatre"
                                             << "theatre /θiətər/\nтеатр\n"
                                             << "театр|theatre";
        QTest::addRow("folded headword") << "adams apple"
                                         << "Adam's apple /ədɑːmzæpl/\nадамово яблоко\n"
                                         << "адамово яблоко|Adam's apple";
        QTest::addRow("Mueller, homonym and part of speech")
            << "cat"
            << "cat\n   _I  [kæt]\n      1. _n.\n         1) кот; кошка; tom cat кот\n"
            << "кот|cat";
        QTest::addRow("labels before the word") << "floweret"
                                                << "floweret\n   [↗flaʊɜrɪt] _n. _поэт. цветочек\n"
                                                << "цветочек|floweret";
        QTest::addRow("note across lines") << "x"
                                           << "x\n   [eks] _n. (очень,\n   длинное примечание) перевод, ещё\n"
                                           << "перевод|x";
        QTest::addRow("note never closed") << "x"
                                           << "x\n   перевод (примечание\n"
                                           << "перевод|x";
        QTest::addRow("letters of sub-senses") << "x"
                                               << "x\n   1) а) первое; б) второе\n"
                                               << "первое|x";
        QTest::addRow("Roman numbers") << "x"
                                       << "x\n   I. _n. первое\n   II. _v. второе\n"
                                       << "первое|x";
        QTest::addRow("numbers in a translation stay")
            << "a"
            << "A\n   a\n   _I  [ɛɪ] (_pl. As, A's, Aes [ɛɪz])\n      1) 1-я буква англ. алфавита\n"
            << "1-я буква англ. алфавита|A";
        QTest::addRow("reference only") << "'cause"
                                        << "'cause\n   [kɘz] _уст. = because\n"
                                        << "|'cause";
        QTest::addRow("example before any translation")
            << "aeolian"
            << "Aeolian\n   [i:↗ɜʊljɜn] _a. Aeolian harp Эолова арфа\n"
            << "|Aeolian";
        QTest::addRow("first homonym only")
            << "brownie"
            << "brownie\n   _I  [↗braʊnɪ] _n. тип фотографического аппарата\n   _II [↗braʊnɪ] _n. домовой\n"
               "   _III[↗braʊnɪ] _n. девочка-скаут младшего возраста\n"
            << "тип фотографического аппарата|brownie";
        QTest::addRow("first homonym without a translation")
            << "fawning"
            << "fawning\n   _I  [↗fɘ:nɪŋ] _pres-p. от fawn I, 3\n   _II [↗fɘ:nɪŋ]\n      1. _pres-p. от fawn "
               "II\n"
               "      2. _a. раболепный\n"
            << "|fawning";
        QTest::addRow("usage note before the senses") << "-armed"
                                                      << "-armed\n   [ɑ:md] в сложных словах означает\n   а) "
                                                         "имеющий столько-то рук; onearmed однорукий;\n"
                                                      << "имеющий столько-то рук|-armed";
        QTest::addRow("usage note with a colon") << "over"
                                                 << "over\n   1) указывает на взаимное положение "
                                                    "предметов:\n   а) над; the lamp hangs over the table\n"
                                                 << "над|over";
        QTest::addRow("labels without an underscore")
            << "lassie"
            << "lassie\n   [↗læsɪ] _n. _ласк. преим. _шотл.\n   1) девушка; девочка\n"
            << "девушка|lassie";
        QTest::addRow("label before the translation") << "Pluto"
                                                      << "Pluto\n   [↗plʊ:tɜʊ] _n. римск. _миф. Плутон\n"
                                                      << "Плутон|Pluto";
        QTest::addRow("no headword line") << "cat"
                                          << "кошка, кот\n"
                                          << "кошка|cat";
        QTest::addRow("empty article") << "cat"
                                       << ""
                                       << "|cat";
    }
    void firstTranslations() {
        QFETCH(QString, headword);
        QFETCH(QString, article);
        QFETCH(QString, pair);
        const Pair got = firstTranslation(headword, article);
        QCOMPARE(got.russian + u'|' + got.english, pair);
    }

    // An import decodes each article's bytes itself: the encodings and the blanks that the data file
    // may hold give the pair that decoding the whole article first gives.
    void articleBytes_data() {
        QTest::addColumn<QByteArray>("article");
        QTest::addColumn<QString>("pair");
        const QByteArray mueller =
            QStringLiteral("cat\n   _I  [kæt]\n      1. _n.\n         1) кот; кошка\n").toUtf8();
        QTest::addRow("UTF-8, labels, notes, numbered senses") << mueller << "кот|cat";
        QTest::addRow("Windows-1251") << ansi::encode(u"cat\n   1) кот; кошка\n") << "кот|cat";
        // One stray byte, even past the translation, makes the whole article Windows-1251.
        QTest::addRow("UTF-8 broken at the end") << mueller + "\xFF"
                                                 << "РєРѕС‚|cat";
        QTest::addRow("UTF-8 cut inside a letter") << mueller.chopped(2) << "РєРѕС‚|cat";
        QTest::addRow("overlong form") << mueller + "\xC0\xAF"
                                       << "РєРѕС‚|cat";
        QTest::addRow("encoded surrogate") << mueller + "\xED\xA0\x80"
                                           << "РєРѕС‚|cat";
        QTest::addRow("past U+10FFFF") << mueller + "\xF4\x90\x80\x80"
                                       << "РєРѕС‚|cat";
        QTest::addRow("byte-order mark") << "\xEF\xBB\xBF" + mueller << "кот|cat";
        QTest::addRow("byte-order mark, then broken UTF-8") << "\xEF\xBB\xBF" + mueller + "\xFF"
                                                            << "кот|cat";
        QTest::addRow("a mark inside is a character")
            << QByteArray("cat\n   \xEF\xBB\xBF") + QStringLiteral("кот\n").toUtf8()
            << QChar(0xFEFF) + QStringLiteral("кот|cat");
        QByteArray utf16("\xFF\xFE");
        for (const QChar c : QStringLiteral("cat\n   1) кот\n"))
            utf16 += QByteArray(1, char(c.unicode() & 0xFF)) + char(c.unicode() >> 8);
        QTest::addRow("UTF-16 with its mark") << utf16 << "кот|cat";
        QTest::addRow("CR LF") << QStringLiteral("cat\r\n   1) кот\r\n").toUtf8() << "кот|cat";
        QTest::addRow("leading blank lines, no final break")
            << QStringLiteral("\n \t\n  Cat\n   1) кот").toUtf8() << "кот|Cat";
        QTest::addRow("non-breaking spaces around the number")
            << QStringLiteral("cat\n\u00A0\u00A01)\u00A0кот\n").toUtf8() << "кот|cat";
        QTest::addRow("a character beyond 16 bits")
            << QStringLiteral("cat\n   1) \U0001F408 кот; кошка\n").toUtf8() << "\U0001F408 кот|cat";
        QTest::addRow("letters of three bytes") << QStringLiteral("cat\n   1) ↗кот\n").toUtf8() << "↗кот|cat";
    }
    void articleBytes() {
        QFETCH(QByteArray, article);
        QFETCH(QString, pair);
        const Pair decodedFirst = firstTranslation(u"cat", inputtext::decode(article));
        QCOMPARE(decodedFirst.russian + u'|' + decodedFirst.english, pair);
        // A long article first, so that the room it leaves is used again.
        Database db;
        db.add(QStringLiteral("long"), QStringLiteral("long\n   1) %1\n").arg(QString(3000, u'д')));
        db.addBytes(QStringLiteral("cat"), article);
        QTemporaryDir dir;
        writeBytes(dir.filePath("x.index"), db.index);
        writeBytes(dir.filePath("x.dict.dz"), dictzip(db.data, 1000));
        const QStringList got =
            lines(importsource::read(dir.filePath("x.index"), readBytes(dir.filePath("x.index")), {}));
        QCOMPARE(got.size(), 2);
        QCOMPARE(got[1], pair);
    }
};

QTEST_GUILESS_MAIN(tst_dicttool_dictd)
#include "tst_dicttool_dictd.moc"
