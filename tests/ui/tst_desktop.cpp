// The program on a real X11 desktop with a window manager (openbox), where the title bar and
// borders of a top-level window belong to the window manager.

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <QAction>
#include <QElapsedTimer>
#include <QScreen>
#include <QThread>
#include <QtTest>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "engine/discom.h"
#include "shell/mdiform1.h"

using namespace motoreckon;

class TestDesktop : public QObject {
    Q_OBJECT

  private slots:
    // The window manager is started beside the test; wait until it manages the screen and
    // says it tells a window's frame before the window is shown.
    void initTestCase() {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        QVERIFY2(x11 && x11->connection(), "the test runs on an X11 display");
        xcb_connection_t* connection = x11->connection();
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const auto atom = [connection](const char* name) {
            const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
                xcb_intern_atom_reply(
                    connection,
                    xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)),
                                    name),
                    nullptr),
                &std::free);
            return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        };
        const xcb_atom_t supported = atom("_NET_SUPPORTED");
        const xcb_atom_t request = atom("_NET_REQUEST_FRAME_EXTENTS");
        QElapsedTimer waited;
        waited.start();
        for (;;) {
            const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> list(
                xcb_get_property_reply(
                    connection,
                    xcb_get_property(connection, 0, root, supported, XCB_ATOM_ATOM, 0, 1024),
                    nullptr),
                &std::free);
            if (list) {
                const auto* atoms =
                    static_cast<const xcb_atom_t*>(xcb_get_property_value(list.get()));
                const int count = xcb_get_property_value_length(list.get()) / 4;
                if (std::find(atoms, atoms + count, request) != atoms + count) break;
            }
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
