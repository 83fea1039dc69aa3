// A random user: a seeded sequence of menu commands, keystrokes, pastes, button presses and window
// moves on the real frame, with the program's invariants checked after every action. It knows the
// program as a user does: the Formulas menu from the table of calculators, and each window's boxes,
// buttons, options and results from the window itself; never the formulas.
//
// MOTORECKON_SOAK_SEED and MOTORECKON_SOAK_ACTIONS choose the sequence and its length; a failure
// names both, so the run that found it can be replayed.

#include <QtTest>
#include <QtWidgets>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "app/calculators.h"
#include "app/helpviewer.h"
#include "app/mdiform1.h"
#include "forms/calculator_form.h"
#include "forms/controls.h"
#include "forms/feedback.h"
#include "forms/results.h"
#include "ui/recorder.h"

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
    QStringList recent;  // the last actions, oldest first
};
Progress progress;
constexpr qsizetype kRecentActions = 25;
// Qt presses a button reached by its access key 100 ms after the key.
constexpr int kAccessKeyPressDelay = 150;

// A failure is found after its action, which is then the last one listed; a crash happens during
// its action, which is not listed yet.
void printReplay(bool crashed) {
    std::fprintf(stderr, "soak: seed %llu, action %lld of %lld (counted from 0)\n",
                 static_cast<unsigned long long>(progress.seed), progress.index, progress.total);
    std::fprintf(stderr,
                 "soak: replay with MOTORECKON_SOAK_SEED=%llu "
                 "MOTORECKON_SOAK_ACTIONS=%lld\n",
                 static_cast<unsigned long long>(progress.seed), progress.index + 1);
    std::fprintf(stderr, crashed ? "soak: the actions before the one that crashed:\n"
                                 : "soak: the last actions, the failing one last:\n");
    for (const QString& action : progress.recent)
        std::fprintf(stderr, "  %s\n", qPrintable(action));
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
    int below(std::size_t n) { return static_cast<int>(engine_() % n); }
    bool percent(int p) { return below(100) < p; }
    template <class List>
    auto pick(const List& list) {
        return list.at(below(list.size()));
    }

  private:
    std::mt19937_64 engine_;
};

QString describeEvents(const QVector<Event>& events) {
    QStringList parts;
    for (const Event& e : events) {
        const QString box = e.title + '|' + e.text + "|icon " + QString::number(int(e.icon));
        parts << (e.kind == Event::Kind::Beep ? QStringLiteral("beep") : "box[" + box + ']');
    }
    return '{' + parts.join(QStringLiteral(", ")) + '}';
}

QString quoted(const QString& text) {
    QString shown = text.left(60);
    for (QChar& c : shown) c = c.unicode() < 0x20 ? QChar(u'?') : c;
    return '"' + shown + (text.size() > 60 ? "...\"" : "\"") +
           QStringLiteral(" (%1 chars)").arg(text.size());
}

bool anyShown(const QStringList& texts) {
    return std::any_of(texts.begin(), texts.end(), [](const QString& t) { return !t.isEmpty(); });
}

// The children of `parent` of type T for which `keep` holds.
template <class T, class Keep>
QList<T*> childrenWhere(const QObject* parent, Keep keep) {
    QList<T*> found = parent->findChildren<T*>();
    found.removeIf([&keep](T* child) { return !keep(child); });
    return found;
}

bool usable(const QWidget* control) { return control->isVisible() && control->isEnabled(); }

// The entries of the menus of `window`'s menu bars that do something: no submenus, separators.
QList<QAction*> menuCommands(const QWidget* window) {
    QList<QAction*> commands;
    const std::function<void(const QList<QAction*>&)> collect = [&](const auto& actions) {
        for (QAction* action : actions) {
            if (action->menu()) collect(action->menu()->actions());
            if (!action->menu() && !action->isSeparator()) commands << action;
        }
    };
    for (const QMenuBar* bar : window->findChildren<QMenuBar*>()) collect(bar->actions());
    return commands;
}

// The options of a window: its checkable menu entries and its check boxes.
QList<QObject*> optionsOf(const QWidget* form) {
    QList<QObject*> options;
    for (QAction* entry : menuCommands(form))
        if (entry->isCheckable()) options << entry;
    for (QCheckBox* box : form->findChildren<QCheckBox*>()) options << box;
    return options;
}

// The calculator window a control belongs to.
QWidget* formOf(QWidget* control) {
    QWidget* form = control;
    while (form && !form->isWindow() && !qobject_cast<QMdiSubWindow*>(form->parentWidget()))
        form = form->parentWidget();
    return form;
}

// The names the user knows a box by: the captions of the labels that lead to it, without their
// access key markers, and the name it gives screen readers.
QStringList namesOf(const QWidget* form, const QLineEdit* box) {
    QStringList names;
    for (const QLabel* label :
         childrenWhere<QLabel>(form, [box](QLabel* l) { return l->buddy() == box; })) {
        names << plainCaption(label->text());
    }
    if (!box->accessibleName().isEmpty()) names << box->accessibleName();
    return names;
}

// A text as a message quotes it, without what a quote leaves out or adds: characters that
// would break its line, the writing-direction isolates around it, the replacement character.
QString asQuoted(QString text) {
    return text.removeIf([](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x20 || (u >= 0x7f && u <= 0x9f) || u == 0x2028 || u == 0x2029 ||
               (u >= 0x2066 && u <= 0x2069) || u == 0xfffd;
    });
}

// What a result label shows while its Calculate runs, until the window writes it: no window ever
// writes this.
const QString kSentinel = QStringLiteral("\u2049unwritten\u2049");

// Whether `label` holds a result the window wrote, rather than only the text it was made with:
// result() reads the text shown until a result is written, and from then on the result.
bool holdsResult(ResultLabel* label) {
    const QString shown = label->text();
    label->setText(kSentinel);
    const bool held = label->result() != kSentinel;
    label->setText(shown);
    return held;
}

