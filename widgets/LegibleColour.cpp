#include "widgets/LegibleColour.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

constexpr double kLegibleContrast = 4.5;

// How bright the eye finds the colour, from 0 (black) to 1 (white), the sRGB channels weighed
// after their gamma is taken out.
double Luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double Contrast(const QColor& first, const QColor& second) {
    const double a = Luminance(first);
    const double b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

} // namespace

QColor LegibleOn(const QColor& text, const QColor& background) {
    if (Luminance(background) >= Luminance(text) ||
        Contrast(text, background) >= kLegibleContrast) {
        return text;
    }
    const QColor hsl = text.toHsl();
    for (int lightness = hsl.lightness() + 1; lightness <= 255; ++lightness) {
        const QColor lighter =
            QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness).toRgb();
        if (Contrast(lighter, background) >= kLegibleContrast) {
            return lighter;
        }
    }
    return Qt::white;
}

} // namespace corvane
