// A random user: a seeded sequence of menu commands, keystrokes, pastes, button presses and
// window moves on the real frame, with the program's invariants checked after every action.
//
// MOTORECKON_SOAK_SEED and MOTORECKON_SOAK_ACTIONS choose the sequence and its length; a
// failure names both, so the run that found it can be replayed.

#include <QAction>
#include <QApplication>
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
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>
#include <algorithm>
#include <cstdio>
#include <deque>
#include <exception>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/helpviewer.h"
#include "app/mdiform1.h"
#include "core/carb_cfm.h"
#include "core/displacement.h"
#include "core/failures.h"
#include "core/horsepower.h"
#include "core/road_speed.h"
#include "forms/form_controls.h"
#include "forms/regional.h"
#include "ui/recorder.h"
#include "windows/discom.h"
#include "windows/frmcarbsize.h"
#include "windows/frmhp_mph.h"
#include "windows/frmrpmmph.h"
#include "windows/frmspeedocorrect.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

using namespace motoreckon;
using motoreckon::test::Recorder;
using Event = Recorder::Event;

namespace {

constexpr quint64 kDefaultSeed = 20240611;
constexpr long long kDefaultActions = 2000;

// Where the run is, for the report of a failure or a crash.
struct Progress {
    quint64 seed = 0;
    long long total = 0;
    long long index = -1;
    std::deque<std::string> recent;  // the last actions, oldest first
};
Progress progress;
constexpr std::size_t kRecentActions = 25;
// Qt presses a button reached by its access key 100 ms after the key.
constexpr int kAccessKeyPressDelay = 150;

// A failure is found after its action, which is then the last one listed; a crash happens
// during its action, which is not listed yet.
void printReplay(bool crashed) {
    std::fprintf(stderr, "soak: seed %llu, action %lld of %lld (counted from 0)\n",
                 static_cast<unsigned long long>(progress.seed), progress.index, progress.total);
    std::fprintf(stderr,
                 "soak: replay with MOTORECKON_SOAK_SEED=%llu MOTORECKON_SOAK_ACTIONS=%lld\n",
                 static_cast<unsigned long long>(progress.seed), progress.index + 1);
    std::fprintf(stderr, crashed ? "soak: the actions before the one that crashed:\n"
                                 : "soak: the last actions, the failing one last:\n");
    for (const std::string& action : progress.recent) {
        std::fprintf(stderr, "  %s\n", action.c_str());
    }
}

void reportCrash() {
    if (progress.index >= 0) printReplay(true);
}

unsigned long long environmentNumber(const char* name, unsigned long long fallback) {
    const QByteArray value = qgetenv(name);
    if (value.isEmpty()) return fallback;
    bool ok = false;
    const unsigned long long number = value.toULongLong(&ok);
    if (!ok) qFatal("%s must be a whole number, not \"%s\"", name, value.constData());
    return number;
}

// QTest warns of every keystroke a widget leaves to its parent, and a random user makes many.
QtMessageHandler previousHandler = nullptr;
void quietTestNoise(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message == QLatin1String("Keyboard event not accepted by receiving widget")) return;
    // The offscreen platform cannot raise windows, grab the keyboard for menus, and so on.
    if (message.startsWith(QLatin1String("This plugin does not support"))) return;
    previousHandler(type, context, message);
}

// The same seed gives the same actions on every machine.
class Random {
  public:
    explicit Random(quint64 seed) : engine_(seed) {}
    int below(int n) { return static_cast<int>(engine_() % static_cast<quint64>(n)); }
    bool percent(int p) { return below(100) < p; }
    template <class List>
    auto pick(const List& list) {
        return list.at(below(static_cast<int>(list.size())));
    }

  private:
    std::mt19937_64 engine_;
};

// Records every help request; fails it with `error` when that is set.
class RecordingViewer final : public HelpViewer {
  public:
    RecordingViewer() { installHelpViewer(this); }
    ~RecordingViewer() override { installHelpViewer(nullptr); }
    RecordingViewer(const RecordingViewer&) = delete;
    RecordingViewer& operator=(const RecordingViewer&) = delete;

    std::int32_t WinHelp(WId, const QByteArray& helpFile, std::uint32_t command,
                         const std::int16_t* data) override {
        commands.append(command);
        if (!helpFile.endsWith("WinHlp31/Gearbook.hlp") || !data || *data != 0) {
            badRequests.append(QString::fromLocal8Bit(helpFile));
        }
        if (!error.isEmpty()) throw HelpError(error.toStdString());
        return 1;
    }

    QVector<std::uint32_t> commands;
    QStringList badRequests;
    QString error;
};

template <class T>
T* need(const QObject* parent, const char* name) {
    T* found = parent->findChild<T*>(QLatin1String(name));
    if (!found) qFatal("soak: no %s in %s", name, qPrintable(parent->objectName()));
    return found;
}

std::string boxText(const QObject* form, const char* name) {
    return need<QLineEdit>(form, name)->text().toStdString();
}

// The frame's menu commands, by the objectName of their entry: the first five open windows,
// the displacement window first, and the last nine do nothing.
const char* const kFrameCommands[] = {
    "mnuSizeCompression",
    "mnuCarbSize",
    "mnuHpMPH",
    "mnuMPH",
    "mnuRPM",
    "mnuWindowCascade",
    "mnuWindowTileHorizontal",
    "mnuWindowTileVertical",
    "mnuWindowArrangeIcons",
    "mnuHelpContents",
    "mnuHelpSearch",
    "mnuHelpAbout",
    "mnuHpEt",
    "mnuCarWeightET",
    "mnuCarWeightMPH",
    "mnuETMPH",
    "mnuGearRatio",
    "mnuTireDiameterbySped",
    "mnuTireDiameter",
    "mnuActualMPH",
    "mnuSpeedometerCorrectoin",
};
constexpr int kFrameCommandCount = static_cast<int>(std::size(kFrameCommands));
constexpr int kOpeningCommands = 5;
constexpr int kInertCommands = 9;

// The locales a session of the program may run in: their separators and groupings differ.
const char* const kLocales[] = {"en_US", "de_DE", "fr_FR", "de_CH", "en_IN", "sv_SE", "ar_EG", "C"};

enum class Kind { CarbSize, HpMph, RoadSpeed, EngineSpeed, Discom };

QString kindName(Kind kind) {
    switch (kind) {
        case Kind::CarbSize:
            return QStringLiteral("frmCarbSize");
        case Kind::HpMph:
            return QStringLiteral("frmHP_MPH");
        case Kind::RoadSpeed:
            return QStringLiteral("MPH window");
        case Kind::EngineSpeed:
            return QStringLiteral("RPM window");
        case Kind::Discom:
            return QStringLiteral("discom");
    }
    return {};
}

// The name a failure message gives an entry box: the caption the user reads beside it.
QString boxCaption(Kind kind, const std::string& field) {
    struct Caption {
        Kind kind;
        const char* field;
        const char* caption;
    };
    static const Caption captions[] = {
        {Kind::CarbSize, "txtRPM", "Maximum RPM"},
        {Kind::CarbSize, "txtCubicInches", "Cubic Inches"},
        {Kind::CarbSize, "txtEfficency", "Volumetric Efficiency"},
        {Kind::HpMph, "txtWeight", "Weight"},
        {Kind::HpMph, "txtMPH", "MPH"},
        {Kind::RoadSpeed, "txtRPM", "RPM"},
        {Kind::EngineSpeed, "txtMPH", "MPH"},
        {Kind::RoadSpeed, "txtAxle", "Axle Ratio"},
        {Kind::EngineSpeed, "txtAxle", "Axle Ratio"},
        {Kind::RoadSpeed, "txtTransmission", "Transmission Ratio"},
        {Kind::EngineSpeed, "txtTransmission", "Transmission Ratio"},
        {Kind::RoadSpeed, "txtTireDiameter", "Tire Diameter"},
        {Kind::EngineSpeed, "txtTireDiameter", "Tire Diameter"},
        {Kind::Discom, "txtBore", "Bore"},
        {Kind::Discom, "txtStroke", "Stroke"},
        {Kind::Discom, "txtCylinders", "Cylinders"},
        {Kind::Discom, "headtx", "Head Vol."},
        {Kind::Discom, "gaskettx", "Gasket Vol."},
        {Kind::Discom, "decktx", "Deck Vol."},
    };
    for (const Caption& c : captions) {
        if (c.kind == kind && field == c.field) return QLatin1String(c.caption);
    }
    return QStringLiteral("<no caption for %1>").arg(QString::fromStdString(field));
}

