#pragma once

#include <functional>

class QAction;

namespace motoreckon {

class CalculatorForm;

// Runs a Calculate or refresh handler of `form`. A CalculationFailure it throws ends it there:
// the user sees a "Motoreckon" warning box that says what failed and, where one entry is to
// blame, names the box the form binds to that entry by its label and quotes its text; the focus
// then goes to that box. Returns whether the handler ran to its end.
//
// While a handler waits for the user to close one of its message boxes, nothing else of the
// window runs halfway through it: another calculation or command of the window (runCommand)
// waits until the handler has ended, and then runs, unless the window has gone away. A window
// closed meanwhile takes its box with it, and the handler ends there.
bool runCalculation(CalculatorForm& form, const std::function<void()>& handler);

// Runs a command of `form` that changes its results or options: now, or once the calculation
// the window is running has ended.
void runCommand(CalculatorForm& form, const std::function<void()>& command);

// Makes the checkable menu entry `entry` of `form` run `command` as runCommand runs it. The
// entry's check mark changes as the command runs, not before: while the command waits, the
// marks still say what the window shows.
void connectCheckedCommand(CalculatorForm& form, QAction* entry,
                           const std::function<void()>& command);

}  // namespace motoreckon
