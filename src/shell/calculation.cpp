#include "shell/calculation.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "input/failures.h"
#include "shell/feedback.h"
#include "shell/form_controls.h"

namespace motoreckon {

namespace {

// The name of a box as its label shows it: the label whose buddy it is, without the access
// key marker and trailing blanks; else the name the box gives screen readers.
QString labelFor(const QWidget* window, const QLineEdit* box) {
    const auto labels = window->findChildren<QLabel*>();
    for (const QLabel* label : labels) {
        if (label->buddy() == box) return plainCaption(label->text());
    }
    return box->accessibleName();
}

// Pasted text may hold control characters that a message box cannot show sensibly.
QString printable(const std::string& text) {
    QString result = QString::fromStdString(text);
    for (QChar& c : result) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) c = QChar::ReplacementCharacter;
    }
    return result;
}

}  // namespace

bool runCalculation(QWidget* window, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const CalculationFailure& failure) {
        QString text = printable(failure.describe());
        QLineEdit* box =
            failure.field().empty()
                ? nullptr
                : window->findChild<QLineEdit*>(QString::fromStdString(failure.field()));
        if (box) {
            const QString name = labelFor(window, box);
            if (!name.isEmpty()) text = name + QStringLiteral(": ") + text;
        }
        feedback().message(window, kAppTitle, text, Feedback::Icon::Warning);
        if (box) {
            box->setFocus(Qt::OtherFocusReason);
            box->selectAll();
        }
        return false;
    }
}

}  // namespace motoreckon
