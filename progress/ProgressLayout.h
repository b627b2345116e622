#pragma once

#include "Currency.h"

#include <cstdint>
#include <vector>

namespace kelvora {

class ProgressModel;

// One band of the progress chart: where it stands and how it turns values into heights.
struct BandScale {
    int top = 0;
    int height = 0;
    double range = 1.0;       // the values the band's height spans
    double scale = 1.0;       // pixels per unit
    double centreValue = 0.0; // the value drawn at centreY
    int centreY = 0;
    Currency labelBase; // label values are multiples of this

    int yOf(double value) const;
};

// The geometry of the progress chart for a client area of SW x SH pixels.
class ProgressLayout {
public:
    static constexpr int TopBand = 26;
    static constexpr int BandTop = TopBand + 7;
    static constexpr int AxisX = 40;
    static constexpr int FirstDayX = 43;

    ProgressLayout(int SW, int SH, const ProgressModel& model, bool metric);

    int SW;
    int SH;
    int nDays;
    float pxPerDay;
    int usableHeight;
    int girthH;
    int weightH;
    int calH;
    int calZeroY;
    int notesTop;
    BandScale girth;
    BandScale weight;
    BandScale calories;

    // Day k may lie outside the period (a note that began before it).
    int xOfDay(std::int64_t k) const;
};

// The values labelled on the value axis, for labels LH pixels tall, top to bottom within each band.
struct ValueLabels {
    std::vector<Currency> girth;
    std::vector<Currency> weight;
    std::vector<Currency> caloriesUpper; // from the top down
    std::vector<Currency> caloriesLower; // from the bottom up
};

ValueLabels valueLabels(const ProgressLayout& layout, int LH);

} // namespace kelvora