// A calculator window the user has opened, the row of the table that opened it, and what its
// results showed after its last Calculate or option change: they may change at no other time.
struct Watched {
    const Calculator* row = nullptr;
    QPointer<QWidget> form;
    QPointer<QAbstractButton> calculate;
    std::vector<QPointer<ResultLabel>> results;
    QStringList shown;
    // While Calculate is pressed: what each label that held a result showed before the sentinel
    // replaced it, and where the focus was.
    std::vector<std::optional<QString>> armed;
    bool primed = false;
    QPointer<QWidget> focusBefore;

    QStringList texts() const {
        QStringList list;
        for (const ResultLabel* label : results) list << (label ? label->result() : QString());
        return list;
    }
    QString name() const {
        return QString::fromLatin1(row->entry) + " \"" +
               (form ? form->windowTitle() : QStringLiteral("closed")) + '"';
    }
    // The window the user moves and closes: the child window around the form, or the form.
    QWidget* window() const {
        return form && !form->isWindow() ? form->parentWidget() : form.data();
    }
};

// A typed key: its code, the text it types and the modifiers held.
struct Key {
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;

    QString name() const {
        if (modifiers == Qt::NoModifier && !text.isEmpty() && text.at(0) >= u' ') return text;
        return QKeySequence(QKeyCombination(modifiers, key)).toString();
    }
};

Key characterKey(QChar c) {
    const QChar upper = c.toUpper();
    return {upper.unicode() < 0x100 ? Qt::Key(upper.unicode()) : Qt::Key_unknown, QString(c)};
}

// The locales a session of the program may run in: their separators and groupings differ.
const char* const kLocales[] = {"en_US", "de_DE", "fr_FR", "de_CH", "en_IN", "sv_SE", "ar_EG", "C"};

