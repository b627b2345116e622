#pragma once

#include "ZelmarGraph.h"

#include <QColor>
#include <QFontMetrics>
#include <QImage>

#include <cmath>

// Times and the chart's formulas, written out independently of the control so that tests compare
// the control against the design rather than against itself.
namespace charttest {

inline double at(int hour, int minute, int second = 0) {
    return (hour * 3600 + minute * 60 + second) / 86400.0;
}

inline int nearest(double v) {
    return static_cast<int>(std::nearbyint(v));
}

inline int minuteOf(double serial) {
    return nearest(serial * 86400) / 60;
}

struct Expected {
    float pixelsPerKcal;
    int baselineY;
    float pixelsPerMinute;
    int beginMinute;
    int width;

    Expected(int w, int h, double chartBegin, double chartEnd)
        : pixelsPerKcal(static_cast<float>((h - 27) / 5000.0)),
          baselineY(nearest(7 + 3000 * double{pixelsPerKcal} + 10)),
          pixelsPerMinute(static_cast<float>((w - 20) / double(minuteOf(chartEnd) - minuteOf(chartBegin)))),
          beginMinute(minuteOf(chartBegin)), width(w) {}
    explicit Expected(const ZelmarGraph& g) : Expected(g.width(), g.height(), g.chartBegin(), g.chartEnd()) {}

    int x(double serial) const {
        return nearest((minuteOf(serial) - beginMinute) * double{pixelsPerMinute} + 10);
    }
    double y(double kcal) const { return baselineY - kcal * double{pixelsPerKcal}; }
    int yPixel(double kcal) const { return nearest(y(kcal)); }
};

inline QColor colourAt(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

// The metrics the control paints its texts with.
inline QFontMetrics paintMetrics(const ZelmarGraph& graph) {
    const QImage device(1, 1, QImage::Format_RGB32);
    return QFontMetrics(graph.font(), &device);
}

} // namespace charttest
