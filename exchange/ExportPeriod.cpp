#include "ExportPeriod.h"

#include "AppState.h"
#include "Common.h"
#include "DateValue.h"
#include "Numeric.h"
#include "ZelmarGraph.h"
#include "deData.h"

#include <QHash>

#include <map>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

struct MealFacts {
    QString unit;
    QString category;
};

// The catalogues, for what the day commands leave out: a meal's unit and category by its name
// (names are unique in the catalogue), an activity's unit by its identifier.
struct Catalogue {
    QHash<QString, MealFacts> meals;
    QHash<qint64, QString> activityUnits;
};

Catalogue readCatalogue(deData& de) {
    Catalogue catalogue;
    std::vector<std::pair<qint64, QString>> categories;
    Recordset& categoryRows = de.run(u"MealCategorySorted"_s);
    for (; !categoryRows.eof(); categoryRows.moveNext())
        categories.emplace_back(categoryRows.field(u"MealCategoryID"_s).toLongLong(),
                                NullToText(categoryRows.field(u"Name"_s)));
    categoryRows.close();
    for (const auto& [id, category] : categories) {
        Recordset& meals = de.run(u"MealSorted"_s, {id});
        for (; !meals.eof(); meals.moveNext())
            catalogue.meals.insert(NullToText(meals.field(u"Name"_s)),
                                   {NullToText(meals.field(u"Unit"_s)), category});
        meals.close();
    }
    Recordset& activities = de.run(u"ExerciseSorted"_s);
    for (; !activities.eof(); activities.moveNext())
        catalogue.activityUnits.insert(activities.field(u"ExerciseID"_s).toLongLong(),
                                       NullToText(activities.field(u"Unit"_s)));
    activities.close();
    return catalogue;
}

std::map<QDate, ExportedBody> readBody(deData& de, const QDate& from, const QDate& to) {
    std::map<QDate, ExportedBody> body;
    Recordset& rows = de.run(u"GPBody"_s, {from, to});
    for (; !rows.eof(); rows.moveNext())
        body.emplace(DateValue(rows.field(u"DateMeasured"_s).toDouble()).toQDate(),
                     ExportedBody{rows.field(u"Weight"_s), rows.field(u"Breast"_s), rows.field(u"Waist"_s),
                                  rows.field(u"Hips"_s), rows.field(u"Measurement"_s).toString()});
    rows.close();
    return body;
}

std::vector<ExportedNote> readNotes(deData& de, const QDate& from, const QDate& to) {
    std::vector<ExportedNote> notes;
    Recordset& rows = de.run(u"GPNotes"_s, {from, to});
    for (; !rows.eof(); rows.moveNext())
        notes.push_back({DateValue(rows.field(u"DateFrom"_s).toDouble()).toQDate(),
                         DateValue(rows.field(u"DateTo"_s).toDouble()).toQDate(),
                         NullToText(rows.field(u"NoteText"_s))});
    rows.close();
    return notes;
}

// A kcal value as the chart's 16-bit field takes it; nothing when it does not fit. The main window
// leaves such a record off the chart, and so does the export's copy of the chart.
std::optional<qint16> chartKcal(const QVariant& value) {
    return toInt16(value.toDouble());
}

void readMeals(deData& de, const Catalogue& catalogue, ExportedDay& day, ZelmarGraph& chart) {
    Recordset& rows = de.run(u"MealConsumeSorted"_s, {day.date});
    for (; !rows.eof(); rows.moveNext()) {
        ExportedMeal meal;
        meal.time = rows.field(u"ConsumeTime"_s);
        meal.name = NullToText(rows.field(u"Name"_s));
        const MealFacts facts = catalogue.meals.value(meal.name);
        meal.category = facts.category;
        meal.unit = facts.unit;
        meal.quantity = rows.field(u"Qty"_s);
        meal.fat = NullToZero(rows.field(u"sFat"_s));
        meal.carbohydrate = NullToZero(rows.field(u"sCarbohydrate"_s));
        meal.protein = NullToZero(rows.field(u"sProtein"_s));
        meal.kcal = NullToZero(rows.field(u"sCalories"_s));
        day.eaten += meal.kcal;
        day.fat += meal.fat;
        day.carbohydrate += meal.carbohydrate;
        day.protein += meal.protein;

        const auto carbohydrate = chartKcal(rows.field(u"sCarbohydrate"_s));
        const auto fat = chartKcal(rows.field(u"sFat"_s));
        const auto protein = chartKcal(rows.field(u"sProtein"_s));
        if (carbohydrate && fat && protein)
            chart.addMeal(rows.field(u"MealConsumeID"_s).toInt(), meal.time.toDouble(), *carbohydrate, *fat,
                          *protein);
        day.meals.push_back(std::move(meal));
    }
    rows.close();
}

