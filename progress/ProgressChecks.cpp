#include "ProgressChecks.h"

#include "deData.h"

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {
// Body measurements further apart than this break the chart's lines.
constexpr int BodyMeasurementGap = 3;
} // namespace

bool coverageCheck(deData& de, DateValue dateFrom, DateValue dateTo, DataRange& range) {
    range = {dateFrom, dateTo};
    Recordset& rs = de.run(u"chkMinMaxdate"_s, {dateFrom.serial(), dateTo.serial()});
    bool covered = false;
    if (!rs.eof()) {
        const QVariant minDt = rs.field(u"minDt"_s);
        const QVariant maxDt = rs.field(u"maxDt"_s);
        if (!minDt.isNull() && !maxDt.isNull()) {
            range = {DateValue(minDt.toDouble()), DateValue(maxDt.toDouble())};
            // In whole numbers, so that exactly 30% passes.
            covered = 10 * diffDays(range.minDt, range.maxDt) >= 3 * diffDays(dateFrom, dateTo);
        }
    }
    rs.close();
    return covered;
}

bool contiguityCheck(deData& de, const DataRange& range) {
    const QVariantList period{range.minDt.serial(), range.maxDt.serial()};
    Recordset& days = de.run(u"chkCaloriesDays"_s, period);
    const QVariant count = days.eof() ? QVariant() : days.field(u"days"_s);
    days.close();
    if (count.isNull() || count.toLongLong() < diffDays(range.minDt, range.maxDt) + 1)
        return false;

    Recordset& isolated =
        de.run(u"chkBodyContig"_s, {range.minDt.serial(), range.maxDt.serial(), BodyMeasurementGap});
    const bool contiguous = isolated.eof();
    isolated.close();
    return contiguous;
}

} // namespace kelvora
