// SPDX-License-Identifier: GPL-3.0-or-later
// The answer faces and the score panel keep their sizes and are drawn with enough pixels that the
// screen never stretches them up. Run also at a screen scale of 2.
#include "MainWindowFixture.h"
#include "quiz/Pictures.h"

#include <QFrame>
#include <QGuiApplication>
#include <cmath>

namespace {

// The largest place a picture is stretched onto: the answer buttons and the score panel's image.
const QSize ButtonPlace(289, 33);
const QSize PanelPlace(304, 120);

bool coversOnScreen(const QPixmap& picture, QSize place, qreal devicePixelRatio) {
    return picture.width() >= std::ceil(place.width() * devicePixelRatio) &&
           picture.height() >= std::ceil(place.height() * devicePixelRatio);
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT
private slots:
    void drawnForTheScreen_data() {
        QTest::addColumn<qreal>("devicePixelRatio");
        for (qreal ratio : {1.0, 1.5, 2.0, 3.0})
            QTest::addRow("%g", ratio) << ratio;
    }

    void drawnForTheScreen() {
        QFETCH(qreal, devicePixelRatio);
        const qreal detail = pictures::detailFor(devicePixelRatio);
        for (pictures::Face face :
             {pictures::Face::Normal, pictures::Face::MouseOver, pictures::Face::Pressed}) {
            const QPixmap picture = pictures::buttonFace(face, detail);
            QCOMPARE(picture.deviceIndependentSize(), QSizeF(189, 30));
            QVERIFY(coversOnScreen(picture, ButtonPlace, devicePixelRatio));
            // The rounded corners are left undrawn, the middle of the bar is solid.
            const QImage image = picture.toImage();
            for (QPoint corner : {QPoint(0, 0), QPoint(image.width() - 1, 0), QPoint(0, image.height() - 1),
                                  QPoint(image.width() - 1, image.height() - 1)})
                QCOMPARE(qAlpha(image.pixel(corner)), 0);
            QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
        }
        const QPixmap panel = pictures::scorePanel(detail);
        QCOMPARE(panel.deviceIndependentSize(), QSizeF(394, 132));
        QVERIFY(coversOnScreen(panel, PanelPlace, devicePixelRatio));
    }

    // The board draws its pictures for the screen it starts on (QT_SCALE_FACTOR sets its ratio here).
    void theBoardOnThisScreen() {
        MainWindowFixture f;
        TfrmMain& window = f.start();
        const qreal ratio = window.devicePixelRatio();
        QCOMPARE(ratio, qGuiApp->devicePixelRatio());
        for (const QPixmap* face : {&control<GameBoard>(window, "board")->imgNormal,
                                    &control<GameBoard>(window, "board")->imgMouseMove,
                                    &control<GameBoard>(window, "board")->imgPress})
            QVERIFY(coversOnScreen(*face, ButtonPlace, ratio));
        QVERIFY(coversOnScreen(control<QLabel>(window, "Image2")->pixmap(), PanelPlace, ratio));
        // What the screen shows of a button is as many pixels as the button covers on it.
        const QPixmap shown = control<MouseLabel>(window, "Answer1")->grab();
        QCOMPARE(shown.devicePixelRatio(), ratio);
        QCOMPARE(shown.size(), control<MouseLabel>(window, "Answer1")->size() * ratio);
    }
};

QTEST_MAIN(TestPictures)
#include "tst_quiz_pictures.moc"
