#pragma once

#include <functional>

class QWidget;

namespace motoreckon {

// Runs a Calculate handler. A CalculationFailure it throws ends it there: the user sees a
// "Motoreckon" warning box that says what failed and, where one entry box is to blame, names
// the box by its label and quotes its text; the focus then goes to that box. Returns whether
// the handler ran to its end.
bool runCalculation(QWidget* window, const std::function<void()>& handler);

}  // namespace motoreckon
