#pragma once

#include <QString>
#include <string>

#include "core/regional_format.h"

class QLabel;
class QWidget;

namespace motoreckon {

// Shows `text`, a result as the formulas write it, in `label`. A number too long for the room
// the label has, from where it stands to the right edge of its window, would be cut off and read
// as another number: it is shown instead in exponent form with as many significant digits as
// fit (7.80463195541E+306), and the whole number is its tooltip, in lines that fit the
// screen. A screen reader gets the whole number as the label's name. The caller sizes the label.
void showResult(QLabel* label, const std::string& text, const RegionalFormat& format);

// The result `label` stands for: the whole number, however it is shown.
QString resultText(const QLabel* label);

// Lets the user select the result `label` with the mouse and copy it, while the focus stays
// where it is: the label never takes the focus and Tab passes it by. A window holds one selection
// at a time: selecting in a result clears the selection of the window's boxes and other results,
// and selecting in a box clears the results'. Ctrl+C anywhere in the window copies the result
// selected (selectedResult), and Copy in the result's context menu copies it as well, or the
// whole result when nothing of it is selected; a result shown in exponent form copies as its
// whole number.
void makeResultCopyable(QLabel* label);

// What Ctrl+C in the calculator window `form` copies of the result selected there; empty when
// no result is selected.
QString selectedResult(QWidget* form);

}  // namespace motoreckon