void readActivities(deData& de, const Catalogue& catalogue, ExportedDay& day, ZelmarGraph& chart) {
    Recordset& rows = de.run(u"ExercisePerformSorted"_s, {day.date});
    for (; !rows.eof(); rows.moveNext()) {
        ExportedActivity activity;
        activity.begin = rows.field(u"timeBeg"_s);
        activity.end = rows.field(u"timeEnd"_s);
        activity.name = NullToText(rows.field(u"Name"_s));
        activity.unit = catalogue.activityUnits.value(rows.field(u"ExerciseID"_s).toLongLong());
        activity.quantity = rows.field(u"Qty"_s);
        activity.kcal = NullToZero(rows.field(u"sCalories"_s));
        day.burned += activity.kcal;
        if (const auto calories = chartKcal(rows.field(u"sCalories"_s)))
            chart.addExercise(rows.field(u"ExercisePerformID"_s).toInt(), activity.begin.toDouble(),
                              activity.end.toDouble(), *calories);
        day.activities.push_back(std::move(activity));
    }
    rows.close();
}

} // namespace

std::vector<const ExportedNote*> ExportPeriod::notesOn(const QDate& day) const {
    std::vector<const ExportedNote*> covering;
    for (const ExportedNote& note : notes) {
        if (note.from <= day && day <= note.to)
            covering.push_back(&note);
    }
    return covering;
}

std::optional<PeriodAverages> ExportPeriod::averages() const {
    PeriodAverages sums;
    for (const ExportedDay& day : days) {
        if (!day.hasCalories())
            continue;
        ++sums.days;
        sums.eaten += day.eaten;
        sums.fat += day.fat;
        sums.carbohydrate += day.carbohydrate;
        sums.protein += day.protein;
        sums.burned += day.burned;
        sums.backgroundBurn += day.backgroundBurn;
        sums.balance += day.balance;
    }
    if (sums.days == 0)
        return std::nullopt;
    const double n = sums.days;
    for (double* sum : {&sums.eaten, &sums.fat, &sums.carbohydrate, &sums.protein, &sums.burned,
                        &sums.backgroundBurn, &sums.balance})
        *sum /= n;
    return sums;
}

ExportPeriod readPeriod(deData& de, const AppState& state, const QDate& from, const QDate& to) {
    ExportPeriod period;
    period.from = from;
    period.to = to;
    period.metabolicRate = state.metabolicRate;
    period.targetWeight = state.targetWeight;
    period.dailyCalorieBudget = state.dailyCalorieBudget;
    period.system = state.measurementSystem;
    if (!from.isValid() || !to.isValid() || from > to)
        return period;
    const Catalogue catalogue = readCatalogue(de);
    const std::map<QDate, ExportedBody> body = readBody(de, from, to);
    period.notes = readNotes(de, from, to);

    // The chart control itself works out each day's balance, fed as the main window feeds it.
    ZelmarGraph chart;
    const double metabolicKoef = state.metabolicRate / 60.0;
    for (QDate date = from; date <= to; date = date.addDays(1)) {
        ExportedDay day;
        day.date = date;
        chart.Reset();
        chart.setMetabolicKoef(metabolicKoef);
        readMeals(de, catalogue, day, chart);
        readActivities(de, catalogue, day, chart);
        if (const auto measured = body.find(date); measured != body.end())
            day.body = measured->second;
        if (!day.hasCalories() && !day.body)
            continue;
        day.backgroundBurn = metabolicKoef * 24 * 60;
        day.balance = chart.balance();
        period.days.push_back(std::move(day));
    }
    return period;
}

QString weightUnit(const QString& system) {
    return system == u"I"_s ? u"lb"_s : u"kg"_s;
}

QString girthUnit(const QString& system) {
    return system == u"I"_s ? u"inch"_s : u"cm"_s;
}

} // namespace kelvora
