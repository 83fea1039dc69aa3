#include "forms/form_controls.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QToolTip>
#include <QWidget>

#include "core/number_text.h"
#include "forms/keypress.h"
#include "forms/twips.h"

namespace motoreckon {

namespace {

constexpr qreal kLayoutPointSize = 8.25;

// A result keeps this far from the right edge of its window.
constexpr int kResultMarginTwips = 120;

// The name of the property in which a result label keeps the whole number it stands for.
constexpr const char* kResultProperty = "motoreckonResult";

// The most significant digits a number keeps in any writing.
constexpr int kSignificantDigits = 15;

bool fits(const QLabel* label, const QString& text, int room) {
    const int frame = 2 * (label->frameWidth() + label->margin());
    return label->fontMetrics().horizontalAdvance(text) + frame <= room;
}

// The whole of a long number as its tooltip shows it: in lines no wider than `width`, each
// broken after a digit-group separator where the number has them.
QString wrappedToWidth(const QString& whole, const QString& separator, const QFontMetrics& metrics,
                       int width) {
    QStringList lines;
    QString line;
    qsizetype afterSeparator = 0;
    for (const QChar c : whole) {
        line += c;
        if (line.size() > 1 && metrics.horizontalAdvance(line) > width) {
            const qsizetype cut = afterSeparator > 0 ? afterSeparator : line.size() - 1;
            lines << line.left(cut);
            line = line.mid(cut);
            afterSeparator = 0;
        }
        if (!separator.isEmpty() && line.endsWith(separator)) afterSeparator = line.size();
    }
    lines << line;
    return lines.join(QLatin1Char('\n'));
}

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

QFont layoutFont(const QStringList& families, qreal points, bool bold) {
    QFont font;
    font.setFamilies(families + QStringList{QStringLiteral("Liberation Sans")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

bool takesFocus(const QWidget* form, const QWidget* control) {
    return form->isAncestorOf(control) && (control->focusPolicy() & Qt::TabFocus) &&
           control->isEnabled() && control->isVisibleTo(form);
}

void useLayoutFont(QWidget* form) {
    form->setFont(layoutFont({QStringLiteral("MS Sans Serif")}, kLayoutPointSize));
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

void describeResult(QLabel* result, const QLabel* caption) {
    QString text = plainCaption(caption->text());
    if (text.endsWith(QLatin1Char(':'))) text.chop(1);
    result->setAccessibleDescription(text.trimmed());
}

void showResult(QLabel* label, const std::string& text, const RegionalFormat& format) {
    const QString whole = QString::fromStdString(text);
    const int room =
        label->parentWidget()->width() - label->x() - twipsToPixels(kResultMarginTwips);
    QString shown = whole;
    QString tip;
    if (!fits(label, whole, room)) {
        for (int digits = kSignificantDigits; digits >= 1; --digits) {
            shown = QString::fromStdString(ExponentText(text, digits, format));
            if (fits(label, shown, room)) break;
        }
        tip = wrappedToWidth(whole, QString::fromStdString(format.groupSeparator),
                             QFontMetrics(QToolTip::font()),
                             label->screen()->availableGeometry().width() * 3 / 4);
    }
    label->setProperty(kResultProperty, whole);
    label->setToolTip(tip);
    // A screen reader reads the whole number, however it is shown.
    label->setAccessibleName(whole);
    label->setText(shown);
}

QString resultText(const QLabel* label) {
    const QVariant whole = label->property(kResultProperty);
    return whole.isValid() ? whole.toString() : label->text();
}

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
