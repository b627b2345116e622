#include "CommonSettings.h"

#include "AppState.h"
#include "Numeric.h"
#include "deData.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace kelvora {

std::optional<double> goal(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    return value.toDouble();
}

void readCommonSettings(AppState& state, deData& de) {
    Recordset& common = de.rs(u"Common"_s);
    if (!common.isOpen())
        common.open();
    // The settings dialog only ever stores weights that fit; a file edited elsewhere could hold
    // more, and then the nearest representable weight is the honest reading.
    const double weight = common.field(u"weight"_s).toDouble();
    state.bodyWeight = toInt16(weight).value_or(weight < 0 ? std::numeric_limits<std::int16_t>::min()
                                                           : std::numeric_limits<std::int16_t>::max());
    state.measurementSystem = common.field(u"Measurement"_s).toString();
    state.metabolicRate = common.field(u"metabolicRate"_s).toDouble();
    state.targetWeight = goal(common.field(u"TargetWeight"_s));
    state.dailyCalorieBudget = goal(common.field(u"DailyCalorieBudget"_s));
}

} // namespace kelvora
