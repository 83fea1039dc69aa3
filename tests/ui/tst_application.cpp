#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QtTest>

#include "app/calculators.h"
#include "app/mdiform1.h"
#include "forms/calculator_form.h"
#include "forms/controls.h"
#include "forms/style.h"

using namespace motoreckon;

class TestApplication : public QObject {
    Q_OBJECT

  private:
    // Opens a window of every calculator of the table from `frame`.
    static void openEveryCalculator(MDIForm1& frame) {
        for (const Calculator& row : calculators()) {
            if (row.opening != Opening::None) frame.findChild<QAction*>(row.entry)->trigger();
        }
    }

    // Closes the calculators that are windows of their own, which outlive the frame.
    static void closeOwnWindows() {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (calculatorForm(top)) top->deleteLater();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The frame with every kind of calculator window open, as it looks on the screen.
    static QImage frameWithWindows() {
        MDIForm1 frame;
        frame.show();
        openEveryCalculator(frame);
        frame.mdiArea()->cascadeSubWindows();
        QCoreApplication::processEvents();
        closeOwnWindows();
        return frame.grab().toImage();
    }

    static QList<qint64> systemMenuIcons(QMdiSubWindow* window) {
        QList<qint64> icons;
        for (const QAction* action : window->systemMenu()->actions()) {
            if (!action->icon().isNull()) icons << action->icon().cacheKey();
        }
        return icons;
    }

    // Counts the paint events every widget receives while it is installed.
    class PaintCounter final : public QObject {
      public:
        PaintCounter() { qApp->installEventFilter(this); }
        ~PaintCounter() override { qApp->removeEventFilter(this); }
        QHash<QObject*, int> paints;

      protected:
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint) ++paints[watched];
            return false;
        }
    };

  private slots:
    // The program's style only keeps the title-bar pictures; every pixel stays the platform's.
    void drawsLikeThePlatformStyle() {
        const QImage platform = frameWithWindows();
        installStyle();
        QCOMPARE(frameWithWindows(), platform);
    }

    // Child windows share their title-bar pictures rather than read them from their files
    // anew.
    void childWindowsShareTheirTitleBarIcons() {
        installStyle();
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

    void windowsOpenWithOnePaint_data() {
        QTest::addColumn<QString>("command");
        for (const Calculator& row : calculators()) {
            if (row.opening != Opening::None) QTest::newRow(row.entry) << row.entry;
        }
    }

    // A calculator child window opens painted once, with the focus on the first control of its
    // tab order: giving a box the focus before its window shows makes Qt paint the whole window
    // twice.
    void windowsOpenWithOnePaint() {
        QFETCH(QString, command);
        installStyle();
        MDIForm1 frame;
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));

        PaintCounter counter;
        frame.findChild<QAction*>(command)->trigger();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();

        QMdiSubWindow* window = frame.mdiArea()->activeSubWindow();
        if (!window) {
            closeOwnWindows();
            QSKIP("a window of its own");
        }
        QList<QWidget*> widgets = window->findChildren<QWidget*>();
        widgets << window;
        int painted = 0;
        for (QWidget* widget : widgets) {
            if (!widget->isVisible()) continue;
            ++painted;
            QVERIFY2(counter.paints.value(widget) == 1, qPrintable(widget->objectName()));
        }
        QVERIFY(painted > 5);
        QWidget* first = window->widget()->nextInFocusChain();
        while (!takesFocus(window->widget(), first)) first = first->nextInFocusChain();
        QCOMPARE(QApplication::focusWidget(), first);
    }

    // The calculator windows show the program's own icon, the one its package installs, as the
    // build rendered it; the displacement window keeps its own.
    void windowsShowTheProgramsIcon() {
        installWindowIcon();
        MDIForm1 frame;
        frame.show();
        openEveryCalculator(frame);
        const auto image = [](const QIcon& icon) {
            return icon.pixmap(16).toImage().convertToFormat(QImage::Format_ARGB32);
        };
        const auto picture = [&image](const QWidget* window) {
            return image(window->windowIcon());
        };
        const QImage expected = image(QIcon(QStringLiteral(MOTORECKON_ICON_SVG)));
        QVERIFY(!expected.isNull());
        QCOMPARE(picture(&frame), expected);
        for (QMdiSubWindow* window : frame.mdiArea()->subWindowList()) {
            QCOMPARE(picture(window), expected);
        }
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (calculatorForm(window)) QVERIFY(picture(window) != expected);
        }
        closeOwnWindows();
        QApplication::setWindowIcon(QIcon());
    }
};

QTEST_MAIN(TestApplication)
#include "tst_application.moc"
