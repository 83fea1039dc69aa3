#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QtTest>
#include <algorithm>

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

    // Every control of a calculator window lies within what holds it, clear of the others beside
    // it, and shows its whole caption.
    void windowsLayTheirControlsOut_data() { windowsOpenWithOnePaint_data(); }
    void windowsLayTheirControlsOut() {
        QFETCH(QString, command);
        MDIForm1 frame;
        frame.show();
        const auto row = std::find_if(calculators().begin(), calculators().end(),
                                      [&](const Calculator& c) { return command == c.entry; });
        QWidget* form = row->open(frame, 1);
        auto* window = qobject_cast<QMainWindow*>(form);
        QWidget* client = window ? window->centralWidget() : form;
        QList<QWidget*> controls = client->findChildren<QWidget*>();
        controls.removeIf([](const QWidget* c) {
            return c->isWindow() || c->isHidden() || c->objectName().isEmpty() ||
                   c->objectName().startsWith(QLatin1String("qt_"));
        });
        for (const QWidget* c : controls) {
            const QByteArray name = c->objectName().toLatin1();
            QVERIFY2(c->parentWidget()->rect().contains(c->geometry()), name);
            if (const auto* button = qobject_cast<const QPushButton*>(c)) {
                QVERIFY2(
                    c->fontMetrics().horizontalAdvance(plainCaption(button->text())) < c->width(),
                    name);
            } else if (qobject_cast<const QLabel*>(c) || qobject_cast<const QAbstractButton*>(c)) {
                QVERIFY2(c->width() >= c->sizeHint().width() || c->width() == 0, name);
            }
            for (const QWidget* other : controls) {
                QVERIFY2(other == c || other->parentWidget() != c->parentWidget() ||
                             !other->geometry().intersects(c->geometry()),
                         name + " and " + other->objectName().toLatin1());
            }
        }
        if (window) delete window;
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
