#pragma once

#include <QFont>
#include <QStringList>

class QWidget;

namespace motoreckon {

// A font of the first of `families` that is present, at `points`, bold or not. "MS Sans Serif"
// and "Arial" stand for the families the layouts were measured in; where they are missing,
// Liberation Sans, whose widths are closest, stands in.
QFont layoutFont(const QStringList& families, qreal points, bool bold = false);

// The calculator windows that name no font of their own are drawn in the classic 8-point
// dialog font their layouts were made for, "MS Sans Serif". Set on a form before its controls
// are created, which inherit it.
void useLayoutFont(QWidget* form);

}  // namespace motoreckon