// The warning a failed Calculate or refresh shows: the box to blame by its caption, then the
// failure in words.
Event failureBox(Kind kind, const CalculationFailure& failure) {
    QString text = QString::fromStdString(failure.describe());
    if (!failure.field().empty()) text = boxCaption(kind, failure.field()) + ": " + text;
    return {Event::Kind::Message, kAppTitle, text, Feedback::Icon::Warning};
}

Event beep() { return {Event::Kind::Beep, {}, {}, Feedback::Icon::None}; }

QString describeEvents(const QVector<Event>& events) {
    QStringList parts;
    for (const Event& e : events) {
        if (e.kind == Event::Kind::Beep) {
            parts << QStringLiteral("beep");
        } else {
            parts << QStringLiteral("box[%1|%2|icon %3]")
                         .arg(e.title, e.text)
                         .arg(static_cast<int>(e.icon));
        }
    }
    return QLatin1Char('{') + parts.join(QStringLiteral(", ")) + QLatin1Char('}');
}

bool sameEvents(const QVector<Event>& a, const QVector<Event>& b) {
    if (a.size() != b.size()) return false;
    for (int i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].title != b[i].title || a[i].text != b[i].text ||
            a[i].icon != b[i].icon) {
            return false;
        }
    }
    return true;
}

// What a calculation computes from the boxes as they stand: a caption, or a failure.
struct Outcome {
    std::optional<std::string> caption;
    std::optional<CalculationFailure> failure;
};

template <class Compute>
Outcome outcomeOf(Compute&& compute) {
    try {
        return {compute(), std::nullopt};
    } catch (const CalculationFailure& failure) {
        return {std::nullopt, failure};
    }
}

DiscomEntries discomEntries(const QObject* form) {
    return {boxText(form, "txtBore"), boxText(form, "txtStroke"), boxText(form, "txtCylinders"),
            boxText(form, "headtx"),  boxText(form, "gaskettx"),  boxText(form, "decktx")};
}

DiscomOptions discomOptions(const QObject* form) {
    return {need<QAction>(form, "MnuLiters")->isChecked() ? DisplacementUnit::Liters
                                                          : DisplacementUnit::CubicInches,
            need<QAction>(form, "compratiomnu")->isChecked(),
            need<QCheckBox>(form, "roundtx")->isChecked()};
}

// The option marks of the displacement window, as one text for comparison.
QString discomMarks(const QObject* form) {
    QString marks;
    for (const char* name : {"MnuCubin", "MnuLiters", "compratiomnu", "MnuSaveset"}) {
        marks += need<QAction>(form, name)->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    }
    marks += need<QCheckBox>(form, "roundtx")->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return marks;
}

QString quoted(const QString& text) {
    QString shown = text.left(60);
    for (QChar& c : shown) {
        if (c.unicode() < 0x20) c = QLatin1Char('?');
    }
    return QLatin1Char('"') + shown +
           (text.size() > 60 ? QStringLiteral("...\"") : QStringLiteral("\"")) +
           QStringLiteral(" (%1 chars)").arg(text.size());
}

// A calculator window the user has opened, and what its result labels showed after its last
// Calculate or refresh: they may change at no other time.
struct Watched {
    Kind kind;
    QPointer<QWidget> form;
    std::vector<QPointer<QLabel>> results;
    QStringList shown;

    QStringList texts() const {
        QStringList list;
        for (const QPointer<QLabel>& label : results) {
            list << (label ? resultText(label) : QString());
        }
        return list;
    }
    QString name() const {
        return kindName(kind) +
               (form ? QStringLiteral(" \"%1\"").arg(form->windowTitle()) : QString());
    }
};

// A typed key: its code, the text it types and the modifiers held.
struct Key {
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

Key characterKey(QChar c) {
    const QChar upper = c.toUpper();
    const Qt::Key key = upper.unicode() < 0x100 ? Qt::Key(upper.unicode()) : Qt::Key_unknown;
    return {key, QString(c)};
}

QString keyName(const Key& key) {
    QString name;
    if (key.modifiers & Qt::ControlModifier) name += QStringLiteral("Ctrl+");
    if (key.modifiers & Qt::AltModifier) name += QStringLiteral("Alt+");
    if (key.modifiers & Qt::ShiftModifier) name += QStringLiteral("Shift+");
    switch (key.key) {
        case Qt::Key_Backspace:
            return name + QStringLiteral("Backspace");
        case Qt::Key_Delete:
            return name + QStringLiteral("Delete");
        case Qt::Key_Return:
            return name + QStringLiteral("Return");
        case Qt::Key_Enter:
            return name + QStringLiteral("Enter");
        case Qt::Key_Escape:
            return name + QStringLiteral("Esc");
        case Qt::Key_Tab:
            return name + QStringLiteral("Tab");
        case Qt::Key_Left:
            return name + QStringLiteral("Left");
        case Qt::Key_Right:
            return name + QStringLiteral("Right");
        case Qt::Key_Home:
            return name + QStringLiteral("Home");
        case Qt::Key_End:
            return name + QStringLiteral("End");
        default:
            break;
    }
    if (!key.text.isEmpty() && key.text.at(0).unicode() >= 0x20) {
        return name + key.text;
    }
    if (key.key >= Qt::Key_A && key.key <= Qt::Key_Z) return name + QChar(char(key.key));
    return name + QStringLiteral("U+%1").arg(key.text.isEmpty() ? 0 : key.text.at(0).unicode(), 4,
                                             16, QLatin1Char('0'));
}

}  // namespace

// The random user and the invariants it checks, on one run of the program after another.
class Soak {
  public:
    explicit Soak(quint64 seed) : random_(seed) { startProgram(); }
    ~Soak() {
        frame_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // One random action, then the invariants. Returns what went wrong, if anything.
    QString step() {
        before();
        const QString action = act();
        progress.recent.push_back(action.toStdString());
        if (progress.recent.size() > kRecentActions) progress.recent.pop_front();
        settle();
        check();
        QString result = problems_.join(QLatin1Char('\n'));
        problems_.clear();
        return result;
    }

  private:
    void startProgram() {
        QLocale::setDefault(QLocale(QLatin1String(
            random_.pick(std::vector<const char*>(std::begin(kLocales), std::end(kLocales))))));
        frame_ = std::make_unique<MDIForm1>();
        frame_->show();
        lastMph_ = 0;
        lastRpm_ = 0;
        settle();
        discover();
    }

    // The user closes the frame; the program ends once no window is left, and starts again.
    QString restart() {
        QPointer<discom> displacement = currentDiscom();
        const bool discomShown = displacement && displacement->isVisible();
        frame_->close();
        settle();
        if (!frame_->mdiArea()->subWindowList().isEmpty()) {
            problem(QStringLiteral("closing the frame left %1 child windows")
                        .arg(frame_->mdiArea()->subWindowList().size()));
        }
        if (discomShown && !(displacement && displacement->isVisible())) {
            problem(QStringLiteral("closing the frame closed the displacement window"));
        }
        frame_.reset();
        settle();
        if (displacement || currentDiscom()) {
            problem(QStringLiteral("the displacement window outlived the program"));
        }
        const QString locale = QLocale().name();
        startProgram();
        return QStringLiteral("close the frame and start again (was %1, now %2)")
            .arg(locale, QLocale().name());
    }

    // Lets the event loop run as it would between two user actions: posted events, closed
    // windows deleted, and any menu left open dismissed.
    void settle() {
        for (int round = 0; round < 3; ++round) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        }
    }

    // The user clicks into the window that holds `control` before using it, which makes that
    // window the active one.
    void bringUp(QWidget* control) {
        QWidget* window = control->window();
        if (QApplication::activeWindow() != window) {
            window->activateWindow();
            settle();
        }
        if (window == frame_.get()) {
            auto* sub = qobject_cast<QMdiSubWindow*>(formOf(control)->parentWidget());
            if (sub && frame_->mdiArea()->activeSubWindow() != sub) {
                frame_->mdiArea()->setActiveSubWindow(sub);
                settle();
            }
        }
    }

