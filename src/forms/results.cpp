#include "forms/results.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QStringList>
#include <QToolTip>

#include "core/number_text.h"
#include "forms/calculator_form.h"
#include "forms/twips.h"

namespace motoreckon {

namespace {

// A result keeps this far from the right edge of its window.
constexpr int kResultMarginTwips = 120;

// The most significant digits a number keeps in any writing.
constexpr int kSignificantDigits = 15;

// The whole number each result label stands for, kept beside it: the label may show it in
// exponent form, and what it shows may be taken for a moment by someone else's text.
QHash<const QLabel*, QString>& wholeNumbers() {
    static QHash<const QLabel*, QString> numbers;
    return numbers;
}

void keepWhole(QLabel* label, const QString& whole) {
    QHash<const QLabel*, QString>& numbers = wholeNumbers();
    if (!numbers.contains(label)) {
        QObject::connect(label, &QObject::destroyed, [label] { wholeNumbers().remove(label); });
    }
    numbers.insert(label, whole);
}

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

// The calculator window `control` is part of, or nullptr when it is in none.
CalculatorForm* formOf(QWidget* control) {
    for (QWidget* widget = control; widget; widget = widget->parentWidget()) {
        if (CalculatorForm* form = calculatorForm(widget)) return form;
    }
    return nullptr;
}

// What copying `label` gives: what is selected of it, else all of it; the whole number where it
// shows the exponent form.
QString copiedText(const QLabel* label) {
    const QString whole = resultText(label);
    return label->text() == whole && label->hasSelectedText() ? label->selectedText() : whole;
}

// The selecting and copying of one result label.
class ResultSelection final : public QObject {
  public:
    explicit ResultSelection(QLabel* label) : QObject(label), label_(label) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setFocusPolicy(Qt::NoFocus);
        label->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) onlyHere();
                break;
            case QEvent::ContextMenu:
                showContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
                return true;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    // Clears every other selection of the window, for one about to be made in this result.
    void onlyHere() {
        CalculatorForm* form = formOf(label_);
        if (!form) return;
        for (QLineEdit* box : form->widget()->findChildren<QLineEdit*>()) {
            box->deselect();
            if (!watchingBoxes_) {
                connect(box, &QLineEdit::selectionChanged, this, [this, box] {
                    if (box->hasSelectedText()) label_->setSelection(0, 0);
                });
            }
        }
        watchingBoxes_ = true;
        for (QLabel* other : form->results()) {
            if (other != label_) other->setSelection(0, 0);
        }
    }

    void showContextMenu(const QPoint& at) {
        auto* menu = new QMenu(label_);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        const QString copied = copiedText(label_);
        QAction* copy = menu->addAction(QStringLiteral("&Copy"), menu, [copied] {
            QGuiApplication::clipboard()->setText(copied);
        });
        copy->setShortcut(QKeySequence::Copy);
        copy->setEnabled(!copied.isEmpty());
        menu->addAction(QStringLiteral("Select All"), this, [this] {
            onlyHere();
            label_->setSelection(0, static_cast<int>(label_->text().size()));
        });
        menu->popup(at);
    }

    QLabel* label_;
    bool watchingBoxes_ = false;
};

}  // namespace

void showResult(QLabel* label, const std::string& text, const RegionalFormat& format) {
    // A number needs none of the font's shaping rules (kerning, ligatures): measuring it, most of
    // what showing it costs, is much quicker without them, and the glyphs are the same.
    if (!(label->font().styleStrategy() & QFont::PreferNoShaping)) {
        QFont font = label->font();
        font.setStyleStrategy(QFont::PreferNoShaping);
        label->setFont(font);
    }
    const QString whole = QString::fromStdString(text);
    const int room =
        label->parentWidget()->width() - label->x() - twipsToPixels(kResultMarginTwips);
    keepWhole(label, whole);
    label->setText(whole);
    // The size the label asks for is what the window sizes it by afterwards: measured once. A
    // label that shows the whole number is read by a screen reader as it shows it.
    if (label->sizeHint().width() <= room) {
        if (!label->accessibleName().isEmpty()) label->setAccessibleName(QString());
        if (!label->toolTip().isEmpty()) label->setToolTip(QString());
        return;
    }
    QString shown;
    for (int digits = kSignificantDigits; digits >= 1; --digits) {
        shown = QString::fromStdString(ExponentText(text, digits, format));
        if (fits(label, shown, room)) break;
    }
    label->setAccessibleName(whole);
    label->setToolTip(wrappedToWidth(whole, QString::fromStdString(format.groupSeparator),
                                     QFontMetrics(QToolTip::font()),
                                     label->screen()->availableGeometry().width() * 3 / 4));
    label->setText(shown);
}

QString resultText(const QLabel* label) { return wholeNumbers().value(label, label->text()); }

void makeResultCopyable(QLabel* label) {
    if (!(label->textInteractionFlags() & Qt::TextSelectableByMouse)) new ResultSelection(label);
}

QString selectedResult(QWidget* form) {
    if (const CalculatorForm* calculator = calculatorForm(form)) {
        for (const QLabel* label : calculator->results()) {
            if (label->hasSelectedText()) return copiedText(label);
        }
    }
    return QString();
}

}  // namespace motoreckon
