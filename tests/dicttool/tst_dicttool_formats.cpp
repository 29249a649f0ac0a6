// SPDX-License-Identifier: GPL-3.0-or-later
// The outside text formats as import reads them from real files: tab- and comma-separated text and
// KVTML, in UTF-8 or Windows-1251.
#include "ImportFile.h"
#include "TestHelpers.h"
#include "dicttool/BadInput.h"
#include "dicttool/DelimitedReader.h"
#include "dicttool/DelimitedWriter.h"
#include "dicttool/ImportSource.h"
#include "dicttool/KvtmlReader.h"
#include "dicttool/KvtmlWriter.h"
#include "platform/TextCodec.h"

#include <QTemporaryDir>
#include <QTest>

using importsource::Format;

namespace {

// Pairs as "russian|english" lines, easy to compare and to read in a failure.
QStringList lines(const QList<Pair>& pairs) {
    QStringList result;
    for (const Pair& pair : pairs)
        result.append(pair.russian + u'|' + pair.english);
    return result;
}

QString kvtmlFile(const QString& identifiers, const QString& entries) {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" \"http://edu.kde.org/kvtml/kvtml2.dtd\">\n"
                          "<kvtml version=\"2.0\" >\n"
                          " <information>\n  <generator>kwordquiz 0.9.2</generator>\n"
                          "  <title>Animals</title>\n </information>\n"
                          " <identifiers>\n%1 </identifiers>\n"
                          " <entries>\n%2 </entries>\n"
                          "</kvtml>\n")
        .arg(identifiers, entries);
}

QString identifier(int id, const QString& name, const QString& locale) {
    return QStringLiteral(
               "  <identifier id=\"%1\" >\n   <name>%2</name>\n   <locale>%3</locale>\n  </identifier>\n")
        .arg(id)
        .arg(name, locale);
}

QString entry(const QStringList& texts) {
    QString translations;
    for (qsizetype i = 0; i < texts.size(); ++i)
        translations +=
            QStringLiteral("   <translation id=\"%1\" >\n    <text>%2</text>\n   </translation>\n")
                .arg(i)
                .arg(texts[i]);
    return QStringLiteral("  <entry id=\"0\" >\n%1  </entry>\n").arg(translations);
}

} // namespace

class tst_dicttool_formats : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QList<Pair> import(const QString& name, const QByteArray& bytes,
                       const importsource::Options& options = {}) {
        return importFile(m_dir, name, bytes, options);
    }

    // The line of the BadInput that reading the bytes throws; 0 when it throws none.
    qsizetype faultLine(const QString& name, const QByteArray& bytes,
                        const importsource::Options& options = {}) {
        try {
            import(name, bytes, options);
        } catch (const BadInput& fault) {
            return fault.fileName().endsWith(name) ? fault.line() : -1;
        }
        return 0;
    }

