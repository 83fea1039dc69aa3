#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "app/mdiform1.h"
#include "forms/colours.h"
#include "forms/twips.h"
#include "ui/frame_fixture.h"
#include "windows/discom.h"

using motoreckon::contrast;
using motoreckon::discom;
using motoreckon::Feedback;
using motoreckon::MDIForm1;
using motoreckon::twipsRect;
using motoreckon::twipsToPixels;
using motoreckon::test::Recorder;
using Event = Recorder::Event;

namespace {

const QString kIncomplete = QStringLiteral("Incomplete Data");
const QString kEssentialsText = QStringLiteral(
    "The displacement and compression ratio can not be calculated without accurate bore and "
    "stroke measurements and number of cylinders.");
const QString kCompressionText = QStringLiteral(
    "Insufficient Data To Calculate Compression Ratio. To obtain an accurate calculation all "
    "data must be entered.");

using Fixture = motoreckon::test::FrameFixture;

template <class T>
T* child(const QObject* window, const char* name) {
    return Fixture::control<T>(window, name);
}

QLineEdit* box(const QObject* window, const char* name) { return Fixture::box(window, name); }
QLabel* label(const QObject* window, const char* name) { return child<QLabel>(window, name); }
QAction* action(const QObject* window, const char* name) { return child<QAction>(window, name); }

QString text(QObject* window, const char* name) { return label(window, name)->text(); }

// Bore 4, stroke 3.48, 8 cylinders, head 64, gasket 8, deck 5.
void typeWorkedExample(QObject* window) {
    box(window, "txtBore")->setText(QStringLiteral("4"));
    box(window, "txtStroke")->setText(QStringLiteral("3.48"));
    box(window, "txtCylinders")->setText(QStringLiteral("8"));
    box(window, "headtx")->setText(QStringLiteral("64"));
    box(window, "gaskettx")->setText(QStringLiteral("8"));
    box(window, "decktx")->setText(QStringLiteral("5"));
}

void calculate(QObject* window) { child<QPushButton>(window, "Com_calc")->click(); }

// The displacement window the frame opened, beside the one the test made itself.
discom* openedByFrame(const discom* own) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<discom*>(top);
        if (window && window != own) return window;
    }
    return nullptr;
}

void deleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace

// The contrast between the ground of `drawn` (its top-left pixel) and the pixel within `area`
// that stands out most from it: the text drawn there.
double drawnContrast(const QImage& drawn, const QRect& area) {
    const QColor ground = drawn.pixelColor(0, 0);
    double most = 1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            most = std::max(most, contrast(drawn.pixelColor(x, y), ground));
        }
    }
    return most;
}

