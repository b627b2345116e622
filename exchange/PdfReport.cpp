#include "PdfReport.h"

#include "AppState.h"
#include "Common.h"
#include "DateFields.h"
#include "DayCalories.h"
#include "ExportPeriod.h"
#include "Numeric.h"
#include "ReportPages.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

using Column = ReportPages::Column;
constexpr auto Fixed = Column::Kind::Fixed;
constexpr auto Number = Column::Kind::Number;

QString whole(double kcal) {
    return formatNumber(nearest(kcal));
}

QString shortDate(const QDate& date) {
    return QLocale().toString(date, shortDateFormat());
}

QString items(std::size_t count) {
    return u"Total (%1 items)"_s.arg(count);
}

void addMeals(ReportPages& pages, const ExportedDay& day, const AppState& state) {
    std::vector<QStringList> rows;
    for (const ExportedMeal& meal : day.meals)
        rows.push_back({displayTime(meal.time, state.timeDisplayFormat), meal.name, meal.category,
                        NullToText(meal.quantity), meal.unit, whole(meal.kcal), whole(meal.fat),
                        whole(meal.carbohydrate), whole(meal.protein)});
    pages.subheading(u"Meals"_s);
    pages.table(u"meals"_s,
                {{u"Time"_s, Fixed},
                 {u"Meal"_s},
                 {u"Category"_s},
                 {u"Qty"_s, Number},
                 {u"Unit"_s},
                 {u"kcal"_s, Number},
                 {u"Fat"_s, Number},
                 {u"Carboh."_s, Number},
                 {u"Protein"_s, Number}},
                std::move(rows),
                {QString(), items(day.meals.size()), QString(), QString(), QString(), whole(day.eaten),
                 whole(day.fat), whole(day.carbohydrate), whole(day.protein)});
}

void addActivities(ReportPages& pages, const ExportedDay& day, const AppState& state) {
    std::vector<QStringList> rows;
    for (const ExportedActivity& activity : day.activities)
        rows.push_back({displayTime(activity.begin, state.timeDisplayFormat),
                        displayTime(activity.end, state.timeDisplayFormat), activity.name,
                        NullToText(activity.quantity), activity.unit, whole(activity.kcal)});
    pages.subheading(u"Activities"_s);
    pages.table(
        u"activities"_s,
        {{u"Begin"_s, Fixed},
         {u"End"_s, Fixed},
         {u"Activity"_s},
         {u"Qty"_s, Number},
         {u"Unit"_s},
         {u"kcal"_s, Number}},
        std::move(rows),
        {QString(), QString(), items(day.activities.size()), QString(), QString(), whole(day.burned)});
}

const std::vector<Column> FigureColumns{{u"Eaten"_s, Number},        {u"Fat"_s, Number},
                                        {u"Carbohydrate"_s, Number}, {u"Protein"_s, Number},
                                        {u"Activities"_s, Number},   {u"Background burn"_s, Number},
                                        {u"Balance"_s, Number}};

QStringList figures(const std::array<double, 7>& values) {
    QStringList cells;
    for (const double value : values)
        cells << whole(value);
    return cells;
}

QString measured(const QString& name, const QVariant& value, const QString& unit) {
    return value.isNull() ? QString() : name + u' ' + NullToText(value) + u' ' + unit;
}

void addBody(ReportPages& pages, const ExportedBody& body) {
    QStringList parts;
    for (const QString& part : {measured(u"weight"_s, body.weight, weightUnit(body.system)),
                                measured(u"breast"_s, body.breast, girthUnit(body.system)),
                                measured(u"waist"_s, body.waist, girthUnit(body.system)),
                                measured(u"hips"_s, body.hips, girthUnit(body.system))}) {
        if (!part.isEmpty())
            parts << part;
    }
    pages.paragraph({{u"Body measurement: "_s, true}, {parts.join(u", "_s)}});
}

