#pragma once

#include <QString>

class QWidget;

namespace motoreckon {

// The one way the program talks to the user outside its windows: message boxes and the beep.
// The program installs the real one; tests install a recorder, so no test waits on a modal
// loop.
class Feedback {
  public:
    enum class Icon { None, Information, Warning };

    virtual ~Feedback() = default;
    // A modal message box with one OK button and plain text; returns when the user has closed
    // it, or when `parent` has gone away and taken the box with it: the caller must not use
    // `parent` afterwards without checking that it is still there.
    virtual void message(QWidget* parent, const QString& title, const QString& text, Icon icon) = 0;
    virtual void beep() = 0;
};

// The program's feedback; the real message boxes unless another one is installed.
Feedback& feedback();

// The real message boxes and beep, whatever is installed.
Feedback& messageBoxes();

// Makes `replacement` the program's feedback until it is uninstalled (nullptr restores the
// real one). The caller keeps ownership.
void installFeedback(Feedback* replacement);

// The application title, the title of every message box that has none of its own.
inline const QString kAppTitle = QStringLiteral("Motoreckon");

}  // namespace motoreckon