const QRegularExpression kNumbered(QStringLiteral("^(.+) \\((\\d+)\\)$"));  // "MPH (2)"

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
        progress.recent << action;
        if (progress.recent.size() > kRecentActions) progress.recent.pop_front();
        settle();
        check();
        const QString found = faults_.join('\n');
        faults_.clear();
        return found;
    }

    long long calculations = 0;
    long long refreshes = 0;
    long long resultsShown = 0;
    long long failuresShown = 0;
    long long trials = 0;

  private:
    // Notes a fault unless `holds`.
    void expect(bool holds, const QString& fault) {
        if (!holds) faults_ << fault;
    }

    void startProgram() {
        QLocale::setDefault(QLocale(
            QLatin1String(random_.pick(std::vector(std::begin(kLocales), std::end(kLocales))))));
        frame_ = std::make_unique<MDIForm1>();
        frame_->show();
        commands_ = opening_ = menuCommands(frame_.get());
        opening_.removeIf([](const QAction* entry) {
            const Calculator* row = rowOf(entry);
            return !row || row->opening == Opening::None;
        });
        lastOpened_.clear();
        // A result reads as a number in the region's writing, or in exponent form.
        const QLocale locale;
        const auto escaped = [](const QString& text) { return QRegularExpression::escape(text); };
        numberWriting_.setPattern(
            QStringLiteral("^(?=.*[0-9])(?:%1)?(?:[0-9]|%2)*(?:%3[0-9]*)?(?:E[+-][0-9]+)?$")
                .arg(escaped(locale.negativeSign()), escaped(locale.groupSeparator()),
                     escaped(locale.decimalPoint())));
        settle();
    }

    // The user closes the frame: its child windows close, a shown window of its own stays. The
    // program ends once no window is left, and starts again.
    QString restart() {
        std::vector<std::pair<QPointer<QWidget>, QString>> shown;
        for (QWidget* top : topWindows())
            if (top->isVisible()) shown.emplace_back(top, top->windowTitle());
        frame_->close();
        settle();
        expect(frame_->mdiArea()->subWindowList().isEmpty(), "closing the frame left children");
        for (const auto& [window, title] : shown)
            expect(window && window->isVisible(), "closing the frame closed " + title);
        frame_.reset();
        settle();
        for (QWidget* top : topWindows()) expect(false, top->windowTitle() + " outlived the frame");
        prune();
        expect(watched_.empty(), "a calculator window outlived the frame");
        watched_.clear();
        const QString locale = QLocale().name();
        startProgram();
        return "close the frame and start again (was " + locale + ", now " + QLocale().name() + ")";
    }

    // Lets the event loop run as it would between two user actions: posted events, closed windows
    // deleted, and any menu left open dismissed.
    void settle() {
        for (int round = 0; round < 3; ++round) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        }
    }

    // The user clicks into the window that holds `control` before using it, which makes that window
    // the active one.
    void bringUp(QWidget* control) {
        QWidget* window = control->window();
        if (QApplication::activeWindow() != window) {
            window->activateWindow();
            settle();
        }
        auto* sub = qobject_cast<QMdiSubWindow*>(formOf(control)->parentWidget());
        if (window == frame_.get() && sub && frame_->mdiArea()->activeSubWindow() != sub) {
            frame_->mdiArea()->setActiveSubWindow(sub);
            settle();
        }
    }

    // The windows of their own besides the frame and its dialogs: those shown, and calculators
    // (windows with entry boxes) shown or hidden. Qt keeps hidden helper windows of its own.
    QList<QWidget*> topWindows() const {
        QList<QWidget*> windows = QApplication::topLevelWidgets();
        windows.removeIf([this](const QWidget* top) {
            return top == frame_.get() || top->windowType() != Qt::Window ||
                   qobject_cast<const QDialog*>(top) ||
                   !(top->isVisible() || top->findChild<QLineEdit*>());
        });
        return windows;
    }

    // Every calculator window: the forms of the frame's child windows, and windows of their own.
    QList<QWidget*> allForms() const {
        QList<QWidget*> forms;
        for (QMdiSubWindow* sub : frame_->mdiArea()->subWindowList()) forms << sub->widget();
        forms.removeAll(nullptr);
        return forms + topWindows();
    }

    // Which windows there are, and which of them are shown.
    QString windowsNow() const {
        QString now;
        for (const QWidget* form : allForms()) {
            const QWidget* window = form->isWindow() ? form : form->parentWidget();
            now += QString::number(quintptr(window)) + (window->isVisible() ? "+" : "-");
        }
        return now;
    }

    Watched* watchedOf(const QWidget* form) const {
        for (const auto& w : watched_)
            if (w->form == form) return w.get();
        return nullptr;
    }

    void prune() {
        std::erase_if(watched_, [](const auto& w) { return !w->form; });
    }

    // The feedback given since the last look, now explained.
    QVector<Event> takeFeedback() {
        QVector<Event> fresh = recorder_.events.mid(consumed_);
        consumed_ = static_cast<int>(recorder_.events.size());
        return fresh;
    }

    // Starts watching a window that the row's entry brought up: it opens without results, and every
    // Calculate and option change of it is checked right after the window's own handler.
    void watch(const Calculator* row, QWidget* form) {
        auto w = std::make_unique<Watched>();
        w->row = row;
        w->form = form;
        if (CalculatorForm* calculator = calculatorForm(form)) {
            w->calculate = calculator->calculateButton();
            for (ResultLabel* label : calculator->results()) w->results.emplace_back(label);
        }
        w->armed.resize(w->results.size());
        w->shown = w->texts();
        expect(w->calculate && !w->results.empty(), w->name() + " lacks a Calculate or a result");
        expect(!anyShown(w->shown), w->name() + " opened showing " + w->shown.join('|'));
        Watched* ref = w.get();
        if (w->calculate) {
            QObject::connect(w->calculate, &QAbstractButton::pressed, form,
                             [this, ref] { arm(*ref); });
            QObject::connect(w->calculate, &QAbstractButton::clicked, form,
                             [this, ref] { calculated(*ref); });
        }
        const auto changed = [this, ref] { optionChanged(*ref); };
        for (QObject* option : optionsOf(form)) {
            if (auto* box = qobject_cast<QCheckBox*>(option)) {
                QObject::connect(box, &QCheckBox::toggled, form, changed);
            } else {
                QObject::connect(qobject_cast<QAction*>(option), &QAction::triggered, form,
                                 changed);
            }
        }
        watched_.push_back(std::move(w));
    }

    // Calculate is pressed: each result label that holds a result shows the sentinel until the
    // window writes it. The window reads its results through result(), which keeps them.
    void arm(Watched& w) {
        if (trial_ || w.primed) return;
        w.primed = true;
        w.focusBefore = w.form->window()->focusWidget();
        for (std::size_t i = 0; i < w.results.size(); ++i) {
            if (!holdsResult(w.results[i])) continue;
            w.armed[i] = w.results[i]->text();
            w.results[i]->setText(kSentinel);
        }
    }

    // Puts back what the labels the window did not write showed; returns which it wrote.
    std::vector<bool> disarm(Watched& w) {
        std::vector<bool> written(w.results.size());
        for (std::size_t i = 0; i < w.results.size(); ++i) {
            ResultLabel* label = w.results[i];
            written[i] = w.armed[i] ? label->text() != kSentinel : holdsResult(label);
            if (w.armed[i] && !written[i]) label->setText(*w.armed[i]);
            w.armed[i].reset();
        }
        w.primed = false;
        return written;
    }

    // A failure is reported by exactly one warning and writes no result; a Calculate that shows no
    // message box writes the first result. Beeps and information boxes are no failures.
    void calculated(Watched& w) {
        if (trial_) return;
        ++calculations;
        const bool primed = w.primed;
        const std::vector<bool> written = disarm(w);
        const QVector<Event> feedback = takeFeedback();
        const QString what = w.name() + " Calculate gave " + describeEvents(feedback);
        const Event* warning = nullptr;
        int messages = 0;
        for (const Event& e : feedback) {
            if (e.kind != Event::Kind::Message) continue;
            ++messages;
            expect(e.icon != Feedback::Icon::None, what + ": a box that is no warning");
            expect(e.icon != Feedback::Icon::Warning || !warning, what + ": two failures");
            if (e.icon == Feedback::Icon::Warning) warning = &e;
        }
        QStringList wrote;
        for (std::size_t i = 0; i < written.size(); ++i)
            if (written[i]) wrote << w.results[i]->accessibleDescription();
        expect(!primed || !warning || wrote.isEmpty(),
               what + " and still wrote " + wrote.join(','));
        if (primed && messages == 0 && !written.empty())
            expect(written[0], what + " and wrote no " + w.results[0]->accessibleDescription());
        if (warning) checkWarning(w, *warning, what, primed ? w.focusBefore : nullptr);
        w.shown = w.texts();
        failuresShown += warning != nullptr;
        resultsShown += !warning && anyShown(w.shown);
    }

    // An option may show the results again ("a refresh"), silently unless that fails; a failure is
    // reported by one warning and clears every result, so that none stays under an option that is
    // not its own.
    void optionChanged(Watched& w) {
        if (trial_) return;
        const QVector<Event> feedback = takeFeedback();
        const QStringList now = w.texts();
        const QString what = w.name() + " option change gave " + describeEvents(feedback);
        const bool failed = feedback.size() == 1 && feedback[0].icon == Feedback::Icon::Warning;
        expect(feedback.isEmpty() || failed, what);
        if (failed) checkWarning(w, feedback[0], what, nullptr);
        expect(!failed || !anyShown(now), what + " and left " + now.join('|') + " shown");
        failuresShown += failed;
        refreshes += failed || now != w.shown;
        w.shown = now;
    }

    // A warning is the program's; one that blames a box names a box of the window, quotes what
    // that box holds (as far as the quote goes), and the box then has the focus. One that names
    // none does not move the focus into a box.
    void checkWarning(const Watched& w, const Event& warning, const QString& what,
                      const QWidget* focusBefore) {
        expect(warning.title == kAppTitle, what + ": a warning titled " + warning.title);
        const QString name = warning.text.section(QStringLiteral(": "), 0, 0);
        const QList<QLineEdit*> named = childrenWhere<QLineEdit>(w.form, [&](QLineEdit* box) {
            return warning.text.contains(": ") && namesOf(w.form, box).contains(name);
        });
        static const QRegularExpression quoteIn(QStringLiteral("\"\u2068(.*)\u2069\""));
        if (const QRegularExpressionMatch quote = quoteIn.match(warning.text);
            named.size() == 1 && quote.hasMatch()) {
            const QString held = asQuoted(named[0]->text());
            const QString shown = asQuoted(quote.captured(1));
            expect(held == shown || (shown.endsWith("...") && held.startsWith(shown.chopped(3))),
                   what + ", but " + named[0]->objectName() + " holds " + quoted(held));
        }
        QWidget* focus = w.form->window()->focusWidget();
        const QString focused = focus ? focus->objectName() : QStringLiteral("nothing");
        expect(named.isEmpty() || named.contains(focus),
               what + ", but the focus is on " + focused +
                   (named.isEmpty() || named[0]->isEnabled() ? "" : ", the box blamed disabled"));
        const auto* box = qobject_cast<const QLineEdit*>(focus);
        expect(!named.isEmpty() || !focusBefore || focus == focusBefore || !box ||
                   !w.form->isAncestorOf(box),
               what + ", naming no box, but moved the focus to " + focused);
    }

    // What the entry boxes held before the action.
    void before() {
        typedInto_ = nullptr;
        fillTarget_ = nullptr;
        boxes_.clear();
        for (const auto& w : watched_) {
            for (QLineEdit* box : w->form->findChildren<QLineEdit*>())
                boxes_.emplace_back(box, box->text());
        }
    }

    void check() {
        // A press that never became a click leaves nothing behind.
        for (const auto& w : watched_)
            if (w->form && w->primed) disarm(*w);
        prune();
        checkWindows();
        checkNumbers();
        for (const auto& w : watched_) {
            expect(w->texts() == w->shown, w->name() + " results changed from " +
                                               w->shown.join('|') + " to " + w->texts().join('|') +
                                               " without a Calculate or an option change");
            for (const ResultLabel* label : w->results) {
                expect(label->geometry().right() < label->parentWidget()->width(),
                       w->name() + " shows " + quoted(label->text()) + " cut off by its edge");
                for (const QString& text : {label->text(), label->result()}) {
                    expect(text.isEmpty() || numberWriting_.match(text).hasMatch(),
                           w->name() + " shows " + quoted(text) + ", no number in " +
                               QLocale().name());
                }
            }
        }
        static const QRegularExpression notANumber(QStringLiteral("inf|nan"),
                                                   QRegularExpression::CaseInsensitiveOption);
        for (QWidget* widget : QApplication::allWidgets()) {
            const auto* label = qobject_cast<const QLabel*>(widget);
            if (label && notANumber.match(label->text()).hasMatch())
                expect(false, "label " + label->objectName() + " shows " + quoted(label->text()));
        }
        expect(consumed_ == recorder_.events.size(),
               "feedback no action explains: " + describeEvents(recorder_.events.mid(consumed_)));
        recorder_.events.clear();
        consumed_ = 0;
        // Only typing changes an entry box, and only the one typed into.
        for (const auto& [box, text] : boxes_) {
            if (!box || box == typedInto_ || formOf(box) == fillTarget_) continue;
            expect(box->text() == text, box->objectName() + " of " + formOf(box)->windowTitle() +
                                            " changed from " + quoted(text) + " to " +
                                            quoted(box->text()) + " while no one typed into it");
        }
    }

    // Every calculator window was opened by a row of the table; a shared row has one at most.
    void checkWindows() {
        for (QWidget* form : allForms()) {
            expect(watchedOf(form), "a window no Formulas entry opened: " + form->objectName() +
                                        " \"" + form->windowTitle() + '"');
        }
        std::map<const Calculator*, int> windows;
        for (const auto& w : watched_) ++windows[w->row];
        for (const auto& [row, count] : windows) {
            expect(row->opening != Opening::Shared || count == 1,
                   QString::number(count) + " windows of " + row->entry);
        }
    }

    // The numbers only grow: every window of a numbered row carries a number of its kind that no
    // other open one has, no higher than the count of windows the row opened.
    void checkNumbers() {
        for (const Calculator& row : calculators()) {
            if (row.opening != Opening::Numbered) continue;
            const int opened = frame_->windowsOpened(row);
            const QString counts = QString::fromLatin1(row.entry) + " counts " +
                                   QString::number(opened) + " windows of \"" + kinds_[&row] +
                                   "\" opened";
            expect(opened >= lastOpened_[&row],
                   counts + ", after " + QString::number(lastOpened_[&row]));
            lastOpened_[&row] = opened;
            QSet<QString> seen;
            for (const auto& w : watched_) {
                if (w->row != &row) continue;
                const QString title = w->form->windowTitle();
                const QRegularExpressionMatch match = kNumbered.match(title);
                const int number = match.captured(2).toInt();
                expect(match.hasMatch() && match.captured(1) == kinds_[&row] && number >= 1 &&
                           number <= opened && !seen.contains(title),
                       counts + ", and one is " + quoted(title));
                seen << title;
            }
        }
    }

    QString act() {
        const int roll = random_.below(1000);
        if ((roll < 200 || roll >= 950) && frame_->isMinimized()) return restoreFrame();
        if (roll < 2) return restart();
        if (roll < 12) return messageBoxTrial();
        const QList<QAction*>& commands = random_.percent(40) ? opening_ : commands_;
        if (roll < 170) return frameCommand(random_.pick(commands));
        if (roll < 200) return windowList();
        if (roll < 400) return typeInto(false);
        if (roll < 480) return fillWindow();
        if (roll < 560) return typeInto(true);
        if (roll < 700) return pressButton();
        if (roll < 830) return changeOption();
        if (roll < 950) return windowState();
        return arrange();
    }

    // The frame's menus are out of reach until the user brings the frame back.
    QString restoreFrame() {
        frame_->showNormal();
        return QStringLiteral("restore the frame");
    }

    static const Calculator* rowOf(const QAction* entry) {
        for (const Calculator& row : calculators())
            if (entry->objectName() == QLatin1String(row.entry)) return &row;
        return nullptr;
    }

    // One of the frame's menu commands. An entry of the table gives no feedback: it opens a window,
    // or does nothing at all. The frame's other commands change no window, make one help request at
    // most, and report the help viewer's failure in its own words; nothing else is a failure.
    QString frameCommand(QAction* entry) {
        const Calculator* row = rowOf(entry);
        const bool opens = row && row->opening != Opening::None;
        bringUp(frame_.get());
        const QString windowsBefore = windowsNow();
        const QList<QWidget*> formsBefore = allForms();
        const int opened = opens ? frame_->windowsOpened(*row) : 0;
        const auto requests = viewer_.requests.size();
        viewer_.error = random_.percent(30) ? "The viewer cannot start." : "";
        entry->trigger();
        settle();
        const QVector<Event> feedback = takeFeedback();
        const auto made = viewer_.requests.size() - requests;
        const bool viewerFailed = made > 0 && !viewer_.error.empty();
        const QString what = entry->objectName() + " gave " + describeEvents(feedback);
        for (const auto& request : viewer_.requests.mid(requests)) {
            expect(request.helpFile == helpFilePath().toLocal8Bit(), what + " for another file");
        }
        expect(!row || (feedback.isEmpty() && made == 0), what);
        if (opens) checkOpening(*row, formsBefore, opened, what);
        expect(opens || windowsNow() == windowsBefore, what + " and changed the windows");
        expect(made <= 1, what + " after " + QString::number(made) + " help requests");
        expect(!viewerFailed || (feedback.size() == 1 && feedback[0].title == kAppTitle &&
                                 feedback[0].text == QString::fromStdString(viewer_.error)),
               what + ", reporting the viewer's failure");
        for (const Event& e : feedback)
            expect(e.kind != Event::Kind::Beep && e.icon != Feedback::Icon::Warning, what);
        return "menu " + entry->objectName() + (viewerFailed ? " (the viewer fails)" : "");
    }

    // After the entry of a row that opens a window: a shared row brings up the window it has, or
    // makes one; a numbered row makes one more, numbered on.
    void checkOpening(const Calculator& row, const QList<QWidget*>& formsBefore, int openedBefore,
                      const QString& what) {
        QList<QWidget*> fresh = allForms();
        fresh.removeIf([&formsBefore](QWidget* form) { return formsBefore.contains(form); });
        Watched* existing = nullptr;
        for (const auto& w : watched_)
            if (row.opening == Opening::Shared && w->row == &row && w->form) existing = w.get();
        expect(fresh.size() == (existing ? 0 : 1),
               what + " and made " + QString::number(fresh.size()) + " windows");
        if (!existing && fresh.size() == 1) {
            watch(&row, fresh[0]);
            existing = watched_.back().get();
        }
        if (!existing) return;
        expect(existing->window()->isVisible(), what + " and did not show its window");
        expect(existing->form->isWindow() ||
                   frame_->mdiArea()->activeSubWindow() == existing->window(),
               what + " and did not make its window the active one");
        if (row.opening != Opening::Numbered) return;
        const int count = frame_->windowsOpened(row);
        const QString title = existing->form->windowTitle();
        const QRegularExpressionMatch match = kNumbered.match(title);
        if (kinds_[&row].isEmpty()) kinds_[&row] = match.captured(1);
        expect(count == openedBefore + 1 && match.hasMatch() && match.captured(1) == kinds_[&row] &&
                   match.captured(2).toInt() == count,
               what + " and opened " + quoted(title) + " as window " + QString::number(count) +
                   " of \"" + kinds_[&row] + "\", after " + QString::number(openedBefore));
    }

    // Opens the Window menu and chooses one of the windows it lists, or "More Windows...".
    QString windowList() {
        bringUp(frame_.get());
        auto* menu = frame_->findChild<QMenu*>(QStringLiteral("mnuWindow"));
        emit menu->aboutToShow();
        QList<QAction*> entries = menu->actions();
        entries.removeIf([](const QAction* action) {
            return action->isSeparator() ||
                   (!action->objectName().isEmpty() && action->objectName() != "mnuMoreWindows");
        });
        if (entries.isEmpty()) return QStringLiteral("open the Window menu: no windows listed");
        QList<QMdiSubWindow*> listed = frame_->mdiArea()->subWindowList();
        listed.removeIf([](const QMdiSubWindow* sub) { return !sub->isVisible(); });
        int choice = random_.below(entries.size());
        QAction* entry = entries.at(choice);
        const bool more = entry->objectName() == QLatin1String("mnuMoreWindows");
        QString action = "Window menu: " + entry->text();
        bool accept = true;
        entry->trigger();
        if (auto* dialog = frame_->findChild<QDialog*>(QStringLiteral("dlgSelectWindow")); more) {
            expect(dialog, action + " opened no dialog");
            if (!dialog) return action;
            bringUp(dialog);  // the user works in the dialog
            auto* list = dialog->findChild<QListWidget*>();
            expect(list->count() == listed.size(), action + " lists " +
                                                       QString::number(list->count()) + " of " +
                                                       QString::number(listed.size()) + " windows");
            choice = random_.below(list->count() + 1) - 1;
            list->setCurrentRow(choice);
            accept = random_.percent(80);
            QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(
                                  accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                              Qt::LeftButton);
            action += ", row " + QString::number(choice) + (accept ? ", OK" : ", Cancel");
            settle();
            // The window manager gives the focus back to the frame once the dialog is gone.
            bringUp(frame_.get());
        }
        settle();
        QMdiSubWindow* chosen = choice >= 0 && choice < listed.size() ? listed[choice] : nullptr;
        expect(!accept || (more && !chosen) ||
                   (chosen && frame_->mdiArea()->activeSubWindow() == chosen &&
                    !chosen->isMinimized()),
               action + " did not bring up its window");
        return action;
    }

    // The user makes a calculation stop on a message and, while the real message box is open,
    // closes the window or gives it another command, as a screen reader or a window manager can;
    // then closes the box, and any box that follows. The program goes on, and no box stays.
    QString messageBoxTrial() {
        const QList<QWidget*> forms = usableForms();
        if (forms.isEmpty()) return QStringLiteral("message box: no window");
        QWidget* form = random_.pick(forms);
        const Watched* w = watchedOf(form);
        const QList<QLineEdit*> boxes = childrenWhere<QLineEdit>(form, usable);
        const QString where = w->name();
        if (!w->calculate || boxes.isEmpty()) return "message box: nothing to use in " + where;
        bringUp(form);
        fillTarget_ = form;
        // A text that stops the calculation with a message: an empty box, or markup after a number
        // too large.
        random_.pick(boxes)->setText(random_.percent(50) ? "" : QStringLiteral("1e999<b>\u202e"));
        // What happens while the box is open: the window is closed, the frame arranges its windows,
        // or one of the window's buttons or menu entries is chosen.
        std::vector<std::pair<QString, QPointer<QObject>>> commands = {{"close", w->window()},
                                                                       {"cascade", frame_.get()}};
        for (QAbstractButton* button : childrenWhere<QAbstractButton>(form, usable))
            commands.emplace_back(button->objectName(), button);
        for (QAction* entry : menuCommands(form)) commands.emplace_back(entry->objectName(), entry);
        const auto [command, target] = random_.pick(commands);
        const auto run = [this, command = command, target = target] {
            if (command == "cascade") frame_->Arrange(MDIForm1::Cascade);
            if (auto* button = qobject_cast<QAbstractButton*>(target)) button->click();
            if (auto* entry = qobject_cast<QAction*>(target)) entry->trigger();
            if (auto* window = qobject_cast<QWidget*>(target); window && command == "close")
                window->close();
        };
        bool during = false;
        // Every box that opens is closed once the event loop runs in it; the command comes while
        // the first one is open.
        recorder_.showMessageBoxes = true;
        recorder_.onMessage = [this, &during, run] {
            const bool first = !during;
            during = true;
            QTimer::singleShot(0, [this, first, run] {
                if (first) run();
                QTimer::singleShot(0, [this] { closeMessageBox(); });
            });
        };
        trial_ = true;
        QTest::mouseClick(w->calculate, Qt::LeftButton);
        settle();
        trial_ = false;
        recorder_.showMessageBoxes = false;
        recorder_.onMessage = nullptr;
        takeFeedback();
        for (const QWidget* top : QApplication::topLevelWidgets()) {
            expect(!qobject_cast<const QMessageBox*>(top) || !top->isVisible(),
                   "a message box is still open after the trial");
        }
        const auto* window = qobject_cast<const QWidget*>(target.data());
        expect(!during || command != "close" || !window || !window->isVisible(),
               "the window closed under its message is still open");
        trials += during;
        // From here on the results shown are the ones to keep.
        for (const auto& watched : watched_)
            if (watched->form) watched->shown = watched->texts();
        return "message box trial in " + where + ": " + command + " while the box is open" +
               (during ? "" : " (no box came)");
    }

    // Closes the message box that is open, after checking that it shows plain text.
    void closeMessageBox() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        expect(box->textFormat() == Qt::PlainText, "a box shows rich text: " + quoted(box->text()));
        box->button(QMessageBox::Ok)->click();
    }

    // The windows the user can type into or click on now: shown and not minimised.
    QList<QWidget*> usableForms() const {
        QList<QWidget*> forms;
        for (const auto& w : watched_) {
            const QWidget* window = w->window();
            if (window && window->isVisible() && !window->isMinimized() && w->form->isVisible() &&
                (w->form->isWindow() || !frame_->isMinimized())) {
                forms << w->form;
            }
        }
        return forms;
    }

    // The text of one keystroke: digits mostly, then separators, letters and a few others.
    QChar randomCharacter() {
        static const QString separators = QStringLiteral(".,-+ '%&$");
        static const QString letters = QStringLiteral("eEhHoOdDxabcz");
        static const QString others =
            QStringLiteral(
                "\u00e9\u00df\u00bd\u20ac\u00a0\u202f\u2019\u2212\u0660\u066b\u4e2d"
                "\t"
                "<>/=;\"\u202e\u202b\u202c\u2066\u2067\u2068\u2069\u200f\u05d0") +
            QChar(0xd83d) + QChar(0xde97) + QChar(0xdc00);
        const int roll = random_.below(100);
        if (roll < 55) return QChar(u'0' + random_.below(10));
        const QLocale locale;
        if (roll >= 75) return random_.pick(roll < 92 ? letters : others);
        return random_.pick(separators + locale.decimalPoint() + locale.groupSeparator() +
                            locale.negativeSign());
    }

    Key randomKey(const QWidget* form) {
        static const Key others[] = {
            {Qt::Key_Backspace, "\b"}, {Qt::Key_Backspace, "\b"}, {Qt::Key_Delete, ""},
            {Qt::Key_Return, "\r"},    {Qt::Key_Enter, "\r"},     {Qt::Key_Left, ""},
            {Qt::Key_Right, ""},       {Qt::Key_Home, ""},        {Qt::Key_End, ""},
            {Qt::Key_Tab, "\t"},       {Qt::Key_Escape, "\x1b"},  {Qt::Key_Space, " "}};
        const int roll = random_.below(100);
        if (roll < 62) return characterKey(randomCharacter());
        if (roll < 68) {
            const char letter = "ACVXZY"[random_.below(6)];
            return {Qt::Key(letter), QString(QChar(letter - 'A' + 1)), Qt::ControlModifier};
        }
        if (roll < 97) {
            Key key = random_.pick(std::vector(std::begin(others), std::end(others)));
            if (key.text.isEmpty() && random_.percent(30)) key.modifiers = Qt::ShiftModifier;
            return key;
        }
        // Alt with a letter: mostly an access key the window shows, else any letter.
        QString keys;
        for (const QWidget* control : form->findChildren<QWidget*>()) {
            const auto* label = qobject_cast<const QLabel*>(control);
            const auto* button = qobject_cast<const QAbstractButton*>(control);
            const QString caption = label ? label->text() : button ? button->text() : QString();
            const QKeySequence key = QKeySequence::mnemonic(caption);
            if (!key.isEmpty()) keys += QChar(char16_t(key[0].key()));
        }
        const QChar letter = !keys.isEmpty() && random_.percent(75)
                                 ? random_.pick(keys)
                                 : QChar(u'A' + random_.below(26));
        return {Qt::Key(letter.unicode()), QString(letter.toLower()), Qt::AltModifier};
    }

    // A number a user might mean, written mostly with a point, sometimes in the region's format.
    QString plausibleNumber() {
        const QLocale locale;
        const int roll = random_.below(10);
        if (roll == 0) return QStringLiteral("0");
        // Now and then a large one, whose results may need more room than their window has.
        if (roll == 1)
            return QString::number(1 + random_.below(9999)) + QString(random_.below(12), u'0');
        if (roll < 4) return QString::number(1 + random_.below(roll == 2 ? 9 : 9999));
        const double value = random_.below(1000000) / 1000.0;
        QString text = random_.percent(25) ? locale.toString(value, 'f', random_.below(4))
                                           : QString::number(value, 'f', random_.below(4));
        if (random_.percent(10)) text.prepend(locale.negativeSign());
        return text;
    }

    // Selects what `box` holds and types `number` over it.
    static void typeOver(QLineEdit* box, const QString& number) {
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_A, QString(QChar(1)), Qt::ControlModifier);
        for (const QChar c : number) {
            const Key key = characterKey(c);
            QTest::sendKeyEvent(QTest::Click, box, key.key, key.text, key.modifiers);
        }
    }

    // The user types into a box, or pastes into it.
    QString typeInto(bool pasting) {
        QList<QLineEdit*> boxes;
        for (QWidget* form : usableForms()) boxes += childrenWhere<QLineEdit>(form, usable);
        if (boxes.isEmpty()) return QStringLiteral("type: no box to type into");
        QPointer<QLineEdit> box = random_.pick(boxes);
        bringUp(box);
        typedInto_ = box;
        QPointer<QWidget> form = formOf(box);
        box->setFocus(Qt::MouseFocusReason);
        QString typed = "into " + box->objectName() + " of " + form->windowTitle() + ":";
        if (pasting) return "paste " + typed + paste(box);
        typed.prepend("type ");
        if (random_.percent(50)) {
            // Type a number over what is there, perhaps with Enter after it.
            const QString number = plausibleNumber();
            typeOver(box, number);
            if (random_.percent(30)) QTest::keyClick(box, Qt::Key_Return);
            return typed + " Ctrl+A " + number;
        }
        bool pressed = false;
        for (int i = 1 + random_.below(12); i > 0 && box && form; --i) {
            const Key key = randomKey(form);
            typed += ' ' + key.name();
            const QKeySequence sequence(QKeyCombination(key.modifiers, key.key));
            for (const QAbstractButton* button : form->findChildren<QAbstractButton*>())
                pressed = pressed || QKeySequence::mnemonic(button->text()) == sequence;
            QTest::sendKeyEvent(QTest::Click, box, key.key, key.text, key.modifiers);
            while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        }
        // A button reached by its access key is pressed a moment after the key; the user waits for
        // it, so that the press belongs to this action on every run.
        if (pressed) QTest::qWait(kAccessKeyPressDelay);
        return typed;
    }

    // The user fills in every box of one window with numbers and, mostly, calculates.
    QString fillWindow(QWidget* form = nullptr) {
        const QList<QWidget*> forms = usableForms();
        if (!form && forms.isEmpty()) return QStringLiteral("fill: no window");
        if (!form) form = random_.pick(forms);
        bringUp(form);
        fillTarget_ = form;
        QString typed = "fill in " + form->windowTitle() + ":";
        for (QLineEdit* box : childrenWhere<QLineEdit>(form, usable)) {
            const QString number = plausibleNumber();
            typeOver(box, number);
            typed += ' ' + box->objectName() + '=' + number;
        }
        if (const Watched* w = watchedOf(form); w->calculate && random_.percent(80)) {
            w->calculate->click();
            typed += QStringLiteral(" Calculate");
        }
        return typed;
    }

    // Ten kilobytes of text of one of several kinds: digits, a number too large or too small,
    // regional numbers, octal or hexadecimal, any characters, markup and direction marks (which a
    // message quoting the box must show as typed: never load a file, never reverse the words after
    // them), or exponents after blanks.
    QString pasteText() {
        static const QStringList hostile = {QStringLiteral("1e999<img src=/dev/zero>"),
                                            QStringLiteral("<h1>9</h1>"),
                                            QStringLiteral("<img src=x width=3000 height=3000>"),
                                            QStringLiteral("&lt;b&gt;"),
                                            QStringLiteral("\u202e73.3"),
                                            QStringLiteral("\u2069\u202e1D308")};
        const QLocale locale;
        const int kind = random_.below(8);
        const QString octal = random_.percent(50) ? QStringLiteral("&H") : QStringLiteral("&O");
        QString text = QStringList{"",    "1", '0' + locale.decimalPoint(), "",
                                   octal, "",  random_.pick(hostile),       "   "}
                           .at(kind);
        if (kind == 6 && random_.percent(70)) return text;
        while (text.size() < 10 * 1024) {
            if (kind == 0) text += QChar(u'0' + random_.below(10));
            if (kind == 1 || kind == 2) text += u'0';
            if (kind == 3) text += locale.toString(random_.below(1000000) / 7.0, 'f', 3) + ' ';
            if (kind == 4) text += QChar(u'0' + random_.below(8));
            if (kind == 5) {
                text +=
                    random_.percent(90) ? randomCharacter() : QChar(char16_t(random_.below(32)));
            }
            if (kind == 6) text += text;
            if (kind == 7) text += QStringLiteral("9e9");
        }
        return kind == 2 ? text + '1' : text;
    }

    // Pastes into `box` in one of the ways a user has; returns what and how.
    QString paste(QLineEdit* box) {
        const QString text = pasteText();
        if (random_.percent(50)) box->selectAll();
        const int way = random_.below(3);
        if (way > 0) QApplication::clipboard()->setText(text);
        if (way == 0) box->insert(text);
        if (way == 1) QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        if (way == 2) {
            std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
            QAction* entry = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
            if (entry && entry->isEnabled()) entry->trigger();
        }
        return ' ' + quoted(text) + " by " + QStringList{"insert", "Ctrl+V", "the menu"}.at(way);
    }

    QString pressButton() {
        QList<QAbstractButton*> buttons;
        for (QWidget* form : usableForms()) buttons += childrenWhere<QAbstractButton>(form, usable);
        if (buttons.isEmpty()) return QStringLiteral("press: no button to press");
        QAbstractButton* button = random_.pick(buttons);
        bringUp(button);
        const QString name =
            button->objectName() + " (" + button->text() + ") of " + formOf(button)->windowTitle();
        QTest::mouseClick(button, Qt::LeftButton);
        return "press " + name;
    }

    // One of a window's options or other menu entries; the options come up most often.
    QString changeOption() {
        QList<QWidget*> forms = usableForms();
        forms.removeIf([](const QWidget* form) {
            return menuCommands(form).isEmpty() && optionsOf(form).isEmpty();
        });
        // The user opens a window first, from the frame's menu.
        if (forms.isEmpty() && frame_->isMinimized()) return restoreFrame();
        if (forms.isEmpty()) return frameCommand(random_.pick(opening_));
        QWidget* form = random_.pick(forms);
        // Options matter most once there is a result: the user mostly calculates one first.
        if (!anyShown(watchedOf(form)->texts()) && random_.percent(50)) return fillWindow(form);
        bringUp(form);
        QList<QObject*> choices;
        for (QAction* entry : menuCommands(form)) choices << entry;
        for (QObject* option : optionsOf(form)) choices << option << option;
        QObject* choice = random_.pick(choices);
        if (auto* box = qobject_cast<QCheckBox*>(choice); box && usable(box)) {
            QTest::mouseClick(box, Qt::LeftButton);
        } else if (auto* entry = qobject_cast<QAction*>(choice)) {
            entry->trigger();
        }
        return "choose " + choice->objectName() + " of " + form->windowTitle();
    }

    QString windowState() {
        QList<QWidget*> windows = topWindows();
        windows.removeIf([](const QWidget* top) { return !top->isVisible(); });
        if (!frame_->isMinimized())
            for (QMdiSubWindow* sub : frame_->mdiArea()->subWindowList()) windows << sub;
        QWidget* window = random_.below(windows.size() + 1) ? random_.pick(windows) : nullptr;
        if (!window && frame_->isMinimized()) return restoreFrame();
        if (!window && random_.percent(70)) return arrange();
        if (!window) {
            frame_->showMinimized();
            return QStringLiteral("minimise the frame");
        }
        const QString name = window->windowTitle();
        QPointer<QWidget> closing = window;
        auto* sub = qobject_cast<QMdiSubWindow*>(window);
        switch (random_.below(4)) {
            case 0:
                window->showMinimized();
                return "minimise " + name;
            case 1:
                window->showNormal();
                return "restore " + name;
            case 2:
                sub ? sub->showMaximized() : window->activateWindow();
                return (sub ? "maximise " : "activate ") + name;
            default:
                window->close();
                settle();
                expect(!closing || !closing->isVisible(), "closing " + name + " left it open");
                return "close " + name;
        }
    }

    QString arrange() {
        static const std::int16_t codes[] = {0, 1, 2, 3, 0, 1, 2, 3, -1, 4, 32767};
        const std::int16_t code = codes[random_.below(std::size(codes))];
        const auto before = frame_->mdiArea()->subWindowList();
        frame_->Arrange(code);
        settle();
        expect(frame_->mdiArea()->subWindowList() == before,
               "Arrange " + QString::number(code) + " changed the child windows");
        return "Arrange " + QString::number(code);
    }

    Random random_;
    Recorder recorder_;
    test::HelpRecorder viewer_;
    std::unique_ptr<MDIForm1> frame_;
    QList<QAction*> commands_;  // the frame's menu entries, as it was made
    QList<QAction*> opening_;   // those of them that open a calculator window
    std::vector<std::unique_ptr<Watched>> watched_;
    std::map<const Calculator*, int> lastOpened_;
    std::map<const Calculator*, QString> kinds_;  // "MPH" of "MPH (2)", from its first window
    QRegularExpression numberWriting_;
    int consumed_ = 0;
    QStringList faults_;
    std::vector<std::pair<QPointer<QLineEdit>, QString>> boxes_;
    QPointer<QLineEdit> typedInto_;
    QPointer<QWidget> fillTarget_;
    bool trial_ = false;
};

