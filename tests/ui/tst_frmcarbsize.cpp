#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include "app/mdiform1.h"
#include "forms/twips.h"
#include "ui/frame_fixture.h"
#include "windows/frmcarbsize.h"

using namespace motoreckon;

class TestFrmCarbSize : public QObject, test::FrameFixture {
    Q_OBJECT

  private:
    QWidget* open() { return FrameFixture::open("mnuCarbSize"); }
    QString cfm(QWidget* form) { return control<QLabel>(form, "lblCFM")->text(); }
    void calculate(QWidget* form) {
        QTest::mouseClick(control<QPushButton>(form, "cmdCalculateCFM"), Qt::LeftButton);
    }

  private slots:
    void init() { startFrame(); }
    void cleanup() { stopFrame(); }

    // The window's own words, and the order Tab visits its controls in.
    void captionsAndTabOrder() {
        QWidget* form = open();
        QCOMPARE(form->windowTitle(), QStringLiteral("Carburator CFM Required"));
        for (const auto& [name, text] : {std::pair{"Command2", "Cl&ose"},
                                         {"Label1_0", "Maximum RPM"},
                                         {"Label1_1", "%"},
                                         {"Label1_2", "Required CFM "},
                                         {"Label1_3", "Volumetric Efficiency"},
                                         {"Label1_5", "Cubic Inches"}}) {
            QCOMPARE(control<QWidget>(form, name)->property("text").toString(), text);
        }
        QVERIFY(!form->findChild<QWidget*>("Label1_4"));
        QCOMPARE(box(form, "txtRPM")->toolTip(), QStringLiteral("Enter the maximum expected RPM"));

        const char* order[] = {"txtRPM", "txtCubicInches", "txtEfficency", "cmdCalculateCFM",
                               "Command2"};
        for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
            QWidget* next = form->findChild<QWidget*>(order[i])->nextInFocusChain();
            while (!(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
            QCOMPARE(next->objectName(), QString::fromLatin1(order[i + 1]));
        }
    }

    void opensCentredInTheFrame() {
        QWidget* form = open();
        auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
        QVERIFY(sub);
        const QSize client = frame->mdiArea()->viewport()->size();
        QVERIFY(qAbs(sub->x() - (client.width() - sub->width()) / 2) <= 1);
        QVERIFY(qAbs(sub->y() - (client.height() - sub->height()) / 2) <= 1);
    }

    // A refused key leaves the box as it was and shows the note of what the box takes, with no
    // sound, message or change of focus, until the box takes a key.
    void typedKeysAreVetted_data() {
        // The box, what is typed into it, what it then holds and the note shown.
        QTest::addColumn<QStringList>("keys");
        const QString numbers = "Only whole numbers and % can be typed here.";
        const QString full =
            "At most six characters fit here: select some and press Delete to make room.";
        for (const QString name : {"txtRPM", "txtCubicInches", "txtEfficency"}) {
            const QByteArray latin = name.toLatin1();
            const char* tag = latin.constData();
            QTest::addRow("%s decimal point", tag) << QStringList{name, "1.5", "15", ""};
            QTest::addRow("%s minus", tag) << QStringList{name, "-300", "300", ""};
            QTest::addRow("%s percent", tag) << QStringList{name, "85%", "85%", ""};
            QTest::addRow("%s letters and blanks", tag) << QStringList{name, "1 a,2", "12", ""};
            QTest::addRow("%s full stop last", tag) << QStringList{name, "382.", "382", numbers};
        }
        QTest::addRow("rpm stops at six") << QStringList{"txtRPM", "1234567", "123456", full};
        QTest::addRow("rpm backspace when full")
            << QStringList{"txtRPM", "123456\b", "123456", full};
        QTest::addRow("backspace that deletes nothing")
            << QStringList{"txtCubicInches", ".\b", "", ""};
        QTest::addRow("displacement has no limit")
            << QStringList{"txtCubicInches", "123456789", "123456789", ""};
        QTest::addRow("efficiency has no limit")
            << QStringList{"txtEfficency", "123456789", "123456789", ""};
    }
    void typedKeysAreVetted() {
        QFETCH(QStringList, keys);
        const QString& typed = keys[1];
        const QString& result = keys[2];
        const QString& note = keys[3];
        QLineEdit* edit = box(open(), qPrintable(keys[0]));
        edit->setFocus();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), result);
        const auto* shown = edit->findChild<QLabel*>("refusalTip");
        QCOMPARE(shown && shown->isVisible() ? shown->text() : QString(), note);
        QVERIFY(recorder->events.isEmpty() && !QApplication::activeModalWidget());
        QCOMPARE(QApplication::focusWidget(), edit);
    }

    void rpmBoxAtSixCharactersRefusesBackspaceButNotDelete() {
        QLineEdit* rpm = box(open(), "txtRPM");
        rpm->setFocus();
        QTest::keyClicks(rpm, "123456");
        QTest::keyClick(rpm, Qt::Key_Backspace);
        QCOMPARE(rpm->text(), QStringLiteral("123456"));

        rpm->selectAll();
        QTest::keyClick(rpm, Qt::Key_9);
        QCOMPARE(rpm->text(), QStringLiteral("123456"));

        QTest::keyClick(rpm, Qt::Key_Home);
        QTest::keyClick(rpm, Qt::Key_Delete);
        QCOMPARE(rpm->text(), QStringLiteral("23456"));
        QTest::keyClick(rpm, Qt::Key_Backspace);
        QTest::keyClick(rpm, Qt::Key_7);
        QCOMPARE(rpm->text(), QStringLiteral("723456"));
        QTest::keyClick(rpm, Qt::Key_End);
        QTest::keyClick(rpm, Qt::Key_Backspace);
        QCOMPARE(rpm->text(), QStringLiteral("723456"));
    }

    // The result is selected with the mouse and copied, while the focus stays in its box.
    void resultIsCopied() {
        QWidget* form = open();
        fill(form, {"txtRPM", "6000", "txtCubicInches", "350", "txtEfficency", "85"});
        calculate(form);
        QLineEdit* ci = box(form, "txtCubicInches");
        ci->setFocus();
        ci->selectAll();
        auto* result = control<QLabel>(form, "lblCFM");
        QCOMPARE(result->focusPolicy(), Qt::NoFocus);
        const int y = result->height() / 2;
        QTest::mousePress(result, Qt::LeftButton, {}, QPoint(0, y));
        QTest::mouseMove(result, QPoint(result->width() - 1, y));
        QTest::mouseRelease(result, Qt::LeftButton, {}, QPoint(result->width() - 1, y));
        QCOMPARE(QApplication::focusWidget(), ci);
        QVERIFY(!ci->hasSelectedText());
        QTest::keyClick(ci, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("516"));
        ci->selectAll();
        QVERIFY(!result->hasSelectedText());
    }

    void keyboardClipboardCommandsAreSwallowed() {
        QLineEdit* ci = box(open(), "txtCubicInches");
        ci->setFocus();
        QTest::keyClicks(ci, "350");
        QApplication::clipboard()->setText(QStringLiteral("999"));
        QTest::keyClick(ci, Qt::Key_V, Qt::ControlModifier);
        ci->selectAll();
        QTest::keyClick(ci, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(ci->text(), QStringLiteral("350"));
        QTest::keyClick(ci, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("999"));
        // Keys that type nothing say nothing.
        QTest::keyClick(ci, Qt::Key_Tab);
        QVERIFY(!ci->findChild<QLabel*>("refusalTip"));
    }

    // The boxes' context menu keeps its commands but shows no shortcut that the box swallows;
    // a box without a keystroke filter keeps them all.
    void contextMenuShowsOnlyWorkingShortcuts() {
        QWidget* carb = open();
        frame->findChild<QAction*>("mnuMPH")->trigger();
        QWidget* mph = frame->mdiArea()->activeSubWindow()->widget();
        // Each entry's caption and the shortcut shown after it.
        const auto menuOf = [](QLineEdit* entry) {
            QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(2, 2),
                                    entry->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(entry, &event);
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QMap<QString, QKeySequence> entries;
            if (!menu) return entries;
            for (const QAction* action : menu->actions()) {
                if (action->isSeparator()) continue;
                const QStringList parts = action->text().split(QLatin1Char('\t'));
                entries[parts.first()] =
                    QKeySequence::fromString(parts.value(1), QKeySequence::NativeText);
            }
            menu->close();
            return entries;
        };
        QStringList commands = {"&Undo",  "&Redo",  "Cu&t",      "&Copy",
                                "&Paste", "Delete", "Select All"};
        commands.sort();  // as the map holds them
        const QList<QKeySequence> swallowed = {QKeySequence("Ctrl+Z"),       QKeySequence("Ctrl+Y"),
                                               QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+X"),
                                               QKeySequence("Ctrl+C"),       QKeySequence("Ctrl+V"),
                                               QKeySequence("Ctrl+A")};
        for (const char* name : {"txtRPM", "txtCubicInches", "txtEfficency"}) {
            const auto entries = menuOf(box(carb, name));
            QCOMPARE(entries.keys(), commands);
            for (const QKeySequence& shown : entries) {
                QVERIFY2(!swallowed.contains(shown), qPrintable(shown.toString()));
            }
        }
        const auto mphEntries = menuOf(box(mph, "txtAxle"));
        QCOMPARE(mphEntries.value("&Paste"), QKeySequence("Ctrl+V"));
        QCOMPARE(mphEntries.value("Select All"), QKeySequence("Ctrl+A"));
    }

    void enterPressesNoButton() {
        QWidget* form = open();
        QLineEdit* rpm = box(form, "txtRPM");
        rpm->setFocus();
        QTest::keyClicks(rpm, "6000");
        QTest::keyClick(rpm, Qt::Key_Return);
        QTest::keyClick(rpm, Qt::Key_Enter);
        QCOMPARE(cfm(form), QString());
        QCOMPARE(rpm->text(), QStringLiteral("6000"));
    }

    void calculateShowsTheCfm_data() {
        QTest::addColumn<QString>("rpm");
        QTest::addColumn<QString>("cubicInches");
        QTest::addColumn<QString>("efficiency");
        QTest::addColumn<QString>("result");
        QTest::newRow("worked") << "6000"
                                << "350"
                                << "85"
                                << "516";
        QTest::newRow("empty") << ""
                               << ""
                               << ""
                               << "0";
        QTest::newRow("pasted decimal") << "6000.5"
                                        << "350.5"
                                        << "85"
                                        << "517";
        QTest::newRow("pasted junk") << "12abc"
                                     << "350"
                                     << "85%"
                                     << "1";
    }
    void calculateShowsTheCfm() {
        QFETCH(QString, rpm);
        QFETCH(QString, cubicInches);
        QFETCH(QString, efficiency);
        QFETCH(QString, result);
        QWidget* form = open();
        box(form, "txtRPM")->setText(rpm);
        box(form, "txtCubicInches")->setText(cubicInches);
        box(form, "txtEfficency")->setText(efficiency);
        calculate(form);
        QCOMPARE(cfm(form), result);
        QVERIFY(recorder->events.isEmpty());
    }

    void overflowKeepsThePreviousResultAndBlamesTheBox() {
        QWidget* form = open();
        box(form, "txtRPM")->setText("6000");
        box(form, "txtCubicInches")->setText("350");
        box(form, "txtEfficency")->setText("85");
        calculate(form);
        QCOMPARE(cfm(form), QStringLiteral("516"));

        box(form, "txtRPM")->setText("32768");
        box(form, "txtCubicInches")->setFocus();
        calculate(form);
        QCOMPARE(cfm(form), QStringLiteral("516"));
        QCOMPARE(recorder->messages().size(), 1);
        const auto message = recorder->messages().first();
        QCOMPARE(message.title, QStringLiteral("Motoreckon"));
        QCOMPARE(message.text,
                 QStringLiteral(
                     "Maximum RPM: \"\u206832768\u2069\" is too large for this calculation."));
        QCOMPARE(message.icon, Feedback::Icon::Warning);
        QCOMPARE(QApplication::focusWidget(), box(form, "txtRPM"));
    }

    void closeDiscardsTheWindowAndReopeningStartsEmpty() {
        QWidget* form = open();
        box(form, "txtRPM")->setText("6000");
        QPointer<QWidget> first = form;
        QTest::mouseClick(form->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        QTRY_VERIFY(!first);
        QVERIFY(frame->mdiArea()->subWindowList().isEmpty());
        QWidget* again = open();
        QVERIFY(again);
        QCOMPARE(box(again, "txtRPM")->text(), QString());
        QCOMPARE(cfm(again), QString());
    }
};

QTEST_MAIN(TestFrmCarbSize)
#include "tst_frmcarbsize.moc"
