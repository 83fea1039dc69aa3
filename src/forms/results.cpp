#include "forms/results.h"

#include <QFontMetrics>
#include <QHash>
#include <QLabel>
#include <QScreen>
#include <QStringList>
#include <QToolTip>

#include "core/number_text.h"
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

}  // namespace motoreckon
