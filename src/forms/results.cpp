#include "forms/results.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QStringList>
#include <QToolTip>

#include "core/number_text.h"
#include "forms/calculator_form.h"
#include "forms/controls.h"
#include "forms/twips.h"

namespace motoreckon {

namespace {

// A result keeps this far from the right edge of its window.
constexpr int kResultMarginTwips = 120;

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

// The calculator window `control` is part of, or nullptr when it is in none.
CalculatorForm* formOf(QWidget* control) {
    for (QWidget* widget = control; widget; widget = widget->parentWidget()) {
        if (CalculatorForm* form = calculatorForm(widget)) return form;
    }
    return nullptr;
}

}  // namespace

ResultLabel::ResultLabel(QWidget* parent) : QLabel(parent) {
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setFocusPolicy(Qt::NoFocus);
}

ResultLabel* addResult(QWidget* container, const char* name, QRect geometry,
                       Qt::Alignment alignment) {
    auto* label = place(new ResultLabel(container), name, geometry);
    label->setAlignment(alignment);
    return label;
}

void ResultLabel::showNumber(const std::string& text, const RegionalFormat& format) {
    // A number needs none of the font's shaping rules (kerning, ligatures): measuring it, most of
    // what showing it costs, is much quicker without them, and the glyphs are the same.
    if (!(font().styleStrategy() & QFont::PreferNoShaping)) {
        QFont numbers = font();
        numbers.setStyleStrategy(QFont::PreferNoShaping);
        setFont(numbers);
    }
    const QString whole = QString::fromStdString(text);
    const int room = parentWidget()->width() - x() - twipsToPixels(kResultMarginTwips);
    whole_ = whole;
    setText(whole);
    // The size the label asks for is what the window sizes it by afterwards: measured once. A
    // label that shows the whole number is read by a screen reader as it shows it.
    if (sizeHint().width() <= room) {
        if (!accessibleName().isEmpty()) setAccessibleName(QString());
        if (!toolTip().isEmpty()) setToolTip(QString());
        return;
    }
    QString shown;
    for (int digits = kSignificantDigits; digits >= 1; --digits) {
        shown = QString::fromStdString(ExponentText(text, digits, format));
        if (fits(this, shown, room)) break;
    }
    setAccessibleName(whole);
    setToolTip(wrappedToWidth(whole, QString::fromStdString(format.groupSeparator),
                              QFontMetrics(QToolTip::font()),
                              screen()->availableGeometry().width() * 3 / 4));
    setText(shown);
}

QString ResultLabel::copied() const {
    const QString whole = result();
    return text() == whole && hasSelectedText() ? selectedText() : whole;
}

void ResultLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) selectOnlyHere();
    QLabel::mousePressEvent(event);
}

void ResultLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) selectOnlyHere();
    QLabel::mouseDoubleClickEvent(event);
}

void ResultLabel::contextMenuEvent(QContextMenuEvent* event) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QString text = copied();
    QAction* copy = menu->addAction(QStringLiteral("&Copy"), menu,
                                    [text] { QGuiApplication::clipboard()->setText(text); });
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(!text.isEmpty());
    menu->addAction(QStringLiteral("Select All"), this, [this] {
        selectOnlyHere();
        setSelection(0, static_cast<int>(this->text().size()));
    });
    menu->popup(event->globalPos());
}

// Clears every other selection of the window, for one about to be made in this result.
void ResultLabel::selectOnlyHere() {
    CalculatorForm* form = formOf(this);
    if (!form) return;
    for (QLineEdit* box : form->widget()->findChildren<QLineEdit*>()) {
        box->deselect();
        if (!watchingBoxes_) {
            connect(box, &QLineEdit::selectionChanged, this, [this, box] {
                if (box->hasSelectedText()) setSelection(0, 0);
            });
        }
    }
    watchingBoxes_ = true;
    for (ResultLabel* other : form->results()) {
        if (other != this) other->setSelection(0, 0);
    }
}

QString selectedResult(QWidget* form) {
    if (const CalculatorForm* calculator = calculatorForm(form)) {
        for (const ResultLabel* label : calculator->results()) {
            if (label->hasSelectedText()) return label->copied();
        }
    }
    return QString();
}

}  // namespace motoreckon
