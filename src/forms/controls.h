#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace motoreckon {

// Gives a control of a calculator window its objectName and its place, written in twips.
template <class Control>
Control* place(Control* control, const char* name, QRect geometry) {
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    return control;
}

// A label of a calculator window, named `name`, with its text aligned as `alignment` says. A
// caption that needs more room than the layout gives it grows away from the edge it is aligned
// to (fitToText).
QLabel* addLabel(QWidget* container, const char* name, const QString& text, QRect geometry,
                 Qt::Alignment alignment);

// Lets a label or button that is too small for its text grow to fit it, keeping the edge its
// text is aligned to: a right-aligned label grows to the left, anything else to the right, and
// a control too low grows evenly up and down. A control that is large enough keeps its place.
void fitToText(QWidget* control);

// Whether `control` of `form` can take the focus from the keyboard: shown, enabled, reached by
// Tab.
bool takesFocus(const QWidget* form, const QWidget* control);

// A caption as it reads: without the access key marker ("&&" shows one "&") and the blanks
// around it.
QString plainCaption(const QString& caption);

// Says what an entry box takes, and in which unit, to the user resting the pointer on it (its
// tooltip) and to a screen reader (its accessible description, beside the name its caption
// gives it).
void describeEntry(QWidget* box, const QString& hint);

// Tells a screen reader what a result label shows: its accessible description becomes the
// caption beside it as it reads ("Comp. Ratio:" gives "Comp. Ratio"), while its name stays the
// result itself. Call it again whenever the caption changes.
void describeResult(QLabel* result, const QLabel* caption);

}  // namespace motoreckon
