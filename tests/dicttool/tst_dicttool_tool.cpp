// SPDX-License-Identifier: GPL-3.0-or-later
// lexitrainer-dict itself, run over a program folder in a temporary directory.
#include "DictdFiles.h"
#include "TestHelpers.h"
#include "dicttool/DataFileText.h"
#include "platform/ScriptedPlatform.h"
#include "platform/TextCodec.h"
#include "platform/WriteLock.h"
#include "quiz/Question.h"
#include "shared/ScrambledText.h"
#include "words/WordList.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

// A vocabulary file as KWordQuiz saves it.
const QByteArray kwordquizFile = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE kvtml PUBLIC "kvtml2.dtd" "http://edu.kde.org/kvtml/kvtml2.dtd">
<kvtml version="2.0" >
  <information>
    <generator>kwordquiz 0.9.2</generator>
    <title>Звери</title>
  </information>
  <identifiers>
    <identifier id="0" >
      <name>Английский</name>
    </identifier>
    <identifier id="1" >
      <name>Русский</name>
    </identifier>
  </identifiers>
  <entries>
    <entry id="0" >
      <translation id="0" >
        <text>hedgehog</text>
      </translation>
      <translation id="1" >
        <text>ёж</text>
      </translation>
    </entry>
    <entry id="1" >
      <translation id="0" >
        <text>Cat</text>
      </translation>
      <translation id="1" >
        <text>кошка</text>
      </translation>
    </entry>
    <entry id="2" >
      <translation id="0" >
        <text>badger</text>
      </translation>
    </entry>
  </entries>
  <lessons>
    <container>
      <name>Урок 1</name>
      <entry id="0" />
      <entry id="1" />
      <entry id="2" />
    </container>
  </lessons>
</kvtml>
)";

// Cards as a flash-card program exports them: Anki's header lines, quoting, CR LF.
const QByteArray cardsFile = QString("#separator:Comma\r\n#html:false\r\n"
                                     "pike,щука\r\n"
                                     "\"perch, river\",окунь\r\n"
                                     "café,кафе\r\n"
                                     "\"two\r\nlines\",две строки\r\n"
                                     "wolf,Волк\r\n")
                                 .toUtf8();

} // namespace

