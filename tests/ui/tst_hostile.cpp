// What the user types is only ever text: a message quoting it shows it as typed, a window that
// goes away under its message takes the message with it, and no result is shown cut off.

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTextLayout>
#include <QTimer>
#include <QToolTip>
#include <QtTest>
#include <cmath>
#include <functional>
#include <memory>

#include "core/number_parse.h"
#include "forms/regional.h"
#include "forms/results.h"
#include "ui/frame_fixture.h"

using namespace motoreckon;

namespace {

// Runs `whileOpen` once the next real message box is open; then the user closes that box and
// every box that follows it, as long as the returned timer lives.
std::unique_ptr<QTimer> duringNextMessageBox(const std::function<void(QMessageBox*)>& whileOpen) {
    auto closer = std::make_unique<QTimer>();
    closer->setInterval(10);
    QObject::connect(closer.get(), &QTimer::timeout, [whileOpen, first = true]() mutable {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        if (first) {
            first = false;
            whileOpen(box);
            return;
        }
        box->button(QMessageBox::Ok)->click();
    });
    closer->start();
    return closer;
}

// Whether the characters from `first` to `last` of `text`, laid out as a label of `font`
// shows it, run from left to right.
bool runsLeftToRight(const QString& text, const QFont& font, int first, int last) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    for (int i = first; i < last; ++i) {
        if (!(line.cursorToX(i) < line.cursorToX(i + 1))) return false;
    }
    return true;
}

}  // namespace

class TestHostile : public QObject, test::FrameFixture {
    Q_OBJECT

  private slots:
    void init() { startFrame(); }
    void cleanup() { stopFrame(); }

