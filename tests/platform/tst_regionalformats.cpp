// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RegionalFormats.h"

#include <QTest>

class RegionalFormatsTest : public QObject {
    Q_OBJECT

private slots:
    void dateTimeText_data() {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("text");
        const QDate day(2007, 3, 6);
        QTest::addRow("evening") << QDateTime(day, QTime(19, 5, 33)) << QStringLiteral("06.03.2007 19:05:33");
        QTest::addRow("midnight drops the time")
            << QDateTime(day, QTime(0, 0)) << QStringLiteral("06.03.2007");
        QTest::addRow("a second past midnight")
            << QDateTime(day, QTime(0, 0, 1)) << QStringLiteral("06.03.2007 0:00:01");
        QTest::addRow("year end") << QDateTime(QDate(2007, 12, 31), QTime(23, 59, 59))
                                  << QStringLiteral("31.12.2007 23:59:59");
    }
    void dateTimeText() {
        QFETCH(QDateTime, moment);
        QFETCH(QString, text);
        QCOMPARE(regional::dateTimeText(moment), text);
    }

    void gameLengthTime() { QCOMPARE(regional::longTime(QTime(0, 3, 0)), QStringLiteral("0:03:00")); }
};

QTEST_GUILESS_MAIN(RegionalFormatsTest)
#include "tst_regionalformats.moc"
