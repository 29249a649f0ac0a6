// SPDX-License-Identifier: GPL-3.0-or-later
// Anki's packages and its text exports, and the HTML of their fields, as import reads them. The packages
// are made by anki/make_packages.py in the layouts Anki writes.
#include "ImportFile.h"
#include "TestHelpers.h"
#include "dicttool/BadInput.h"
#include "dicttool/ImportSource.h"
#include "dicttool/PlainText.h"
#include "platform/TextCodec.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList packageWords = {"яблоко|apple", "брать взаймы|to borrow",     "гриб|mushroom",
                                  "хлеб|bread",   "соль и перец|salt & pepper", "дом|house"};

QString fixture(const QString& name) {
    return QStringLiteral(ANKI_FIXTURES "/") + name;
}

// The words of the pairs that have both sides, as "russian|english", and the gaps of the others.
struct Read {
    QStringList words;
    QList<Gap> gaps;
};

Read sorted(const QList<Pair>& pairs) {
    Read read;
    for (const Pair& pair : pairs) {
        if (!pair.russian.isEmpty() && !pair.english.isEmpty())
            read.words.append(pair.russian + u'|' + pair.english);
        else
            read.gaps.append(pair.gap);
    }
    return read;
}

} // namespace

class tst_dicttool_anki : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QList<Pair> import(const QString& name, const QByteArray& bytes,
                       const importsource::Options& options = {}) {
        return importFile(m_dir, name, bytes, options);
    }

