#include "forms/colours.h"

#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace motoreckon {

namespace {

double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour) {
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

}  // namespace

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool isDark(const QPalette& palette) {
    return luminance(palette.color(QPalette::Window)) <
           luminance(palette.color(QPalette::WindowText));
}

QColor readable(const QColor& wanted, const QColor& ground, const QColor& fallback, double least) {
    if (contrast(wanted, ground) >= least) return wanted;
    if (contrast(fallback, ground) >= least) return fallback;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrast(black, ground) >= contrast(white, ground) ? black : white;
}

QColor dimmed(const QColor& text, const QColor& ground, double least) {
    constexpr int kSteps = 20;
    for (int step = kSteps / 2; step < kSteps; ++step) {
        const double t = static_cast<double>(step) / kSteps;
        const QColor mixed = QColor::fromRgbF(
            static_cast<float>(ground.redF() + (text.redF() - ground.redF()) * t),
            static_cast<float>(ground.greenF() + (text.greenF() - ground.greenF()) * t),
            static_cast<float>(ground.blueF() + (text.blueF() - ground.blueF()) * t));
        if (contrast(mixed, ground) >= least) return mixed;
    }
    return text;
}

void setColours(QWidget* control, const QColor& text, const QColor& ground) {
    QPalette palette = control->palette();
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(QPalette::Active, role, text);
        palette.setColor(QPalette::Inactive, role, text);
    }
    palette.setColor(QPalette::Window, ground);
    control->setPalette(palette);
}

void setCheckBoxColours(QWidget* control, const QColor& text, const QColor& ground,
                        const QColor& fill) {
    constexpr double kMarkContrast = 3.0;
    setColours(control, text, ground);
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, fill);
    const QColor mark = readable(text, fill, ground, kMarkContrast);
    palette.setColor(QPalette::Active, QPalette::Text, mark);
    palette.setColor(QPalette::Inactive, QPalette::Text, mark);
    control->setPalette(palette);
}

}  // namespace motoreckon