class TestSoak : public QObject {
    Q_OBJECT

  public:
    // Runs before the application starts. QtTest ends a test function after five minutes unless
    // told otherwise; a long run gets time in proportion to its actions.
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
            const QString faults = soak.step();
            if (!faults.isEmpty()) {
                printReplay(false);
                QFAIL(qPrintable(faults));
            }
            if ((progress.index + 1) % 10000 == 0)
                std::fprintf(stderr, "soak: %lld actions done\n", progress.index + 1);
        }
        // A full run that never reached a result would prove little; a short replay may not.
        if (progress.total >= kDefaultActions) {
            QVERIFY2(soak.calculations > progress.total / 50,
                     qPrintable(QStringLiteral("only %1 Calculates").arg(soak.calculations)));
            QVERIFY2(soak.refreshes > 0, "no option change showed the results again");
            QVERIFY2(soak.resultsShown > 0 && soak.failuresShown > 0,
                     "the run never showed both a result and a failure");
            QVERIFY2(soak.trials > 0, "no window was closed or commanded under its message box");
        }
        std::fprintf(stderr,
                     "soak: %lld actions, %lld Calculates, %lld refreshes, %lld failures "
                     "reported, %lld windows closed or commanded under their message box; "
                     "no "
                     "fault\n",
                     progress.total, soak.calculations, soak.refreshes, soak.failuresShown,
                     soak.trials);
        progress.index = -1;
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
