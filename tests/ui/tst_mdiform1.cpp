#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "engine/frmcarbsize.h"
#include "shell/mdiform1.h"
#include "shell/twips.h"
#include "ui/recorder.h"

using namespace motoreckon;
using motoreckon::test::Recorder;

class TestMDIForm1 : public QObject {
    Q_OBJECT

  private:
    MDIForm1* frame = nullptr;

    QAction* entry(const char* name) { return frame->findChild<QAction*>(name); }
    QMenu* windowMenu() { return frame->findChild<QMenu*>("mnuWindow"); }

    // The entries the Window menu shows below its own: the window list.
    QStringList windowList() {
        emit windowMenu()->aboutToShow();
        QStringList captions;
        for (QAction* action : windowMenu()->actions()) {
            if (action->objectName().isEmpty() && !action->isSeparator()) {
                captions << action->text() + (action->isChecked() ? "*" : "");
            }
        }
        return captions;
    }

    QMdiSubWindow* addPlainChild(const QString& caption) {
        auto* form = new QWidget;
        form->setWindowTitle(caption);
        form->resize(200, 120);
        QMdiSubWindow* sub = frame->mdiArea()->addSubWindow(form);
        sub->show();
        return sub;
    }

  private slots:
    void init() {
        frame = new MDIForm1;
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
    }
    void cleanup() { delete frame; }

    void startsCentredOnTheWholeScreenAtItsDesignSize() {
        QCOMPARE(frame->windowTitle(), QStringLiteral("MDIForm1"));
        QCOMPARE(frame->mdiArea()->viewport()->size(), twipsSize(9285, 5715));
        QVERIFY(!frame->isMinimized() && !frame->isMaximized());
        const QRect screen = frame->screen()->geometry();
        const QRect outer = frame->frameGeometry();
        QVERIFY(qAbs(outer.left() - (screen.width() - outer.width()) / 2) <= 1);
        QVERIFY(qAbs(outer.top() - (screen.height() - outer.height()) / 2) <= 1);
    }

    void menuTreeHasEveryEntry() {
        struct Entry {
            const char* name;
            const char* parent;
            QString caption;
            bool visible;
        };
        const Entry entries[] = {
            {"mnuFormulas", "", "Formulas", true},
            {"mnuEngine", "mnuFormulas", "Engine", true},
            {"mnuSizeCompression", "mnuEngine", "Size && Compression Ratio", true},
            {"mnuCarb", "mnuFormulas", "Carburator", true},
            {"mnuCarbSize", "mnuCarb", "Carburator Sizing", true},
            {"mnuQtrMile", "mnuFormulas", "!/4 Mile ET and MPH", true},
            {"mnuHpEt", "mnuQtrMile", "HP by ET", true},
            {"mnuHpMPH", "mnuQtrMile", "HP by MPH", true},
            {"mnuCarWeightET", "mnuQtrMile", "Car Weight by ET", true},
            {"mnuCarWeightMPH", "mnuQtrMile", "CarWeight by MPH", true},
            {"mnuETMPH", "mnuQtrMile", "ET and MPH", true},
            {"mnuMPH_RPM_Gears", "mnuFormulas", "MPH, RPM & Gears", true},
            {"mnuMPH", "mnuMPH_RPM_Gears", "MPH", true},
            {"mnuRPM", "mnuMPH_RPM_Gears", "RPM", true},
            {"mnuGearRatio", "mnuMPH_RPM_Gears", "Gear Ratio", true},
            {"mnuTireDiameterbySped", "mnuMPH_RPM_Gears", "Tire Diameter by Speed", true},
            {"mnuTireSizes", "mnuFormulas", "Tire Sizes & Effects", true},
            {"mnuTireDiameter", "mnuTireSizes", "Tire Diameter", true},
            {"mnuActualMPH", "mnuTireSizes", "Actual MPH", true},
            {"mnuSpeedometerCorrectoin", "mnuFormulas", "Speedometer Correction", true},
            {"mnuWindow", "", "&Window", true},
            {"mnuWindowCascade", "mnuWindow", "&Cascade", true},
            {"mnuWindowTileHorizontal", "mnuWindow", "Tile &Horizontal", false},
            {"mnuWindowTileVertical", "mnuWindow", "Tile &Vertical", false},
            {"mnuWindowArrangeIcons", "mnuWindow", "&Arrange Icons", false},
            {"mnuWindowBar1", "mnuWindow", "", false},
            {"mnuHelp", "", "&Help", true},
            {"mnuHelpContents", "mnuHelp", "&Contents", true},
            {"mnuHelpSearch", "mnuHelp", "&Search For Help On...", true},
            {"mnuHelpBar1", "mnuHelp", "", true},
            {"mnuHelpAbout", "mnuHelp", "&About MyApp...", true},
        };
        QStringList topLevel;
        for (QAction* action : frame->menuBar()->actions()) topLevel << action->objectName();
        QCOMPARE(topLevel, (QStringList{"mnuFormulas", "mnuWindow", "mnuHelp"}));

        QHash<QString, QStringList> children;
        for (const Entry& e : entries) {
            QAction* action = entry(e.name);
            QVERIFY2(action, e.name);
            QCOMPARE(action->text(), e.caption);
            QCOMPARE(action->isVisible(), e.visible);
            QVERIFY(!action->isCheckable());
            QVERIFY(action->shortcut().isEmpty());
            if (*e.parent) children[e.parent] << e.name;
        }
        for (auto it = children.cbegin(); it != children.cend(); ++it) {
            QStringList inMenu;
            const auto actions = frame->findChild<QMenu*>(it.key())->actions();
            for (QAction* action : actions) inMenu << action->objectName();
            QCOMPARE(inMenu, it.value());
        }
        QVERIFY(entry("mnuWindowBar1")->isSeparator() && entry("mnuHelpBar1")->isSeparator());
    }

