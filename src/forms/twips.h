#pragma once

#include <QRect>
#include <QSize>

namespace motoreckon {

// 15 twips make one device-independent pixel; Qt's high-DPI scaling does the rest.
inline constexpr double kTwipsPerPixel = 15.0;

constexpr int twipsToPixels(double twips) {
    const double pixels = twips / kTwipsPerPixel;
    return static_cast<int>(pixels < 0 ? pixels - 0.5 : pixels + 0.5);
}

constexpr float pixelsToTwips(int pixels) { return static_cast<float>(pixels * kTwipsPerPixel); }

// A control's rectangle given in twips as the layout tables write it.
constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

constexpr QSize twipsSize(int width, int height) {
    return QSize(twipsToPixels(width), twipsToPixels(height));
}

}  // namespace motoreckon
