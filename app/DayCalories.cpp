#include "DayCalories.h"

#include "Currency.h"
#include "Numeric.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace kelvora {

std::optional<double> DayCalories::left() const {
    if (!budget)
        return std::nullopt;
    // Both figures are in ten-thousandths at most: snapping keeps 2000.1 - 1850 from showing noise.
    return snapToCurrency(*budget - eaten);
}

QString budgetLeftText(double left) {
    // Adding zero turns the -0 of an exact hit into 0.
    return left < 0 ? u"%1 over"_s.arg(formatNumber(-left)) : u"%1 left"_s.arg(formatNumber(left + 0.0));
}

QString dayCaloriesText(const DayCalories& day) {
    const QString eaten = formatNumber(day.eaten);
    const QString burned = u"burned %1 kcal"_s.arg(formatNumber(day.burned));
    if (const auto left = day.left())
        return u"Eaten %1 kcal of %2, %3; %4"_s.arg(eaten, formatNumber(*day.budget), budgetLeftText(*left),
                                                    burned);
    return u"Eaten %1 kcal; %2"_s.arg(eaten, burned);
}

} // namespace kelvora