    discom* currentDiscom() const {
        discom* found = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<discom*>(top)) found = window;
        }
        return found;
    }

    void problem(const QString& text) { problems_ << text; }

    // Starts watching every calculator window that has appeared: it must open with empty
    // results, and every Calculate or refresh in it is checked against the formulas.
    void discover() {
        watched_.erase(std::remove_if(watched_.begin(), watched_.end(),
                                      [](const auto& w) { return !w->form; }),
                       watched_.end());
        const auto known = [this](QWidget* form) {
            return std::any_of(watched_.begin(), watched_.end(),
                               [form](const auto& w) { return w->form == form; });
        };
        for (frmCarbSize* form : frame_->findChildren<frmCarbSize*>()) {
            if (!known(form)) watch(Kind::CarbSize, form, {"lblCFM"}, "cmdCalculateCFM");
        }
        for (frmHP_MPH* form : frame_->findChildren<frmHP_MPH*>()) {
            if (!known(form)) watch(Kind::HpMph, form, {"lblHP"}, "cmdCalculate");
        }
        for (frmRPMMPH* form : frame_->findChildren<frmRPMMPH*>()) {
            if (known(form)) continue;
            const QString title = form->windowTitle();
            const Kind kind =
                title.startsWith(QLatin1String("MPH")) ? Kind::RoadSpeed : Kind::EngineSpeed;
            watch(kind, form, {"lblAnswer"}, "cmdCalculate");
        }
        if (discom* form = currentDiscom(); form && !known(form)) {
            Watched& w = watch(Kind::Discom, form, {"lblCubicInch", "crlb"}, "Com_calc");
            const auto refresh = [this, &w] { checkRefresh(w); };
            QObject::connect(need<QAction>(form, "MnuCubin"), &QAction::triggered, form, refresh);
            QObject::connect(need<QAction>(form, "MnuLiters"), &QAction::triggered, form, refresh);
            QObject::connect(need<QCheckBox>(form, "roundtx"), &QCheckBox::toggled, form, refresh);
        }
    }

    Watched& watch(Kind kind, QWidget* form, std::initializer_list<const char*> results,
                   const char* calculate) {
        auto w = std::make_unique<Watched>();
        w->kind = kind;
        w->form = form;
        for (const char* name : results) w->results.emplace_back(need<QLabel>(form, name));
        w->shown = w->texts();
        for (const QString& text : w->shown) {
            if (!text.isEmpty()) problem(w->name() + " opened showing a result: " + quoted(text));
        }
        Watched& ref = *w;
        QObject::connect(need<QPushButton>(form, calculate), &QPushButton::clicked, form,
                         [this, &ref] { checkCalculate(ref); });
        watched_.push_back(std::move(w));
        return ref;
    }

    // The feedback given since the last look, now explained.
    QVector<Event> takeFeedback() {
        QVector<Event> fresh = recorder_.events.mid(consumed_);
        consumed_ = static_cast<int>(recorder_.events.size());
        return fresh;
    }

    // Runs right after a Calculate handler: the results must be what the formulas give for
    // the boxes as they stand, or a failure must have been shown and the results kept.
    void checkCalculate(Watched& w) {
        if (trial_) return;
        const QStringList before = w.shown;
        const QStringList now = w.texts();
        const QVector<Event> feedback = takeFeedback();
        w.shown = now;
        ++calculations_;
        QStringList expectedTexts = before;
        QVector<Event> expectedEvents;
        const RegionalFormat format = regionalFormat();
        const QWidget* form = w.form;
        Outcome outcome;
        switch (w.kind) {
            case Kind::CarbSize: {
                const std::string rpm = boxText(form, "txtRPM");
                const std::string cubicInches = boxText(form, "txtCubicInches");
                const std::string efficiency = boxText(form, "txtEfficency");
                outcome = outcomeOf([&] {
                    return CarbCfmCaption({rpm, cubicInches, efficiency}, format);
                });
                break;
            }
            case Kind::HpMph: {
                const std::string weight = boxText(form, "txtWeight");
                const std::string mph = boxText(form, "txtMPH");
                outcome = outcomeOf([&] { return HorsepowerCaption({weight, mph}, format); });
                break;
            }
            case Kind::RoadSpeed: {
                const std::string rpm = boxText(form, "txtRPM");
                const std::string tire = boxText(form, "txtTireDiameter");
                const std::string axle = boxText(form, "txtAxle");
                const std::string transmission = boxText(form, "txtTransmission");
                outcome = outcomeOf([&] {
                    return RoadSpeedCaption({rpm, tire, axle, transmission}, format);
                });
                break;
            }
            case Kind::EngineSpeed: {
                const std::string mph = boxText(form, "txtMPH");
                const std::string axle = boxText(form, "txtAxle");
                const std::string transmission = boxText(form, "txtTransmission");
                const std::string tire = boxText(form, "txtTireDiameter");
                outcome = outcomeOf([&] {
                    return EngineSpeedCaption({mph, axle, transmission, tire}, format);
                });
                break;
            }
            case Kind::Discom: {
                const DiscomCalculation calc = CalculateDisplacement(
                    discomEntries(form), discomOptions(form), before.at(1).toStdString(), format);
                if (calc.texts.displacement) {
                    expectedTexts[0] = QString::fromStdString(*calc.texts.displacement);
                }
                if (calc.texts.ratio) expectedTexts[1] = QString::fromStdString(*calc.texts.ratio);
                for (int i = 0; i < calc.beeps; ++i) expectedEvents << beep();
                if (calc.message) {
                    expectedEvents << Event{
                        Event::Kind::Message, QString::fromStdString(calc.message->title),
                        QString::fromStdString(calc.message->text), Feedback::Icon::Information};
                }
                if (calc.texts.failure) expectedEvents << failureBox(w.kind, *calc.texts.failure);
                break;
            }
        }
        if (outcome.caption) expectedTexts[0] = QString::fromStdString(*outcome.caption);
        if (outcome.failure) expectedEvents << failureBox(w.kind, *outcome.failure);
        compare(w, QStringLiteral("Calculate"), before, now, expectedTexts, feedback,
                expectedEvents);
    }

    // Runs right after a change of unit or rounding in the displacement window: with a
    // displacement shown, both results are recomputed from the boxes, silently unless it fails.
    void checkRefresh(Watched& w) {
        if (trial_) return;
        const QStringList before = w.shown;
        const QStringList now = w.texts();
        const QVector<Event> feedback = takeFeedback();
        w.shown = now;
        QStringList expectedTexts = before;
        QVector<Event> expectedEvents;
        if (!before.at(0).isEmpty()) {
            ++refreshes_;
            const DiscomTexts texts =
                RefreshResults(discomEntries(w.form), discomOptions(w.form), regionalFormat());
            if (texts.displacement) expectedTexts[0] = QString::fromStdString(*texts.displacement);
            if (texts.ratio) expectedTexts[1] = QString::fromStdString(*texts.ratio);
            if (texts.failure) expectedEvents << failureBox(w.kind, *texts.failure);
        }
        compare(w, QStringLiteral("refresh"), before, now, expectedTexts, feedback, expectedEvents);
    }

    void compare(const Watched& w, const QString& what, const QStringList& before,
                 const QStringList& shown, const QStringList& expectedTexts,
                 const QVector<Event>& feedback, const QVector<Event>& expectedEvents) {
        const bool failed =
            std::any_of(expectedEvents.begin(), expectedEvents.end(),
                        [](const Event& e) { return e.icon == Feedback::Icon::Warning; });
        if (failed) {
            ++failuresShown_;
        } else if (expectedTexts != before) {
            ++resultsShown_;
        }
        if (shown != expectedTexts) {
            QStringList s, e;
            for (const QString& t : shown) s << quoted(t);
            for (const QString& t : expectedTexts) e << quoted(t);
            problem(QStringLiteral("%1 %2 shows %3, the formulas give %4")
                        .arg(w.name(), what, s.join(QStringLiteral(", ")),
                             e.join(QStringLiteral(", "))));
        }
        if (!sameEvents(feedback, expectedEvents)) {
            problem(
                QStringLiteral("%1 %2 gave feedback %3, expected %4")
                    .arg(w.name(), what, describeEvents(feedback), describeEvents(expectedEvents)));
        }
    }

    void before() {
        typedInto_ = nullptr;
        fillTarget_ = nullptr;
        discomTouched_ = false;
        boxes_.clear();
        for (const auto& w : watched_) {
            if (!w->form) continue;
            for (QLineEdit* box : w->form->findChildren<QLineEdit*>()) {
                boxes_.emplace_back(box, box->text());
            }
        }
        discomBefore_ = currentDiscom();
        marksBefore_ = discomBefore_ ? discomMarks(discomBefore_) : QString();
    }

    void check() {
        discover();

        // One of each shared window at most, and never the speedometer layout.
        int displacementWindows = 0;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            displacementWindows += qobject_cast<discom*>(top) != nullptr;
        }
        if (displacementWindows > 1)
            problem(QStringLiteral("%1 discom windows").arg(displacementWindows));
        if (const auto n = frame_->findChildren<frmCarbSize*>().size(); n > 1) {
            problem(QStringLiteral("%1 frmCarbSize windows").arg(n));
        }
        if (const auto n = frame_->findChildren<frmHP_MPH*>().size(); n > 1) {
            problem(QStringLiteral("%1 frmHP_MPH windows").arg(n));
        }
        for (QWidget* widget : QApplication::allWidgets()) {
            if (qobject_cast<frmSpeedoCorrect*>(widget))
                problem(QStringLiteral("a frmSpeedoCorrect exists"));
        }

        checkSpeedWindowNumbers();

        // Results change only on a Calculate or a refresh, which checked them as they ran.
        for (const auto& w : watched_) {
            if (w->form && w->texts() != w->shown) {
                problem(QStringLiteral("%1 results changed from %2 to %3 without a Calculate or "
                                       "a refresh")
                            .arg(w->name(), w->shown.join(QLatin1Char('|')),
                                 w->texts().join(QLatin1Char('|'))));
            }
        }

        // A result is never cut off by the edge of its window.
        for (const auto& w : watched_) {
            for (const QPointer<QLabel>& label : w->results) {
                if (label && label->geometry().right() >= label->parentWidget()->width()) {
                    problem(QStringLiteral("%1 shows %2 cut off by the edge of its window")
                                .arg(w->name(), quoted(label->text())));
                }
            }
        }

        static const QRegularExpression notANumber(QStringLiteral("inf|nan"),
                                                   QRegularExpression::CaseInsensitiveOption);
        for (QWidget* widget : QApplication::allWidgets()) {
            if (auto* label = qobject_cast<QLabel*>(widget);
                label && notANumber.match(label->text()).hasMatch()) {
                problem(QStringLiteral("label %1 shows %2")
                            .arg(label->objectName(), quoted(label->text())));
            }
        }

        if (consumed_ < recorder_.events.size()) {
            problem(QStringLiteral("feedback no action explains: %1")
                        .arg(describeEvents(recorder_.events.mid(consumed_))));
        }
        recorder_.events.clear();
        consumed_ = 0;

        // Only typing changes an entry box, and only the one typed into.
        for (const auto& [box, text] : boxes_) {
            if (box && box != typedInto_ && formOf(box) != fillTarget_ && box->text() != text) {
                problem(QStringLiteral("box %1 in %2 changed from %3 to %4 while the user did not "
                                       "type into it")
                            .arg(box->objectName(), box->window()->objectName(), quoted(text),
                                 quoted(box->text())));
            }
        }

        if (discom* form = currentDiscom()) {
            const bool liters = need<QAction>(form, "MnuLiters")->isChecked();
            if (liters == need<QAction>(form, "MnuCubin")->isChecked()) {
                problem(QStringLiteral("discom: cubic inches and liters are both %1")
                            .arg(liters ? "checked" : "unchecked"));
            }
            const QString ci = need<QLabel>(form, "ci")->text();
            if (ci != (liters ? QLatin1String("Liters:") : QLatin1String("Cubic Inches:"))) {
                problem(QStringLiteral("discom: the unit caption reads %1").arg(quoted(ci)));
            }
            const bool compression = need<QAction>(form, "compratiomnu")->isChecked();
            for (const char* name : {"headtx", "gaskettx", "decktx"}) {
                if (need<QLineEdit>(form, name)->isEnabled() != compression) {
                    problem(QStringLiteral("discom: %1 enabled does not follow Check Comp. Ratio")
                                .arg(QLatin1String(name)));
                }
            }
            if (form == discomBefore_ && !discomTouched_ && discomMarks(form) != marksBefore_) {
                problem(QStringLiteral("discom options changed from %1 to %2 by an action "
                                       "elsewhere")
                            .arg(marksBefore_, discomMarks(form)));
            }
        }
    }

    // The MPH and RPM numbers only grow: every speed window carries a number of its kind that
    // no other open one has, no higher than the count of its kind.
    void checkSpeedWindowNumbers() {
        const int mph = frame_->mphWindowCount();
        const int rpm = frame_->rpmWindowCount();
        if (mph < lastMph_ || rpm < lastRpm_) {
            problem(QStringLiteral("the window counts went back from MPH %1, RPM %2 to MPH %3, "
                                   "RPM %4")
                        .arg(lastMph_)
                        .arg(lastRpm_)
                        .arg(mph)
                        .arg(rpm));
        }
        lastMph_ = mph;
        lastRpm_ = rpm;
        static const QRegularExpression caption(QStringLiteral("^(MPH|RPM) \\((\\d+)\\)$"));
        QSet<QString> seen;
        for (frmRPMMPH* form : frame_->findChildren<frmRPMMPH*>()) {
            const QString title = form->windowTitle();
            const QRegularExpressionMatch match = caption.match(title);
            const int count = match.captured(1) == QLatin1String("MPH") ? mph : rpm;
            if (!match.hasMatch() || match.captured(2).toInt() < 1 ||
                match.captured(2).toInt() > count || seen.contains(title)) {
                problem(QStringLiteral("speed window caption %1 with MPH %2, RPM %3 windows opened")
                            .arg(quoted(title))
                            .arg(mph)
                            .arg(rpm));
            }
            seen << title;
        }
    }

    QString act() {
        const int roll = random_.below(1000);
        const bool frameAction = roll < 200 || roll >= 950;
        if (frameAction && frame_->isMinimized()) {
            // The frame's menus are out of reach until the user brings the frame back.
            frame_->showNormal();
            return QStringLiteral("restore the frame");
        }
        if (roll < 2) return restart();
        if (roll < 12) return messageBoxTrial();
        if (roll < 170) return frameCommand();
        if (roll < 200) return windowList();
        if (roll < 400) return typeKeys();
        if (roll < 480) return fillWindow();
        if (roll < 560) return paste();
        if (roll < 700) return pressButton();
        if (roll < 830) return changeDiscomOptions();
        if (roll < 950) return windowState();
        return arrange();
    }

    // One of the frame's menu commands; those that open windows come up more often.
    QString frameCommand() {
        return frameCommand(random_.percent(40) ? random_.below(kOpeningCommands)
                                                : random_.below(kFrameCommandCount));
    }

    QString frameCommand(int index) {
        const QString name = QLatin1String(kFrameCommands[index]);
        QAction* entry = need<QAction>(frame_.get(), kFrameCommands[index]);
        bringUp(frame_.get());
        const QList<QMdiSubWindow*> windowsBefore = frame_->mdiArea()->subWindowList();
        QPointer<discom> displacement = currentDiscom();
        const bool discomShown = displacement && displacement->isVisible();
        QPointer<frmCarbSize> carb = frame_->findChild<frmCarbSize*>();
        QPointer<frmHP_MPH> hp = frame_->findChild<frmHP_MPH*>();
        const int mph = frame_->mphWindowCount();
        const int rpm = frame_->rpmWindowCount();
        const auto requests = viewer_.commands.size();
        viewer_.error =
            random_.percent(30) ? QStringLiteral("The help viewer could not start.") : QString();
        entry->trigger();
        settle();

        const auto same = [&] {
            if (frame_->mdiArea()->subWindowList() != windowsBefore) {
                problem(name + " changed the child windows");
            }
            if (currentDiscom() != displacement ||
                (displacement && displacement->isVisible() != discomShown)) {
                problem(name + " changed the displacement window");
            }
        };
        if (index >= kFrameCommandCount - kInertCommands) {
            same();
        } else if (name == QLatin1String("mnuSizeCompression")) {
            discom* now = currentDiscom();
            if (!now || !now->isVisible()) problem(name + " did not show the displacement window");
            if (displacement && now != displacement) {
                problem(name + " replaced the displacement window that was open");
            }
        } else if (name == QLatin1String("mnuCarbSize")) {
            expectShared(name, frame_->findChild<frmCarbSize*>(), carb);
        } else if (name == QLatin1String("mnuHpMPH")) {
            expectShared(name, frame_->findChild<frmHP_MPH*>(), hp);
        } else if (name == QLatin1String("mnuMPH") || name == QLatin1String("mnuRPM")) {
            const bool road = name == QLatin1String("mnuMPH");
            const int count = road ? frame_->mphWindowCount() : frame_->rpmWindowCount();
            if (count != (road ? mph : rpm) + 1) problem(name + " did not count one more window");
            const QString title = QStringLiteral("%1 (%2)")
                                      .arg(road ? QStringLiteral("MPH") : QStringLiteral("RPM"))
                                      .arg(count);
            QMdiSubWindow* active = frame_->mdiArea()->activeSubWindow();
            if (!active || active->windowTitle() != title || !active->isVisible()) {
                problem(name + " did not open the window " + title);
            }
        } else if (name.startsWith(QLatin1String("mnuWindow"))) {
            if (frame_->mdiArea()->subWindowList().size() != windowsBefore.size()) {
                problem(name + " changed the number of child windows");
            }
        } else if (name == QLatin1String("mnuHelpContents") ||
                   name == QLatin1String("mnuHelpSearch")) {
            const std::uint32_t command =
                name == QLatin1String("mnuHelpContents") ? kHelpContents : kHelpPartialKey;
            if (viewer_.commands.size() != requests + 1 || viewer_.commands.last() != command) {
                problem(name + " did not make exactly one help request of its command");
            }
            if (!viewer_.badRequests.isEmpty()) {
                problem(name + " asked for the help file " + viewer_.badRequests.join(", "));
            }
            QVector<Event> expected;
            if (!viewer_.error.isEmpty()) {
                expected << Event{Event::Kind::Message, kAppTitle, viewer_.error,
                                  Feedback::Icon::None};
            }
            const QVector<Event> feedback = takeFeedback();
            if (!sameEvents(feedback, expected)) {
                problem(name + " gave feedback " + describeEvents(feedback) + ", expected " +
                        describeEvents(expected));
            }
            same();
        } else if (name == QLatin1String("mnuHelpAbout")) {
            const QVector<Event> expected{{Event::Kind::Message, kAppTitle,
                                           QStringLiteral("About Box Code goes here!"),
                                           Feedback::Icon::None}};
            const QVector<Event> feedback = takeFeedback();
            if (!sameEvents(feedback, expected)) {
                problem(name + " gave feedback " + describeEvents(feedback));
            }
            same();
        }
        QString description = QStringLiteral("menu %1").arg(name);
        if (name.startsWith(QLatin1String("mnuHelp")) && !viewer_.error.isEmpty()) {
            description += QStringLiteral(" (the viewer fails)");
        }
        return description;
    }

    void expectShared(const QString& name, QWidget* now, QWidget* before) {
        if (!now || !now->parentWidget() || !now->parentWidget()->isVisible()) {
            problem(name + " did not show its window");
            return;
        }
        if (before && now != before) problem(name + " replaced the window that was open");
        if (frame_->mdiArea()->activeSubWindow() != now->parentWidget()) {
            problem(name + " did not make its window the active one");
        }
    }

    // Opens the Window menu and chooses one of the windows it lists, or "More Windows...".
    QString windowList() {
        bringUp(frame_.get());
        auto* menu = need<QMenu>(frame_.get(), "mnuWindow");
        emit menu->aboutToShow();
        QList<QAction*> entries;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator() &&
                (action->objectName().isEmpty() || action->objectName() == "mnuMoreWindows")) {
                entries << action;
            }
        }
        if (entries.isEmpty()) return QStringLiteral("open the Window menu: no windows listed");
        QList<QMdiSubWindow*> listed;
        for (QMdiSubWindow* sub : frame_->mdiArea()->subWindowList(QMdiArea::CreationOrder)) {
            if (sub->isVisible()) listed << sub;
        }
        const int choice = random_.below(static_cast<int>(entries.size()));
        QAction* entry = entries.at(choice);
        if (entry->objectName() == QLatin1String("mnuMoreWindows")) {
            entry->trigger();
            auto* dialog = frame_->findChild<QDialog*>("dlgSelectWindow");
            if (!dialog) {
                problem(QStringLiteral("More Windows... opened no dialog"));
                return QStringLiteral("Window menu: More Windows...");
            }
            bringUp(dialog);  // the user works in the dialog
            auto* list = need<QListWidget>(dialog, "lstWindows");
            if (list->count() != listed.size()) {
                problem(QStringLiteral("More Windows... lists %1 of %2 windows")
                            .arg(list->count())
                            .arg(listed.size()));
            }
            const int row = random_.below(list->count() + 1) - 1;
            list->setCurrentRow(row);
            const bool accept = random_.percent(80);
            QPointer<QMdiSubWindow> chosen =
                row >= 0 && row < listed.size() ? listed.at(row) : nullptr;
            auto* buttons = need<QDialogButtonBox>(dialog, "");
            QTest::mouseClick(
                buttons->button(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                Qt::LeftButton);
            settle();
            // The window manager gives the focus back to the frame once the dialog is gone.
            bringUp(frame_.get());
            if (accept && chosen &&
                (frame_->mdiArea()->activeSubWindow() != chosen || chosen->isMinimized())) {
                QMdiSubWindow* active = frame_->mdiArea()->activeSubWindow();
                problem(QStringLiteral("More Windows... did not bring up the window chosen, %1%2; "
                                       "the active one is %3, the active window %4")
                            .arg(chosen->windowTitle(),
                                 chosen->isMinimized() ? QStringLiteral(" (minimised)") : QString(),
                                 active ? active->windowTitle() : QStringLiteral("none"),
                                 QApplication::activeWindow()
                                     ? QApplication::activeWindow()->objectName()
                                     : QStringLiteral("none")));
            }
            return QStringLiteral("Window menu: More Windows..., row %1, %2")
                .arg(row)
                .arg(accept ? "OK" : "Cancel");
        }
        const QString text = entry->text();
        QPointer<QMdiSubWindow> chosen = choice < listed.size() ? listed.at(choice) : nullptr;
        entry->trigger();
        settle();
        if (!chosen || frame_->mdiArea()->activeSubWindow() != chosen || chosen->isMinimized()) {
            problem(
                QStringLiteral("the window list entry %1 did not bring up its window").arg(text));
        }
        return QStringLiteral("Window menu: %1").arg(text);
    }

    // The user makes a calculation stop on a message and, while the real message box is open,
    // closes the window or gives it another command, as a screen reader or a window manager can;
    // then closes the box, and any box that follows. The program goes on, and a window that is
    // still there shows results that agree with its options.
    QString messageBoxTrial() {
        const QList<QWidget*> forms = usableForms();
        if (forms.isEmpty()) return QStringLiteral("message box: no window");
        QWidget* form = random_.pick(forms);
        bringUp(form);
        const bool displacement = qobject_cast<discom*>(form) != nullptr;
        if (displacement) discomTouched_ = true;
        fillTarget_ = form;
        QPushButton* calculate = nullptr;
        for (QPushButton* button : form->findChildren<QPushButton*>()) {
            if (button->text() == QLatin1String("&Calculate")) calculate = button;
        }
        if (!calculate)
            return QStringLiteral("message box: no Calculate in %1").arg(form->windowTitle());

        // A text that stops the calculation with a message.
        QLineEdit* stopper = nullptr;
        if (displacement) {
            stopper = need<QLineEdit>(form, random_.percent(50) ? "txtBore" : "headtx");
            stopper->clear();
        } else {
            QList<QLineEdit*> boxes;
            for (QLineEdit* box : form->findChildren<QLineEdit*>()) {
                if (box->isVisible()) boxes << box;
            }
            stopper = random_.pick(boxes);
            stopper->setText(QStringLiteral("1e999<b>\u202e"));
        }

        // What happens while the box is open.
        QStringList commands = {QStringLiteral("close")};
        if (displacement) {
            commands << "MnuLiters"
                     << "MnuCubin"
                     << "roundtx"
                     << "compratiomnu"
                     << "Com_end"
                     << "Com_calc"
                     << "MnuExit";
        } else {
            commands << "Calculate"
                     << "cascade";
            if (form->findChild<QPushButton*>("Command2")) commands << "Command2";
        }
        const QString command = random_.pick(commands);
        QPointer<QWidget> target = form;
        QPointer<QWidget> window = form->isWindow() ? form : form->parentWidget();
        bool during = false;
        const auto act = [this, command, target, window, calculate = QPointer(calculate)] {
            if (!target) return;
            if (command == QLatin1String("close")) {
                if (window) window->close();
            } else if (command == QLatin1String("Calculate") ||
                       command == QLatin1String("Com_calc")) {
                if (calculate) calculate->click();
            } else if (command == QLatin1String("cascade")) {
                frame_->Arrange(MDIForm1::Cascade);
            } else if (auto* button = target->findChild<QAbstractButton*>(command)) {
                button->click();
            } else if (auto* entry = target->findChild<QAction*>(command)) {
                entry->trigger();
            }
        };
        // Every box that opens is closed once the event loop runs in it; the command comes
        // while the first one is open.
        recorder_.showMessageBoxes = true;
        recorder_.onMessage = [this, &during, act] {
            const bool first = !during;
            during = true;
            QTimer::singleShot(0, [this, first, act] {
                if (first) act();
                QTimer::singleShot(0, [this] { closeMessageBox(); });
            });
        };
        trial_ = true;
        QTest::mouseClick(calculate, Qt::LeftButton);
        settle();
        trial_ = false;
        recorder_.showMessageBoxes = false;
        recorder_.onMessage = nullptr;
        takeFeedback();

        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMessageBox*>(top) && top->isVisible()) {
                problem(QStringLiteral("a message box is still open after the trial"));
            }
        }
        if (command == QLatin1String("close") || command == QLatin1String("MnuExit") ||
            command == QLatin1String("Command2")) {
            if (window && window->isVisible())
                problem(QStringLiteral("the window closed under its message is still open"));
        }
        if (target && displacement &&
            (command == QLatin1String("MnuLiters") || command == QLatin1String("MnuCubin") ||
             command == QLatin1String("roundtx"))) {
            checkShownInOptions(target);
        }
        if (during) ++trials_;
        // From here on the results shown are the ones to keep.
        for (const auto& w : watched_) {
            if (w->form) w->shown = w->texts();
        }
        return QStringLiteral("message box trial in %1: %2 while the box is open%3")
            .arg(target ? target->windowTitle() : QStringLiteral("a closed window"), command,
                 during ? QString() : QStringLiteral(" (no box came)"));
    }

    // Closes the message box that is open, after checking that it shows plain text.
    void closeMessageBox() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        if (box->textFormat() != Qt::PlainText) {
            problem(QStringLiteral("a message box shows %1 as rich text").arg(quoted(box->text())));
        }
        box->button(QMessageBox::Ok)->click();
    }

    // A displacement shown after a change of unit or rounding is the one the refresh gives for
    // the boxes and options as they are.
    void checkShownInOptions(QWidget* form) {
        const auto* shown = need<QLabel>(form, "lblCubicInch");
        if (resultText(shown).isEmpty()) return;
        const DiscomTexts texts =
            RefreshResults(discomEntries(form), discomOptions(form), regionalFormat());
        if (texts.displacement &&
            QString::fromStdString(*texts.displacement) != resultText(shown)) {
            problem(QStringLiteral("discom shows %1 under %2, the refresh gives %3")
                        .arg(quoted(resultText(shown)), need<QLabel>(form, "ci")->text(),
                             quoted(QString::fromStdString(*texts.displacement))));
        }
    }

    // The windows the user can type into or click on now: shown and not minimised.
    QList<QWidget*> usableForms() {
        QList<QWidget*> forms;
        if (!frame_->isMinimized()) {
            for (QMdiSubWindow* sub : frame_->mdiArea()->subWindowList(QMdiArea::CreationOrder)) {
                if (sub->isVisible() && !sub->isMinimized() && sub->widget() &&
                    sub->widget()->isVisible()) {
                    forms << sub->widget();
                }
            }
        }
        if (discom* form = currentDiscom(); form && form->isVisible() && !form->isMinimized()) {
            forms << form;
        }
        return forms;
    }

    QLineEdit* usableBox() {
        QList<QLineEdit*> boxes;
        for (QWidget* form : usableForms()) {
            for (QLineEdit* box : form->findChildren<QLineEdit*>()) {
                if (box->isVisible() && box->isEnabled()) boxes << box;
            }
        }
        return boxes.isEmpty() ? nullptr : random_.pick(boxes);
    }

    // The calculator window a control belongs to.
    static QWidget* formOf(QWidget* control) {
        QWidget* form = control;
        while (form && !form->isWindow() &&
               !qobject_cast<const QMdiSubWindow*>(form->parentWidget())) {
            form = form->parentWidget();
        }
        return form;
    }

    static QString boxName(QLineEdit* box) {
        return QStringLiteral("%1 of %2").arg(box->objectName(), formOf(box)->windowTitle());
    }

    void targetBox(QLineEdit* box) {
        typedInto_ = box;
        if (box->window() != frame_.get()) discomTouched_ = true;
    }

    // The text of one keystroke: digits mostly, then separators, letters and a few others.
    QChar randomCharacter() {
        static const QString separators = QStringLiteral(".,-+ '%&$");
        static const QString letters = QStringLiteral("eEhHoOdDxabcz");
        static const QString others =
            QStringLiteral(
                "\u00e9\u00df\u00bd\u20ac\u00a0\u202f\u2019\u2212\u0660\u066b\u4e2d\t"
                "<>/=;\"\u202e\u202b\u202c\u2066\u2067\u2068\u2069\u200f\u05d0") +
            QChar(0xd83d) + QChar(0xde97) + QChar(0xdc00);
        const int roll = random_.below(100);
        if (roll < 55) return QChar(u'0' + random_.below(10));
        if (roll < 75) {
            const QLocale locale;
            const QString regional =
                locale.decimalPoint() + locale.groupSeparator() + locale.negativeSign();
            const QString all = separators + regional;
            return all.at(random_.below(static_cast<int>(all.size())));
        }
        if (roll < 92) return letters.at(random_.below(static_cast<int>(letters.size())));
        return others.at(random_.below(static_cast<int>(others.size())));
    }

    Key randomKey(const QWidget* form) {
        const int roll = random_.below(100);
        if (roll < 62) return characterKey(randomCharacter());
        if (roll < 70) return {Qt::Key_Backspace, QStringLiteral("\b")};
        if (roll < 74) return {Qt::Key_Delete, QString()};
        if (roll < 78)
            return {random_.percent(50) ? Qt::Key_Return : Qt::Key_Enter, QStringLiteral("\r")};
        if (roll < 84) {
            static const char controls[] = "ACVXZY";
            const char letter = controls[random_.below(6)];
            return {Qt::Key(letter), QString(QChar(letter - 'A' + 1)), Qt::ControlModifier};
        }
        if (roll < 88) {
            static const Qt::Key moves[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End};
            return {moves[random_.below(4)], QString(),
                    random_.percent(30) ? Qt::ShiftModifier : Qt::NoModifier};
        }
        if (roll < 90) return {Qt::Key_Tab, QStringLiteral("\t")};
        if (roll < 92) return {Qt::Key_Escape, QStringLiteral("\x1b")};
        if (roll < 97) return characterKey(QLatin1Char(' '));
        // Alt with a letter: mostly an access key the window shows, else any letter.
        QString keys;
        for (const QWidget* control : form->findChildren<QWidget*>()) {
            QString caption;
            if (auto* label = qobject_cast<const QLabel*>(control)) caption = label->text();
            if (auto* button = qobject_cast<const QAbstractButton*>(control))
                caption = button->text();
            const auto amp = caption.indexOf(QLatin1Char('&'));
            if (amp >= 0 && amp + 1 < caption.size() && caption.at(amp + 1) != QLatin1Char('&')) {
                keys += caption.at(amp + 1).toUpper();
            }
        }
        const QChar letter = !keys.isEmpty() && random_.percent(75)
                                 ? keys.at(random_.below(static_cast<int>(keys.size())))
                                 : QChar(u'A' + random_.below(26));
        return {Qt::Key(letter.unicode()), QString(letter.toLower()), Qt::AltModifier};
    }

    // A number a user might mean for a box of `form`, written in the region's format or with a
    // point: mostly with a point where the box reads only the point, as the user soon learns.
    QString plausibleNumber(const QWidget* form) {
        const QLocale locale;
        const int roll = random_.below(10);
        if (roll == 0) return QStringLiteral("0");
        if (roll < 4) return QString::number(1 + random_.below(roll == 1 ? 9 : 9999));
        const double value = random_.below(1000000) / 1000.0;
        const bool regional = random_.percent(qobject_cast<const frmRPMMPH*>(form) ? 60 : 15);
        QString text = regional ? locale.toString(value, 'f', random_.below(4))
                                : QString::number(value, 'f', random_.below(4));
        if (random_.percent(10)) text.prepend(locale.negativeSign());
        return text;
    }

    // Whether `key` is the access key of a button of `window`.
    static bool pressesButton(const QWidget* window, const Key& key) {
        if (!window || key.modifiers != Qt::AltModifier) return false;
        const QKeySequence typed(QKeyCombination(Qt::AltModifier, key.key));
        const auto buttons = window->findChildren<QAbstractButton*>();
        return std::any_of(buttons.begin(), buttons.end(), [&typed](const QAbstractButton* b) {
            return QKeySequence::mnemonic(b->text()) == typed;
        });
    }

    QString typeKeys() {
        QPointer<QLineEdit> box = usableBox();
        if (!box) return QStringLiteral("type: no box to type into");
        bringUp(box);
        targetBox(box);
        const QString name = boxName(box);
        box->setFocus(Qt::MouseFocusReason);
        std::vector<Key> keys;
        if (random_.percent(50)) {
            // Select what is there and type a number over it, perhaps with Enter after it.
            keys.push_back({Qt::Key_A, QString(QChar(1)), Qt::ControlModifier});
            for (QChar c : plausibleNumber(formOf(box))) keys.push_back(characterKey(c));
            if (random_.percent(30)) keys.push_back({Qt::Key_Return, QStringLiteral("\r")});
        } else {
            const int count = 1 + random_.below(12);
            for (int i = 0; i < count; ++i) keys.push_back(randomKey(formOf(box)));
        }
        QStringList typed;
        bool accessKey = false;
        for (const Key& key : keys) {
            if (!box) break;
            typed << keyName(key);
            QTest::sendKeyEvent(QTest::Click, box, key.key, key.text, key.modifiers);
            while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
            accessKey = accessKey || pressesButton(box ? box->window() : nullptr, key);
        }
        // A button reached by its access key is pressed a moment after the key; the user
        // waits for it, so that the press belongs to this action on every run.
        if (accessKey) QTest::qWait(kAccessKeyPressDelay);
        return QStringLiteral("type into %1: %2").arg(name, typed.join(QLatin1Char(' ')));
    }

    void typeText(QLineEdit* box, const QString& text) {
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_A, QString(QChar(1)), Qt::ControlModifier);
        for (QChar c : text) {
            const Key key = characterKey(c);
            QTest::sendKeyEvent(QTest::Click, box, key.key, key.text, key.modifiers);
        }
    }

    // The user fills in every box of one window with numbers and, mostly, calculates.
    QString fillWindow() {
        const QList<QWidget*> forms = usableForms();
        if (forms.isEmpty()) return QStringLiteral("fill: no window to fill in");
        return fillWindow(random_.pick(forms));
    }

    QString fillWindow(QWidget* form) {
        bringUp(form);
        if (form->isWindow()) discomTouched_ = true;
        QStringList typed;
        for (QLineEdit* box : form->findChildren<QLineEdit*>()) {
            if (!box->isVisible() || !box->isEnabled()) continue;
            const QString number = plausibleNumber(form);
            typeText(box, number);
            typed << box->objectName() + "=" + number;
        }
        typedInto_ = nullptr;
        fillTarget_ = form;
        if (random_.percent(80)) {
            for (QPushButton* button : form->findChildren<QPushButton*>()) {
                if (button->text() == QLatin1String("&Calculate")) button->click();
            }
            typed << QStringLiteral("Calculate");
        }
        return QStringLiteral("fill in %1: %2")
            .arg(form->windowTitle(), typed.join(QLatin1Char(' ')));
    }

    // Ten kilobytes of text of one of several kinds.
    QString pasteText() {
        constexpr int kLength = 10 * 1024;
        QString text;
        text.reserve(kLength + 16);
        switch (random_.below(8)) {
            case 0:
                while (text.size() < kLength) text += QChar(u'0' + random_.below(10));
                break;
            case 1:
                text = QStringLiteral("1") + QString(kLength - 1, QLatin1Char('0'));
                break;
            case 2:
                text = QStringLiteral("0") + QLocale().decimalPoint() +
                       QString(kLength - 3, QLatin1Char('0')) + QStringLiteral("1");
                break;
            case 3:
                while (text.size() < kLength)
                    text += QLocale().toString(random_.below(1000000) / 7.0, 'f', 3) + " ";
                break;
            case 4:
                text = random_.percent(50) ? QStringLiteral("&H") : QStringLiteral("&O");
                while (text.size() < kLength) text += QChar(u'0' + random_.below(8));
                break;
            case 5:
                while (text.size() < kLength) {
                    text += random_.percent(90) ? randomCharacter()
                                                : QChar(char16_t(random_.below(0x20)));
                }
                break;
            case 6: {
                // Markup and direction marks, which a message quoting the box must show as
                // typed: never load a file, never reverse the words after them.
                static const QString hostile[] = {
                    QStringLiteral("1e999<img src=/dev/zero>"),
                    QStringLiteral("<img src=x width=3000 height=3000>"),
                    QStringLiteral("<h1>9</h1>"),
                    QStringLiteral("&lt;b&gt;"),
                    QStringLiteral("\u202e73.3"),
                    QStringLiteral("\u2069\u202e1D308"),
                };
                text = hostile[random_.below(static_cast<int>(std::size(hostile)))];
                if (random_.percent(30)) {
                    while (text.size() < kLength) text += text;
                }
                break;
            }
            default:
                text = QStringLiteral("   ");
                while (text.size() < kLength) text += QStringLiteral("9e9");
                break;
        }
        return text;
    }

    QString paste() {
        QLineEdit* box = usableBox();
        if (!box) return QStringLiteral("paste: no box to paste into");
        bringUp(box);
        targetBox(box);
        box->setFocus(Qt::MouseFocusReason);
        const QString text = pasteText();
        if (random_.percent(50)) box->selectAll();
        QString how;
        switch (random_.below(3)) {
            case 0:
                box->insert(text);
                how = QStringLiteral("insert");
                break;
            case 1:
                QApplication::clipboard()->setText(text);
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_V, QString(QChar(22)),
                                    Qt::ControlModifier);
                how = QStringLiteral("Ctrl+V");
                break;
            default: {
                QApplication::clipboard()->setText(text);
                std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
                QAction* pasteEntry = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
                if (pasteEntry && pasteEntry->isEnabled()) pasteEntry->trigger();
                how = QStringLiteral("context menu Paste");
                break;
            }
        }
        return QStringLiteral("paste %1 into %2 by %3").arg(quoted(text), boxName(box), how);
    }

    QString pressButton() {
        QList<QAbstractButton*> buttons;
        for (QWidget* form : usableForms()) {
            for (QAbstractButton* button : form->findChildren<QAbstractButton*>()) {
                if (button->isVisible() && button->isEnabled()) buttons << button;
            }
        }
        if (buttons.isEmpty()) return QStringLiteral("press: no button to press");
        QAbstractButton* button = random_.pick(buttons);
        bringUp(button);
        if (button->window() != frame_.get()) discomTouched_ = true;
        const QString name =
            QStringLiteral("%1 (%2) of %3")
                .arg(button->objectName(), button->text(), button->window()->objectName());
        QPointer<QWidget> form = button->parentWidget();
        const bool exitButton = button->objectName() == QLatin1String("Com_end");
        const bool closeButton = button->objectName() == QLatin1String("Command2");
        QPointer<QWidget> window = button->window();
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
        if (exitButton && (!window || window->isVisible())) {
            problem(QStringLiteral("Exit did not hide the displacement window"));
        }
        if (closeButton && form)
            problem(QStringLiteral("Close did not close the carburetor window"));
        return QStringLiteral("press %1").arg(name);
    }

    QString changeDiscomOptions() {
        discom* form = currentDiscom();
        if (!form || !form->isVisible() || form->isMinimized()) {
            return frameCommand(0);  // the user opens the window first
        }
        // Options matter most once there is a result: the user mostly calculates one first.
        if (resultText(need<QLabel>(form, "lblCubicInch")).isEmpty() && random_.percent(50)) {
            return fillWindow(form);
        }
        discomTouched_ = true;
        bringUp(form);
        // The unit and the rounding, which show the results again, come up most often.
        static const char* const entries[] = {"MnuCubin",     "MnuLiters",  "roundtx",
                                              "MnuCubin",     "MnuLiters",  "roundtx",
                                              "compratiomnu", "MnuSaveset", "MnuExit"};
        const char* name = entries[random_.below(static_cast<int>(std::size(entries)))];
        QPointer<discom> window = form;
        const QString marks = discomMarks(form);
        const QString entry = QLatin1String(name);
        if (entry == QLatin1String("roundtx")) {
            QTest::mouseClick(need<QCheckBox>(form, name), Qt::LeftButton);
        } else {
            need<QAction>(form, name)->trigger();
        }
        settle();
        if (entry == QLatin1String("MnuExit")) {
            if (window) problem(QStringLiteral("File, Exit left the displacement window"));
        } else if (!window) {
            problem(QStringLiteral("%1 closed the displacement window").arg(entry));
        } else {
            const QString now = discomMarks(window);
            QString expected = marks;
            if (entry == QLatin1String("MnuCubin")) expected.replace(0, 2, QStringLiteral("10"));
            if (entry == QLatin1String("MnuLiters")) expected.replace(0, 2, QStringLiteral("01"));
            const auto toggle = [&expected](int i) {
                expected[i] = expected[i] == QLatin1Char('1') ? QLatin1Char('0') : QLatin1Char('1');
            };
            if (entry == QLatin1String("compratiomnu")) toggle(2);
            if (entry == QLatin1String("MnuSaveset")) toggle(3);
            if (entry == QLatin1String("roundtx")) toggle(4);
            if (now != expected) {
                problem(QStringLiteral("%1 changed the options from %2 to %3, expected %4")
                            .arg(entry, marks, now, expected));
            }
        }
        return QStringLiteral("discom %1").arg(entry);
    }

    QString windowState() {
        QList<QWidget*> windows;
        if (!frame_->isMinimized()) {
            for (QMdiSubWindow* sub : frame_->mdiArea()->subWindowList(QMdiArea::CreationOrder)) {
                windows << sub;
            }
        }
        if (discom* form = currentDiscom(); form && form->isVisible()) windows << form;
        windows << frame_.get();
        QWidget* window = random_.pick(windows);
        const QString name = window->windowTitle();
        if (window == frame_.get()) {
            if (frame_->isMinimized()) {
                frame_->showNormal();
                return QStringLiteral("restore the frame");
            }
            if (random_.percent(70)) return arrange();
            frame_->showMinimized();
            return QStringLiteral("minimise the frame");
        }
        if (qobject_cast<discom*>(window)) discomTouched_ = true;
        QPointer<QWidget> closing = window;
        switch (random_.below(5)) {
            case 0:
                window->showMinimized();
                return QStringLiteral("minimise %1").arg(name);
            case 1:
                window->showNormal();
                return QStringLiteral("restore %1").arg(name);
            case 2:
                if (auto* sub = qobject_cast<QMdiSubWindow*>(window)) {
                    sub->showMaximized();
                    return QStringLiteral("maximise %1").arg(name);
                }
                window->activateWindow();
                return QStringLiteral("activate %1").arg(name);
            case 3:
                if (auto* sub = qobject_cast<QMdiSubWindow*>(window)) {
                    frame_->mdiArea()->setActiveSubWindow(sub);
                    return QStringLiteral("activate %1").arg(name);
                }
                [[fallthrough]];
            default:
                window->close();
                settle();
                if (closing) problem(QStringLiteral("closing %1 left it open").arg(name));
                return QStringLiteral("close %1").arg(name);
        }
    }

    QString arrange() {
        static const std::int16_t codes[] = {0, 1, 2, 3, 0, 1, 2, 3, -1, 4, 32767};
        const std::int16_t code = codes[random_.below(static_cast<int>(std::size(codes)))];
        const auto before = frame_->mdiArea()->subWindowList();
        frame_->Arrange(code);
        settle();
        if (frame_->mdiArea()->subWindowList() != before) {
            problem(QStringLiteral("Arrange %1 changed the child windows").arg(code));
        }
        return QStringLiteral("Arrange %1").arg(code);
    }

    Random random_;
    Recorder recorder_;
    RecordingViewer viewer_;
    std::unique_ptr<MDIForm1> frame_;
    std::vector<std::unique_ptr<Watched>> watched_;
    int consumed_ = 0;
    int lastMph_ = 0;
    int lastRpm_ = 0;
    QStringList problems_;
    std::vector<std::pair<QPointer<QLineEdit>, QString>> boxes_;
    QPointer<QLineEdit> typedInto_;
    QPointer<QWidget> fillTarget_;
    bool discomTouched_ = false;
    bool trial_ = false;
    QPointer<discom> discomBefore_;
    QString marksBefore_;

  public:
    long long calculations_ = 0;
    long long refreshes_ = 0;
    long long resultsShown_ = 0;
    long long failuresShown_ = 0;
    long long trials_ = 0;
};

