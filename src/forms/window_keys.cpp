#include "forms/window_keys.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include "forms/controls.h"
#include "forms/keypress.h"
#include "forms/results.h"

namespace motoreckon {

namespace {

bool isDefaultButtonKey(const QKeyEvent& event) {
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    return enter && (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Where a label's access key sends the focus: the first control from its buddy on, in tab
// order, that can take it; nullptr when there is none.
QWidget* labelTarget(const QWidget* form, const QLabel* label) {
    QWidget* buddy = label->buddy();
    if (!buddy) return nullptr;
    QWidget* control = buddy;
    do {
        if (takesFocus(form, control)) return control;
        control = control->nextInFocusChain();
    } while (control && control != buddy);
    return nullptr;
}

// The control of `form` that the access key typed by `event` belongs to: a label with a buddy or
// a button, shown and enabled; nullptr when there is none.
QWidget* accessKeyTarget(const QWidget* form, const QKeyEvent& event) {
    if (event.modifiers() != Qt::AltModifier) return nullptr;
    const QKeySequence typed(QKeyCombination(Qt::AltModifier, Qt::Key(event.key())));
    const auto owns = [&typed](const QWidget* control, const QString& caption) {
        return control->isVisibleTo(control->window()) && control->isEnabled() &&
               QKeySequence::mnemonic(caption) == typed;
    };
    for (QLabel* label : form->findChildren<QLabel*>()) {
        if (owns(label, label->text()) && labelTarget(form, label)) return label;
    }
    for (QAbstractButton* button : form->findChildren<QAbstractButton*>()) {
        if (owns(button, button->text())) return button;
    }
    return nullptr;
}

class WindowKeys final : public QObject {
  public:
    WindowKeys(QWidget* form, QPushButton* defaultButton)
        : QObject(form), form_(form), defaultButton_(defaultButton) {}

    // Watches the form and every control on it: an entry box would take Alt with a letter
    // for itself before the form could see it.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
            return false;
        }
        auto* key = static_cast<QKeyEvent*>(event);
        if (event->type() == QEvent::KeyPress && watched == form_ && isDefaultButtonKey(*key)) {
            if (defaultButton_) defaultButton_->click();
            return true;
        }
        if (event->type() == QEvent::KeyPress && key->matches(QKeySequence::Copy)) {
            const QString copied = selectedResult(form_);
            if (!copied.isEmpty()) {
                QGuiApplication::clipboard()->setText(copied);
                return true;
            }
        }
        QWidget* target = accessKeyTarget(form_, *key);
        if (!target) return false;
        if (event->type() == QEvent::ShortcutOverride) {
            key->accept();
        } else if (auto* label = qobject_cast<QLabel*>(target)) {
            labelTarget(form_, label)->setFocus(Qt::ShortcutFocusReason);
        } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
            button->setFocus(Qt::ShortcutFocusReason);
            button->click();
        }
        return true;
    }

  private:
    QWidget* form_;
    QPointer<QPushButton> defaultButton_;
};

}  // namespace

void installWindowKeys(QWidget* form, QPushButton* defaultButton) {
    // The access keys are looked at before the entry box's own rules, which would swallow
    // them as typed characters.
    for (QLineEdit* box : form->findChildren<QLineEdit*>()) installEntryKeys(box);
    auto* keys = new WindowKeys(form, defaultButton);
    form->installEventFilter(keys);
    for (QWidget* control : form->findChildren<QWidget*>()) {
        // A menu of the window's own handles its keys while it is open.
        if (!qobject_cast<QMenu*>(control) && !qobject_cast<QMenuBar*>(control)) {
            control->installEventFilter(keys);
        }
    }
}

}  // namespace motoreckon
