#include "Contrast.h"

#include <algorithm>
#include <cmath>

namespace kelvora {

namespace {

double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

// The luminance at which black and white stand out equally: sqrt(1.05 x 0.05) - 0.05.
constexpr double EvenLuminance = 0.1791;

} // namespace

double relativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double x = relativeLuminance(a);
    const double y = relativeLuminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

QColor standingOut(const QColor& designed, const QColor& background, double ratio) {
    if (contrastRatio(designed, background) >= ratio)
        return designed;
    const bool darken = relativeLuminance(background) > EvenLuminance;
    const QColor hsl = designed.toHsl();
    const float hue = std::max(hsl.hslHueF(), 0.0F); // a grey has no hue (-1)
    constexpr int Steps = 100;
    const double from = hsl.lightnessF();
    for (int step = 1; step <= Steps; ++step) {
        const double share = double(step) / Steps;
        const double lightness = darken ? from * (1.0 - share) : from + (1.0 - from) * share;
        const QColor candidate =
            QColor::fromHslF(hue, hsl.hslSaturationF(), float(lightness), hsl.alphaF()).toRgb();
        if (contrastRatio(candidate, background) >= ratio)
            return candidate;
    }
    return darken ? QColor(Qt::black) : QColor(Qt::white);
}

QColor mixed(const QColor& from, const QColor& to, double share) {
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    // In the 8 bits a palette's colours have, so that a mix is the colour a designer would name.
    const auto between = [share](int x, int y) { return qRound(x + (y - x) * share); };
    return QColor(between(a.red(), b.red()), between(a.green(), b.green()), between(a.blue(), b.blue()),
                  between(a.alpha(), b.alpha()));
}

} // namespace kelvora
