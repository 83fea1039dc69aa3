#include "forms/fonts.h"

#include <QWidget>

namespace motoreckon {

namespace {

constexpr qreal kLayoutPointSize = 8.25;

}  // namespace

QFont layoutFont(const QStringList& families, qreal points, bool bold) {
    QFont font;
    font.setFamilies(families + QStringList{QStringLiteral("Liberation Sans")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void useLayoutFont(QWidget* form) {
    form->setFont(layoutFont({QStringLiteral("MS Sans Serif")}, kLayoutPointSize));
}

}  // namespace motoreckon
