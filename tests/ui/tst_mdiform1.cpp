#include <QAction>
#include <QCheckBox>
#include <QClipboard>
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

#include "app/mdiform1.h"
#include "forms/placement.h"
#include "forms/twips.h"
#include "ui/frame_fixture.h"
#include "windows/frmcarbsize.h"

using namespace motoreckon;
using motoreckon::test::Recorder;

class TestMDIForm1 : public QObject, test::FrameFixture {
    Q_OBJECT

  private:
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
    void init() { startFrame(); }
    void cleanup() { stopFrame(); }

    void startsCentredOnTheWholeScreenAtItsDesignSize() {
        QCOMPARE(frame->windowTitle(), QStringLiteral("MDIForm1"));
        QCOMPARE(frame->mdiArea()->viewport()->size(), twipsSize(9285, 5715));
        QVERIFY(!frame->isMinimized() && !frame->isMaximized());
        const QRect screen = frame->screen()->geometry();
        const QRect outer = frame->frameGeometry();
        QVERIFY(qAbs(outer.left() - (screen.width() - outer.width()) / 2) <= 1);
        QVERIFY(qAbs(outer.top() - (screen.height() - outer.height()) / 2) <= 1);
    }

    // The Formulas menu holds an entry for each calculator, in submenus, in the table's order;
    // the Window and Help menus hold these entries.
    void menuTreeHasEveryEntry() {
        struct Entry {
            const char* name;
            const char* parent;
            QString caption;
            bool visible;
        };
        const Entry entries[] = {
            {"mnuWindowCascade", "mnuWindow", "&Cascade", true},
            {"mnuWindowTileHorizontal", "mnuWindow", "Tile &Horizontal", false},
            {"mnuWindowTileVertical", "mnuWindow", "Tile &Vertical", false},
            {"mnuWindowArrangeIcons", "mnuWindow", "&Arrange Icons", false},
            {"mnuWindowBar1", "mnuWindow", "", false},
            {"mnuHelpContents", "mnuHelp", "&Contents", true},
            {"mnuHelpSearch", "mnuHelp", "&Search For Help On...", true},
            {"mnuHelpBar1", "mnuHelp", "", true},
            {"mnuHelpAbout", "mnuHelp", "&About MyApp...", true},
        };
        QStringList topLevel;
        for (QAction* action : frame->menuBar()->actions()) topLevel << action->objectName();
        QCOMPARE(topLevel, (QStringList{"mnuFormulas", "mnuWindow", "mnuHelp"}));
        QCOMPARE(menuEntry("mnuFormulas")->text(), QStringLiteral("Formulas"));
        QCOMPARE(menuEntry("mnuWindow")->text(), QStringLiteral("&Window"));
        QCOMPARE(menuEntry("mnuHelp")->text(), QStringLiteral("&Help"));

        QHash<QString, QStringList> children;
        for (const Calculator& row : calculators()) {
            const char* parent = row.submenu ? row.submenu->name : "mnuFormulas";
            QCOMPARE(menuEntry(row.entry)->text(), QLatin1String(row.caption));
            if (row.submenu) {
                QCOMPARE(menuEntry(parent)->text(), QLatin1String(row.submenu->caption));
                if (!children["mnuFormulas"].contains(parent)) children["mnuFormulas"] << parent;
            }
            children[parent] << row.entry;
        }
        for (const Entry& e : entries) {
            QCOMPARE(menuEntry(e.name)->text(), e.caption);
            QCOMPARE(menuEntry(e.name)->isVisible(), e.visible);
            children[e.parent] << e.name;
        }
        for (auto it = children.cbegin(); it != children.cend(); ++it) {
            QStringList inMenu;
            const auto actions = frame->findChild<QMenu*>(it.key())->actions();
            for (QAction* action : actions) {
                inMenu << action->objectName();
                QVERIFY(!action->isCheckable());
                QVERIFY(action->shortcut().isEmpty());
            }
            QCOMPARE(inMenu, it.value());
        }
        QVERIFY(menuEntry("mnuWindowBar1")->isSeparator() &&
                menuEntry("mnuHelpBar1")->isSeparator());
    }

