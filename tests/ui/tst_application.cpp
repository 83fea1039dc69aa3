#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QtTest>

#include "shell/application.h"
#include "shell/mdiform1.h"

using namespace motoreckon;

class TestApplication : public QObject {
    Q_OBJECT

  private:
    // The frame with every kind of calculator window open, as it looks on the screen.
    static QImage frameWithWindows() {
        MDIForm1 frame;
        frame.show();
        for (const char* command : {"mnuCarbSize", "mnuMPH", "mnuRPM", "mnuHpMPH"}) {
            frame.findChild<QAction*>(command)->trigger();
        }
        frame.mdiArea()->cascadeSubWindows();
        QCoreApplication::processEvents();
        return frame.grab().toImage();
    }

    static QList<qint64> systemMenuIcons(QMdiSubWindow* window) {
        QList<qint64> icons;
        for (const QAction* action : window->systemMenu()->actions()) {
            if (!action->icon().isNull()) icons << action->icon().cacheKey();
        }
        return icons;
    }

  private slots:
    // The program's style only keeps the title-bar pictures; every pixel stays the platform's.
    void drawsLikeThePlatformStyle() {
        const QImage platform = frameWithWindows();
        setUpApplication();
        QCOMPARE(frameWithWindows(), platform);
    }

    // Each child window used to read its title-bar pictures from their files anew.
    void childWindowsShareTheirTitleBarIcons() {
        setUpApplication();
        MDIForm1 frame;
        frame.show();
        frame.findChild<QAction*>("mnuMPH")->trigger();
        frame.findChild<QAction*>("mnuRPM")->trigger();
        const auto windows = frame.mdiArea()->subWindowList(QMdiArea::CreationOrder);
        QCOMPARE(windows.size(), 2);
        const QList<qint64> first = systemMenuIcons(windows.at(0));
        QCOMPARE(first.size(), 4);
        QCOMPARE(systemMenuIcons(windows.at(1)), first);
    }
};

QTEST_MAIN(TestApplication)
#include "tst_application.moc"