class tst_dicttool_tool : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString& relative) const { return m_dir->filePath(relative); }
    QString folder() const { return m_dir->filePath(QStringLiteral("program")); }
    QString inFolder(const QString& relative) const { return folder() + u'/' + relative; }

    Run run(const QStringList& arguments, const QByteArray& input = {}, const QString& language = "C.UTF-8") {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("LC_ALL"));
        environment.remove(QStringLiteral("LC_MESSAGES"));
        environment.insert(QStringLiteral("LANG"), language);
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral(LEXITRAINER_DICT), arguments);
        tool.write(input);
        tool.closeWriteChannel();
        if (!tool.waitForFinished(60000))
            return {};
        return {tool.exitCode(), tool.readAllStandardOutput(),
                QString::fromUtf8(tool.readAllStandardError())};
    }

    Run import(QStringList arguments) {
        arguments.prepend(folder());
        arguments.prepend(QStringLiteral("--folder"));
        arguments.prepend(QStringLiteral("import"));
        return run(arguments);
    }

    void writeDictionary(const QString& relative, const QStringList& lines) {
        QDir().mkpath(QFileInfo(inFolder(relative)).path());
        WriteScrambledText(inFolder(relative), listText(lines), WriteMode::Replace);
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        writeDictionary(QStringLiteral("словарь/main.txt"), {"кот|cat", "собака|dog", "волк|wolf"});
        writeDictionary(QStringLiteral("словарь/User.txt"), {"ёж|hedgehog"});
    }

    // While the game writes in the program folder the tool waits, says so, and then imports into the
    // dictionary as the game left it.
    void importWaitsForTheGame() {
        writeBytes(path("cards.csv"), "pike,щука\r\n");
        auto lock = std::make_unique<WriteLock>(folder());
        QVERIFY(lock->tryLock(std::chrono::milliseconds(0)));
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("LC_ALL"));
        environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        tool.setProcessEnvironment(environment);
        tool.setReadChannel(QProcess::StandardError);
        tool.start(QStringLiteral(LEXITRAINER_DICT), {"import", "--folder", folder(), path("cards.csv")});
        QString err;
        while (!err.contains(QStringLiteral("waiting")) && tool.waitForReadyRead(30000))
            err += QString::fromUtf8(tool.readAllStandardError());
        QVERIFY2(err.contains(QStringLiteral("LexiTrainer is writing in the program folder")),
                 qPrintable(err));
        writeDictionary(QStringLiteral("словарь/User.txt"), {"ёж|hedgehog", "лиса|fox"});
        lock.reset();
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(ReadScrambledText(inFolder(QStringLiteral("словарь/User.txt"))),
                 listText({"ёж|hedgehog", "лиса|fox", "щука|pike"}));
    }

    void importsIntoUserDictionary() {
        writeBytes(path("animals.kvtml"), kwordquizFile);
        writeBytes(path("cards.csv"), cardsFile);
        const Run result = import({path("animals.kvtml"), path("cards.csv")});
        QCOMPARE(result.exitCode, 0);
        // Cat is in the standard dictionary, ёж and Волк already there; café and the two lines cannot
        // be stored; badger has no translation.
        QCOMPARE(ReadScrambledText(inFolder("словарь/User.txt")),
                 listText({"ёж|hedgehog", "щука|pike", "окунь|perch, river"}));
        QVERIFY2(result.err.contains(
                     QStringLiteral("added 2, skipped as duplicates 3, skipped as not representable "
                                    "2, skipped as incomplete 1")),
                 qPrintable(result.err));
        QVERIFY(result.out.isEmpty());
    }

    void importsMissingUserDictionary() {
        QDir(folder()).removeRecursively();
        writeBytes(path("cards.csv"), cardsFile);
        QCOMPARE(import({path("cards.csv")}).exitCode, 0);
        QCOMPARE(ReadScrambledText(inFolder("словарь/User.txt")),
                 listText({"щука|pike", "окунь|perch, river", "Волк|wolf"}));
    }

    // A fault in any input stops the import before anything is written, naming the file and line.
    void damagedInputChangesNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("where");
        QTest::addRow("CSV, quote never closed")
            << "bad.csv" << QByteArray("a,б\r\nc,в\r\n\"d,г\r\n") << "bad.csv:3: ";
        QTest::addRow("KVTML, broken XML")
            << "bad.kvtml" << QByteArray(kwordquizFile).replace("</entry>", "</entr>") << "bad.kvtml:24: ";
        const QByteArray packed = dictzip(QString("cat\n кошка\n").toUtf8().repeated(400), 500);
        QTest::addRow("dictd, data cut short")
            << "bad.dict.dz" << packed.first(packed.size() - 100) << "bad.dict.dz: ";
    }
    void damagedInputChangesNothing() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, where);
        writeBytes(path("good.csv"), "pike,щука\n");
        writeBytes(path(name), bytes);
        writeBytes(path("bad.index"), "cat\tA\tL\n");
        const QByteArray before = readBytes(inFolder("словарь/User.txt"));
        const Run result = import({path("good.csv"), path(name)});
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(path(where)), qPrintable(result.err));
        QCOMPARE(readBytes(inFolder("словарь/User.txt")), before);
    }

    // A new standard dictionary avoids the user dictionary; -o writes a new dictionary anywhere.
    void otherTargets() {
        writeBytes(path("cards.csv"), cardsFile);
        QCOMPARE(import({"--standard", path("cards.csv")}).exitCode, 0);
        QCOMPARE(ReadScrambledText(inFolder("словарь/main.txt")),
                 listText({"щука|pike", "окунь|perch, river", "Волк|wolf"}));

        QCOMPARE(import({"-o", path("new.txt"), path("cards.csv")}).exitCode, 0);
        QCOMPARE(ReadScrambledText(path("new.txt")),
                 listText({"щука|pike", "окунь|perch, river", "Волк|wolf"}));

        const Run toOutput = run({"import", "-o", "-", "-"}, "pike,щука\n");
        QCOMPARE(toOutput.exitCode, 0);
        QCOMPARE(datafile::decode(toOutput.out), QString("щука|pike\r\n").toUtf8());

        // A standard dictionary with no pair would leave the game without questions.
        writeBytes(path("known.csv"), "hedgehog,ёж\n");
        const QByteArray before = readBytes(inFolder("словарь/main.txt"));
        QCOMPARE(import({"--standard", path("known.csv")}).exitCode, 1);
        QCOMPARE(readBytes(inFolder("словарь/main.txt")), before);
    }

    void wrongUsage_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addRow("nothing") << QStringList{};
        QTest::addRow("unknown command") << QStringList{"convert", "x"};
        QTest::addRow("import without files") << QStringList{"import"};
        QTest::addRow("unknown option") << QStringList{"import", "--fast", "x.csv"};
        QTest::addRow("option of another command") << QStringList{"decode", "--folder", "d", "x"};
        QTest::addRow("value missing") << QStringList{"import", "--format"};
        QTest::addRow("empty value") << QStringList{"import", "-o", "", "x.csv"};
        QTest::addRow("unknown format") << QStringList{"import", "--format", "xls", "x.csv"};
        QTest::addRow("bad columns") << QStringList{"import", "--columns", "1,1", "x.csv"};
        QTest::addRow("standard and -o") << QStringList{"import", "--standard", "-o", "y", "x.csv"};
        QTest::addRow("standard input twice") << QStringList{"import", "-", "-"};
        QTest::addRow("two files to decode") << QStringList{"decode", "a", "b"};
        QTest::addRow("flag with a value") << QStringList{"export", "--standard=yes"};
        QTest::addRow("unknown export format") << QStringList{"export", "--format", "pdf"};
    }
    void wrongUsage() {
        QFETCH(QStringList, arguments);
        const Run result = run(arguments);
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.err.contains(QStringLiteral("--help")));
    }

    void help_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("text");
        QTest::addRow("Russian") << "ru_RU.UTF-8"
                                 << "Использование: lexitrainer-dict КОМАНДА";
        QTest::addRow("English") << "en_GB.UTF-8"
                                 << "Usage: lexitrainer-dict COMMAND";
        QTest::addRow("no locale") << "C"
                                   << "Usage: lexitrainer-dict COMMAND";
    }
    void help() {
        QFETCH(QString, language);
        QFETCH(QString, text);
        const Run result = run({"--help"}, {}, language);
        QCOMPARE(result.exitCode, 0);
        QVERIFY(QString::fromUtf8(result.out).startsWith(text));
    }

    // What export writes, import reads back as the same pairs.
    void exportRoundTrip_data() {
        QTest::addColumn<QString>("name");
        QTest::addRow("TSV") << "out.tsv";
        QTest::addRow("CSV") << "out.csv";
        QTest::addRow("KVTML") << "out.kvtml";
    }
    void exportRoundTrip() {
        QFETCH(QString, name);
        const QStringList pairs = {"кот, кошка|cat", "«цитата»|say \"hi\"", "решётка|#hash", "ёж|hedgehog"};
        writeDictionary(QStringLiteral("словарь/User.txt"), QStringList(pairs) << "not a pair"
                                                                               << "");
        const Run exported = run({"export", "--folder", folder(), "-o", path(name)});
        QCOMPARE(exported.exitCode, 0);
        QVERIFY2(exported.err.contains(QStringLiteral("exported 4 pairs, skipped 2 lines")),
                 qPrintable(exported.err));
        QCOMPARE(run({"import", "-o", path("back.txt"), path(name)}).exitCode, 0);
        QCOMPARE(ReadScrambledText(path("back.txt")), listText(pairs));
    }

    void exportToStandardOutput() {
        const Run result = run({"export", "--standard", "--folder", folder(), "--format", "csv"});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QString("cat,кот\r\ndog,собака\r\nwolf,волк\r\n").toUtf8());
    }

    // decode and encode through files and the standard streams give every byte back.
    void decodeEncode() {
        const QByteArray players =
            QString("$/$/$/$/$Ольга$\\$\\$\\$\\$\r\nDate:=05.03.2007 18:42:10|\r\nYes:=14|\r\nNo:=3|\r\n"
                    "Очки:=1100|\r\nGameTime:=0:03:00|\r\n")
                .toUtf8();
        writeBytes(path("players.txt"), players);
        QCOMPARE(run({"encode", "-o", inFolder("Players.ini"), path("players.txt")}).exitCode, 0);
        const QByteArray file = readBytes(inFolder("Players.ini"));
        const Run decoded = run({"decode", inFolder("Players.ini")});
        QCOMPARE(decoded.exitCode, 0);
        QCOMPARE(decoded.out, players);
        const Run encoded = run({"encode", "-"}, decoded.out);
        QCOMPARE(encoded.out, file);

        // A character the code page has not stops the encode; the file stays.
        writeBytes(path("bad.txt"), QString("кот|cat\r\nкафе|café\r\n").toUtf8());
        const Run bad = run({"encode", "-o", inFolder("Players.ini"), path("bad.txt")});
        QCOMPARE(bad.exitCode, 1);
        QVERIFY2(bad.err.contains(path("bad.txt:2: ")), qPrintable(bad.err));
        QCOMPARE(readBytes(inFolder("Players.ini")), file);

        // Line breaks an editor may have changed are written, with a warning.
        writeBytes(path("lf.txt"), "a|b\nc|d\n");
        const Run lf = run({"encode", "-"}, "a|b\nc|d\n");
        QCOMPARE(lf.exitCode, 0);
        QVERIFY2(lf.err.contains(QStringLiteral("warning: -:1: ")), qPrintable(lf.err));
    }

    // Vocabularies as other programs write them bring clean words into the user dictionary, and the quiz
    // asks them.
    void realVocabularies_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QString>("summary");
        const QStringList fromPackage = {"яблоко|apple", "брать взаймы|to borrow",     "гриб|mushroom",
                                         "хлеб|bread",   "соль и перец|salt & pepper", "дом|house"};
        const QString packageSummary =
            "added 6, skipped as duplicates 0, skipped as not representable 0, skipped as "
            "incomplete 3 (one side empty 1, a language missing 1, a field empty once its "
            "markup was removed 1)";
        QTest::addRow("Anki 2.0 package")
            << "deck.apkg" << readBytes(ANKI_FIXTURES "/old.apkg") << fromPackage << packageSummary;
        QTest::addRow("Anki 2.1.50 package, zstd")
            << "deck.apkg" << readBytes(ANKI_FIXTURES "/new.apkg") << fromPackage << packageSummary;
        QTest::addRow("Anki's Notes in Plain Text")
            << "notes.txt"
            << QString("#separator:tab\r\n#html:true\r\n#columns:Front\tBack\tTags\r\n#tags column:3\r\n"
                       "<b>apple</b> [sound:apple.mp3]\t<b>яблоко</b>\tfruit\r\n"
                       "to&nbsp;borrow\tбрать&nbsp;взаймы\t\r\n"
                       "\"<div>bread</div><div>loaf</div>\"\t\"<span style=\"\"color: rgb(0, 0, "
                       "0);\"\">хлеб</span>\"\t\r\n"
                       "[sound:owl.mp3]\tсова\t\r\n")
                   .toUtf8()
            << QStringList{"яблоко|apple", "брать взаймы|to borrow", "хлеб|bread"}
            << "added 3, skipped as duplicates 0, skipped as not representable 0, skipped as incomplete 1 (a "
               "field "
               "empty once its markup was removed 1)";
        QTest::addRow("spreadsheet CSV, semicolons in Windows-1251")
            << "words.csv" << ansi::encode(QString("Слово;Word\r\nёлка;fir tree\r\nмышь;\"mouse, mice\"\r\n"))
            << QStringList{"Слово|Word", "ёлка|fir tree", "мышь|mouse, mice"}
            << "added 3, skipped as duplicates 0";
        const QString unicode = "сова\towl\r\nрысь\tlynx\r\n";
        QTest::addRow("spreadsheet Unicode text, UTF-16")
            << "words.txt"
            << QByteArray("\xFF\xFE") +
                   QByteArray(reinterpret_cast<const char*>(unicode.utf16()), unicode.size() * 2)
            << QStringList{"сова|owl", "рысь|lynx"} << "added 2, skipped as duplicates 0";
    }
    void realVocabularies() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, added);
        QFETCH(QString, summary);
        writeBytes(path(name), bytes);
        const Run result = import({path(name)});
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.err.contains(summary), qPrintable(result.err));
        QCOMPARE(ReadScrambledText(inFolder("словарь/User.txt")),
                 listText(QStringList{"ёж|hedgehog"} + added));

        WordList game;
        for (const QString& line : QStringList{"кот|cat", "собака|dog", "волк|wolf", "ёж|hedgehog"} + added)
            game.append(line);
        ScriptedPlatform platform;
        for (qsizetype i = 4; i < game.count(); ++i) {
            platform.queueDraws({int(i), 0, 0, 1, 2});
            const std::optional<question::Drawn> drawn =
                question::draw(game, QStringLiteral("EN\\RU"), platform);
            QVERIFY(drawn);
            QCOMPARE(drawn->word + u'|' + drawn->answers[0], added[i - 4]);
        }
    }

    // A KVTML file in other languages is refused whole: nothing is added.
    void kvtmlWithoutEnglishAndRussian() {
        QString bulgarian = QString::fromUtf8(kwordquizFile);
        bulgarian.replace(QStringLiteral("<name>Английский</name>"), QStringLiteral("<locale>bg</locale>"));
        bulgarian.replace(QStringLiteral("<name>Русский</name>"), QString());
        writeBytes(path("bg.kvtml"), bulgarian.toUtf8());
        writeBytes(path("animals.kvtml"), kwordquizFile);
        const QByteArray before = readBytes(inFolder("словарь/User.txt"));
        const Run result =
            run({"import", "--folder", folder(), path("animals.kvtml"), path("bg.kvtml")}, {}, "ru_RU.UTF-8");
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(path("bg.kvtml") +
                                     ": в файле языки: bg, #1; нужны английский и русский, или --from/--to"),
                 qPrintable(result.err));
        QCOMPARE(readBytes(inFolder("словарь/User.txt")), before);
    }

    void results_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("csv");
        QTest::addRow("one player") << QStringList{"Ольга"} << 0
                                    << "date,right,wrong,points,game length\r\n"
                                       "2007-03-05 08:42:10,14,3,1100,0:03:00\r\n"
                                       "2007-03-06 19:05:33,7,9,-200,0:05:00\r\n";
        QTest::addRow("the program's dates") << QStringList{"--format", "dd.MM.yyyy", "Ольга"} << 0
                                             << "date,right,wrong,points,game length\r\n"
                                                "05.03.2007 8:42:10,14,3,1100,0:03:00\r\n"
                                                "06.03.2007 19:05:33,7,9,-200,0:05:00\r\n";
        QTest::addRow("other date formats") << QStringList{"--format", "MM/dd/yy"} << 2 << "";
        QTest::addRow("a player without games")
            << QStringList{"Max, Jr."} << 0 << "date,right,wrong,points,game length\r\n";
        QTest::addRow("every player") << QStringList{} << 0
                                      << "player,date,right,wrong,points,game length\r\n"
                                         "Ольга,2007-03-05 08:42:10,14,3,1100,0:03:00\r\n"
                                         "Ольга,2007-03-06 19:05:33,7,9,-200,0:05:00\r\n";
        QTest::addRow("names compare exactly") << QStringList{"ольга"} << 1 << "";
    }
    void results() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, csv);
        WriteScrambledText(
            inFolder("Players.ini"),
            QStringLiteral("$/$/$/$/$Ольга$\\$\\$\\$\\$\r\n"
                           "Date:=05.03.2007 8:42:10|06.03.2007 19:05:33|\r\n"
                           "Yes:=14|7|\r\nNo:=3|9|\r\nОчки:=1100|-200|\r\n"
                           "GameTime:=0:03:00|0:05:00|\r\n"
                           "$/$/$/$/$Max, Jr.$\\$\\$\\$\\$\r\nDate:=\r\nYes:=\r\nNo:=\r\nОчки:=\r\n"
                           "GameTime:=\r\n"),
            WriteMode::Replace);
        const Run result = run(QStringList{"results", "--folder", folder()} + arguments);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(QString::fromUtf8(result.out), csv);
    }

    void resultsWithoutPlayerFile() {
        const Run result = run({"results", "--folder", folder()});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray("player,date,right,wrong,points,game length\r\n"));
    }
};

QTEST_GUILESS_MAIN(tst_dicttool_tool)
#include "tst_dicttool_tool.moc"
