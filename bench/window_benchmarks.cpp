#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <array>
#include <functional>

#include "app/mdiform1.h"
#include "forms/placement.h"
#include "suites.h"
#include "ui/recorder.h"
#include "windows/frmcarbsize.h"
#include "windows/frmhp_mph.h"
#include "windows/frmrpmmph.h"

namespace motoreckon::bench {

namespace {

constexpr double kOpenLimitSeconds = 2e-3;
constexpr double kCalculateLimitSeconds = 50e-6;

// Lets the event loop do what is pending: layout, painting, talking to the window system.
void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// Waits until the window system shows `window` on the screen and it has been painted. A window
// inside the frame is shown as soon as the frame repaints.
bool settleShown(QWidget* window) {
    settle();
    QWindow* handle = window->windowHandle();
    if (!handle) return window->isVisible();
    if (handle->isExposed()) return true;
    // A top-level window waits for the window system; the timer bounds each wait.
    QTimer wakeUp;
    wakeUp.start(10);
    const QDeadlineTimer deadline(5000);
    while (!handle->isExposed()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    settle();
    return true;
}

// Closes the window that shows `form`, lets go of it and repaints what it covered; false if
// it is still there after.
bool closeAndDelete(QWidget* form) {
    QPointer<QWidget> window = formWindow(form);
    window->close();
    settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    settle();
    return window.isNull();
}

// How a benchmark finds the calculator a menu command opened.
using FindForm = std::function<QWidget*(MDIForm1&)>;

template <class Form>
FindForm child() {
    return [](MDIForm1& frame) -> QWidget* { return frame.findChild<Form*>(); };
}

FindForm topLevel(const char* name) {
    return [name](MDIForm1&) -> QWidget* {
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget* window : windows) {
            if (window->objectName() == QLatin1String(name)) return window;
        }
        return nullptr;
    };
}

struct Calculator {
    const char* form;     // the window class, for the benchmark names
    const char* command;  // the frame's menu entry that opens it
    FindForm find;
    const char* button;  // its Calculate button
    const char* result;  // the label the button writes
    // Entry boxes with the text typed in them. Two texts: even presses use the first, odd
    // ones the second, so that every press writes a new result.
    std::vector<std::array<const char*, 3>> entries;
};

const std::vector<Calculator>& calculators() {
    static const std::vector<Calculator> list = {
        {"frmCarbSize",
         "mnuCarbSize",
         child<frmCarbSize>(),
         "cmdCalculateCFM",
         "lblCFM",
         {{"txtRPM", "6000", "6500"},
          {"txtCubicInches", "350", "350"},
          {"txtEfficency", "85", "85"}}},
        {"discom",
         "mnuSizeCompression",
         topLevel("discom"),
         "Com_calc",
         "lblCubicInch",
         {{"txtBore", "4.00", "4.03"},
          {"txtStroke", "3.48", "3.48"},
          {"txtCylinders", "8", "8"},
          {"headtx", "64", "64"},
          {"gaskettx", "9", "9"},
          {"decktx", "5", "5"}}},
        {"frmRPMMPH (MPH)",
         "mnuMPH",
         child<frmRPMMPH>(),
         "cmdCalculate",
         "lblAnswer",
         {{"txtRPM", "3000", "3500"},
          {"txtAxle", "3.73", "3.73"},
          {"txtTransmission", "1", "1"},
          {"txtTireDiameter", "26", "26"}}},
        {"frmRPMMPH (RPM)",
         "mnuRPM",
         child<frmRPMMPH>(),
         "cmdCalculate",
         "lblAnswer",
         {{"txtMPH", "60", "65"},
          {"txtAxle", "3.73", "3.73"},
          {"txtTransmission", "1", "1"},
          {"txtTireDiameter", "26", "26"}}},
        {"frmHP_MPH",
         "mnuHpMPH",
         child<frmHP_MPH>(),
         "cmdCalculate",
         "lblHP",
         {{"txtWeight", "3200", "3200"}, {"txtMPH", "105", "110"}}},
    };
    return list;
}

// The time from choosing the menu command to the window shown and painted. Closing it is not
// timed; it is closed each time, so that every command creates the window afresh.
void openFromMenu(benchmark::State& state, MDIForm1& frame, const Calculator& calculator) {
    test::Recorder recorder;
    QAction* command = frame.findChild<QAction*>(QLatin1String(calculator.command));
    if (!command) return state.SkipWithError("the menu command is missing");
    for (auto _ : state) {
        command->trigger();
        QWidget* form = calculator.find(frame);
        if (!form || !settleShown(formWindow(form))) {
            return state.SkipWithError("the command showed no window");
        }
        state.PauseTiming();
        if (!closeAndDelete(form)) return state.SkipWithError("closing kept the window");
        state.ResumeTiming();
    }
    if (!recorder.events.isEmpty()) state.SkipWithError("opening showed a message");
}

// The time the Calculate button's click takes, from reading the boxes to writing the result.
// Typing the entries and repainting the result label are not timed.
void pressCalculate(benchmark::State& state, MDIForm1& frame, const Calculator& calculator) {
    test::Recorder recorder;
    frame.findChild<QAction*>(QLatin1String(calculator.command))->trigger();
    QWidget* form = calculator.find(frame);
    if (!form || !settleShown(formWindow(form))) {
        return state.SkipWithError("the command showed no window");
    }
    auto* button = form->findChild<QPushButton*>(QLatin1String(calculator.button));
    auto* result = form->findChild<QLabel*>(QLatin1String(calculator.result));
    std::vector<std::pair<QLineEdit*, std::array<QString, 2>>> boxes;
    for (const auto& [name, even, odd] : calculator.entries) {
        auto* box = form->findChild<QLineEdit*>(QLatin1String(name));
        if (!box) return state.SkipWithError("an entry box is missing");
        boxes.push_back({box, {QString::fromLatin1(even), QString::fromLatin1(odd)}});
    }
    if (!button || !result) return state.SkipWithError("the button or the result is missing");

    std::size_t press = 0;
    QString previous;
    for (auto _ : state) {
        state.PauseTiming();
        for (auto& [box, texts] : boxes) box->setText(texts[press % 2]);
        ++press;
        settle();
        state.ResumeTiming();
        button->click();
        state.PauseTiming();
        if (result->text().isEmpty() || result->text() == previous) {
            return state.SkipWithError("Calculate wrote no new result");
        }
        previous = result->text();
        state.ResumeTiming();
    }
    if (!recorder.events.isEmpty()) {
        return state.SkipWithError(
            ("Calculate reported: " + recorder.events.first().text).toStdString().c_str());
    }
    if (!closeAndDelete(form)) state.SkipWithError("closing kept the window");
}

}  // namespace

std::vector<TimedTarget> registerWindowBenchmarks(MDIForm1& frame) {
    std::vector<TimedTarget> targets;
    for (const Calculator& calculator : calculators()) {
        const std::string name =
            std::string("open ") + calculator.form + " from " + calculator.command;
        measured(benchmark::RegisterBenchmark(name.c_str(), openFromMenu, std::ref(frame),
                                              std::cref(calculator)),
                 0.1);
        targets.push_back({name, kOpenLimitSeconds});
    }
    for (const Calculator& calculator : calculators()) {
        const std::string name =
            std::string("press ") + calculator.button + " in " + calculator.form;
        measured(benchmark::RegisterBenchmark(name.c_str(), pressCalculate, std::ref(frame),
                                              std::cref(calculator)),
                 0.1);
        targets.push_back({name, kCalculateLimitSeconds});
    }
    return targets;
}

}  // namespace motoreckon::bench