private slots:
    void delimitedRecords_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<QStringList>("records"); // "line: field / field"
        QTest::addRow("LF") << "cat,кот\ndog,собака\n"
                            << "," << QStringList{"1: cat / кот", "2: dog / собака"};
        QTest::addRow("CR LF, no final break") << "a,b\r\nc,d"
                                               << "," << QStringList{"1: a / b", "2: c / d"};
        QTest::addRow("lone CR") << "a,b\rc,d\r"
                                 << "," << QStringList{"1: a / b", "2: c / d"};
        QTest::addRow("quoted delimiter and quotes") << "\"a, b\",\"say \"\"hi\"\"\"\n"
                                                     << "," << QStringList{"1: a, b / say \"hi\""};
        QTest::addRow("quoted line break counts lines") << "\"a\r\nb\",c\nd,e\n"
                                                        << "," << QStringList{"1: a\r\nb / c", "3: d / e"};
        QTest::addRow("empty cells") << ",b\na,\n,\n"
                                     << "," << QStringList{"1:  / b", "2: a / ", "3:  / "};
        QTest::addRow("empty lines") << "\n\na,b\n\n"
                                     << "," << QStringList{"3: a / b"};
        QTest::addRow("quoted empty field") << "\"\",b\n"
                                            << "," << QStringList{"1:  / b"};
        QTest::addRow("quote inside a plain field is text") << "5\" disk,дискета\n"
                                                            << "," << QStringList{"1: 5\" disk / дискета"};
        QTest::addRow("Anki header lines") << "#separator:tab\n#html:false\ncat\tкот\n"
                                           << "\t" << QStringList{"3: cat / кот"};
        QTest::addRow("a word with # is no header") << "#hashtag,хэштег\n"
                                                    << "," << QStringList{"1: #hashtag / хэштег"};
        QTest::addRow("tab: commas are text") << "a, b\tc\n"
                                              << "\t" << QStringList{"1: a, b / c"};
    }
    void delimitedRecords() {
        QFETCH(QString, text);
        QFETCH(QString, delimiter);
        QFETCH(QStringList, records);
        QStringList got;
        for (const delimited::Record& record : delimited::read(text, delimiter[0]))
            got.append(
                QStringLiteral("%1: %2").arg(record.line).arg(record.fields.join(QStringLiteral(" / "))));
        QCOMPARE(got, records);
    }

    void delimitedFaults_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qsizetype>("line");
        QTest::addRow("quote never closed") << QByteArray("a,b\nc,\"d\ne\n") << qsizetype(2);
        QTest::addRow("text after the closing quote")
            << QByteArray("a,b\r\nc,d\r\n\"e\"f,g\r\n") << qsizetype(3);
        QTest::addRow("quote closed on a later line, then text")
            << QByteArray("\"a\nb\"c,d\n") << qsizetype(2);
    }
    void delimitedFaults() {
        QFETCH(QByteArray, bytes);
        QFETCH(qsizetype, line);
        QCOMPARE(faultLine(QStringLiteral("broken.csv"), bytes), line);
    }

    void encodings_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = QStringLiteral("ёж,hedgehog\r\nщука,pike\r\n");
        QTest::addRow("UTF-8") << text.toUtf8();
        QTest::addRow("UTF-8 with byte-order mark") << "\xEF\xBB\xBF" + text.toUtf8();
        QTest::addRow("Windows-1251") << ansi::encode(text);
    }
    void encodings() {
        QFETCH(QByteArray, bytes);
        QCOMPARE(lines(import(QStringLiteral("words.csv"), bytes)),
                 (QStringList{"ёж|hedgehog", "щука|pike"}));
    }

    // Which column is Russian: the letters tell unless --columns names them.
    void columns_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("english");
        QTest::addColumn<int>("russian");
        QTest::addColumn<QStringList>("pairs");
        QTest::addRow("English first")
            << QByteArray("cat,кот\ndog,пёс\n") << 0 << 0 << QStringList{"кот|cat", "пёс|dog"};
        QTest::addRow("Russian first") << QString("кот,cat\nпёс,dog\nOK,ок\n").toUtf8() << 0 << 0
                                       << QStringList{"кот|cat", "пёс|dog", "OK|ок"};
        QTest::addRow("named columns")
            << QString("1,кот,n,cat\n2,пёс,n,dog\n").toUtf8() << 4 << 2 << QStringList{"кот|cat", "пёс|dog"};
        QTest::addRow("missing cell")
            << QByteArray("cat,кот\ndog\n") << 0 << 0 << QStringList{"кот|cat", "|dog"};
    }
    void columns() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, english);
        QFETCH(int, russian);
        QFETCH(QStringList, pairs);
        importsource::Options options;
        options.columns = {english, russian};
        QCOMPARE(lines(import(QStringLiteral("cards.csv"), bytes, options)), pairs);
    }

    // What export writes, import reads back as it was, whatever the words hold.
    void delimitedRoundTrip_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("format");
        QTest::addRow("CSV") << "out.csv"
                             << "csv";
        QTest::addRow("TSV") << "out.tsv"
                             << "tsv";
    }
    void delimitedRoundTrip() {
        QFETCH(QString, name);
        QFETCH(QString, format);
        const QList<Pair> pairs = {{"кот, кошка", "cat"},
                                   {"«цитата»", "say \"hi\""},
                                   {"таб\tуляция", "tab\tstop"},
                                   {"решётка", "#hash"},
                                   {"", "empty"},
                                   {"  пробелы ", " spaces  "}};
        importsource::Options options;
        options.format = importsource::formatNamed(format);
        options.columns = {1, 2};
        const QList<Pair> back =
            import(name, delimited::write(pairs, format == u"csv" ? u',' : u'\t'), options);
        QCOMPARE(lines(back), lines(pairs));
    }

    void kvtml_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("pairs");
        const QString enRu = identifier(0, "English", "en") + identifier(1, "Russian", "ru");
        const QString animals = entry({"cat", "кот"}) + entry({"dog", "собака"});
        QTest::addRow("English and Russian") << kvtmlFile(enRu, animals) << ""
                                             << "" << QStringList{"кот|cat", "собака|dog"};
        QTest::addRow("Russian first by locale")
            << kvtmlFile(identifier(0, "Русский", "ru") + identifier(1, "Английский", "en"),
                         entry({"кот", "cat"}))
            << ""
            << "" << QStringList{"кот|cat"};
        QTest::addRow("no locales: KWordQuiz's names tell")
            << kvtmlFile(identifier(0, "Русский", "") + identifier(1, "Английский", ""),
                         entry({"кот", "cat"}) + entry({"собака", "dog"}))
            << ""
            << "" << QStringList{"кот|cat", "собака|dog"};
        QTest::addRow("three languages by locale")
            << kvtmlFile(identifier(0, "English", "en_GB") + identifier(1, "Deutsch", "de") +
                             identifier(2, "Russian", "ru-RU"),
                         entry({"cat", "Katze", "кот"}))
            << ""
            << "" << QStringList{"кот|cat"};
        QTest::addRow("named by --from and --to")
            << kvtmlFile(identifier(0, "English", "en") + identifier(1, "Deutsch", "de") +
                             identifier(2, "Russian", "ru"),
                         entry({"cat", "Katze", "кот"}))
            << "deutsch"
            << "2" << QStringList{"кот|Katze"};
        QTest::addRow("only --to: the first other language")
            << kvtmlFile(identifier(0, "Deutsch", "de") + identifier(1, "Russian", "ru"),
                         entry({"Katze", "кот"}))
            << ""
            << "ru" << QStringList{"кот|Katze"};
        QTest::addRow("missing translation")
            << kvtmlFile(
                   enRu,
                   entry({"cat", "кот"}) + entry({"dog"}) +
                       "  <entry id=\"2\"><translation id=\"1\"><text>мышь</text></translation></entry>\n")
            << ""
            << "" << QStringList{"кот|cat", "|dog", "мышь|"};
        QTest::addRow("entities and CDATA")
            << kvtmlFile(enRu, entry({"salt &amp; pepper", "<![CDATA[соль & перец]]>"})) << ""
            << "" << QStringList{"соль & перец|salt & pepper"};
    }
    void kvtml() {
        QFETCH(QString, file);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, pairs);
        importsource::Options options;
        options.from = from;
        options.to = to;
        QCOMPARE(lines(import(QStringLiteral("animals.kvtml"), file.toUtf8(), options)), pairs);
    }

    // Only what a file declares decides its languages: Cyrillic is not Russian, Latin not English.
    void kvtmlLanguagesMissing_data() {
        QTest::addColumn<QString>("identifiers");
        QTest::addColumn<QStringList>("languages");
        QTest::addRow("Bulgarian alone") << identifier(0, "", "bg") << QStringList{"bg"};
        QTest::addRow("British English alone") << identifier(0, "", "en_GB") << QStringList{"en_GB"};
        QTest::addRow("English and French")
            << identifier(0, "English", "en") + identifier(1, "Français", "fr") << QStringList{"en", "fr"};
        QTest::addRow("Ukrainian and English")
            << identifier(0, "", "uk") + identifier(1, "", "en") << QStringList{"uk", "en"};
        QTest::addRow("names that are no languages")
            << identifier(0, "Column 1", "") + identifier(1, "Column 2", "")
            << QStringList{"Column 1", "Column 2"};
        QTest::addRow("none") << QString() << QStringList{};
    }
    void kvtmlLanguagesMissing() {
        QFETCH(QString, identifiers);
        QFETCH(QStringList, languages);
        try {
            import(QStringLiteral("animals.kvtml"),
                   kvtmlFile(identifiers, entry({"мечка", "bear"}) + entry({"кот", "cat"})).toUtf8());
            QFAIL("the file was read");
        } catch (const kvtml::LanguagesMissing& missing) {
            QCOMPARE(missing.languages(), languages);
        }
    }

    void kvtmlInWindows1251() {
        QString file = kvtmlFile(identifier(0, "English", "en") + identifier(1, "Русский", "ru"),
                                 entry({"hedgehog", "ёж"}));
        file.replace(QStringLiteral("UTF-8"), QStringLiteral("windows-1251"));
        QCOMPARE(lines(import(QStringLiteral("old.kvtml"), ansi::encode(file))), QStringList{"ёж|hedgehog"});
    }

    void kvtmlFaults_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("to");
        QTest::addColumn<qsizetype>("line");
        const QString enRu = identifier(0, "English", "en") + identifier(1, "Russian", "ru");
        QString broken = kvtmlFile(enRu, entry({"cat", "кот"}));
        broken.replace(QStringLiteral("</entry>"), QStringLiteral("</entri>"));
        QTest::addRow("mismatched tag")
            << broken.toUtf8() << ""
            << broken.first(broken.indexOf(QStringLiteral("</entri>"))).count(u'\n') + 1;
        const QString cut = kvtmlFile(enRu, entry({"cat", "кот"})).first(400);
        QTest::addRow("cut short") << cut.toUtf8() << "" << cut.count(u'\n') + 1;
        QTest::addRow("KVTML 1")
            << QByteArray("<?xml version=\"1.0\"?>\n<kvtml>\n<e><o>cat</o><t>кот</t></e>\n</kvtml>\n") << ""
            << qsizetype(2);
        QTest::addRow("other XML") << QByteArray("<?xml version=\"1.0\"?>\n\n<html/>\n") << ""
                                   << qsizetype(3);
        QTest::addRow("unknown language")
            << kvtmlFile(enRu, entry({"cat", "кот"})).toUtf8() << "fr" << qsizetype(0);
    }
    void kvtmlFaults() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, to);
        QFETCH(qsizetype, line);
        importsource::Options options;
        options.to = to;
        const QString name = QStringLiteral("broken.kvtml");
        const QString path = m_dir.filePath(name);
        writeBytes(path, bytes);
        try {
            importsource::read(path, bytes, options);
            QFAIL("no fault found");
        } catch (const BadInput& fault) {
            QCOMPARE(fault.fileName(), path);
            QCOMPARE(fault.line(), line);
        }
    }

    // What export writes, import reads back; the file names its languages so that KDE's trainers
    // show them.
    void kvtmlRoundTrip() {
        const QList<Pair> pairs = {{"кот", "cat"}, {"соль & перец", "salt & pepper"}, {"<тег>", "]]>"}};
        const QByteArray file = kvtml::write(pairs, QStringLiteral("User.txt"));
        QVERIFY(file.contains("<locale>ru</locale>"));
        QVERIFY(file.contains("<kvtml version=\"2.0\">"));
        QCOMPARE(lines(import(QStringLiteral("export.kvtml"), file)), lines(pairs));
    }

    void detection_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("pairs");
        QTest::addRow("tabs make TSV")
            << "words.txt" << QByteArray("cat, kitten\tкот\n") << QStringList{"кот|cat, kitten"};
        QTest::addRow("else CSV") << "words.txt" << QString("cat,кот; кошка\n").toUtf8()
                                  << QStringList{"кот; кошка|cat"};
        QTest::addRow("XML is KVTML")
            << "words.txt"
            << kvtmlFile(identifier(0, "English", "en") + identifier(1, "Russian", "ru"),
                         entry({"cat", "кот"}))
                   .toUtf8()
            << QStringList{"кот|cat"};
        QTest::addRow("three columns without a database are TSV")
            << "list.index" << QByteArray("cat\tdog\tmouse\n") << QStringList{"dog|cat"};
    }
    void detection() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, pairs);
        QCOMPARE(lines(import(name, bytes)), pairs);
    }
};

QTEST_GUILESS_MAIN(tst_dicttool_formats)
#include "tst_dicttool_formats.moc"
