#include "ProgressLayout.h"

#include "Common.h"
#include "Numeric.h"
#include "ProgressModel.h"

#include <cmath>
#include <cstdlib>

namespace kelvora {

namespace {

int nearestInt(double v) {
    return static_cast<int>(nearest(v));
}

// Labels from `top` down to `bottom`, `step` apart.
std::vector<Currency> labelsDown(Currency top, Currency bottom, Currency step) {
    std::vector<Currency> values;
    if (step <= Currency())
        return values;
    for (Currency v = top; v >= bottom; v = v - step)
        values.push_back(v);
    return values;
}

// The labels of a band whose values run from low to high.
std::vector<Currency> bandLabels(const BandScale& band, double low, double high, int LH) {
    const Currency step = RoundToStep(static_cast<float>(LH / band.scale), false, band.labelBase);
    const double half = LH / (2 * band.scale);
    const Currency top = RoundToStep(static_cast<float>(high - 15 / band.scale), true, band.labelBase);
    const Currency bottom = RoundToStep(static_cast<float>(low + half), false, band.labelBase);
    return labelsDown(top, bottom, step);
}

} // namespace

int BandScale::yOf(double value) const {
    return nearestInt(centreY - (value - centreValue) * scale);
}

ProgressLayout::ProgressLayout(int SW_, int SH_, const ProgressModel& model, bool metric)
    : SW(SW_), SH(SH_), nDays(model.nDays()) {
    pxPerDay = nDays > 1 ? static_cast<float>(SW - 50) / static_cast<float>(nDays - 1) : 0.0f;
    usableHeight = nearestInt(SH - 14 - TopBand);
    girthH = nearestInt(0.27 * usableHeight);
    weightH = nearestInt(0.27 * usableHeight);
    calH = nearestInt(0.26 * usableHeight);
    calZeroY = nearestInt(BandTop + girthH + weightH + calH / 2.0);
    notesTop = BandTop + girthH + weightH + calH + 11;

    girth.top = BandTop;
    girth.height = girthH;
    girth.range = MaxOf<double>(model.girthMax() - model.girthMin(), metric ? 30.0 : 11.81);
    girth.scale = girthH / girth.range;
    girth.centreValue = (static_cast<double>(model.girthMin()) + model.girthMax()) / 2;
    girth.centreY = nearestInt(BandTop + girthH / 2.0);
    girth.labelBase = metric ? Currency::fromInt(1) : Currency::fromRaw(5000);

    weight.top = BandTop + girthH;
    weight.height = weightH;
    // The target weight stands inside the band's scale, with the measured weights or alone.
    double weightMin = model.weightMin();
    double weightMax = model.weightMax();
    if (const auto target = model.goals().targetWeight) {
        const bool measured = weightMax >= weightMin;
        weightMin = measured ? MinOf(weightMin, *target) : *target;
        weightMax = measured ? MaxOf(weightMax, *target) : *target;
    }
    weight.range = MaxOf<double>(weightMax - weightMin, metric ? 30.0 : 69.7);
    weight.scale = weightH / weight.range;
    weight.centreValue = (weightMin + weightMax) / 2;
    weight.centreY = nearestInt(BandTop + girthH + weightH / 2.0);
    weight.labelBase = metric ? Currency::fromRaw(5000) : Currency::fromInt(1);

    calories.top = BandTop + girthH + weightH;
    calories.height = calH;
    calories.range = MaxOf(2000.0, MaxOf(2.0 * std::abs(model.calMax()), 2.0 * std::abs(model.calMin())));
    calories.scale = calH / calories.range;
    calories.centreValue = 0;
    calories.centreY = calZeroY;
    calories.labelBase = Currency::fromInt(100);
}

int ProgressLayout::xOfDay(std::int64_t k) const {
    return nearestInt(static_cast<float>(k - 1) * pxPerDay + static_cast<float>(FirstDayX));
}

ValueLabels valueLabels(const ProgressLayout& layout, int LH) {
    ValueLabels labels;
    for (auto [band, values] :
         {std::pair{&layout.girth, &labels.girth}, std::pair{&layout.weight, &labels.weight}})
        *values =
            bandLabels(*band, band->centreValue - band->range / 2, band->centreValue + band->range / 2, LH);

    const BandScale& cal = layout.calories;
    labels.caloriesUpper = bandLabels(cal, 0, cal.range / 2, LH);

    const Currency step = RoundToStep(static_cast<float>(LH / cal.scale), false, cal.labelBase);
    const double half = LH / (2 * cal.scale);
    const Currency first = RoundToStep(static_cast<float>(-cal.range / 2 + half), false, cal.labelBase);
    const Currency last = RoundToStep(static_cast<float>(-half), true, cal.labelBase);
    if (step > Currency()) {
        for (Currency v = first; v <= last; v = v + step)
            if (v != Currency())
                labels.caloriesLower.push_back(v);
    }
    return labels;
}

} // namespace kelvora