    void aboutShowsItsBox() {
        menuEntry("mnuHelpAbout")->trigger();
        QCOMPARE(recorder->events.size(), 1);
        const auto& box = recorder->events.first();
        QCOMPARE(box.kind, Recorder::Event::Kind::Message);
        QCOMPARE(box.title, QStringLiteral("Motoreckon"));
        QCOMPARE(box.text, QStringLiteral("About Box Code goes here!"));
        QCOMPARE(box.icon, Feedback::Icon::None);
    }

    // A calculator without a window is there in the menu and does nothing.
    void entriesWithoutCommandChangeNothing() {
        int inert = 0;
        for (const Calculator& row : calculators()) {
            if (row.opening != Opening::None) continue;
            menuEntry(row.entry)->trigger();
            ++inert;
        }
        QVERIFY(inert > 0);
        QVERIFY(frame->mdiArea()->subWindowList().isEmpty());
        QVERIFY(recorder->events.isEmpty());
        for (QWidget* window : QApplication::topLevelWidgets()) {
            QVERIFY(window == frame.get() || !window->isVisible());
        }
    }

    // A shared calculator's window is brought up again by every later command, and made afresh
    // once it was closed.
    void sharedWindowsAreReusedThenCreatedAfresh() {
        for (const Calculator& row : calculators()) {
            if (row.opening != Opening::Shared) continue;
            QPointer<QWidget> first = open(row.entry);
            QVERIFY2(first, row.entry);
            addPlainChild("other")->activateWindow();
            QCOMPARE(open(row.entry), first.data());
            QTRY_COMPARE(first->isWindow() ? QApplication::activeWindow()
                                           : frame->mdiArea()->activeSubWindow()->widget(),
                         first.data());
            (first->isWindow() ? first.data() : first->parentWidget())->close();
            QTRY_VERIFY(!first);
            QVERIFY(open(row.entry));
        }
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
        QCOMPARE(windowMenu()->actions().last(), menuEntry("mnuMoreWindows"));
        QCOMPARE(menuEntry("mnuMoreWindows")->text(), QStringLiteral("&More Windows..."));

        menuEntry("mnuMoreWindows")->trigger();
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
        QTRY_COMPARE(QApplication::activeWindow(), frame.get());
        // Ten windows: the Window menu lists nine, More Windows... all of them.
        for (int i = 0; i < 10; ++i) menuEntry("mnuRPM")->trigger();
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
        menuEntry("mnuMoreWindows")->trigger();
        auto* dialog = frame->findChild<QDialog*>("dlgSelectWindow");
        dialog->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), dialog);
        dialog->findChild<QListWidget*>("lstWindows")->setCurrentRow(2);
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
        frame->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), frame.get());

        QCOMPARE(frame->mdiArea()->activeSubWindow(), chosen);
        QVERIFY(!chosen->isMinimized());
        QVERIFY(chosen->isAncestorOf(QApplication::focusWidget()));
    }

    // Key combinations in the calculator windows, typed into a box that holds "3000" with the
    // cursor after "30": what the box holds afterwards, where the focus is and whether the
    // window is still there.
    void keyCombinations_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("compressionOff");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("focus");  // empty: still in the box
        QTest::addColumn<bool>("open");
        // Ctrl+W closes nothing; Ctrl+F4 closes the active child window.
        for (const auto& [command, box] :
             {std::pair{"mnuCarbSize", "txtRPM"}, std::pair{"mnuMPH", "txtRPM"},
              std::pair{"mnuHpMPH", "txtWeight"}}) {
            QTest::addRow("Ctrl+W in %s", command)
                << command << box << false << QKeySequence("Ctrl+W") << "3000"
                << "" << true;
            QTest::addRow("Ctrl+F4 in %s", command)
                << command << box << false << QKeySequence("Ctrl+F4") << "3000"
                << "" << false;
        }
        // Ctrl and Alt type no printable character and delete no word.
        for (const char* keys :
             {"Ctrl+Backspace", "Ctrl+Del", "Alt+5", "Ctrl+Alt+5", "Ctrl+K", "Ctrl+U", "Alt+Q"}) {
            QTest::addRow("%s in the carburetor window", keys)
                << "mnuCarbSize"
                << "txtCubicInches" << false << QKeySequence(keys) << "3000"
                << "" << true;
            QTest::addRow("%s in an MPH window", keys)
                << "mnuMPH"
                << "txtAxle" << false << QKeySequence(keys) << "3000"
                << "" << true;
            QTest::addRow("%s in the displacement window", keys)
                << "mnuSizeCompression"
                << "txtBore" << false << QKeySequence(keys) << "3000"
                << "" << true;
        }
        // The clipboard keys still work where no filter swallows them.
        QTest::addRow("Ctrl+V in an MPH window")
            << "mnuMPH"
            << "txtAxle" << false << QKeySequence("Ctrl+V") << "30700"
            << "" << true;
        // A caption's access key goes to the first control after it that can take the focus.
        for (const char* keys : {"Alt+H", "Alt+G", "Alt+D"}) {
            QTest::addRow("%s with the compression ratio off", keys)
                << "mnuSizeCompression"
                << "txtBore" << true << QKeySequence(keys) << "3000"
                << "roundtx" << true;
        }
        QTest::addRow("Alt+H with the compression ratio on")
            << "mnuSizeCompression"
            << "txtBore" << false << QKeySequence("Alt+H") << "3000"
            << "headtx" << true;
        // A button's access key moves the focus to the button and presses it.
        QTest::addRow("Alt+A in the displacement window")
            << "mnuSizeCompression"
            << "txtBore" << false << QKeySequence("Alt+A") << "3000"
            << "Com_cancl" << true;
        QTest::addRow("Alt+E in the displacement window")
            << "mnuSizeCompression"
            << "txtBore" << false << QKeySequence("Alt+E") << "3000"
            << "Com_end" << false;
        QTest::addRow("Alt+C in the carburetor window")
            << "mnuCarbSize"
            << "txtRPM" << false << QKeySequence("Alt+C") << "3000"
            << "cmdCalculateCFM" << true;
    }
    void keyCombinations() {
        QFETCH(QString, command);
        QFETCH(QString, box);
        QFETCH(bool, compressionOff);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        QFETCH(bool, open);
        QApplication::clipboard()->setText(QStringLiteral("7"));
        QPointer<QWidget> form = FrameFixture::open(qPrintable(command));
        QWidget* window = form->isWindow() ? form.get() : frame.get();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        if (compressionOff) form->findChild<QAction*>("compratiomnu")->trigger();
        QPointer<QLineEdit> entered = form->findChild<QLineEdit*>(box);
        entered->setFocus();
        QTest::keyClicks(entered, "3000");
        entered->setCursorPosition(2);

        const QKeyCombination combination = keys[0];
        QTest::keyClick(entered, combination.key(), combination.keyboardModifiers());
        QTest::qWait(150);  // a button reached by its access key is pressed a moment later

        const bool shown = form && form->isVisible();
        QCOMPARE(shown, open);
        if (open) {
            QCOMPARE(entered->text(), text);
            QWidget* expected = focus.isEmpty() ? entered : form->findChild<QWidget*>(focus);
            QCOMPARE(QApplication::focusWidget(), expected);
        }
        if (focus == QLatin1String("cmdCalculateCFM")) {
            QVERIFY(!form->findChild<QLabel*>("lblCFM")->text().isEmpty());  // pressed
        }
    }

    // Cascade follows the stacking order: whatever order the windows were opened in, the
    // active one ends last and on top, and no window covers a title bar below it.
    void cascadeEndsWithTheActiveWindowOnTop() {
        for (const char* command : {"mnuCarbSize", "mnuMPH", "mnuRPM", "mnuHpMPH"}) {
            menuEntry(command)->trigger();
        }
        QMdiSubWindow* mph = nullptr;
        for (QMdiSubWindow* sub : frame->mdiArea()->subWindowList()) {
            if (sub->windowTitle() == QLatin1String("MPH (1)")) mph = sub;
        }
        QVERIFY(mph);
        frame->mdiArea()->setActiveSubWindow(mph);
        menuEntry("mnuWindowCascade")->trigger();

        const QList<QMdiSubWindow*> stack =
            frame->mdiArea()->subWindowList(QMdiArea::StackingOrder);
        QCOMPARE(stack.size(), qsizetype(4));
        QCOMPARE(stack.last(), mph);
        QCOMPARE(frame->mdiArea()->activeSubWindow(), mph);
        for (qsizetype i = 0; i < stack.size(); ++i) {
            QMdiSubWindow* below = stack.at(i);
            // The title bar: the strip of the window above its form.
            const QRect titleBar(
                below->pos(), QSize(below->width(), below->widget()->mapTo(below, QPoint()).y()));
            for (qsizetype j = i + 1; j < stack.size(); ++j) {
                QVERIFY2(!stack.at(j)->geometry().intersects(titleBar),
                         qPrintable(stack.at(j)->windowTitle() + " covers the title bar of " +
                                    below->windowTitle()));
                QVERIFY(stack.at(j)->y() > below->y() && stack.at(j)->x() > below->x());
            }
        }
    }

    // A top-level window is centred by its outer size: itself and the title bar and borders a
    // window manager puts around it.
    void centringCountsTheFrameAroundTheWindow_data() {
        QTest::addColumn<QMargins>("frameMargins");
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<float>("outerWidth");
        QTest::addColumn<float>("outerHeight");
        QTest::newRow("no window manager") << QMargins() << QPoint(331, 312) << 9285.f << 6000.f;
        QTest::newRow("openbox") << QMargins(1, 20, 1, 5) << QPoint(331, 320) << 9315.f << 6375.f;
        QTest::newRow("wide borders")
            << QMargins(8, 31, 12, 9) << QPoint(329, 323) << 9585.f << 6600.f;
    }
    void centringCountsTheFrameAroundTheWindow() {
        QFETCH(QMargins, frameMargins);
        QFETCH(QPoint, position);
        QFETCH(float, outerWidth);
        QFETCH(float, outerHeight);
        struct Screen final : CenterParent {  // 1280 x 1024 pixels
            bool IsMdiFrame() const override { return false; }
            float Width() const override { return 19200; }
            float Height() const override { return 15360; }
            float ScaleWidth() const override { return Width(); }
            float ScaleHeight() const override { return Height(); }
        } screen;
        QWidget window;
        window.resize(619, 400);
        WindowTwips outer(&window, frameMargins);
        QCOMPARE(outer.Width(), outerWidth);
        QCOMPARE(outer.Height(), outerHeight);
        CenterForm(screen, outer);
        QCOMPARE(window.geometry(), QRect(position, QSize(619, 400)));
    }

    void cascadeLeavesMinimisedWindowsAlone() {
        QMdiSubWindow* a = addPlainChild("A");
        QMdiSubWindow* b = addPlainChild("B");
        QMdiSubWindow* c = addPlainChild("C");
        b->showMinimized();
        a->move(300, 200);
        c->move(300, 200);
        const QPoint minimisedAt = b->pos();
        menuEntry("mnuWindowCascade")->trigger();
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
        menuEntry("mnuCarbSize")->trigger();
        QPointer<frmCarbSize> carb = frame->findChild<frmCarbSize*>();
        frame->close();
        QTRY_VERIFY(!carb);
    }
};

QTEST_MAIN(TestMDIForm1)
#include "tst_mdiform1.moc"
