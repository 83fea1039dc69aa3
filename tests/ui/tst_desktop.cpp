// The program on a real X11 desktop with a window manager (openbox), where the title bar and
// borders of a top-level window belong to the window manager.

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <QAction>
#include <QElapsedTimer>
#include <QScreen>
#include <QThread>
#include <QtTest>
#include <memory>

#include "engine/discom.h"
#include "shell/mdiform1.h"

using namespace motoreckon;

class TestDesktop : public QObject {
    Q_OBJECT

  private slots:
    // The window manager is started beside the test; wait until it manages the screen.
    void initTestCase() {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        QVERIFY2(x11 && x11->connection(), "the test runs on an X11 display");
        xcb_connection_t* connection = x11->connection();
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const char name[] = "_NET_SUPPORTING_WM_CHECK";
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
            xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name),
                                  nullptr),
            &std::free);
        QVERIFY(atom);
        QElapsedTimer waited;
        waited.start();
        for (;;) {
            const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> check(
                xcb_get_property_reply(
                    connection,
                    xcb_get_property(connection, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1),
                    nullptr),
                &std::free);
            if (check && xcb_get_property_value_length(check.get()) == 4) break;
            QVERIFY2(waited.elapsed() < 10000, "no window manager came up");
            QThread::msleep(20);
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
