// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ErrorReport.h"
#include "platform/Failure.h"
#include "platform/ScriptedPlatform.h"

#include <QTest>
#include <stdexcept>

class ErrorReportTest : public QObject {
    Q_OBJECT

private slots:
    void failureShowsErrorBoxAndKeepsWhatWasDone_data() {
        QTest::addColumn<bool>("standardException");
        QTest::addRow("Failure") << false;
        QTest::addRow("std::exception") << true;
    }
    void failureShowsErrorBoxAndKeepsWhatWasDone() {
        QFETCH(bool, standardException);
        ScriptedPlatform platform;
        const QString message = QStringLiteral("Cannot open file \"Players.ini\". Отказано в доступе");
        int steps = 0;
        runReported(platform, [&] {
            ++steps;
            if (standardException)
                throw std::runtime_error(message.toStdString());
            throw Failure(message);
            ++steps;
        });
        QCOMPARE(steps, 1);
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages[0].caption, QStringLiteral("LexiTrainer"));
        QCOMPARE(platform.messages[0].text, message);
        QCOMPARE(platform.messages[0].flags, mb::IconStop);
    }

    void quietHandlerShowsNothing() {
        ScriptedPlatform platform;
        bool ran = false;
        runReported(platform, [&] { ran = true; });
        QVERIFY(ran);
        QVERIFY(platform.messages.isEmpty());
    }
};

QTEST_GUILESS_MAIN(ErrorReportTest)
#include "tst_errorreport.moc"
