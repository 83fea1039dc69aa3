#include "forms/calculation.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include "core/failures.h"
#include "forms/calculator_form.h"
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

// Runs the commands that waited for the calculation of `form`, in the order they came, while
// its window is there.
void runWaiting(CalculatorForm& form, const QPointer<QWidget>& window) {
    CalculatorForm::Commands& commands = form.commands();
    while (window && !commands.running && !commands.waiting.empty()) {
        const std::function<void()> command = std::move(commands.waiting.front());
        commands.waiting.pop_front();
        command();
    }
}

}  // namespace

bool runCalculation(CalculatorForm& form, const std::function<void()>& handler) {
    CalculatorForm::Commands& commands = form.commands();
    if (commands.running) {
        commands.waiting.push_back([&form, handler] { runCalculation(form, handler); });
        return false;
    }
    QWidget* window = form.widget();
    const QPointer<QWidget> alive(window);
    commands.running = true;
    bool ended = true;
    try {
        handler();
    } catch (const CalculationFailure& failure) {
        ended = false;
        QString text = QString::fromStdString(failure.describe());
        const int field = failure.field().number;
        const std::span<QLineEdit* const> boxes = form.entryBoxes();
        QPointer<QLineEdit> box =
            field >= 0 && static_cast<std::size_t>(field) < boxes.size() ? boxes[field] : nullptr;
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
    commands.running = false;
    runWaiting(form, alive);
    return ended;
}

void runCommand(CalculatorForm& form, const std::function<void()>& command) {
    CalculatorForm::Commands& commands = form.commands();
    if (commands.running) {
        commands.waiting.push_back(command);
        return;
    }
    command();
}

void connectCheckedCommand(CalculatorForm& form, QAction* entry,
                           const std::function<void()>& command) {
    QObject::connect(entry, &QAction::triggered, form.widget(),
                     [&form, entry, command](bool checked) {
                         entry->setChecked(!checked);
                         runCommand(form, [entry, command, checked] {
                             entry->setChecked(checked);
                             command();
                         });
                     });
}

}  // namespace motoreckon
