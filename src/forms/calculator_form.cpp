#include "forms/calculator_form.h"

#include <QString>
#include <QtGlobal>

namespace motoreckon {

namespace {

QString nameOf(const QLineEdit* box) { return box ? box->objectName() : QStringLiteral("no box"); }

[[noreturn]] void refuse(const QString& why) { qFatal("%s", qPrintable(why)); }

}  // namespace

CalculatorForm* calculatorForm(QWidget* widget) { return dynamic_cast<CalculatorForm*>(widget); }

void bindEntry(std::span<QLineEdit*> boxes, int field, QLineEdit* box) {
    if (field < 0 || static_cast<std::size_t>(field) >= boxes.size() || !box) {
        refuse(QStringLiteral("Entry %1 cannot be bound to %2").arg(field).arg(nameOf(box)));
    }
    if (boxes[field]) {
        refuse(QStringLiteral("Entry %1 is bound to %2 and again to %3")
                   .arg(field)
                   .arg(nameOf(boxes[field]), nameOf(box)));
    }
    for (std::size_t other = 0; other < boxes.size(); ++other) {
        if (boxes[other] == box) {
            refuse(QStringLiteral("%1 is bound to entries %2 and %3")
                       .arg(nameOf(box))
                       .arg(other)
                       .arg(field));
        }
    }
    boxes[field] = box;
}

void requireEveryEntryBound(std::span<QLineEdit* const> boxes) {
    for (std::size_t field = 0; field < boxes.size(); ++field) {
        if (!boxes[field]) refuse(QStringLiteral("Entry %1 is bound to no box").arg(field));
    }
}

}  // namespace motoreckon