    // A calculation that fails shows one warning that names the box to blame and quotes it,
    // leaves the answer shown before as it was, while the warning is open too, and puts the focus
    // in that box.
    void failureLeavesTheAnswerAndFocusesTheBox() {
        const QHash<QString, QStringList> worked = {
            {"mnuRPM",
             {"txtMPH", "60", "txtAxle", "3.73", "txtTransmission", "1", "txtTireDiameter", "26"}},
            {"mnuMPH",
             {"txtRPM", "3000", "txtAxle", "3.73", "txtTransmission", "1", "txtTireDiameter",
              "26"}},
            {"mnuHpMPH", {"txtWeight", "3200", "txtMPH", "100"}},
        };
        const QString tiny = QStringLiteral("1e-200");
        const struct {
            const char* command;
            QStringList entries;
            QString message;
            const char* focused;
        } cases[] = {
            {"mnuRPM",
             {"txtTireDiameter", "26in"},
             "Tire Diameter: \"\u206826in\u2069\" is not a number.",
             "txtTireDiameter"},
            {"mnuMPH",
             {"txtTireDiameter", ""},
             "Tire Diameter: Nothing was entered. Enter a number.",
             "txtTireDiameter"},
            {"mnuRPM",
             {"txtAxle", "3.73:1"},
             "Axle Ratio: \"\u20683.73:1\u2069\" is not a number.",
             "txtAxle"},
            {"mnuMPH", {"txtRPM", "fast"}, "RPM: \"\u2068fast\u2069\" is not a number.", "txtRPM"},
            {"mnuRPM", {"txtMPH", "fast"}, "MPH: \"\u2068fast\u2069\" is not a number.", "txtMPH"},
            {"mnuRPM",
             {"txtTireDiameter", "0"},
             "Tire Diameter: \"\u20680\u2069\" would make the calculation divide by zero.",
             "txtTireDiameter"},
            {"mnuMPH",
             {"txtTransmission", "0"},
             "Transmission Ratio: \"\u20680\u2069\" would make the calculation divide by zero.",
             "txtTransmission"},
            {"mnuRPM",
             {"txtMPH", "0", "txtTireDiameter", "0"},
             "Tire Diameter: \"\u20680\u2069\" would make the calculation divide 0 by 0, which "
             "cannot be calculated.",
             "txtTireDiameter"},
            // An overdrive typed with a decimal comma is never read as 700.
            {"mnuRPM",
             {"txtTransmission", "0,700"},
             "Transmission Ratio: \"\u20680,700\u2069\" is not a number in your region's format "
             "\u2014 write it as 0.700",
             "txtTransmission"},
            {"mnuMPH",
             {"txtRPM", tiny, "txtAxle", tiny, "txtTransmission", tiny, "txtTireDiameter", tiny},
             "Axle Ratio: \"\u20681e-200\u2069\" is too close to zero for this calculation.",
             "txtAxle"},
            {"mnuRPM",
             {"txtMPH", "-1e308"},
             "MPH: \"\u2068-1e308\u2069\" is too far below zero for this calculation.",
             "txtMPH"},
            {"mnuHpMPH",
             {"txtWeight", "1e400"},
             "Weight: \"\u20681e400\u2069\" is too large for this calculation.",
             "txtWeight"},
            // The MPH label's access key leads to the weight box, so the speed box is named by
            // the name it gives screen readers.
            {"mnuHpMPH",
             {"txtMPH", "1e200"},
             "MPH: \"\u20681e200\u2069\" is too large for this calculation.",
             "txtMPH"},
            // Of two boxes whose product is beyond range, the larger factor is to blame.
            {"mnuHpMPH",
             {"txtWeight", "1e100", "txtMPH", "1e100"},
             "MPH: \"\u20681e100\u2069\" is too large for this calculation.",
             "txtMPH"},
            {"mnuHpMPH",
             {"txtWeight", "-1e307", "txtMPH", "1000"},
             "Weight: \"\u2068-1e307\u2069\" is too far below zero for this calculation.",
             "txtWeight"},
            {"mnuHpMPH",
             {"txtMPH", "-1e309"},
             "MPH: \"\u2068-1e309\u2069\" is too far below zero for this calculation.",
             "txtMPH"},
            // Read up to the separator, the weight would be 3 pounds, or 0.
            {"mnuHpMPH",
             {"txtWeight", "3,200"},
             "Weight: \"\u20683,200\u2069\" \u2014 write the number without digit-group "
             "separators: 3200",
             "txtWeight"},
            {"mnuHpMPH",
             {"txtWeight", "0,500"},
             "Weight: \"\u20680,500\u2069\" \u2014 write the decimal point as a full stop: 0.500",
             "txtWeight"},
        };
        const auto type = [](QWidget* form, const QStringList& entries) {
            for (qsizetype i = 0; i + 1 < entries.size(); i += 2) {
                box(form, qPrintable(entries[i]))->setText(entries[i + 1]);
            }
        };
        for (const auto& c : cases) {
            const QString row = c.command + (": " + c.entries.join(' '));
            QWidget* form = open(c.command);
            type(form, worked[c.command]);
            CalculatorForm* calculator = calculatorForm(form);
            calculator->calculateButton()->click();
            ResultLabel* answer = calculator->results().front();
            const QString before = answer->text();
            QVERIFY2(!before.isEmpty(), qPrintable(row));
            recorder->events.clear();
            type(form, c.entries);
            calculator->calculateButton()->setFocus();
            QString answerWhileShown;
            recorder->onMessage = [&] { answerWhileShown = answer->text(); };
            calculator->calculateButton()->click();
            recorder->onMessage = nullptr;

            QCOMPARE(recorder->messages().size(), 1);
            const test::Recorder::Event shown = recorder->messages().first();
            QCOMPARE(shown.title, QStringLiteral("Motoreckon"));
            QVERIFY2(shown.text == c.message, qPrintable(row + " gave " + shown.text));
            QCOMPARE(shown.icon, Feedback::Icon::Warning);
            QCOMPARE(answerWhileShown, before);
            QCOMPARE(answer->text(), before);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(c.focused));
        }
    }

    void typedTextIsShownAsTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("picture of a device") << "<img src=/dev/zero>";
        QTest::newRow("huge picture") << "<img src=x width=3000 height=3000>";
        QTest::newRow("heading") << "<h1>9</h1>";
        QTest::newRow("entity") << "&lt;b&gt;";
        QTest::newRow("right-to-left override") << "\u202e73.3";
    }

    // The real message box shows a quoted box as plain text, at a sensible size, and what was
    // typed turns the writing direction of nothing after it.
    void typedTextIsShownAsTyped() {
        QFETCH(QString, typed);
        recorder.reset();
        QWidget* form = open("mnuRPM");
        fill(form, {"txtMPH", "60", "txtTransmission", "1", "txtTireDiameter", "26"});
        box(form, "txtAxle")->setText(typed);
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        int height = 0;
        bool leftToRight = false;
        const auto closer = duringNextMessageBox([&](QMessageBox* message) {
            shown = message->text();
            format = message->textFormat();
            height = message->height();
            const auto* label = message->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            const int after = static_cast<int>(shown.indexOf(QStringLiteral(" is not")));
            leftToRight = label && runsLeftToRight(shown, label->font(), after, after + 8);
        });
        control<QPushButton>(form, "cmdCalculate")->click();

        QCOMPARE(shown, "Axle Ratio: \"\u2068" + typed + "\u2069\" is not a number.");
        QCOMPARE(format, Qt::PlainText);
        QVERIFY(height < frame->screen()->geometry().height() / 2);
        QVERIFY(leftToRight);
        QCOMPARE(form->focusWidget(), box(form, "txtAxle"));
    }

    void windowGoesAwayUnderItsMessage_data() {
        // The calculator, what its RPM box holds, and what is closed while its message is open.
        QTest::addColumn<QStringList>("trial");
        QTest::newRow("carburetor Close") << QStringList{"mnuCarbSize", "99999", "Command2"};
        QTest::newRow("carburetor, frame closed") << QStringList{"mnuCarbSize", "99999", "frame"};
        QTest::newRow("displacement File Exit") << QStringList{"mnuSizeCompression", "", "MnuExit"};
        QTest::newRow("displacement close box") << QStringList{"mnuSizeCompression", "", "window"};
    }

    // A screen reader, or a window manager that ignores modality, can close a window while its
    // message box is open: the box goes with the window, and the program goes on.
    void windowGoesAwayUnderItsMessage() {
        QFETCH(QStringList, trial);
        const QString &command = trial[0], &rpm = trial[1], &meanwhile = trial[2];
        recorder.reset();
        QPointer<QWidget> form = open(command.toLatin1().constData());
        if (!rpm.isEmpty()) box(form, "txtRPM")->setText(rpm);
        QPointer<QWidget> window = form->isWindow() ? form.data() : form->parentWidget();
        const auto closer = duringNextMessageBox([&](QMessageBox*) {
            if (meanwhile == QLatin1String("frame")) {
                frame->close();
            } else if (meanwhile == QLatin1String("window")) {
                window->close();
            } else if (auto* button = form->findChild<QPushButton*>(meanwhile)) {
                button->click();
            } else {
                control<QAction>(form, meanwhile.toLatin1().constData())->trigger();
            }
        });
        calculatorForm(form)->calculateButton()->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QVERIFY(!form);
        QVERIFY(!window);
        QVERIFY(!QApplication::activeModalWidget());
        // The program goes on: the frame still opens a calculator that computes.
        frame->show();
        QWidget* again = open("mnuCarbSize");
        fill(again, {"txtRPM", "6000", "txtCubicInches", "350", "txtEfficency", "85"});
        control<QPushButton>(again, "cmdCalculateCFM")->click();
        QCOMPARE(control<QLabel>(again, "lblCFM")->text(), QStringLiteral("516"));
    }

    void commandsWaitForTheMessage_data() {
        // Commands of the window, or of the frame (mnu...), given in turn; the unit caption and
        // the displacement shown afterwards.
        QTest::addColumn<QStringList>("trial");
        QTest::newRow("liters") << QStringList{"MnuLiters", "Liters:", "5.732968614912"};
        QTest::newRow("rounding") << QStringList{"roundtx", "Cubic Inches:", "349.85"};
        QTest::newRow("calculate again") << QStringList{"Com_calc", "Cubic Inches:", "349.848576"};
        QTest::newRow("exit, then opened again")
            << QStringList{"Com_end mnuSizeCompression", "Cubic Inches:", "349.848576"};
    }

    // A command given to the displacement window while its Calculate waits on a message runs
    // once the Calculate has ended, in the order given, so the unit caption and the number under
    // it agree; meanwhile the unit marks still say what the window shows.
    void commandsWaitForTheMessage() {
        QFETCH(QStringList, trial);
        const QString &meanwhile = trial[0], &caption = trial[1], &displacement = trial[2];
        recorder.reset();
        QWidget* form = open("mnuSizeCompression");
        fill(form, {"txtBore", "4", "txtStroke", "3.48", "txtCylinders", "8", "gaskettx", "8"});
        bool oneUnitMarked = false;
        const auto closer = duringNextMessageBox([&](QMessageBox*) {
            for (const QString& command : meanwhile.split(QLatin1Char(' '))) {
                const QByteArray name = command.toLatin1();
                if (command.startsWith(QLatin1String("mnu"))) {
                    menuEntry(name.constData())->trigger();
                } else if (auto* button = form->findChild<QAbstractButton*>(command)) {
                    button->click();
                } else {
                    control<QAction>(form, name.constData())->trigger();
                }
            }
            oneUnitMarked = control<QAction>(form, "MnuCubin")->isChecked() !=
                            control<QAction>(form, "MnuLiters")->isChecked();
        });
        control<QPushButton>(form, "Com_calc")->click();

        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(oneUnitMarked);
        QVERIFY(form->isVisible());
        QVERIFY(control<QAction>(form, "MnuLiters")->isChecked() ==
                (caption == QLatin1String("Liters:")));
        QCOMPARE(control<QLabel>(form, "ci")->text(), caption);
        QCOMPARE(control<QLabel>(form, "lblCubicInch")->text(), displacement);
        QCOMPARE(control<QLabel>(form, "crlb")->text(), QString());
    }

    void resultTooLongForItsWindow_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("result");
        QTest::newRow("horsepower")
            << "mnuHpMPH" << QStringList{"txtWeight", "1D308", "txtMPH", "100"} << "lblHP";
        QTest::newRow("engine speed")
            << "mnuRPM" << QStringList{"txtMPH",          "3.5e38", "txtAxle",         "3.73",
                                       "txtTransmission", "1",      "txtTireDiameter", "26"}
            << "lblAnswer";
        QTest::newRow("displacement")
            << "mnuSizeCompression"
            << QStringList{"txtBore", "1e99", "txtStroke", "1", "txtCylinders", "1"}
            << "lblCubicInch";
    }

    // A result too long for its window is not cut off into another number: it shows in
    // exponent form, the same number to the digits that fit; the whole of it is the tooltip, in
    // lines that fit the screen, and what a screen reader reads.
    void resultTooLongForItsWindow() {
        QFETCH(QString, command);
        QFETCH(QStringList, entries);
        QFETCH(QString, result);
        QWidget* form = open(command.toLatin1().constData());
        for (qsizetype i = 0; i + 1 < entries.size(); i += 2) {
            box(form, entries[i].toLatin1().constData())->setText(entries[i + 1]);
        }
        // The compression ratio of such an engine is beyond any whole number of cc.
        if (auto* compression = form->findChild<QAction*>(QStringLiteral("compratiomnu"))) {
            compression->trigger();
        }
        calculatorForm(form)->calculateButton()->click();
        auto* label = control<ResultLabel>(form, result.toLatin1().constData());
        const QString whole = label->result();
        QVERIFY(whole.size() > 40);
        QCOMPARE(label->toolTip().remove(QLatin1Char('\n')), whole);
        const QFontMetrics tipMetrics(QToolTip::font());
        for (const QString& line : label->toolTip().split(QLatin1Char('\n'))) {
            QVERIFY(tipMetrics.horizontalAdvance(line) < label->screen()->geometry().width());
        }
        QCOMPARE(label->accessibleName(), whole);
        QVERIFY(label->text().contains(QStringLiteral("E+")));
        QVERIFY(label->geometry().right() < label->parentWidget()->width());
        const RegionalFormat format = regionalFormat();
        const double shownValue = ParseNumberStrict(label->text().toStdString(), format);
        const double wholeValue = ParseNumberStrict(whole.toStdString(), format);
        QVERIFY(std::fabs(shownValue - wholeValue) <= std::fabs(wholeValue) * 1e-4);
        // Copied, it is the whole number, from whichever control has the focus.
        label->setSelection(0, 3);
        QVERIFY(form->focusWidget());
        QTest::keyClick(form->focusWidget(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), whole);
    }
};

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"