class TestDiscom : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        recorder_ = std::make_unique<Recorder>();
        window_ = new discom;
        window_->show();
    }

    void cleanup() {
        delete window_;
        recorder_.reset();
    }

    // The window's own words; a box takes as many characters as its measure needs.
    void captionsAndBoxLengths() {
        for (const auto& [name, text] : {std::pair{"bore", "&Bore"},
                                         {"stroke", "&Stroke"},
                                         {"cylinders", "C&ylinders"},
                                         {"head", "&Head Vol."},
                                         {"gaskvol", "&Gasket Vol."},
                                         {"deck", "&Deck Vol."},
                                         {"Enter", "Enter:"},
                                         {"ci", "Cubic Inches:"},
                                         {"cr", "Comp. Ratio:"},
                                         {"roundtx", "&Round to the nearest 1/100"},
                                         {"Com_calc", "&Calculate"},
                                         {"Com_cancl", "C&ancel"},
                                         {"Com_end", "&Exit"}}) {
            QCOMPARE(child<QWidget>(window_, name)->property("text").toString(), text);
        }
        for (QLineEdit* entry : window_->findChildren<QLineEdit*>()) {
            QTest::keyClicks(entry, "1234567");
            QCOMPARE(entry->text().size(), entry == box(window_, "txtCylinders") ? 2 : 6);
        }
    }

    void windowLooksAsDescribed() {
        QCOMPARE(window_->objectName(), QStringLiteral("discom"));
        QCOMPARE(window_->windowTitle(),
                 QStringLiteral("Displacement and Compression Ratio Calculation"));
        QVERIFY(window_->isWindow());
        QVERIFY(!window_->parentWidget());
        QCOMPARE(window_->centralWidget()->palette().color(QPalette::Window),
                 QColor(192, 192, 192));
        QVERIFY(window_->centralWidget()->autoFillBackground());
        QVERIFY(!window_->windowIcon().pixmap(32, 32).isNull());
        const QFont windowFont = window_->centralWidget()->font();
        QCOMPARE(windowFont.family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(windowFont.pointSizeF(), 8.25);
        QVERIFY(windowFont.bold());
        QCOMPARE(window_->menuBar()->font(), QApplication::font(window_->menuBar()));

        // Captions show the system's text colours; the check box is grey on black.
        const QPalette system = QApplication::palette();
        for (const char* name : {"bore", "stroke", "Enter", "ci", "cr", "lblCubicInch", "crlb"}) {
            QLabel* caption = label(window_, name);
            QVERIFY2(caption->autoFillBackground(), name);
            QCOMPARE(caption->palette().color(QPalette::Window), system.color(QPalette::Base));
            QCOMPARE(caption->palette().color(QPalette::WindowText), system.color(QPalette::Text));
        }
        QCOMPARE(label(window_, "head")->palette().color(QPalette::WindowText), QColor(Qt::black));
        auto* round = child<QCheckBox>(window_, "roundtx");
        QCOMPARE(round->palette().color(QPalette::Window), QColor(192, 192, 192));
        QCOMPARE(round->palette().color(QPalette::WindowText), QColor(Qt::black));
        QVERIFY(!round->isChecked());

        for (const char* name : {"lblCubicInch", "crlb"})
            QVERIFY(label(window_, name)->text().isEmpty());
        QCOMPARE(window_->focusWidget(), box(window_, "txtBore"));
    }

    void tabOrderAndAccessKeys() {
        const QStringList expected = {"txtBore",   "txtStroke", "txtCylinders", "headtx",
                                      "gaskettx",  "decktx",    "roundtx",      "Com_calc",
                                      "Com_cancl", "Com_end"};
        QStringList order;
        QWidget* first = box(window_, "txtBore");
        QWidget* current = first;
        do {
            if ((current->focusPolicy() & Qt::TabFocus) && current->isVisibleTo(window_)) {
                order << current->objectName();
            }
            current = current->nextInFocusChain();
        } while (current != first);
        QCOMPARE(order, expected);

        for (const char* name : {"Enter", "ci", "cr", "lblCubicInch", "crlb"}) {
            QVERIFY2(!label(window_, name)->buddy(), name);
        }

        // Each caption's access key leads to the box on its row.
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_));
        for (const QLabel* caption : window_->findChildren<QLabel*>()) {
            const qsizetype marker = caption->text().indexOf(QLatin1Char('&'));
            if (marker < 0) continue;
            QTest::keyClick(window_, caption->text().at(marker + 1).toLatin1(), Qt::AltModifier);
            const QWidget* box = QApplication::focusWidget();
            QVERIFY2(qobject_cast<const QLineEdit*>(box) &&
                         box->geometry().top() < caption->geometry().bottom() &&
                         caption->geometry().top() < box->geometry().bottom(),
                     qPrintable(caption->objectName()));
        }
    }

    void menuEntriesAndMarks() {
        struct Entry {
            const char* name;
            const char* caption;
            bool checkable;
            bool checked;
        };
        const QList<Entry> entries = {
            {"MnuFile", "&File", false, false},
            {"MnuExit", "&Exit", false, false},
            {"MnuOptions", "&Options", false, false},
            {"MnuDisplacement", "&Displacement", false, false},
            {"MnuCubin", "Cubic &Inches", true, true},
            {"MnuLiters", "&Liters", true, false},
            {"compratiomnu", "&Check Comp. Ratio", true, true},
            {"MnuSaveset", "Sa&ve Settings On Exit", true, false},
            {"MnuHelp", "&Help", false, false},
        };
        for (const Entry& e : entries) {
            QAction* entry = action(window_, e.name);
            QCOMPARE(entry->text(), QString::fromLatin1(e.caption));
            QCOMPARE(entry->isCheckable(), e.checkable);
            QCOMPARE(entry->isChecked(), e.checked);
        }

        // The submenus hold their entries in menu order.
        const auto names = [](const QMenu* menu) {
            QStringList list;
            for (const QAction* a : menu->actions()) list << a->objectName();
            return list;
        };
        QCOMPARE(names(child<QMenu>(window_, "MnuFile")), QStringList{"MnuExit"});
        QCOMPARE(names(child<QMenu>(window_, "MnuOptions")),
                 QStringList({"MnuDisplacement", "compratiomnu", "MnuSaveset"}));
        QCOMPARE(names(child<QMenu>(window_, "MnuDisplacement")),
                 QStringList({"MnuCubin", "MnuLiters"}));
        QVERIFY(child<QMenu>(window_, "MnuHelp")->actions().isEmpty());
    }

    void helpSitsAtTheRightEndOfTheBar() {
        QMenuBar* bar = window_->menuBar();
        QStringList barOrder;
        for (const QAction* a : bar->actions()) barOrder << a->objectName();
        QCOMPARE(barOrder, QStringList({"MnuFile", "MnuOptions"}));

        auto* right = qobject_cast<QMenuBar*>(bar->cornerWidget(Qt::TopRightCorner));
        QVERIFY(right);
        QAction* help = action(window_, "MnuHelp");
        QVERIFY(right->actions().contains(help));
        const QRect helpArea(right->mapTo(window_, right->actionGeometry(help).topLeft()),
                             right->actionGeometry(help).size());
        const QRect options = bar->actionGeometry(action(window_, "MnuOptions"));
        QVERIFY(helpArea.left() > options.right());
        QVERIFY2(window_->width() - helpArea.right() <= 8,
                 qPrintable(QStringLiteral("Help ends %1 pixels before the right edge")
                                .arg(window_->width() - helpArea.right())));
    }

    // Load centres the window by the outer size it has before it is first shown.
    void centredOnTheScreen() {
        discom unshown;
        const QRect screen = unshown.screen()->geometry();
        const QRect frame = unshown.frameGeometry();
        QCOMPARE(unshown.size(), unshown.sizeHint());
        QVERIFY(frame.width() < screen.width() && frame.height() < screen.height());
        QVERIFY(qAbs(frame.center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(frame.center().y() - screen.center().y()) <= 1);
    }

    void calculateShowsTheWorkedExample_data() {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("Calculate button") << false;
        QTest::newRow("Enter in a box") << true;
    }

    void calculateShowsTheWorkedExample() {
        QFETCH(bool, byEnter);
        typeWorkedExample(window_);
        if (byEnter) {
            QTest::keyClick(box(window_, "decktx"), Qt::Key_Return);
        } else {
            calculate(window_);
        }
        QCOMPARE(text(window_, "lblCubicInch"), QStringLiteral("349.848576"));
        QCOMPARE(text(window_, "crlb"), QStringLiteral("10.3116883116883"));
        QVERIFY(recorder_->events.isEmpty());

        // The result labels are as wide as their texts.
        for (const char* name : {"lblCubicInch", "crlb"}) {
            QLabel* result = label(window_, name);
            QCOMPARE(result->width(), result->sizeHint().width());
            QVERIFY(result->width() > twipsToPixels(1000));
        }
    }

    void enterOnAnotherButtonPressesThatButton() {
        typeWorkedExample(window_);
        QTest::keyClick(child<QPushButton>(window_, "Com_cancl"), Qt::Key_Return);
        QVERIFY(text(window_, "lblCubicInch").isEmpty());
        QTest::keyClick(child<QCheckBox>(window_, "roundtx"), Qt::Key_Return);
        QCOMPARE(text(window_, "lblCubicInch"), QStringLiteral("349.848576"));
    }

    // Two beeps, then the message; after it the focus moves by the stroke and bore boxes, and
    // neither result changes.
    void missingEssentialsBeepTwiceThenTell_data() {
        QTest::addColumn<QStringList>("essentials");  // bore, stroke, cylinders
        QTest::addColumn<QString>("focus");
        QTest::newRow("all empty") << QStringList{"", "", ""} << "txtBore";
        QTest::newRow("stroke empty") << QStringList{"4", "", "8"} << "txtStroke";
        QTest::newRow("bore empty") << QStringList{"", "3.48", "8"} << "Com_cancl";
        QTest::newRow("no cylinders") << QStringList{"4", "3.48", "0"} << "Com_cancl";
    }

    void missingEssentialsBeepTwiceThenTell() {
        QFETCH(QStringList, essentials);
        QFETCH(QString, focus);
        typeWorkedExample(window_);
        calculate(window_);
        box(window_, "txtBore")->setText(essentials[0]);
        box(window_, "txtStroke")->setText(essentials[1]);
        box(window_, "txtCylinders")->setText(essentials[2]);
        child<QPushButton>(window_, "Com_cancl")->setFocus();

        QWidget* focusDuringMessage = nullptr;
        recorder_->onMessage = [&] { focusDuringMessage = window_->focusWidget(); };
        calculate(window_);

        QCOMPARE(recorder_->events.size(), 3);
        QCOMPARE(recorder_->events[0].kind, Event::Kind::Beep);
        QCOMPARE(recorder_->events[1].kind, Event::Kind::Beep);
        QCOMPARE(recorder_->events[2].kind, Event::Kind::Message);
        QCOMPARE(recorder_->events[2].title, kIncomplete);
        QCOMPARE(recorder_->events[2].text, kEssentialsText);
        QCOMPARE(recorder_->events[2].icon, Feedback::Icon::Information);
        QCOMPARE(focusDuringMessage, child<QWidget>(window_, "Com_cancl"));
        QCOMPARE(window_->focusWidget()->objectName(), focus);
        QCOMPARE(text(window_, "lblCubicInch"), QStringLiteral("349.848576"));
        QCOMPARE(text(window_, "crlb"), QStringLiteral("10.3116883116883"));
    }

    // The ratio is cleared before the beep and the message; the new displacement comes after.
    void missingHeadClearsTheRatioBeforeTheMessage() {
        typeWorkedExample(window_);
        calculate(window_);
        box(window_, "txtBore")->setText(QStringLiteral("5"));
        box(window_, "headtx")->clear();

        QString ratioDuringMessage;
        QString displacementDuringMessage;
        recorder_->onMessage = [&] {
            ratioDuringMessage = text(window_, "crlb");
            displacementDuringMessage = text(window_, "lblCubicInch");
        };
        calculate(window_);

        QCOMPARE(recorder_->events.size(), 2);
        QCOMPARE(recorder_->events[0].kind, Event::Kind::Beep);
        QCOMPARE(recorder_->events[1].kind, Event::Kind::Message);
        QCOMPARE(recorder_->events[1].title, kIncomplete);
        QCOMPARE(recorder_->events[1].text, kCompressionText);
        QCOMPARE(recorder_->events[1].icon, Feedback::Icon::Information);
        QCOMPARE(ratioDuringMessage, QString());
        QCOMPARE(displacementDuringMessage, QStringLiteral("349.848576"));
        QCOMPARE(text(window_, "lblCubicInch"), QStringLiteral("546.6384"));
        QCOMPARE(text(window_, "crlb"), QString());
    }

    // A failure names the box, moves the focus there and leaves both results alone.
    void calculateFailureNamesTheBox() {
        typeWorkedExample(window_);
        calculate(window_);
        box(window_, "txtBore")->setText(QStringLiteral("5"));
        box(window_, "txtCylinders")->setText(QStringLiteral("8x"));
        calculate(window_);

        QCOMPARE(recorder_->events.size(), 1);
        QCOMPARE(recorder_->events[0].kind, Event::Kind::Message);
        QCOMPARE(recorder_->events[0].title, QStringLiteral("Motoreckon"));
        QCOMPARE(recorder_->events[0].text,
                 QStringLiteral("Cylinders: \"\u20688x\u2069\" is not a number."));
        QCOMPARE(recorder_->events[0].icon, Feedback::Icon::Warning);
        QCOMPARE(window_->focusWidget(), box(window_, "txtCylinders"));
        QCOMPARE(text(window_, "lblCubicInch"), QStringLiteral("349.848576"));
        QCOMPARE(text(window_, "crlb"), QStringLiteral("10.3116883116883"));
    }

    // A refresh that fails clears both results: what it had written would stand in cubic inches
    // and unrounded under the unit and rounding chosen.
    void refreshFailureClearsBothResults_data() {
        QTest::addColumn<QString>("bore");
        QTest::addColumn<QString>("cylinders");
        QTest::addColumn<QString>("message");
        QTest::newRow("cylinders not a number") << "4"
                                                << "8x"
                                                << "Cylinders: \"\u20688x\u2069\" is not a number.";
        QTest::newRow("no cylinders")
            << ""
            << "0"
            << "Cylinders: \"\u20680\u2069\" would make the calculation divide by zero.";
    }

    void refreshFailureClearsBothResults() {
        QFETCH(QString, bore);
        QFETCH(QString, cylinders);
        QFETCH(QString, message);
        typeWorkedExample(window_);
        child<QCheckBox>(window_, "roundtx")->setChecked(true);
        calculate(window_);
        QCOMPARE(text(window_, "lblCubicInch"), QStringLiteral("349.85"));
        box(window_, "txtBore")->setText(bore);
        box(window_, "txtCylinders")->setText(cylinders);

        QString displacementDuringMessage;
        QString ratioDuringMessage;
        recorder_->onMessage = [&] {
            displacementDuringMessage = text(window_, "lblCubicInch");
            ratioDuringMessage = text(window_, "crlb");
        };
        action(window_, "MnuLiters")->trigger();

        QCOMPARE(recorder_->messages().size(), 1);
        QCOMPARE(recorder_->beeps(), 0);
        QCOMPARE(recorder_->events[0].text, message);
        QCOMPARE(displacementDuringMessage, QString());
        QCOMPARE(ratioDuringMessage, QString());
        QCOMPARE(window_->focusWidget(), box(window_, "txtCylinders"));
        QCOMPARE(text(window_, "ci"), QStringLiteral("Liters:"));

        // Nothing is shown, so the rounding has nothing to show again.
        box(window_, "txtCylinders")->setText(QStringLiteral("8"));
        child<QCheckBox>(window_, "roundtx")->setChecked(false);
        QCOMPARE(text(window_, "lblCubicInch"), QString());
        QCOMPARE(recorder_->messages().size(), 1);
    }

    // In a German or French region the boxes still read the full stop as their decimal point; a
    // decimal comma, or a digit group, is refused with the box named, never read as the number
    // before it.
    void regionalSeparatorsAreRefused_data() {
        QTest::addColumn<QLocale>("region");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("stroke");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("displacement");
        QTest::addColumn<QString>("ratio");
        const QLocale german(QLocale::German, QLocale::Germany);
        const QString comma = QStringLiteral(
            "Stroke: \"\u20683,48\u2069\" \u2014 write the decimal point as a "
            "full stop: 3.48");
        QTest::newRow("calculate") << german << "Com_calc"
                                   << "3,48" << comma << "349,848576"
                                   << "10,3116883116883";
        QTest::newRow("refresh") << german << "MnuLiters"
                                 << "3,48" << comma << ""
                                 << "";
        QTest::newRow("French digit group")
            << QLocale(QLocale::French, QLocale::France) << "Com_calc"
            << "3\u202f480"
            << "Stroke: \"\u20683\u202f480\u2069\" \u2014 write the number without "
               "digit-group separators: 3480"
            << "349,848576"
            << "10,3116883116883";
    }

    void regionalSeparatorsAreRefused() {
        QFETCH(QLocale, region);
        QFETCH(QString, command);
        QFETCH(QString, stroke);
        QFETCH(QString, message);
        QFETCH(QString, displacement);
        QFETCH(QString, ratio);
        const QLocale previous;
        QLocale::setDefault(region);
        typeWorkedExample(window_);
        calculate(window_);
        QCOMPARE(text(window_, "lblCubicInch"), QStringLiteral("349,848576"));

        box(window_, "txtStroke")->setText(stroke);
        if (auto* button = window_->findChild<QPushButton*>(command)) {
            button->click();
        } else {
            action(window_, command.toLatin1().constData())->trigger();
        }
        QLocale::setDefault(previous);

        QCOMPARE(recorder_->messages().size(), 1);
        QCOMPARE(recorder_->events[0].text, message);
        QCOMPARE(window_->focusWidget(), box(window_, "txtStroke"));
        QCOMPARE(text(window_, "lblCubicInch"), displacement);
        QCOMPARE(text(window_, "crlb"), ratio);
    }

    void unitChoiceMovesTheCaption() {
        QLabel* caption = label(window_, "ci");
        QAction* cubicInches = action(window_, "MnuCubin");
        QAction* liters = action(window_, "MnuLiters");

        // Before any result only the marks and the caption change.
        for (int twice = 0; twice < 2; ++twice) {
            liters->trigger();
            QVERIFY(liters->isChecked());
            QVERIFY(!cubicInches->isChecked());
            QCOMPARE(caption->text(), QStringLiteral("Liters:"));
            QCOMPARE(caption->x(), twipsToPixels(2180));
        }
        QVERIFY(text(window_, "lblCubicInch").isEmpty());
        QVERIFY(text(window_, "crlb").isEmpty());

        for (int twice = 0; twice < 2; ++twice) {
            cubicInches->trigger();
            QVERIFY(cubicInches->isChecked());
            QVERIFY(!liters->isChecked());
            QCOMPARE(caption->text(), QStringLiteral("Cubic Inches:"));
            QCOMPARE(caption->x(), twipsToPixels(1320));
        }
        QCOMPARE(caption->y(), twipsToPixels(4200));
        QVERIFY(recorder_->events.isEmpty());
    }

    // Once a displacement is shown, unit and rounding changes show the fields as they stand
    // now, without Calculate and without checking them.
    void unitAndRoundingRefreshTheResults() {
        typeWorkedExample(window_);
        calculate(window_);
        action(window_, "MnuLiters")->trigger();
        QCOMPARE(text(window_, "lblCubicInch"), QStringLiteral("5.732968614912"));
        QCOMPARE(text(window_, "crlb"), QStringLiteral("10.3116883116883"));

        auto* round = child<QCheckBox>(window_, "roundtx");
        round->click();
        QCOMPARE(text(window_, "lblCubicInch"), QStringLiteral("5.73"));
        QCOMPARE(text(window_, "crlb"), QStringLiteral("10.31"));
        round->click();
        QCOMPARE(text(window_, "lblCubicInch"), QStringLiteral("5.732968614912"));
        QCOMPARE(text(window_, "crlb"), QStringLiteral("10.3116883116883"));

        box(window_, "txtBore")->setText(QStringLiteral("5"));
        action(window_, "MnuCubin")->trigger();
        QCOMPARE(text(window_, "lblCubicInch"), QStringLiteral("546.6384"));
        QCOMPARE(text(window_, "crlb"), QStringLiteral("15.5454545454545"));
        QLabel* result = label(window_, "lblCubicInch");
        QCOMPARE(result->width(), result->sizeHint().width());

        // A refresh never complains: missing data only blanks what cannot be shown.
        box(window_, "txtBore")->clear();
        box(window_, "headtx")->clear();
        action(window_, "MnuLiters")->trigger();
        QCOMPARE(text(window_, "lblCubicInch"), QString());
        QCOMPARE(text(window_, "crlb"), QString());
        QVERIFY(recorder_->events.isEmpty());

        // With nothing shown, no change recomputes anything.
        typeWorkedExample(window_);
        round->click();
        QCOMPARE(text(window_, "lblCubicInch"), QString());
        QCOMPARE(text(window_, "crlb"), QString());
    }

    void compressionCheckGreysAndDisablesTheVolumes() {
        typeWorkedExample(window_);
        calculate(window_);
        QAction* check = action(window_, "compratiomnu");
        const QList<QPair<const char*, const char*>> volumes = {
            {"head", "headtx"}, {"gaskvol", "gaskettx"}, {"deck", "decktx"}};

        check->trigger();
        QVERIFY(!check->isChecked());
        for (const auto& [caption, entry] : volumes) {
            QCOMPARE(label(window_, caption)->palette().color(QPalette::WindowText),
                     QColor(128, 128, 128));
            QVERIFY(!box(window_, entry)->isEnabled());
            QVERIFY(!box(window_, entry)->text().isEmpty());
        }
        QCOMPARE(text(window_, "crlb"), QStringLiteral("10.3116883116883"));
        QCOMPARE(text(window_, "lblCubicInch"), QStringLiteral("349.848576"));

        // Calculate now leaves the ratio shown, even with the head volume gone.
        box(window_, "headtx")->clear();
        box(window_, "txtBore")->setText(QStringLiteral("5"));
        calculate(window_);
        QVERIFY(recorder_->events.isEmpty());
        QCOMPARE(text(window_, "lblCubicInch"), QStringLiteral("546.6384"));
        QCOMPARE(text(window_, "crlb"), QStringLiteral("10.3116883116883"));

        check->trigger();
        QVERIFY(check->isChecked());
        const QColor systemText = QApplication::palette().color(QPalette::Text);
        for (const auto& [caption, entry] : volumes) {
            QCOMPARE(label(window_, caption)->palette().color(QPalette::WindowText), systemText);
            QVERIFY(box(window_, entry)->isEnabled());
        }
    }

    // On a dark desktop every text reads on the ground it is drawn on, measured on the drawn
    // pixels: 4.5 : 1, the captions of volumes not in use 3 : 1, and the box of the check box
    // stands out 3 : 1, as the window opens and after the compression check goes off and on
    // again. Each caption sits on the window's own ground.
    void readableOnADarkDesktop() {
        const QPalette light = QApplication::palette();
        QPalette dark(QColor(0xee, 0xee, 0xec), QColor(0x35, 0x35, 0x35));
        dark.setColor(QPalette::Base, QColor(0x2d, 0x2d, 0x2d));
        dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xec));
        QApplication::setPalette(dark);
        QCoreApplication::sendPostedEvents();
        typeWorkedExample(window_);
        calculate(window_);
        auto* round = child<QCheckBox>(window_, "roundtx");
        for (int change = 0; change < 3; ++change) {
            for (QLabel* caption : window_->findChildren<QLabel*>()) {
                if (caption->text().isEmpty()) continue;
                const bool notInUse = caption->buddy() && !caption->buddy()->isEnabled();
                const QImage drawn = caption->grab().toImage();
                QCOMPARE(drawn.pixelColor(0, 0), dark.color(QPalette::Window));
                QVERIFY2(drawnContrast(drawn, drawn.rect()) >= (notInUse ? 3.0 : 4.5),
                         qPrintable(caption->objectName()));
            }
            QStyleOptionButton option;
            option.initFrom(round);
            const QRect text =
                round->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, round);
            QVERIFY(drawnContrast(round->grab().toImage(), text) >= 4.5);
            const QRect box =
                round->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, round);
            QVERIFY(drawnContrast(round->grab().toImage(), box) >= 3.0);
            action(window_, "compratiomnu")->trigger();
        }
        QApplication::setPalette(light);
    }

    void saveSettingsTogglesOnlyItsOwnMark() {
        QAction* save = action(window_, "MnuSaveset");
        save->trigger();
        QVERIFY(save->isChecked());
        QVERIFY(action(window_, "MnuCubin")->isChecked());
        QVERIFY(!action(window_, "MnuLiters")->isChecked());
        QVERIFY(action(window_, "compratiomnu")->isChecked());
        QVERIFY(!child<QCheckBox>(window_, "roundtx")->isChecked());
        save->trigger();
        QVERIFY(!save->isChecked());
    }

    void cancelDoesNothing() {
        typeWorkedExample(window_);
        calculate(window_);
        child<QPushButton>(window_, "Com_cancl")->click();
        QVERIFY(window_->isVisible());
        QCOMPARE(text(window_, "lblCubicInch"), QStringLiteral("349.848576"));
        QCOMPARE(text(window_, "crlb"), QStringLiteral("10.3116883116883"));
        QCOMPARE(box(window_, "txtBore")->text(), QStringLiteral("4"));
        QVERIFY(recorder_->events.isEmpty());
    }

    // The Exit button hides the window; the frame's command shows that same window again,
    // as it was. File Exit and the close box destroy it; the next opening starts afresh.
    void exitHidesWhileClosingDestroys_data() {
        QTest::addColumn<bool>("byMenu");
        QTest::newRow("File Exit") << true;
        QTest::newRow("close box") << false;
    }

    void exitHidesWhileClosingDestroys() {
        QFETCH(bool, byMenu);
        MDIForm1 frame;
        frame.show();
        QAction* open = action(&frame, "mnuSizeCompression");
        open->trigger();
        QPointer<discom> first = openedByFrame(window_);
        QVERIFY(first);
        QVERIFY(first->isVisible());

        typeWorkedExample(first);
        calculate(first);
        action(first, "MnuLiters")->trigger();
        action(first, "compratiomnu")->trigger();
        child<QPushButton>(first, "Com_end")->click();
        QVERIFY(!first->isVisible());
        deleteClosedWindows();
        QVERIFY(first);

        open->trigger();
        QCOMPARE(openedByFrame(window_), first.data());
        QVERIFY(first->isVisible());
        QCOMPARE(box(first, "txtBore")->text(), QStringLiteral("4"));
        QCOMPARE(text(first, "lblCubicInch"), QStringLiteral("5.732968614912"));
        QCOMPARE(text(first, "ci"), QStringLiteral("Liters:"));
        QVERIFY(!action(first, "compratiomnu")->isChecked());

        if (byMenu) {
            action(first, "MnuExit")->trigger();
        } else {
            first->close();
        }
        deleteClosedWindows();
        QVERIFY(first.isNull());

        open->trigger();
        QPointer<discom> second = openedByFrame(window_);
        QVERIFY(second);
        QVERIFY(second->isVisible());
        QVERIFY(box(second, "txtBore")->text().isEmpty());
        QVERIFY(text(second, "lblCubicInch").isEmpty());
        QCOMPARE(text(second, "ci"), QStringLiteral("Cubic Inches:"));
        QVERIFY(action(second, "MnuCubin")->isChecked());
        QVERIFY(action(second, "compratiomnu")->isChecked());
        QVERIFY(box(second, "headtx")->isEnabled());
        QVERIFY(!child<QCheckBox>(second, "roundtx")->isChecked());
    }

    // The window is no child of the frame: closing the frame leaves it open, and the frame
    // takes a window left over, hidden or shown, with it when it goes.
    void frameClosingLeavesTheWindowOpen() {
        QPointer<discom> opened;
        {
            MDIForm1 frame;
            frame.show();
            action(&frame, "mnuSizeCompression")->trigger();
            opened = openedByFrame(window_);
            QVERIFY(opened);
            frame.close();
            QVERIFY(opened->isVisible());
            child<QPushButton>(opened, "Com_end")->click();
        }
        QVERIFY(opened.isNull());
    }

  private:
    std::unique_ptr<Recorder> recorder_;
    QPointer<discom> window_;
};

QTEST_MAIN(TestDiscom)
#include "tst_discom.moc"
