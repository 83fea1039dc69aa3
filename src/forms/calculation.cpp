#include "forms/calculation.h"

#include <QAction>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>
#include <deque>

#include "core/failures.h"
#include "forms/controls.h"
#include "forms/feedback.h"

namespace motoreckon {

namespace {

// The name of a box as its label shows it: the label whose buddy it is, without the access
// key marker and trailing blanks; else the name the box gives screen readers.
QString labelFor(const QWidget* window, const QLineEdit* box) {
    const auto labels = window->findChildren<QLabel*>();
    for (const QLabel* label : labels) {
        if (label->buddy() == box) return plainCaption(label->text());
    }
    return box->accessibleName();
}

// The calculation a window is running, and the commands that wait for it to end. It belongs
// to the window and goes with it.
class Commands final : public QObject {
  public:
    static Commands* of(QWidget* window) {
        Commands*& commands = ofWindow()[window];
        if (!commands) commands = new Commands(window);
        return commands;
    }

    ~Commands() override { ofWindow().remove(parent()); }

    bool running = false;
    std::deque<std::function<void()>> waiting;

  private:
    explicit Commands(QWidget* window) : QObject(window) {}

    // Found by their window on every command, quicker than among the window's children.
    static QHash<const QObject*, Commands*>& ofWindow() {
        static QHash<const QObject*, Commands*> commands;
        return commands;
    }
};

// Runs the commands that waited for the calculation of `window`, in the order they came.
void runWaiting(const QPointer<QWidget>& window) {
    while (window) {
        Commands* commands = Commands::of(window);
        if (commands->running || commands->waiting.empty()) return;
        const std::function<void()> command = std::move(commands->waiting.front());
        commands->waiting.pop_front();
        command();
    }
}

}  // namespace

bool runCalculation(QWidget* window, const QList<QLineEdit*>& boxes,
                    const std::function<void()>& handler) {
    Commands* commands = Commands::of(window);
    if (commands->running) {
        commands->waiting.push_back(
            [window, boxes, handler] { runCalculation(window, boxes, handler); });
        return false;
    }
    const QPointer<QWidget> alive(window);
    commands->running = true;
    bool ended = true;
    try {
        handler();
    } catch (const CalculationFailure& failure) {
        ended = false;
        QString text = QString::fromStdString(failure.describe());
        const int field = failure.field().number;
        QPointer<QLineEdit> box = field >= 0 && field < boxes.size() ? boxes.at(field) : nullptr;
        if (box) {
            const QString name = labelFor(window, box);
            if (!name.isEmpty()) text = name + QStringLiteral(": ") + text;
        }
        if (alive) feedback().message(window, kAppTitle, text, Feedback::Icon::Warning);
        if (box) {
            box->setFocus(Qt::OtherFocusReason);
            box->selectAll();
        }
    }
    if (!alive) return false;
    commands->running = false;
    runWaiting(alive);
    return ended;
}

void runCommand(QWidget* window, const std::function<void()>& command) {
    Commands* commands = Commands::of(window);
    if (commands->running) {
        commands->waiting.push_back(command);
        return;
    }
    command();
}

void connectCheckedCommand(QWidget* window, QAction* entry, const std::function<void()>& command) {
    QObject::connect(entry, &QAction::triggered, window, [window, entry, command](bool checked) {
        entry->setChecked(!checked);
        runCommand(window, [entry, command, checked] {
            entry->setChecked(checked);
            command();
        });
    });
}

}  // namespace motoreckon