void addDay(ReportPages& pages, const ExportPeriod& period, const ExportedDay& day, const AppState& state) {
    pages.heading(longDateText(day.date));
    if (!day.meals.empty())
        addMeals(pages, day, state);
    if (!day.activities.empty())
        addActivities(pages, day, state);
    pages.subheading(u"Day totals (kcal)"_s);
    pages.table(u"figures"_s, FigureColumns,
                {figures({double(day.eaten), double(day.fat), double(day.carbohydrate), double(day.protein),
                          double(day.burned), day.backgroundBurn, day.balance})});
    if (period.dailyCalorieBudget && day.hasCalories()) {
        const DayCalories figures{double(day.eaten), double(day.burned), period.dailyCalorieBudget};
        pages.paragraph({{u"Budget: "_s, true},
                         {u"%1 kcal eaten at most; %2 kcal eaten, %3."_s.arg(
                             formatNumber(*period.dailyCalorieBudget), whole(day.eaten),
                             budgetLeftText(*figures.left()))}});
    }
    if (day.body)
        addBody(pages, *day.body);
    for (const ExportedNote* note : period.notesOn(day.date))
        pages.paragraph(
            {{u"Note, %1 to %2: "_s.arg(shortDate(note->from), shortDate(note->to)), true}, {note->text}});
}

void addGoals(ReportPages& pages, const ExportPeriod& period) {
    QStringList goals;
    if (period.targetWeight)
        goals << u"target weight %1 %2"_s.arg(formatNumber(*period.targetWeight), weightUnit(period.system));
    if (period.dailyCalorieBudget)
        goals << u"daily calorie budget %1 kcal eaten"_s.arg(formatNumber(*period.dailyCalorieBudget));
    pages.paragraph({{u"Goals: "_s, true}, {goals.isEmpty() ? u"none set."_s : goals.join(u"; "_s) + u'.'}});
}

void addAverages(ReportPages& pages, const ExportPeriod& period) {
    const std::optional<PeriodAverages> averages = period.averages();
    if (!averages) {
        pages.heading(u"Averages"_s);
        pages.paragraph({{u"No day of the period has meals or activities."_s}});
        return;
    }
    pages.heading(u"Averages per day (kcal)"_s);
    pages.paragraph({{u"Over the %1 days with meals or activities."_s.arg(averages->days)}});
    pages.table(u"figures"_s, FigureColumns,
                {figures({averages->eaten, averages->fat, averages->carbohydrate, averages->protein,
                          averages->burned, averages->backgroundBurn, averages->balance})});
}

} // namespace

QPageSize::PageSizeId paperSizeFor(const QLocale& locale) {
    // The territories whose paper is Letter; the rest of the world uses A4.
    static constexpr std::array LetterTerritories{
        QLocale::UnitedStates, QLocale::Canada,    QLocale::Mexico,    QLocale::Belize,
        QLocale::Chile,        QLocale::Colombia,  QLocale::CostaRica, QLocale::ElSalvador,
        QLocale::Guatemala,    QLocale::Nicaragua, QLocale::Panama,    QLocale::Philippines,
        QLocale::PuertoRico,   QLocale::Venezuela,
    };
    const bool letter = std::find(LetterTerritories.begin(), LetterTerritories.end(), locale.territory()) !=
                        LetterTerritories.end();
    return letter ? QPageSize::Letter : QPageSize::A4;
}

QByteArray pdfReport(const ExportPeriod& period, const AppState& state) {
    ReportPages pages;
    pages.title(u"Kelvora diary"_s);
    pages.paragraph({{u"%1 to %2"_s.arg(longDateText(period.from), longDateText(period.to)), true}});
    pages.paragraph(
        {{u"Energy is in kilocalories (kcal). Fat, carbohydrate and protein are the kcal that come "
          "from each. The balance of a day is what was eaten, minus the activities, minus a whole day "
          "of background burn at %1 kcal per hour, as Kelvora's daily chart shows it."_s.arg(
              formatNumber(period.metabolicRate))}});
    addGoals(pages, period);
    for (const ExportedDay& day : period.days)
        addDay(pages, period, day, state);
    addAverages(pages, period);
    return pages.pdf(paperSizeFor(QLocale()),
                     u"Kelvora diary, %1 to %2"_s.arg(shortDate(period.from), shortDate(period.to)));
}

} // namespace kelvora
