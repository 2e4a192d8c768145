// Where a table window opens: arithmetic on rectangles, run without any window.
#include <QtTest>

#include "window_placement.h"

class WindowPlacementTest : public QObject {
    Q_OBJECT

private slots:
    // Each window would like a client area of 800 x 500 and can do with `narrowest` in width.
    void opens_beside_the_main_window_and_clear_of_the_other_data() {
        QTest::addColumn<QRect>("main");  // its frame
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QList<QRect>>("others");
        QTest::addColumn<QRect>("room");
        QTest::addColumn<QRect>("place");  // the client area
        QTest::addColumn<int>("narrowest");
        const QMargins none;
        const QMargins titled(4, 26, 4, 4);
        QTest::newRow("to the right, in full")
            << QRect(0, 0, 330, 400) << none << QList<QRect>{} << QRect(0, 0, 1920, 1080)
            << QRect(330, 0, 800, 500) << 400;
        QTest::newRow("scale factor 2: narrower, beside it")
            << QRect(0, 30, 330, 400) << none << QList<QRect>{} << QRect(0, 0, 960, 540)
            << QRect(330, 30, 630, 500) << 400;
        QTest::newRow("to the right of the other table window")
            << QRect(0, 0, 330, 400) << none << QList<QRect>{{330, 0, 800, 500}}
            << QRect(0, 0, 1920, 1080) << QRect(1130, 0, 790, 500) << 400;
        QTest::newRow("to the left when the right is full")
            << QRect(1500, 100, 330, 400) << none << QList<QRect>{} << QRect(0, 0, 1920, 1080)
            << QRect(700, 100, 800, 500) << 400;
        QTest::newRow("too narrow: over as little of the main window as fits")
            << QRect(0, 0, 330, 400) << none << QList<QRect>{} << QRect(0, 0, 600, 400)
            << QRect(200, 0, 400, 400) << 400;
        QTest::newRow("framed as the main window, its title bar on the screen")
            << QRect(0, 0, 330, 430) << titled << QList<QRect>{} << QRect(0, 0, 1920, 520)
            << QRect(334, 26, 800, 490) << 400;
        QTest::newRow("framed and too narrow: the frame counts in the narrowest width")
            << QRect(0, 0, 338, 430) << titled << QList<QRect>{} << QRect(0, 0, 600, 430)
            << QRect(196, 26, 400, 400) << 400;
        QTest::newRow("1600 wide, no side wide enough: sized down beside it, not over it")
            << QRect(635, 200, 330, 400) << none << QList<QRect>{} << QRect(0, 0, 1600, 900)
            << QRect(965, 200, 635, 500) << 700;
        QTest::newRow("1280 wide, more room to the left: sized down there")
            << QRect(800, 100, 330, 400) << none << QList<QRect>{} << QRect(0, 0, 1280, 1024)
            << QRect(0, 100, 800, 500) << 900;
    }
    void opens_beside_the_main_window_and_clear_of_the_other() {
        QFETCH(QRect, main);
        QFETCH(QMargins, frame);
        QFETCH(QList<QRect>, others);
        QFETCH(QRect, room);
        QFETCH(QRect, place);
        QFETCH(int, narrowest);
        QCOMPARE(placementBeside(main, main.marginsRemoved(frame), others, room, QSize(800, 500),
                                 narrowest),
                 place);
    }
};

QTEST_APPLESS_MAIN(WindowPlacementTest)

#include "test_window_placement.moc"
