#pragma once

#include <span>

class QWidget;

namespace motoreckon {

class MDIForm1;

// A submenu of the frame's Formulas menu.
struct FormulasSubmenu {
    const char* name;  // objectName of the submenu and of the entry that opens it
    const char* caption;
};

// How an entry of the Formulas menu opens its calculator.
enum class Opening {
    None,      // the entry is there and does nothing
    Shared,    // one window for the whole run, made on first use and after it was closed
    Numbered,  // a new window each time, numbered on from the last of its kind: "MPH (2)"
};

// One entry of the Formulas menu, in menu order, and the calculator it opens.
struct Calculator {
    const FormulasSubmenu* submenu;  // nullptr: the entry sits in Formulas itself
    const char* entry;               // objectName of the entry
    const char* caption;             // the entry's caption
    Opening opening = Opening::None;
    // Makes the calculator's window, loaded and in its place: a child of `frame`, or a window of
    // its own. `number` numbers a numbered window. Returns the form, which the frame shows.
    QWidget* (*open)(MDIForm1& frame, int number) = nullptr;
    const char* helpPage = nullptr;  // the page of the help book that explains it
};

// Every entry of the Formulas menu, in menu order.
std::span<const Calculator> calculators();

}  // namespace motoreckon
