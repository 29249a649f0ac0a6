// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Failure.h"
#include "platform/ScriptedPlatform.h"

#include <QDialog>
#include <QTest>

class ScriptedPlatformTest : public QObject {
    Q_OBJECT

private slots:
    void unansweredBoxes_data() {
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("answer");
        QTest::addRow("OK") << mb::Ok << mb::IdOk;
        QTest::addRow("OK with exclamation") << 48 << mb::IdOk;
        QTest::addRow("Yes/No") << mb::YesNo << mb::IdNo;
        QTest::addRow("Yes/No with question") << 36 << mb::IdNo;
        QTest::addRow("Yes/No/Cancel with question") << 35 << mb::IdCancel;
    }
    void unansweredBoxes() {
        QFETCH(int, flags);
        QFETCH(int, answer);
        ScriptedPlatform platform;
        QCOMPARE(platform.messageBox(QStringLiteral("Caption"), QStringLiteral("Text"), flags), answer);
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages[0].flags, flags);
    }

    void answersComeInOrder() {
        ScriptedPlatform platform;
        platform.answerMessage(mb::IdYes);
        platform.answerMessage(mb::IdCancel);
        QCOMPARE(platform.messageBox({}, {}, 35), mb::IdYes);
        QCOMPARE(platform.messageBox({}, {}, 35), mb::IdCancel);
        QCOMPARE(platform.messageBox({}, {}, 35), mb::IdCancel);

        platform.answerInput(QStringLiteral("слово é"));
        platform.answerInput(std::nullopt);
        QCOMPARE(
            platform.inputText(QStringLiteral("Новый игрок"), QStringLiteral("Имя"), QStringLiteral("Вася")),
            std::optional<QString>(QStringLiteral("слово ?")));
        QCOMPARE(platform.inputText({}, QStringLiteral("Ещё"), {}), std::nullopt);
        QCOMPARE(platform.inputText({}, QStringLiteral("Пусто"), {}), std::nullopt);
        QCOMPARE(platform.inputDialogs.size(), 3);
        QCOMPARE(platform.inputDialogs[0].caption, QStringLiteral("Новый игрок"));
        QCOMPARE(platform.inputDialogs[0].prompt, QStringLiteral("Имя"));
        QCOMPARE(platform.inputDialogs[0].initial, QStringLiteral("Вася"));
        QCOMPARE(platform.inputDialogs[2].prompt, QStringLiteral("Пусто"));

        platform.answerPicture(QStringLiteral("/tmp/a.bmp"));
        QCOMPARE(platform.openPicture(), QStringLiteral("/tmp/a.bmp"));
        QCOMPARE(platform.openPicture(), QString());
        QCOMPARE(platform.pictureDialogs, 2);
    }

    void modalRunsTheAction() {
        ScriptedPlatform platform;
        QDialog accepted;
        bool wasVisible = false;
        platform.onModal([&](QDialog& dialog) {
            wasVisible = dialog.isVisible();
            dialog.accept();
        });
        QCOMPARE(platform.showModal(accepted), int(QDialog::Accepted));
        QVERIFY(wasVisible);

        QDialog leftOpen;
        platform.onModal([](QDialog&) {});
        QCOMPARE(platform.showModal(leftOpen), int(QDialog::Rejected));
        QVERIFY(!leftOpen.isVisible());

        QDialog unscripted;
        QCOMPARE(platform.showModal(unscripted), int(QDialog::Rejected));
        QVERIFY(!unscripted.isVisible());
    }

    void failingActionStillClosesTheDialog() {
        ScriptedPlatform platform;
        QDialog dialog;
        platform.onModal([](QDialog&) { throw Failure(QStringLiteral("inside")); });
        QVERIFY_THROWS_EXCEPTION(Failure, platform.showModal(dialog));
        QVERIFY(!dialog.isVisible());
    }

    void draws() {
        ScriptedPlatform platform;
        platform.queueDraws({2, 0});
        QCOMPARE(platform.randomBelow(4), 2);
        QCOMPARE(platform.randomBelow(4), 0);
        QCOMPARE(platform.counterReads, 2);

        // Unqueued, the draw comes from the counter sequence like the real one.
        const quint32 next = 12345 + 2;
        QCOMPARE(platform.randomBelow(1000), drawBelow(next, 1000));
        QCOMPARE(platform.counterReads, 3);

        platform.queueDraws({4});
        QVERIFY_THROWS_EXCEPTION(Failure, platform.randomBelow(4));
    }
};

QTEST_MAIN(ScriptedPlatformTest)
#include "tst_scriptedplatform.moc"