private slots:
    void packages_data() {
        QTest::addColumn<QString>("package");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QList<Gap>>("gaps");
        // Front and Back are told apart by their words, Русский and English by their names; the German
        // note type has no Russian field.
        const QList<Gap> gaps = {Gap::Markup, Gap::None, Gap::Language};
        QTest::addRow("Anki 2.0, collection.anki2") << "old.apkg"
                                                    << "" << packageWords << gaps;
        QTest::addRow("collection package, collection.anki21") << "anki21.colpkg"
                                                               << "" << packageWords << gaps;
        QTest::addRow("Anki 2.1.50, collection.anki21b in zstd") << "new.apkg"
                                                                 << "" << packageWords << gaps;
        QTest::addRow("fields named") << "new.apkg"
                                      << "Front,Back" << packageWords.first(5)
                                      << QList<Gap>{Gap::Markup, Gap::Language, Gap::Language, Gap::Language};
        QTest::addRow("fields named, letter case ignored")
            << "old.apkg"
            << "wort,BEDEUTUNG" << QStringList{"dog|Hund"} << QList<Gap>(8, Gap::Language);
    }
    void packages() {
        QFETCH(QString, package);
        QFETCH(QString, fields);
        QFETCH(QStringList, words);
        QFETCH(QList<Gap>, gaps);
        importsource::Options options;
        if (!fields.isEmpty())
            options.fields = {fields.section(u',', 0, 0), fields.section(u',', 1, 1)};
        const Read read = sorted(import(package, readBytes(fixture(package)), options));
        QCOMPARE(read.words, words);
        QCOMPARE(read.gaps, gaps);
    }

    // A damaged package is refused with a message naming it and what is wrong.
    void damagedPackages_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        const QByteArray package = readBytes(fixture("new.apkg"));
        QTest::addRow("cut short") << package.first(package.size() / 2) << "damaged";
        QByteArray changed = package;
        // Inside the compressed collection, which comes second in the archive.
        const qsizetype collection = package.indexOf("collection.anki21b") + 100;
        changed[collection] = char(changed[collection] ^ 0x5A);
        QTest::addRow("a byte changed") << changed << "collection.anki21b";
        QTest::addRow("no zip at all") << QByteArray("PK\x03\x04 and then text") << "damaged";
        QTest::addRow("compressed collection cut short")
            << readBytes(fixture("zstd-cut.apkg")) << "collection.anki21b";
        QTest::addRow("collection that is no database") << readBytes(fixture("not-sqlite.apkg")) << "SQLite";
        QTest::addRow("no collection")
            << readBytes(fixture("not-sqlite.apkg")).replace("collection.anki2", "collection.ankiX")
            << "no Anki collection";
    }
    void damagedPackages() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        const QString path = m_dir.filePath(QStringLiteral("deck.apkg"));
        writeBytes(path, bytes);
        try {
            importsource::read(path, bytes, {});
            QFAIL("the package was read");
        } catch (const BadInput& fault) {
            QCOMPARE(fault.fileName(), path);
            QVERIFY2(fault.message().contains(problem), qPrintable(fault.message()));
        }
    }

    void wordOfHtml_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("word");
        QTest::addRow("bold and a sound") << "<b>яблоко</b> [sound:apple.mp3]"
                                          << "яблоко";
        QTest::addRow("entities") << "брать&nbsp;взаймы, salt &amp; pepper"
                                  << "брать взаймы, salt & pepper";
        QTest::addRow("numbers") << "&#1082;&#x43E;&#X442; &#0; &#xD800;"
                                 << "кот &#0; &#xD800;";
        QTest::addRow("unknown entity, a lone ampersand") << "&foo; & co"
                                                          << "&foo; & co";
        QTest::addRow("a styled span") << "<span style=\"color: rgb(0, 0, 0);\">гриб</span>"
                                       << "гриб";
        QTest::addRow("first of the lines") << "<div>bread</div><div>a loaf</div>"
                                            << "bread";
        QTest::addRow("break") << "хлеб<br/>буханка"
                               << "хлеб";
        QTest::addRow("empty first line") << "<div><br></div>\n<p>  сыр </p>"
                                          << "сыр";
        QTest::addRow("blanks run together") << "ice\n  cream\t"
                                             << "ice cream";
        QTest::addRow("picture only") << "<img src=\"cat.jpg\"> [img:cat.png]"
                                      << "";
        QTest::addRow("style and script") << "<style>.a{}</style><SCRIPT>x()</script>лук"
                                          << "лук";
        QTest::addRow("a less-than sign without its tag") << "1 < 2"
                                                          << "1 < 2";
    }
    void wordOfHtml() {
        QFETCH(QString, html);
        QFETCH(QString, word);
        QCOMPARE(plaintext::wordOfHtml(html), word);
    }

    // Anki's "Notes in Plain Text" and the CSV that spreadsheets write under a Russian locale.
    void textExports_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QList<Gap>>("gaps");
        QTest::addRow("Anki, HTML and note columns")
            << QString("#separator:tab\n#html:true\n#guid column:1\n#notetype column:2\n#deck column:3\n"
                       "#tags column:6\n"
                       "a1\tBasic\tWords\t<b>яблоко</b>\tapple [sound:apple.mp3]\tfruit\n"
                       "a2\tBasic\tWords\tбрать&nbsp;взаймы\tto&nbsp;borrow\t\n"
                       "a3\tBasic\tWords\t\"<span style=\"\"color: red\"\">гриб</span>\"\tmushroom\t\n"
                       "a4\tBasic\tWords\tкошка\t<img src=\"cat.jpg\">\t\n"
                       "a5\tBasic\tWords\tсобака\n")
                   .toUtf8()
            << "" << QStringList{"яблоко|apple", "брать взаймы|to borrow", "гриб|mushroom"}
            << QList<Gap>{Gap::Markup, Gap::Language};
        QTest::addRow("Anki, columns named")
            << QString("#separator:Semicolon\n#html:false\n#columns:Notes;Russian;English\n"
                       "a fruit;яблоко;apple\n")
                   .toUtf8()
            << "" << QStringList{"яблоко|apple"} << QList<Gap>{};
        QTest::addRow("Anki without HTML keeps the text")
            << QString("#separator:comma\n#html:false\n<b>bold</b>,жирный\n").toUtf8() << ""
            << QStringList{"жирный|<b>bold</b>"} << QList<Gap>{};
        const QString semicolons = "кот;cat, tomcat\nсобака;dog\nволк;\"wolf; grey\"\n";
        QTest::addRow("semicolons in Windows-1251")
            << ansi::encode(semicolons) << ""
            << QStringList{"кот|cat, tomcat", "собака|dog", "волк|wolf; grey"} << QList<Gap>{};
        QTest::addRow("semicolons, UTF-16 LE with its mark")
            << QByteArray("\xFF\xFE") +
                   QByteArray(reinterpret_cast<const char*>(semicolons.utf16()), semicolons.size() * 2)
            << "" << QStringList{"кот|cat, tomcat", "собака|dog", "волк|wolf; grey"} << QList<Gap>{};
        QString bigEndian;
        for (const QChar c : QString("cat\tкот\r\n"))
            bigEndian += QChar(ushort((c.unicode() >> 8) | (c.unicode() << 8)));
        QTest::addRow("tabs, UTF-16 BE with its mark")
            << QByteArray("\xFE\xFF") + QByteArray(reinterpret_cast<const char*>(bigEndian.utf16()), 16) << ""
            << QStringList{"кот|cat"} << QList<Gap>{};
        QTest::addRow("a comma in every line is no separator")
            << QString("cat,кот; кошка\ndog,собака; пёс\n").toUtf8() << ""
            << QStringList{"кот; кошка|cat", "собака; пёс|dog"} << QList<Gap>{};
        QTest::addRow("the separator given")
            << QString("cat|кот\n").toUtf8() << "|" << QStringList{"кот|cat"} << QList<Gap>{};
    }
    void textExports() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, separator);
        QFETCH(QStringList, words);
        QFETCH(QList<Gap>, gaps);
        importsource::Options options;
        if (!separator.isEmpty())
            options.separator = separator[0];
        const Read read = sorted(import(QStringLiteral("export.txt"), bytes, options));
        QCOMPARE(read.words, words);
        QCOMPARE(read.gaps, gaps);
    }
};

QTEST_GUILESS_MAIN(tst_dicttool_anki)
#include "tst_dicttool_anki.moc"
