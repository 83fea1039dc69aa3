#include "forms/results.h"

#include <QFontMetrics>
#include <QLabel>
#include <QScreen>
#include <QStringList>
#include <QToolTip>
#include <QVariant>

#include "core/number_text.h"
#include "forms/twips.h"

namespace motoreckon {

namespace {

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

}  // namespace

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

}  // namespace motoreckon
