#pragma once

#include <QString>
#include <string>

#include "core/regional_format.h"

class QLabel;

namespace motoreckon {

// Shows `text`, a result as the formulas write it, in `label`. A number too long for the room
// the label has, from where it stands to the right edge of its window, would be cut off and read
// as another number: it is shown instead in exponent form with as many significant digits as
// fit (7.80463195541E+306), and the whole number is its tooltip, in lines that fit the
// screen. A screen reader gets the whole number as the label's name. The caller sizes the label.
void showResult(QLabel* label, const std::string& text, const RegionalFormat& format);

// The result `label` stands for: the whole number, however it is shown.
QString resultText(const QLabel* label);

}  // namespace motoreckon
