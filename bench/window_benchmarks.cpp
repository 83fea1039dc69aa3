// Opening each calculator window and pressing its Calculate button, each beside its floor: what
// Qt itself takes for the same work without the program's logic. Program and floor are measured
// in turns, in one run, so that a busy moment of the machine weighs on both alike.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>

#include "app/calculators.h"
#include "app/mdiform1.h"
#include "forms/calculator_form.h"
#include "forms/placement.h"
#include "forms/results.h"
#include "suites.h"
#include "ui/recorder.h"

namespace motoreckon::bench {

namespace {

constexpr double kOpenRatioLimit = 1.3;
constexpr double kCalculateRatioLimit = 1.5;
constexpr int kOpenRounds = 60;
constexpr int kCalculateRounds = 40;
constexpr int kPressesPerRound = 25;

// What a user types into a box, by the box's name, on even and on odd presses: plausible
// figures, so that every press writes a new result. A box not named here gets 1.
struct Typed {
    const char* box;
    const char* even;
    const char* odd;
};
constexpr Typed kTyped[] = {
    {"txtRPM", "3000", "3500"},    {"txtCubicInches", "350", "350"},
    {"txtEfficency", "85", "85"},  {"txtBore", "4.00", "4.03"},
    {"txtStroke", "3.48", "3.48"}, {"txtCylinders", "8", "8"},
    {"headtx", "64", "64"},        {"gaskettx", "9", "9"},
    {"decktx", "5", "5"},          {"txtMPH", "105", "110"},
    {"txtAxle", "3.73", "3.73"},   {"txtTireDiameter", "26", "26"},
    {"txtWeight", "3200", "3200"},
};

QString typedInto(const QLineEdit* box, std::size_t press) {
    for (const Typed& typed : kTyped) {
        if (box->objectName() == QLatin1String(typed.box)) {
            return QLatin1String(press % 2 ? typed.odd : typed.even);
        }
    }
    return QStringLiteral("1");
}

// Lets the event loop do what is pending: layout, painting, talking to the window system.
void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// Waits until the window system shows `window` and it has been painted. A window inside the
// frame is shown as soon as the frame repaints.
bool settleShown(QWidget* window) {
    settle();
    QWindow* handle = window->windowHandle();
    if (!handle) return window->isVisible();
    if (handle->isExposed()) return true;
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

// Closes `window`, lets go of it and repaints what it covered; false if it is still there.
bool closeAndDelete(QWidget* window) {
    QPointer<QWidget> closing = window;
    closing->close();
    settle();
    if (closing) closing->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    settle();
    return closing.isNull();
}

// A control of a window as the floor builds it again: its kind, place, text and look.
struct Blueprint {
    const QMetaObject* kind = nullptr;
    QRect geometry;
    QSize minimumSize;
    QSize maximumSize;
    QString title;
    QString text;
    bool hidden = false;
    std::optional<QFont> font;
    std::optional<QPalette> palette;
    bool autoFill = false;
    Qt::Alignment alignment;
    int maxLength = 0;
    std::vector<Blueprint> children;
};

Blueprint blueprintOf(const QWidget* widget) {
    Blueprint print;
    print.kind = widget->metaObject();
    print.geometry = widget->geometry();
    print.minimumSize = widget->minimumSize();
    print.maximumSize = widget->maximumSize();
    print.hidden = widget->isHidden();
    print.title = widget->windowTitle();
    if (widget->testAttribute(Qt::WA_SetFont)) print.font = widget->font();
    if (widget->testAttribute(Qt::WA_SetPalette)) print.palette = widget->palette();
    print.autoFill = widget->autoFillBackground();
    if (auto* label = qobject_cast<const QLabel*>(widget)) {
        print.text = label->text();
        print.alignment = label->alignment();
    } else if (auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        print.text = button->text();
    } else if (auto* box = qobject_cast<const QLineEdit*>(widget)) {
        print.text = box->text();
        print.maxLength = box->maxLength();
    } else if (auto* group = qobject_cast<const QGroupBox*>(widget)) {
        print.text = group->title();
    }
    for (const QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        print.children.push_back(blueprintOf(child));
    }
    return print;
}

// The controls of `print` made again as plain Qt widgets with no logic.
QWidget* build(const Blueprint& print, QWidget* parent) {
    QWidget* widget = nullptr;
    if (print.kind->inherits(&QLabel::staticMetaObject)) {
        auto* label = new QLabel(print.text, parent);
        label->setAlignment(print.alignment);
        widget = label;
    } else if (print.kind->inherits(&QCheckBox::staticMetaObject)) {
        widget = new QCheckBox(print.text, parent);
    } else if (print.kind->inherits(&QRadioButton::staticMetaObject)) {
        widget = new QRadioButton(print.text, parent);
    } else if (print.kind->inherits(&QPushButton::staticMetaObject)) {
        widget = new QPushButton(print.text, parent);
    } else if (print.kind->inherits(&QLineEdit::staticMetaObject)) {
        auto* box = new QLineEdit(print.text, parent);
        box->setMaxLength(print.maxLength);
        widget = box;
    } else if (print.kind->inherits(&QGroupBox::staticMetaObject)) {
        widget = new QGroupBox(print.text, parent);
    } else {
        widget = new QWidget(parent);
    }
    widget->setWindowTitle(print.title);
    if (print.font) widget->setFont(*print.font);
    if (print.palette) widget->setPalette(*print.palette);
    widget->setAutoFillBackground(print.autoFill);
    for (const Blueprint& child : print.children) build(child, widget);
    widget->setMinimumSize(print.minimumSize);
    widget->setMaximumSize(print.maximumSize);
    widget->setGeometry(print.geometry);
    if (print.hidden) widget->hide();
    return widget;
}

// The menus of a menu bar, made again with their entries.
void copyMenus(const QMenuBar* from, QMenuBar* to) {
    for (QAction* entry : from->actions()) {
        QMenu* menu = to->addMenu(entry->text());
        if (!entry->menu()) continue;
        for (QAction* item : entry->menu()->actions()) {
            menu->addAction(item->text())->setCheckable(item->isCheckable());
        }
    }
}

// One calculator of the Formulas menu as the bench measures it.
struct Measured {
    const Calculator* calculator;
    std::string form;    // what it is called in the table: its class, and its mode
    std::string button;  // its Calculate button
    Blueprint layout;    // the floor's window
    bool topLevel = false;
    QString title;
    Qt::WindowFlags flags;
    bool fixedSize = false;
    std::unique_ptr<QMenuBar> menus;  // a top-level window's menu bar, with its corner bar
    std::unique_ptr<QMenuBar> cornerMenus;
};

QAbstractButton* calculateButton(QWidget* form) {
    CalculatorForm* calculator = calculatorForm(form);
    return calculator ? calculator->calculateButton() : nullptr;
}

// The frame's menu entry named `name`, found among the menus alone: the frame's other children,
// every window it holds among them, are no business of the user's click.
QAction* menuEntry(const QList<QAction*>& actions, QLatin1String name) {
    for (QAction* action : actions) {
        if (action->objectName() == name) return action;
        if (QMenu* menu = action->menu()) {
            if (QAction* found = menuEntry(menu->actions(), name)) return found;
        }
    }
    return nullptr;
}

// Chooses the calculator's menu entry and returns the form it shows, shown and painted: the
// window of a shared calculator, else the new child window.
QWidget* openFromMenu(MDIForm1& frame, const Calculator& calculator) {
    menuEntry(frame.menuBar()->actions(), QLatin1String(calculator.entry))->trigger();
    QWidget* form = nullptr;
    if (calculator.opening == Opening::Shared) {
        form = frame.sharedWindow(calculator);
    } else if (QMdiSubWindow* sub = frame.mdiArea()->activeSubWindow()) {
        form = sub->widget();
    }
    return form && settleShown(formWindow(form)) ? form : nullptr;
}

// Opens the floor's window for `measured` as the frame shows its calculator's window.
QWidget* openFloor(MDIForm1& frame, const Measured& measured) {
    if (measured.topLevel) {
        auto* window = new QMainWindow;
        window->setWindowFlags(measured.flags);
        window->setWindowTitle(measured.title);
        auto* bar = window->menuBar();
        copyMenus(measured.menus.get(), bar);
        if (measured.cornerMenus) {
            auto* corner = new QMenuBar(bar);
            copyMenus(measured.cornerMenus.get(), corner);
            bar->setCornerWidget(corner, Qt::TopRightCorner);
        }
        QWidget* client = build(measured.layout, window);
        client->setFixedSize(measured.layout.geometry.size());
        window->setCentralWidget(client);
        window->layout()->setSizeConstraint(QLayout::SetFixedSize);
        window->show();
        window->raise();
        window->activateWindow();
        return settleShown(window) ? window : nullptr;
    }
    QWidget* form = build(measured.layout, nullptr);
    form->setWindowTitle(measured.title);
    QMdiSubWindow* sub = frame.mdiArea()->addSubWindow(form, measured.flags);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->adjustSize();
    if (measured.fixedSize) sub->setFixedSize(sub->size());
    sub->show();
    frame.mdiArea()->setActiveSubWindow(sub);
    return settleShown(sub) ? form : nullptr;
}

// Opens each calculator once to learn what it looks like.
std::vector<Measured> discover(MDIForm1& frame) {
    std::vector<Measured> found;
    for (const Calculator& calculator : calculators()) {
        if (calculator.opening == Opening::None) continue;
        QWidget* form = openFromMenu(frame, calculator);
        if (!form) throw std::runtime_error(std::string(calculator.entry) + " showed no window");
        Measured measured;
        measured.calculator = &calculator;
        measured.form = form->metaObject()->className();
        measured.form.erase(0, measured.form.rfind(':') + 1);
        if (calculator.opening == Opening::Numbered) {
            measured.form +=
                " (" + form->windowTitle().section(QLatin1Char(' '), 0, 0).toStdString() + ")";
        }
        const QAbstractButton* button = calculateButton(form);
        measured.button = button ? button->objectName().toStdString() : std::string();
        measured.topLevel = form->isWindow();
        measured.title = form->windowTitle();
        if (auto* window = qobject_cast<QMainWindow*>(form)) {
            measured.layout = blueprintOf(window->centralWidget());
            measured.menus = std::make_unique<QMenuBar>();
            copyMenus(window->menuBar(), measured.menus.get());
            if (auto* corner = qobject_cast<QMenuBar*>(window->menuBar()->cornerWidget())) {
                measured.cornerMenus = std::make_unique<QMenuBar>();
                copyMenus(corner, measured.cornerMenus.get());
            }
            measured.flags = window->windowFlags();
        } else {
            measured.layout = blueprintOf(form);
            measured.layout.geometry.moveTopLeft(QPoint());
            const QWidget* sub = formWindow(form);
            measured.flags = sub->windowFlags();
            measured.fixedSize = sub->minimumSize() == sub->maximumSize();
        }
        if (!closeAndDelete(formWindow(form))) throw std::runtime_error("a window stayed open");
        found.push_back(std::move(measured));
    }
    return found;
}

// Seconds of each of `rounds` turns of `program` and `floor`, taking turns at going first.
std::array<std::vector<double>, 2> inTurns(int rounds, const std::function<double()>& program,
                                           const std::function<double()>& floor) {
    std::array<std::vector<double>, 2> seconds;
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            seconds[0].push_back(program());
            seconds[1].push_back(floor());
        } else {
            seconds[1].push_back(floor());
            seconds[0].push_back(program());
        }
    }
    return seconds;
}

// Times `open`, which shows a window and returns its form; closing it is not timed.
double timeOpening(const std::function<QWidget*()>& open) {
    QElapsedTimer clock;
    clock.start();
    QWidget* form = open();
    const double seconds = clock.nsecsElapsed() * 1e-9;
    if (!form) throw std::runtime_error("no window was shown");
    if (!closeAndDelete(formWindow(form))) throw std::runtime_error("a window stayed open");
    return seconds;
}

// The entry boxes the user fills and the results a press writes: labels that tell a screen
// reader what they show.
struct Controls {
    std::vector<QLineEdit*> boxes;
    std::vector<QLabel*> results;
};

Controls controlsOf(QWidget* form) {
    Controls controls;
    const CalculatorForm* calculator = calculatorForm(form);
    for (QLineEdit* box : calculator->entryBoxes()) {
        if (box->isEnabled()) controls.boxes.push_back(box);
    }
    controls.results.assign(calculator->results().begin(), calculator->results().end());
    return controls;
}

void type(const Controls& controls, std::size_t press) {
    for (QLineEdit* box : controls.boxes) box->setText(typedInto(box, press));
    settle();
}

// Mean seconds of `kPressesPerRound` presses of `press`, with the boxes typed in between, untimed.
double timePresses(const Controls& controls, std::size_t& presses,
                   const std::function<void()>& press) {
    double seconds = 0;
    for (int i = 0; i < kPressesPerRound; ++i) {
        type(controls, presses++);
        QElapsedTimer clock;
        clock.start();
        press();
        seconds += clock.nsecsElapsed() * 1e-9;
    }
    return seconds / kPressesPerRound;
}

void addRows(Table& table, const std::string& measure,
             const std::array<std::vector<double>, 2>& seconds, double limit) {
    table.add(measure, "", formatSeconds(median(seconds[0])));
    table.add(measure + ", floor", "", formatSeconds(median(seconds[1])));
    const PairedRatio ratio = pairedRatio(seconds[0], seconds[1]);
    char target[16];
    std::snprintf(target, sizeof target, "≤ %.2f", limit);
    table.add(measure + " / floor", target, formatRatio(ratio), ratio.median <= limit);
}

void measureOpening(Table& table, MDIForm1& frame, const Measured& measured) {
    const auto seconds = inTurns(
        kOpenRounds,
        [&] { return timeOpening([&] { return openFromMenu(frame, *measured.calculator); }); },
        [&] { return timeOpening([&] { return openFloor(frame, measured); }); });
    addRows(table, "open " + measured.form, seconds, kOpenRatioLimit);
}

// Opening the window of a numbered calculator beside its floor while `others` windows of it are
// open in the frame: how opening grows as windows pile up.
void measureOpeningAmong(Table& table, MDIForm1& frame, const Measured& measured, int others) {
    std::vector<QPointer<QWidget>> open;
    for (int i = 0; i < others; ++i) open.emplace_back(openFromMenu(frame, *measured.calculator));
    const auto seconds = inTurns(
        kOpenRounds,
        [&] { return timeOpening([&] { return openFromMenu(frame, *measured.calculator); }); },
        [&] { return timeOpening([&] { return openFloor(frame, measured); }); });
    addRows(table, "open " + measured.form + " as window " + std::to_string(others + 1), seconds,
            kOpenRatioLimit);
    for (const QPointer<QWidget>& form : open) {
        if (!form || !closeAndDelete(formWindow(form))) throw std::runtime_error("a window stayed");
    }
}

// Pressing Calculate, beside its floor: the least Qt does for the same visible result, the same
// results written into the same labels, each sized to its text.
void measureCalculate(Table& table, MDIForm1& frame, const Measured& measured) {
    test::Recorder recorder;
    QWidget* form = openFromMenu(frame, *measured.calculator);
    if (!form) throw std::runtime_error("no window was shown");
    QAbstractButton* button = calculateButton(form);
    const Controls controls = controlsOf(form);
    std::array<QStringList, 2> written;
    for (std::size_t press = 0; press < 2; ++press) {
        type(controls, press);
        button->click();
        for (QLabel* result : controls.results) written[press] << result->text();
    }
    if (!recorder.events.isEmpty() || written[0] == written[1] || written[0].contains(QString())) {
        throw std::runtime_error(measured.form + ": Calculate showed a message or no new result");
    }
    std::size_t programPresses = 0;
    std::size_t floorPresses = 0;
    const auto seconds = inTurns(
        kCalculateRounds,
        [&] { return timePresses(controls, programPresses, [&] { button->click(); }); },
        [&] {
            return timePresses(controls, floorPresses, [&] {
                const QStringList& texts = written[floorPresses % 2];
                for (std::size_t i = 0; i < controls.results.size(); ++i) {
                    controls.results[i]->setText(texts.at(static_cast<qsizetype>(i)));
                    controls.results[i]->resize(controls.results[i]->sizeHint());
                }
            });
        });
    if (!recorder.events.isEmpty()) throw std::runtime_error(measured.form + ": a message came");
    addRows(table, "press " + measured.button + " in " + measured.form, seconds,
            kCalculateRatioLimit);
    if (!closeAndDelete(formWindow(form))) throw std::runtime_error("a window stayed open");
}

}  // namespace

void measureWindows(Table& table, MDIForm1& frame) {
    test::Recorder recorder;
    const std::vector<Measured> windows = discover(frame);
    std::cerr << "Opening " << windows.size() << " windows and their floors " << kOpenRounds
              << " times each, and pressing Calculate " << kCalculateRounds * kPressesPerRound
              << " times...\n";
    for (const Measured& measured : windows) measureOpening(table, frame, measured);
    const auto numbered = std::find_if(windows.begin(), windows.end(), [](const Measured& m) {
        return m.calculator->opening == Opening::Numbered;
    });
    if (numbered != windows.end()) {
        for (const int others : {9, 299}) measureOpeningAmong(table, frame, *numbered, others);
    }
    for (const Measured& measured : windows) measureCalculate(table, frame, measured);
}

}  // namespace motoreckon::bench