    void aboutShowsItsBox() {
        Recorder recorder;
        entry("mnuHelpAbout")->trigger();
        QCOMPARE(recorder.events.size(), 1);
        const auto& box = recorder.events.first();
        QCOMPARE(box.kind, Recorder::Event::Kind::Message);
        QCOMPARE(box.title, QStringLiteral("Motoreckon"));
        QCOMPARE(box.text, QStringLiteral("About Box Code goes here!"));
        QCOMPARE(box.icon, Feedback::Icon::None);
    }

    void entriesWithoutCommandChangeNothing() {
        Recorder recorder;
        for (const char* name : {"mnuHpEt", "mnuCarWeightET", "mnuCarWeightMPH", "mnuETMPH",
                                 "mnuGearRatio", "mnuTireDiameterbySped", "mnuTireDiameter",
                                 "mnuActualMPH", "mnuSpeedometerCorrectoin"}) {
            entry(name)->trigger();
        }
        QVERIFY(frame->mdiArea()->subWindowList().isEmpty());
        QVERIFY(recorder.events.isEmpty());
        for (QWidget* window : QApplication::topLevelWidgets()) {
            QVERIFY(window == frame || !window->isVisible());
        }
    }

    void sharedCarburetorWindowIsReusedThenCreatedAfresh() {
        entry("mnuCarbSize")->trigger();
        QPointer<frmCarbSize> first = frame->findChild<frmCarbSize*>();
        QVERIFY(first);
        addPlainChild("other");
        entry("mnuCarbSize")->trigger();
        QCOMPARE(frame->findChildren<frmCarbSize*>().size(), qsizetype(1));
        QCOMPARE(frame->mdiArea()->activeSubWindow()->widget(), first.data());

        frame->mdiArea()->activeSubWindow()->close();
        QTRY_VERIFY(!first);
        entry("mnuCarbSize")->trigger();
        QCOMPARE(frame->findChildren<frmCarbSize*>().size(), qsizetype(1));
    }

    void windowListNamesOpenChildrenAndActivatesTheChosenOne() {
        QCOMPARE(windowList(), QStringList());
        QMdiSubWindow* first = addPlainChild("First");
        QMdiSubWindow* second = addPlainChild("Second");
        frame->mdiArea()->setActiveSubWindow(second);
        QCOMPARE(windowList(), (QStringList{"&1 First", "&2 Second*"}));

        first->showMinimized();
        emit windowMenu()->aboutToShow();
        windowMenu()->actions().at(windowMenu()->actions().size() - 2)->trigger();
        QCOMPARE(frame->mdiArea()->activeSubWindow(), first);
        QVERIFY(!first->isMinimized());

        second->close();
        QTRY_COMPARE(windowList(), QStringList{"&1 First*"});
    }

    void longWindowListEndsWithMoreWindows() {
        for (int i = 1; i <= 11; ++i) addPlainChild(QStringLiteral("W%1").arg(i));
        const QStringList list = windowList();
        QCOMPARE(list.size(), 9);
        QCOMPARE(list.last(), QStringLiteral("&9 W9"));
        QCOMPARE(windowMenu()->actions().last(), entry("mnuMoreWindows"));
        QCOMPARE(entry("mnuMoreWindows")->text(), QStringLiteral("&More Windows..."));

        entry("mnuMoreWindows")->trigger();
        auto* dialog = frame->findChild<QDialog*>("dlgSelectWindow");
        QVERIFY(dialog);
        auto* windows = dialog->findChild<QListWidget*>("lstWindows");
        QCOMPARE(windows->count(), 11);
        windows->setCurrentRow(10);
        dialog->accept();
        QCOMPARE(frame->mdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("W11"));
    }

