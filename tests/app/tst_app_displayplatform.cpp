// SPDX-License-Identifier: GPL-3.0-or-later
// Which platform the game asks Qt for, from the session's variables.
#include "app/DisplayPlatform.h"

#include <QProcessEnvironment>
#include <QTest>

class TestDisplayPlatform : public QObject {
    Q_OBJECT
private slots:
    void choice_data() {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QByteArray>("expected");
        const QStringList wayland{"XDG_SESSION_TYPE=wayland", "WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0"};
        const QByteArray xcb = "xcb;wayland";
        QTest::addRow("Wayland session with XWayland") << wayland << xcb;
        QTest::addRow("the player chose Wayland")
            << (wayland + QStringList{"QT_QPA_PLATFORM=wayland"}) << QByteArray();
        QTest::addRow("the player chose X11")
            << (wayland + QStringList{"QT_QPA_PLATFORM=xcb"}) << QByteArray();
        QTest::addRow("an empty choice is none") << (wayland + QStringList{"QT_QPA_PLATFORM="}) << xcb;
        QTest::addRow("Wayland without XWayland")
            << QStringList{"XDG_SESSION_TYPE=wayland", "WAYLAND_DISPLAY=wayland-0"} << QByteArray();
        QTest::addRow("Wayland with an empty DISPLAY")
            << QStringList{"XDG_SESSION_TYPE=wayland", "WAYLAND_DISPLAY=wayland-0", "DISPLAY="}
            << QByteArray();
        QTest::addRow("XWayland without a Wayland display")
            << QStringList{"XDG_SESSION_TYPE=wayland", "DISPLAY=:0"} << QByteArray();
        QTest::addRow("X11 session with a nested compositor")
            << QStringList{"XDG_SESSION_TYPE=x11", "WAYLAND_DISPLAY=wayland-1", "DISPLAY=:0"} << QByteArray();
        QTest::addRow("no session type")
            << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0"} << QByteArray();
    }

    void choice() {
        QFETCH(QStringList, variables);
        QFETCH(QByteArray, expected);
        QProcessEnvironment environment;
        for (const QString& variable : variables)
            environment.insert(variable.section(QLatin1Char('='), 0, 0),
                               variable.section(QLatin1Char('='), 1));
        QCOMPARE(displayPlatformFor(environment), expected);
    }
};

QTEST_GUILESS_MAIN(TestDisplayPlatform)
#include "tst_app_displayplatform.moc"
