#include "ProgressModel.h"

#include "Common.h"
#include "Currency.h"
#include "DayCalories.h"
#include "Numeric.h"
#include "deData.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

// Runs a rows command, hands every row to `row`, and closes the recordset again.
template <typename Row>
void forEachRow(deData& de, const QString& command, const QVariantList& params, Row row) {
    Recordset& rs = de.run(command, params);
    while (!rs.eof()) {
        row(rs);
        rs.moveNext();
    }
    rs.close();
}

bool readValue(const Recordset& rs, const QString& column, float& value) {
    const QVariant v = rs.field(column);
    if (v.isNull())
        return false;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return false;
    value = static_cast<float>(d);
    return true;
}

} // namespace

ProgressModel::ProgressModel(deData& de, DateValue dateFrom, DateValue dateTo, double metabolicRate,
                             const ProgressGoals& goals)
    : m_dateFrom(dateFrom.datePart()), m_dateTo(dateTo.datePart()), m_goals(goals) {
    // A reversed period still gets its first day, so nothing downstream sees an empty table.
    m_nDays = static_cast<int>(std::max<std::int64_t>(1, diffDays(m_dateFrom, m_dateTo) + 1));
    m_days.assign(static_cast<std::size_t>(std::max(m_nDays, DayTableSize)), ProgressDay{});
    readBody(de);
    readCalories(de, metabolicRate);
    readEaten(de);
    Approximate();
    readNotes(de);
}

ProgressDay* ProgressModel::dayAt(std::int64_t k) {
    if (k < 1 || k > m_nDays)
        return nullptr;
    return &m_days[static_cast<std::size_t>(k - 1)];
}

void ProgressModel::readBody(deData& de) {
    forEachRow(de, u"GPBody"_s, {m_dateFrom.serial(), m_dateTo.serial()}, [this](const Recordset& rs) {
        ProgressDay* day = dayAt(dayOf(DateValue(rs.field(u"DateMeasured"_s).toDouble())));
        float breast = 0, waist = 0, hips = 0, weight = 0;
        if (!day || !readValue(rs, u"Breast"_s, breast) || !readValue(rs, u"Waist"_s, waist) ||
            !readValue(rs, u"Hips"_s, hips) || !readValue(rs, u"Weight"_s, weight))
            return;
        day->Breast = breast;
        day->Waist = waist;
        day->Hips = hips;
        day->Weight = weight;
        day->Measured = true;
        for (float girth : {waist, breast, hips}) {
            m_girthMin = MinOf(m_girthMin, girth);
            m_girthMax = MaxOf(m_girthMax, girth);
        }
        m_weightMin = MinOf(m_weightMin, weight);
        m_weightMax = MaxOf(m_weightMax, weight);
    });
}

void ProgressModel::readCalories(deData& de, double metabolicRate) {
    const double basal = metabolicRate * 24.0;
    forEachRow(de, u"GPCalories"_s, {m_dateFrom.serial(), m_dateTo.serial()}, [&](const Recordset& rs) {
        ProgressDay* day = dayAt(dayOf(DateValue(rs.field(u"CurDate"_s).toDouble())));
        if (!day)
            return;
        const double balance = nearest(rs.field(u"Calories"_s).toDouble() - basal);
        constexpr double limit = std::numeric_limits<std::int32_t>::max();
        day->Calories = static_cast<std::int32_t>(std::clamp(balance, -limit, limit));
        day->HasCalories = true;
        m_calMin = MinOf(m_calMin, day->Calories);
        m_calMax = MaxOf(m_calMax, day->Calories);
    });
}

void ProgressModel::readEaten(deData& de) {
    forEachRow(de, u"GPEaten"_s, {m_dateFrom.serial(), m_dateTo.serial()}, [&](const Recordset& rs) {
        ProgressDay* day = dayAt(dayOf(DateValue(rs.field(u"curDate"_s).toDouble())));
        if (!day)
            return;
        constexpr double limit = std::numeric_limits<std::int32_t>::max();
        day->Eaten =
            static_cast<std::int32_t>(std::clamp(nearest(rs.field(u"Eaten"_s).toDouble()), -limit, limit));
        day->HasEaten = true;
    });
}

bool ProgressModel::withinBudget(int k) const {
    const ProgressDay& d = day(k);
    return d.HasEaten &&
           DayCalories{.eaten = static_cast<double>(d.Eaten), .budget = m_goals.dailyCalorieBudget}
               .withinBudget();
}

ProgressSummary ProgressModel::summary() const {
    ProgressSummary summary;
    double eaten = 0;
    int within = 0;
    const ProgressDay* first = nullptr;
    const ProgressDay* last = nullptr;
    for (int k = 1; k <= m_nDays; ++k) {
        const ProgressDay& d = day(k);
        if (d.HasEaten) {
            ++summary.daysEaten;
            eaten += d.Eaten;
            within += withinBudget(k) ? 1 : 0;
        }
        if (d.Measured) {
            first = first ? first : &d;
            last = &d;
        }
    }
    if (m_goals.dailyCalorieBudget)
        summary.daysWithinBudget = within;
    if (summary.daysEaten > 0)
        summary.averageEaten = eaten / summary.daysEaten;
    // The weights are Currency values carried as floats: snapped back, their difference is exact.
    if (first && last && first != last)
        summary.weightChange = snapToCurrency(snapToCurrency(last->Weight) - snapToCurrency(first->Weight));
    return summary;
}

void ProgressModel::readNotes(deData& de) {
    // Room for 20 notes at first, then 10 more at a time: a period rarely holds many.
    m_notes.reserve(20);
    forEachRow(de, u"GPNotes"_s, {m_dateFrom.serial(), m_dateTo.serial()}, [this](const Recordset& rs) {
        if (m_notes.size() == m_notes.capacity())
            m_notes.reserve(m_notes.capacity() + 10);
        m_notes.push_back({NullToText(rs.field(u"NoteText"_s)), DateValue(rs.field(u"DateFrom"_s).toDouble()),
                           DateValue(rs.field(u"DateTo"_s).toDouble())});
    });
}

void ProgressModel::Approximate() {
    bool inGap = false;
    int gapStart = 0;
    for (int k = 1; k <= m_nDays; ++k) {
        const bool hasBody = day(k).hasBody();
        if (!hasBody && !inGap) {
            inGap = true;
            gapStart = k;
        } else if (hasBody && inGap) {
            inGap = false;
            const int gapEnd = k - 1;
            // Only a one- or two-day gap after some data is bridged; a longer one is a real absence.
            if (gapEnd - gapStart <= 1 && gapStart > 1)
                ApproximateSpan(gapStart, gapEnd);
        }
    }
}

void ProgressModel::ApproximateSpan(int gapStart, int gapEnd) {
    const ProgressDay a = day(gapStart - 1);
    const ProgressDay b = day(gapEnd + 1);
    const float n = static_cast<float>(gapEnd - gapStart + 2);
    for (int d = gapStart; d <= gapEnd; ++d) {
        const float t = static_cast<float>(d - gapStart + 1);
        ProgressDay& filled = m_days[static_cast<std::size_t>(d - 1)];
        filled.Breast = a.Breast + t * (b.Breast - a.Breast) / n;
        filled.Waist = a.Waist + t * (b.Waist - a.Waist) / n;
        filled.Hips = a.Hips + t * (b.Hips - a.Hips) / n;
        filled.Weight = a.Weight + t * (b.Weight - a.Weight) / n;
    }
}

} // namespace kelvora
