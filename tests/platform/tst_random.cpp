// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Platform.h"

#include <QSet>
#include <QTest>
#include <climits>

class RandomTest : public QObject {
    Q_OBJECT

private slots:
    void staysInRange_data() {
        QTest::addColumn<int>("n");
        for (int n : {1, 2, 3, 4, 7, 1000, 0x60000000, INT_MAX})
            QTest::addRow("n=%d", n) << n;
    }
    void staysInRange() {
        QFETCH(int, n);
        for (quint32 seed = 0; seed < 3000; ++seed) {
            const int value = drawBelow(seed, n);
            QVERIFY2(value >= 0 && value < n, qPrintable(QString::number(value)));
        }
        QCOMPARE(drawBelow(0xFFFFFFFFu, n) < n, true);
    }

    void nothingToChooseFromIsZero() {
        QCOMPARE(drawBelow(42, 0), 0);
        QCOMPARE(drawBelow(42, -5), 0);
    }

    void sameSeedSameDraw() {
        for (quint32 seed : {0u, 1u, 12345u, 0xFFFFFFFFu})
            QCOMPARE(drawBelow(seed, 1000), drawBelow(seed, 1000));
        // Neighbouring seeds, as a counter gives them, do not repeat one value.
        QSet<int> seen;
        for (quint32 seed = 100; seed < 110; ++seed)
            seen.insert(drawBelow(seed, 1000));
        QVERIFY(seen.size() > 5);
    }

    // Neighbouring seeds spread evenly over three values: each count lies within five standard
    // deviations (about 410) of a third.
    void threeValuesEquallyLikely() {
        int counts[3] = {};
        const int seeds = 30000;
        for (quint32 seed = 0; seed < quint32(seeds); ++seed)
            ++counts[drawBelow(seed, 3)];
        for (int count : counts)
            QVERIFY2(qAbs(count - seeds / 3) < 410, qPrintable(QString::number(count)));
    }

    // For n = 0x60000000 the plain remainder of a 32-bit draw lands in the lower two thirds with
    // chance 3/4; an unbiased draw does so with chance 2/3.
    void noModuloBias() {
        const int n = 0x60000000;
        int lower = 0;
        const int seeds = 30000;
        for (quint32 seed = 0; seed < quint32(seeds); ++seed)
            lower += drawBelow(seed, n) < 0x40000000;
        const double share = double(lower) / seeds;
        QVERIFY2(qAbs(share - 2.0 / 3) < 0.015, qPrintable(QString::number(share)));
    }
};

QTEST_GUILESS_MAIN(RandomTest)
#include "tst_random.moc"
