#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "input/failures.h"

namespace motoreckon {

// The inputs of the drivetrain formulas. Each formula is written once, over operands that it
// reads when it first needs them: a plain number, or the text of an entry box converted at
// that moment, so that a failing conversion ends the calculation at the right step and names
// its box.

// An input given as a number.
struct NumberOperand {
    double value;

    double operator()() const { return value; }
    // A step that only this input can make fail.
    template <class Step>
    auto blame(Step&& step) const {
        return std::forward<Step>(step)();
    }
    // This input was the zero divisor of a division that failed.
    void zeroDivisor() const {}
};

// An input given as the text of the entry box `field`, converted by `convert` (text to double).
// A conversion failure, a text too large for a double, and any failure of a step blamed on this
// input name the box and quote its text.
template <class Convert>
struct EntryOperand {
    std::string_view field;
    std::string_view text;
    Convert convert;

    double operator()() const {
        return blame([this] { return CheckedResult(convert(text)); });
    }
    template <class Step>
    auto blame(Step&& step) const {
        return BlameEntry(field, text, std::forward<Step>(step));
    }
    [[noreturn]] void zeroDivisor() const {
        throw DivisionByZeroFailure(std::string(text), std::string(field));
    }
};

}  // namespace motoreckon