class TestSoak : public QObject {
    Q_OBJECT

  public:
    // Runs before the application starts. QtTest ends a test function after five minutes
    // unless told otherwise; a long run gets time in proportion to its actions.
    static void initMain() {
        if (!qEnvironmentVariableIsEmpty("QTEST_FUNCTION_TIMEOUT")) return;
        const auto actions = environmentNumber("MOTORECKON_SOAK_ACTIONS", kDefaultActions);
        qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(300000 + actions * 100));
    }

  private slots:
    void initTestCase() { previousHandler = qInstallMessageHandler(quietTestNoise); }
    void cleanupTestCase() { qInstallMessageHandler(previousHandler); }

    void aRandomUserLosesNothing() {
        progress.seed = environmentNumber("MOTORECKON_SOAK_SEED", kDefaultSeed);
        progress.total =
            static_cast<long long>(environmentNumber("MOTORECKON_SOAK_ACTIONS", kDefaultActions));
        progress.index = -1;
        progress.recent.clear();
#if defined(__SANITIZE_ADDRESS__)
        __sanitizer_set_death_callback(reportCrash);
#endif
        std::set_terminate([] {
            reportCrash();
            std::abort();
        });
        std::fprintf(stderr, "soak: seed %llu, %lld actions\n",
                     static_cast<unsigned long long>(progress.seed), progress.total);

        Soak soak(progress.seed);
        for (progress.index = 0; progress.index < progress.total; ++progress.index) {
            const QString problems = soak.step();
            if (!problems.isEmpty()) {
                printReplay(false);
                QFAIL(qPrintable(problems));
            }
            if ((progress.index + 1) % 10000 == 0) {
                std::fprintf(stderr, "soak: %lld actions done\n", progress.index + 1);
            }
        }
        // A full run that never reached a result would prove little; a short replay may not.
        if (progress.total >= kDefaultActions) {
            QVERIFY2(soak.calculations_ > progress.total / 50,
                     qPrintable(QStringLiteral("only %1 Calculates").arg(soak.calculations_)));
            QVERIFY2(soak.refreshes_ > 0, "no refresh of the displacement window ran");
            QVERIFY2(soak.resultsShown_ > 0 && soak.failuresShown_ > 0,
                     "the run never showed both a result and a failure");
            QVERIFY2(soak.trials_ > 0, "no window was closed or commanded under its message box");
        }
        std::fprintf(stderr,
                     "soak: %lld actions, %lld Calculates and %lld refreshes, %lld of them "
                     "reported a failure; %lld windows closed or commanded under their message "
                     "box; no fault\n",
                     progress.total, soak.calculations_, soak.refreshes_, soak.failuresShown_,
                     soak.trials_);
        progress.index = -1;
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
