// The program on a real X11 desktop with a window manager (openbox), where the title bar and
// borders of a top-level window belong to the window manager.

#include <QAction>
#include <QElapsedTimer>
#include <QScreen>
#include <QtTest>

#include "app/mdiform1.h"
#include "forms/placement.h"
#include "windows/discom.h"

using namespace motoreckon;

class TestDesktop : public QObject {
    Q_OBJECT

  private slots:
    // The window manager is started beside the test; wait until it answers a window that asks
    // for its frame.
    void initTestCase() {
        QElapsedTimer waited;
        waited.start();
        for (;;) {
            QWidget probe;
            probe.winId();
            if (!frameMargins(&probe).isNull()) break;
            QVERIFY2(waited.elapsed() < 10000, "no window manager came up");
        }
    }

    // The frame at start-up and the displacement window are centred on the screen by their
    // outer rectangle, title bar and borders included, where they first appear: they do not
    // move once shown.
    void topLevelWindowsAreCentredByTheirOuterSize_data() {
        QTest::addColumn<bool>("displacement");
        QTest::newRow("frame") << false;
        QTest::newRow("displacement window") << true;
    }
    void topLevelWindowsAreCentredByTheirOuterSize() {
        QFETCH(bool, displacement);
        MDIForm1 frame;
        frame.show();
        QWidget* window = &frame;
        if (displacement) {
            QVERIFY(QTest::qWaitForWindowExposed(&frame));
            frame.findChild<QAction*>("mnuSizeCompression")->trigger();
            window = nullptr;
            for (QWidget* topLevel : QApplication::topLevelWidgets()) {
                if (qobject_cast<discom*>(topLevel) && topLevel->isVisible()) window = topLevel;
            }
            QVERIFY(window);
        }
        const QRect placed = window->geometry();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTRY_VERIFY(window->frameGeometry() != window->geometry());
        QTest::qWait(200);

        const QRect outer = window->frameGeometry();
        const QRect screen = window->screen()->geometry();
        const double dx = outer.left() + outer.width() / 2.0 - screen.width() / 2.0;
        const double dy = outer.top() + outer.height() / 2.0 - screen.height() / 2.0;
        QVERIFY2(qAbs(dx) <= 1 && qAbs(dy) <= 1,
                 qPrintable(QStringLiteral("outer rectangle %1,%2 %3x%4 is off centre by %5, %6")
                                .arg(outer.left())
                                .arg(outer.top())
                                .arg(outer.width())
                                .arg(outer.height())
                                .arg(dx)
                                .arg(dy)));
        QCOMPARE(window->geometry(), placed);
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
