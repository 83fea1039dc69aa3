#pragma once

#include <QColor>

class QPalette;
class QWidget;

namespace motoreckon {

// How far apart two colours are for a reader, from 1 (the same) to 21 (black on white): the
// ratio of their relative luminances, each plus 0.05.
double contrast(const QColor& a, const QColor& b);

// Whether `palette` draws light text on a dark ground, as a dark desktop theme does.
bool isDark(const QPalette& palette);

// `wanted` where it reads on `ground` at `least` : 1 at least, else `fallback` where that does,
// else black or white, whichever reads better.
QColor readable(const QColor& wanted, const QColor& ground, const QColor& fallback, double least);

// A colour between `text` and `ground` for a caption of something not in use, as close to the
// ground as still reads on it at `least` : 1.
QColor dimmed(const QColor& text, const QColor& ground, double least);

// Gives `control` the text colour `text` in every role that styles draw text in (window text,
// button text, text) and the ground `ground` behind it.
void setColours(QWidget* control, const QColor& text, const QColor& ground);

// Gives the check box `control` its colours as setColours does, and fills its box with `fill`:
// the mark in it is drawn in `text` where that reads on the fill at 3 : 1, else in the ground's
// colour.
void setCheckBoxColours(QWidget* control, const QColor& text, const QColor& ground,
                        const QColor& fill);

}  // namespace motoreckon
