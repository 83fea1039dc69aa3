#pragma once

#include <QAction>
#include <QFont>
#include <QMenu>
#include <QRect>
#include <QString>
#include <string>

#include "core/regional_format.h"

class QLabel;
class QPushButton;
class QWidget;

namespace motoreckon {

// Gives a control of a calculator window its objectName and its place, written in twips.
template <class Control>
Control* place(Control* control, const char* name, QRect geometry) {
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    return control;
}

// A submenu of a menu bar or of a menu; the submenu and the entry that opens it both carry
// `name`, so code and tests find either by it.
template <class MenuOrBar>
QMenu* addSubmenu(MenuOrBar* parent, const char* name, const QString& caption) {
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}

// An entry of a menu, named `name`.
inline QAction* addEntry(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

// A font of the first of `families` that is present, at `points`, bold or not. "MS Sans Serif"
// and "Arial" stand for the families the layouts were measured in; where they are missing,
// Liberation Sans, whose widths are closest, stands in.
QFont layoutFont(const QStringList& families, qreal points, bool bold = false);

// The calculator windows that name no font of their own are drawn in the classic 8-point
// dialog font their layouts were made for, "MS Sans Serif". Set on a form before its controls
// are created, which inherit it.
void useLayoutFont(QWidget* form);

// A label of a calculator window, named `name`, with its text aligned as `alignment` says. A
// caption that needs more room than the layout gives it grows away from the edge it is aligned
// to (fitToText); an empty label, a result, is sized as it is filled.
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

// Tells a screen reader what a result label shows: its accessible description becomes the
// caption beside it as it reads ("Comp. Ratio:" gives "Comp. Ratio"), while its name stays the
// result itself. Call it again whenever the caption changes.
void describeResult(QLabel* result, const QLabel* caption);

// Shows `text`, a result as the formulas write it, in `label`. A number too long for the room
// the label has, from where it stands to the right edge of its window, would be cut off and read
// as another number: it is shown instead in exponent form with as many significant digits as
// fit (7.80463195540995E+307), and the whole number is its tooltip, in lines that fit the
// screen. A screen reader gets the whole number as the label's name. The caller sizes the label.
void showResult(QLabel* label, const std::string& text, const RegionalFormat& format);

// The result `label` stands for: the whole number, however it is shown.
QString resultText(const QLabel* label);

// The keyboard of a calculator window:
// - Enter or Return (without Shift, Ctrl, Alt or Meta) that no control takes, as in an entry box,
//   presses `defaultButton`;
// - Alt with the access key marked by "&" in the caption of one of the window's own labels or
//   buttons reaches that control before a menu bar can take it: a label moves the focus to the
//   first control from its buddy on, in tab order, that can take the focus; a button takes the
//   focus and is pressed;
// - an entry box without a key-press handler of its own types nothing with Ctrl or Alt held
//   and deletes no word (installEntryKeys).
// Call it once the form has all its controls and their key-press handlers.
void installWindowKeys(QWidget* form, QPushButton* defaultButton);

}  // namespace motoreckon
