#pragma once
// The window layout is designed in twips; the program assumes 15 twips to a pixel.
#include <QRect>
#include <cmath>

namespace veltrin::ui {

constexpr int TwipsPerPixel = 15;

constexpr int toPixels(int twips) { return static_cast<int>(std::lround(static_cast<double>(twips) / TwipsPerPixel)); }
constexpr int toTwips(int pixels) { return pixels * TwipsPerPixel; }

// Int of the classic dialect: a quotient rounded towards minus infinity.
constexpr int intDiv(int numerator, int denominator) { return static_cast<int>(std::floor(static_cast<double>(numerator) / denominator)); }

inline QRect twipsRect(int left, int top, int width, int height) {
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

}   // namespace veltrin::ui