    // The dialog is the active window when OK is pressed; the window chosen must be the one the
    // frame brings up when it is active again, not the one that had the focus before.
    void moreWindowsBringsUpTheChosenWindowOnceTheFrameIsActiveAgain_data() {
        QTest::addColumn<bool>("minimised");
        QTest::newRow("shown") << false;
        QTest::newRow("minimised") << true;
    }
    void moreWindowsBringsUpTheChosenWindowOnceTheFrameIsActiveAgain() {
        QFETCH(bool, minimised);
        frame->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), frame);
        // Ten windows: the Window menu lists nine, More Windows... all of them.
        for (int i = 0; i < 10; ++i) entry("mnuRPM")->trigger();
        const QList<QMdiSubWindow*> windows = frame->mdiArea()->subWindowList();
        const auto typeInto = [this](QMdiSubWindow* sub) {
            frame->mdiArea()->setActiveSubWindow(sub);
            sub->widget()->findChild<QLineEdit*>("txtMPH")->setFocus();
            QTRY_VERIFY(sub->isAncestorOf(QApplication::focusWidget()));
        };
        QMdiSubWindow* chosen = windows.at(2);
        typeInto(chosen);
        typeInto(windows.last());
        if (minimised) chosen->showMinimized();

        windowList();
        entry("mnuMoreWindows")->trigger();
        auto* dialog = frame->findChild<QDialog*>("dlgSelectWindow");
        dialog->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), dialog);
        dialog->findChild<QListWidget*>("lstWindows")->setCurrentRow(2);
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
        frame->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), frame);

        QCOMPARE(frame->mdiArea()->activeSubWindow(), chosen);
        QVERIFY(!chosen->isMinimized());
        QVERIFY(chosen->isAncestorOf(QApplication::focusWidget()));
    }

    void cascadeLeavesMinimisedWindowsAlone() {
        QMdiSubWindow* a = addPlainChild("A");
        QMdiSubWindow* b = addPlainChild("B");
        QMdiSubWindow* c = addPlainChild("C");
        b->showMinimized();
        a->move(300, 200);
        c->move(300, 200);
        const QPoint minimisedAt = b->pos();
        entry("mnuWindowCascade")->trigger();
        QCOMPARE(b->pos(), minimisedAt);
        QVERIFY(b->isMinimized());
        QCOMPARE(a->pos(), QPoint(0, 0));
        QVERIFY(c->x() > a->x() && c->y() > a->y());
    }

    void tilesFillTheClientArea() {
        QMdiSubWindow* a = addPlainChild("A");
        QMdiSubWindow* b = addPlainChild("B");
        const QSize area = frame->mdiArea()->viewport()->size();

        frame->Arrange(MDIForm1::TileHorizontal);
        QSet<int> tops;
        for (QMdiSubWindow* sub : {a, b}) {
            QCOMPARE(sub->x(), 0);
            QCOMPARE(sub->width(), area.width());
            tops << sub->y();
        }
        QCOMPARE(tops, (QSet<int>{0, area.height() / 2}));
        QCOMPARE(a->height() + b->height(), area.height());

        frame->Arrange(MDIForm1::TileVertical);
        QSet<int> lefts;
        for (QMdiSubWindow* sub : {a, b}) {
            QCOMPARE(sub->y(), 0);
            QCOMPARE(sub->height(), area.height());
            lefts << sub->x();
        }
        QCOMPARE(lefts, (QSet<int>{0, area.width() / 2}));
    }

    void arrangeIconsLinesUpMinimisedWindowsAlongTheBottom() {
        QMdiSubWindow* a = addPlainChild("A");
        QMdiSubWindow* b = addPlainChild("B");
        QMdiSubWindow* normal = addPlainChild("C");
        a->showMinimized();
        b->showMinimized();
        a->move(100, 10);
        b->move(50, 90);
        normal->move(40, 30);
        frame->Arrange(MDIForm1::ArrangeIcons);
        const int bottom = frame->mdiArea()->viewport()->height();
        QCOMPARE(a->geometry().bottom() + 1, bottom);
        QCOMPARE(b->geometry().bottom() + 1, bottom);
        QCOMPARE(a->x(), 0);
        QCOMPARE(b->x(), a->width());
        QCOMPARE(normal->pos(), QPoint(40, 30));
    }

    void arrangingNothingChangesNothing() {
        for (std::int16_t code : {0, 1, 2, 3, 4, -1}) frame->Arrange(code);
        QVERIFY(frame->mdiArea()->subWindowList().isEmpty());
    }

    void closingTheFrameClosesItsChildren() {
        entry("mnuCarbSize")->trigger();
        QPointer<frmCarbSize> carb = frame->findChild<frmCarbSize*>();
        frame->close();
        QTRY_VERIFY(!carb);
    }
};

QTEST_MAIN(TestMDIForm1)
#include "tst_mdiform1.moc"
