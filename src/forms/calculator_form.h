#pragma once

#include <QLineEdit>
#include <QString>
#include <array>
#include <deque>
#include <functional>
#include <initializer_list>
#include <span>

#include "forms/controls.h"

class QAbstractButton;
class QWidget;

namespace motoreckon {

class ResultLabel;

// What every calculator window offers: the boxes of its entries, its Calculate button and its
// results. The frame, the kit and the tests reach a window's parts through it, never through
// its captions. A window implements it beside its Qt base class.
class CalculatorForm {
  public:
    virtual ~CalculatorForm() = default;

    // The window itself.
    virtual QWidget* widget() = 0;
    // The boxes of the entries Calculate reads now, each at the number its calculation gives the
    // entry (EntryBoxes::boxes).
    virtual std::span<QLineEdit* const> entryBoxes() const = 0;
    virtual QAbstractButton* calculateButton() const = 0;
    // The labels Calculate writes its results into, in the order they are laid out.
    virtual std::span<ResultLabel* const> results() const = 0;

    // The calculation the window is running, and the commands that wait for it to end
    // (runCalculation, runCommand).
    struct Commands {
        bool running = false;
        std::deque<std::function<void()>> waiting;
    };
    Commands& commands() { return commands_; }

  private:
    Commands commands_;
};

// The calculator window `widget` is, or nullptr when it is none.
CalculatorForm* calculatorForm(QWidget* widget);

// Binds `box` to the entry numbered `field` among `boxes`, and checks what `bind` promises.
void bindEntry(std::span<QLineEdit*> boxes, int field, QLineEdit* box);
void requireEveryEntryBound(std::span<QLineEdit* const> boxes);

// The entry boxes of a window for the calculation whose entries are `Entries` (an EntryTexts),
// each bound to its entry by the entry's name, never by its place in a list.
template <class Entries>
class EntryBoxes {
  public:
    using Field = typename Entries::Field;
    struct Binding {
        Field field;
        QLineEdit* box;
    };

    // Binds each entry to its box, whose tooltip, and so its accessible description, becomes
    // what the entry takes (describeEntry): a box bound to another entry says so. An entry left
    // unbound or bound twice, or a box bound to two entries, stops the program with a message
    // that names them, in every build: a window whose boxes are mixed up never loads.
    void bind(std::initializer_list<Binding> bindings) {
        for (const Binding& binding : bindings) {
            bindEntry(boxes_, binding.field, binding.box);
            describeEntry(binding.box, QString::fromUtf8(Entries::hint(binding.field)));
        }
        requireEveryEntryBound(boxes_);
    }

    // What the boxes hold, each under its entry.
    Entries texts() const {
        Entries entries;
        for (std::size_t field = 0; field < boxes_.size(); ++field) {
            entries[static_cast<Field>(field)] = boxes_[field]->text().toStdString();
        }
        return entries;
    }

    QLineEdit* operator[](Field field) const { return boxes_[field]; }
    // Every box, at the number of its entry.
    std::span<QLineEdit* const> boxes() const { return boxes_; }

  private:
    std::array<QLineEdit*, Entries::kCount> boxes_{};
};

}  // namespace motoreckon
