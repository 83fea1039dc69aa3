#pragma once

class QPushButton;
class QWidget;

namespace motoreckon {

// The keyboard of a calculator window:
// - Enter or Return (without Shift, Ctrl, Alt or Meta) that no control takes, as in an entry box,
//   presses `defaultButton`;
// - Alt with the access key marked by "&" in the caption of one of the window's own labels or
//   buttons reaches that control before a menu bar can take it: a label moves the focus to the
//   first control from its buddy on, in tab order, that can take the focus; a button takes the
//   focus and is pressed;
// - an entry box without a key-press handler of its own types nothing with Ctrl or Alt held
//   and deletes no word (installEntryKeys);
// - Ctrl+C copies the result selected in the window, if one is, before the focused control
//   (selectedResult).
// Call it once the form has all its controls and their key-press handlers.
void installWindowKeys(QWidget* form, QPushButton* defaultButton);

}  // namespace motoreckon
