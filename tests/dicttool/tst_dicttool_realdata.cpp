// SPDX-License-Identifier: GPL-3.0-or-later
// Import over the vocabularies Debian ships: KDE's KVTML files and Mueller's dictionary.
#include "TestHelpers.h"
#include "dicttool/BadInput.h"
#include "dicttool/ImportSource.h"
#include "dicttool/InputText.h"
#include "dicttool/KvtmlReader.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QTest>

class tst_dicttool_realdata : public QObject {
    Q_OBJECT

private slots:
    // No file adds a pair unless it declares English and Russian; the others are refused.
    void everyKdeVocabulary() {
        const QString root = QStringLiteral("/usr/share/apps/kvtml");
        if (!QFileInfo::exists(root))
            QSKIP("kdeedu-kvtml-data is not installed");
        int files = 0;
        int refused = 0;
        QDirIterator found(root, {QStringLiteral("*.kvtml")}, QDir::Files, QDirIterator::Subdirectories);
        while (found.hasNext()) {
            const QString path = found.next();
            ++files;
            const QByteArray bytes = readBytes(path);
            try {
                const QList<Pair> pairs = importsource::read(path, bytes, {});
                QStringList languages;
                for (const kvtml::Identifier& identifier : kvtml::read(inputtext::decode(bytes)).identifiers)
                    languages.append(kvtml::languageOf(identifier));
                QVERIFY2(pairs.isEmpty() || (languages.contains(u"en") && languages.contains(u"ru")),
                         qPrintable(path));
            } catch (const BadInput& fault) {
                QVERIFY2(fault.message().contains(QStringLiteral("languages")) ||
                             fault.message().contains(QStringLiteral("version")),
                         qPrintable(fault.message()));
                ++refused;
            }
        }
        QVERIFY(files > 300);
        QVERIFY(refused > 0);
    }

    void muellerEntries_data() {
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("russian");
        QTest::addRow("homonyms: the first") << "brazier"
                                             << "медник";
        QTest::addRow("three homonyms") << "brownie"
                                        << "тип фотографического аппарата";
        QTest::addRow("usage note") << "-armed"
                                    << "имеющий столько-то рук";
        QTest::addRow("usage note with a colon") << "-dispenser"
                                                 << "автомат для продажи чего-л.";
        QTest::addRow("label without an underscore") << "Jupiter"
                                                     << "Юпитер";
        QTest::addRow("first homonym only a reference") << "fawning"
                                                        << "";
    }
    void muellerEntries() {
        QFETCH(QString, english);
        QFETCH(QString, russian);
        static QHash<QString, QString> translations;
        if (translations.isEmpty()) {
            const QString index = QStringLiteral("/usr/share/dictd/mueller7.index");
            if (!QFileInfo::exists(index))
                QSKIP("mueller7-dict is not installed");
            for (const Pair& pair : importsource::read(index, readBytes(index), {}))
                translations.insert(pair.english, pair.russian);
        }
        QVERIFY(translations.contains(english));
        QCOMPARE(translations.value(english), russian);
    }
};

QTEST_GUILESS_MAIN(tst_dicttool_realdata)
#include "tst_dicttool_realdata.moc"
