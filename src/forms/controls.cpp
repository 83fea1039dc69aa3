#include "forms/controls.h"

#include <QLabel>
#include <QWidget>

namespace motoreckon {

bool takesFocus(const QWidget* form, const QWidget* control) {
    return form->isAncestorOf(control) && (control->focusPolicy() & Qt::TabFocus) &&
           control->isEnabled() && control->isVisibleTo(form);
}

QLabel* addLabel(QWidget* container, const char* name, const QString& text, QRect geometry,
                 Qt::Alignment alignment) {
    auto* label = place(new QLabel(text, container), name, geometry);
    label->setAlignment(alignment);
    if (!text.isEmpty()) fitToText(label);
    return label;
}

void fitToText(QWidget* control) {
    const QSize needed = control->sizeHint();
    QRect geometry = control->geometry();
    if (needed.width() > geometry.width()) {
        const auto* label = qobject_cast<const QLabel*>(control);
        if (label && (label->alignment() & Qt::AlignRight)) {
            geometry.setLeft(geometry.right() + 1 - needed.width());
        } else {
            geometry.setWidth(needed.width());
        }
    }
    if (needed.height() > geometry.height()) {
        const int extra = needed.height() - geometry.height();
        geometry.setTop(geometry.top() - extra / 2);
        geometry.setHeight(needed.height());
    }
    control->setGeometry(geometry);
}

QString plainCaption(const QString& caption) {
    QString text = caption;
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text.trimmed();
}

void describeEntry(QWidget* box, const QString& hint) {
    box->setToolTip(hint);
    box->setAccessibleDescription(hint);
}

void describeResult(QLabel* result, const QLabel* caption) {
    QString text = plainCaption(caption->text());
    if (text.endsWith(QLatin1Char(':'))) text.chop(1);
    result->setAccessibleDescription(text.trimmed());
}

}  // namespace motoreckon
