#include "Commands.h"

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

using enum ParamKind;

// SQLite differs from the Jet dialect in a few places, never in meaning:
// - a select alias cannot be used in the same select list, so MealConsumeSorted sums its rounded
//   parts in an outer select;
// - parameters are positional (?1, ?2, ...) and may be used more than once;
// - a product of two Currency values is CurrencyProduct(a, b), exact in ten-thousandths as
//   fixed-point arithmetic is (a binary product would decide ties at the fifth decimal by noise);
// - ties in an "order by" are broken by the key so the order of equal rows is stable;
// - names are ordered by the collation KelvoraName, the order of the user's language; the schema
//   keeps its own NOCASE, so the file needs nothing that only this program has;
// - the day-filtered joins are written as "cross join", which in SQLite only fixes the journal table
//   as the outer loop, so the date index drives them however large the diary grows.
std::vector<CommandDef> makeDefinitions() {
    return {
        {u"Exercise"_s,
         true,
         u"select * from Exercise where ExerciseID = ?1"_s,
         {Identifier},
         u"Exercise"_s,
         u"ExerciseID"_s},
        {u"MealCategory"_s,
         true,
         u"select * from MealCategory where MealCategoryID = ?1"_s,
         {Identifier},
         u"MealCategory"_s,
         u"MealCategoryID"_s},
        {u"MealCategorySorted"_s,
         true,
         u"select * from MealCategory order by Name collate KelvoraName, MealCategoryID"_s,
         {},
         {},
         {}},
        {u"Meal"_s, true, u"select * from Meal where MealID = ?1"_s, {Identifier}, u"Meal"_s, u"MealID"_s},
        {u"MealSorted"_s,
         true,
         u"select * from Meal where MealCategoryID = ?1 order by Name collate KelvoraName, MealID"_s,
         {Identifier},
         {},
         {}},
        {u"ExerciseSorted"_s,
         true,
         u"select * from Exercise order by Name collate KelvoraName, ExerciseID"_s,
         {},
         {},
         {}},
        {u"MealConsumeSorted"_s,
         true,
         u"select MealConsumeID, ConsumeTime, Qty, sFat, sCarbohydrate, sProtein, "
         "sFat + sCarbohydrate + sProtein as sCalories, Name from "
         "(select MealConsumeID, ConsumeTime, Qty, round(CurrencyProduct(FatBC, Qty)) as sFat, "
         "round(CurrencyProduct(CarbohydrateBC, Qty)) as sCarbohydrate, "
         "round(CurrencyProduct(ProteinBC, Qty)) as sProtein, Name "
         "from MealConsume cross join Meal on MealConsume.MealID = Meal.MealID "
         "where MealConsume.ConsumeDate = ?1) "
         "order by ConsumeTime, MealConsumeID"_s,
         {Date},
         {},
         {}},
        {u"MealForCategory"_s,
         true,
         u"select * from Meal where MealCategoryID = ?1 order by Name collate KelvoraName, MealID"_s,
         {Identifier},
         {},
         {}},
        {u"MealConsume"_s,
         true,
         u"select MealConsume.*, MealCategoryID "
         "from MealConsume inner join Meal on MealConsume.MealID = Meal.MealID "
         "where MealConsumeID = ?1"_s,
         {Identifier},
         u"MealConsume"_s,
         u"MealConsumeID"_s},
        {u"Common"_s, true, u"select * from Common"_s, {}, u"Common"_s, u"CommonID"_s},
        {u"MealConsumeDelete"_s,
         false,
         u"delete from MealConsume where MealConsumeID = ?1"_s,
         {Identifier},
         {},
         {}},
        {u"ExercisePerformSorted"_s,
         true,
         u"select ExercisePerform.*, Name, round(CurrencyProduct(CaloriesConsume, Qty)) as sCalories "
         "from ExercisePerform cross join Exercise on ExercisePerform.ExerciseID = Exercise.ExerciseID "
         "where PerformDate = ?1 "
         "order by timeBeg, ExercisePerformID"_s,
         {Date},
         {},
         {}},
        {u"ExercisePerform"_s,
         true,
         u"select * from ExercisePerform where ExercisePerformID = ?1"_s,
         {Identifier},
         u"ExercisePerform"_s,
         u"ExercisePerformID"_s},
        {u"RecalculateWeightDependent"_s,
         false,
         u"update Exercise set CaloriesConsume = round(CaloriesConsumeBase * ?1, 4) "
         "where WeightDependent = 1"_s,
         {Single},
         {},
         {}},
        {u"BodySorted"_s,
         true,
         u"select * from Body where DateMeasured >= ?1 order by DateMeasured"_s,
         {Date},
         {},
         {}},
        // The notes' "+DateFrom" keeps the planner from walking the whole DateFrom index to save a
        // sort: the rows wanted are the few recent ones, found through DateTo.
        {u"UserNoteSorted"_s,
         true,
         u"select * from UserNote where DateTo >= ?1 order by +DateFrom, UserNoteId"_s,
         {Date},
         {},
         {}},
        {u"Body"_s, true, u"select * from Body where BodyId = ?1"_s, {Identifier}, u"Body"_s, u"BodyId"_s},
        {u"BodyCheck"_s,
         true,
         u"select * from Body where DateMeasured = ?1 and BodyId <> ?2"_s,
         {Date, Identifier},
         {},
         {}},
        {u"BodyDelete"_s, false, u"delete from Body where BodyId = ?1"_s, {Identifier}, {}, {}},
        {u"UserNote"_s,
         true,
         u"select * from UserNote where UserNoteId = ?1"_s,
         {Identifier},
         u"UserNote"_s,
         u"UserNoteId"_s},
        {u"UserNoteCheck"_s,
         true,
         u"select * from UserNote "
         "where (?1 between DateFrom and DateTo or ?2 between DateFrom and DateTo "
         "or DateFrom between ?1 and ?2) and UserNoteId <> ?3"_s,
         {Date, Date, Identifier},
         {},
         {}},
        {u"chkMinMaxdate"_s,
         true,
         u"select min(dt) as minDt, max(dt) as maxDt from ("
         "select DateMeasured as dt from Body where DateMeasured between ?1 and ?2 "
         "union select PerformDate as dt from ExercisePerform where PerformDate between ?1 and ?2 "
         "union select ConsumeDate as dt from MealConsume where ConsumeDate between ?1 and ?2)"_s,
         {Date, Date},
         {},
         {}},
        {u"chkCaloriesDays"_s,
         true,
         u"select count(dt) as days from ("
         "select distinct ConsumeDate as dt from MealConsume where ConsumeDate between ?1 and ?2 "
         "union select distinct PerformDate as dt from ExercisePerform where PerformDate between ?1 and ?2)"_s,
         {Date, Date},
         {},
         {}},
        {u"chkBodyContig"_s,
         true,
         u"select BodyId, DateMeasured from Body PBody "
         "where DateMeasured between ?1 and ?2 and not exists ("
         "select BodyId from Body where DateMeasured between ?1 and ?2 "
         "and BodyId <> PBody.BodyId and abs(DateMeasured - PBody.DateMeasured) <= ?3) "
         "order by DateMeasured"_s,
         {Date, Date, Int32},
         {},
         {}},
        {u"GPBody"_s,
         true,
         u"select * from Body where DateMeasured between ?1 and ?2 order by DateMeasured"_s,
         {Date, Date},
         {},
         {}},
        // The kcal eaten a day as the meal list totals them: each meal's nutrients rounded, then summed.
        {u"GPEaten"_s,
         true,
         u"select ConsumeDate as curDate, sum(round(CurrencyProduct(FatBC, Qty)) + "
         "round(CurrencyProduct(CarbohydrateBC, Qty)) + round(CurrencyProduct(ProteinBC, Qty))) as Eaten "
         "from MealConsume cross join Meal on MealConsume.MealID = Meal.MealID "
         "where ConsumeDate between ?1 and ?2 "
         "group by ConsumeDate order by ConsumeDate"_s,
         {Date, Date},
         {},
         {}},
        {u"GPCalories"_s,
         true,
         u"select round(sum(cal), 4) as calories, curDate from ("
         "select CurrencyProduct(Qty, Calories) as cal, ConsumeDate as curDate "
         "from MealConsume cross join Meal on MealConsume.MealID = Meal.MealID "
         "where ConsumeDate between ?1 and ?2 "
         "union all "
         "select -CurrencyProduct(Qty, CaloriesConsume) as cal, PerformDate as curDate "
         "from ExercisePerform cross join Exercise on ExercisePerform.ExerciseID = Exercise.ExerciseID "
         "where PerformDate between ?1 and ?2) "
         "group by curDate order by curDate"_s,
         {Date, Date},
         {},
         {}},
        {u"GPNotes"_s,
         true,
         u"select * from UserNote "
         "where DateFrom between ?1 and ?2 or DateTo between ?1 and ?2 or ?1 between DateFrom and DateTo "
         "order by +DateFrom, UserNoteId"_s,
         {Date, Date},
         {},
         {}},
        {u"RecalculateBodyToMetric"_s,
         false,
         u"update Body set Weight = round(CurrencyProduct(Weight, ?1), 1), Waist = "
         u"round(CurrencyProduct(Waist, ?2)), "
         "Hips = round(CurrencyProduct(Hips, ?2)), Breast = round(CurrencyProduct(Breast, ?2)), Measurement "
         "= 'M' "
         "where Measurement = 'I'"_s,
         {Currency, Currency},
         {},
         {}},
        {u"RecalculateBodyToImperial"_s,
         false,
         u"update Body set Weight = Int(Weight / ?1), Waist = round(Waist / ?2, 1), "
         "Hips = round(Hips / ?2, 1), Breast = round(Breast / ?2, 1), Measurement = 'I' "
         "where Measurement = 'M'"_s,
         {Currency, Currency},
         {},
         {}},
        // The target weight of the goals follows the body rows into the other unit system, rounded
        // as they are; the previews show the dialog what the switch will store.
        {u"RecalculateTargetToMetric"_s,
         false,
         u"update Common set TargetWeight = round(CurrencyProduct(TargetWeight, ?1), 1)"_s,
         {Currency},
         {},
         {}},
        {u"RecalculateTargetToImperial"_s,
         false,
         u"update Common set TargetWeight = Int(TargetWeight / ?1)"_s,
         {Currency},
         {},
         {}},
        {u"TargetWeightInMetric"_s,
         true,
         u"select round(CurrencyProduct(?1, ?2), 1) as Weight"_s,
         {Currency, Currency},
         {},
         {}},
        {u"TargetWeightInImperial"_s, true, u"select Int(?1 / ?2) as Weight"_s, {Currency, Currency}, {}, {}},
        {u"RecalcBodyDates"_s,
         false,
         u"update Body set DateMeasured = DateMeasured + ?1 where BodyId < 0"_s,
         {Int16},
         {},
         {}},
        {u"RecalcExerciseDates"_s,
         false,
         u"update ExercisePerform set PerformDate = PerformDate + ?1 where ExercisePerformID < 0"_s,
         {Int16},
         {},
         {}},
        {u"RecalcMealDates"_s,
         false,
         u"update MealConsume set ConsumeDate = ConsumeDate + ?1 where MealConsumeID < 0"_s,
         {Int16},
         {},
         {}},
        {u"RecalcUserNoteDates"_s,
         false,
         u"update UserNote set DateFrom = DateFrom + ?1, DateTo = DateTo + ?1 where UserNoteId < 0"_s,
         {Int16},
         {},
         {}},
        // The search of the journal editors: every meal with its category, and every activity, the
        // most recently eaten (performed) first, then by name; never used last.
        {u"MealFindList"_s,
         true,
         u"select Meal.MealID, Meal.Name, Meal.MealCategoryID, MealCategory.Name as CategoryName, LastUsed "
         "from Meal inner join MealCategory on Meal.MealCategoryID = MealCategory.MealCategoryID "
         "left join (select MealID, max(ConsumeDate + ConsumeTime) as LastUsed from MealConsume "
         "group by MealID) as Used on Used.MealID = Meal.MealID "
         "order by LastUsed is null, LastUsed desc, Meal.Name collate KelvoraName, Meal.MealID"_s,
         {},
         {},
         {}},
        {u"ExerciseFindList"_s,
         true,
         u"select Exercise.ExerciseID, Exercise.Name, LastUsed from Exercise "
         "left join (select ExerciseID, max(PerformDate + timeBeg) as LastUsed from ExercisePerform "
         "group by ExerciseID) as Used on Used.ExerciseID = Exercise.ExerciseID "
         "order by LastUsed is null, LastUsed desc, Exercise.Name collate KelvoraName, Exercise.ExerciseID"_s,
         {},
         {},
         {}},
        // A meal of another day eaten again on `day` (?2) at the same time and in the same quantity,
        // under the new identifier ?1.
        {u"MealConsumeCopy"_s,
         false,
         u"insert into MealConsume (MealConsumeID, MealID, ConsumeDate, ConsumeTime, Qty) "
         "select ?1, MealID, ?2, ConsumeTime, Qty from MealConsume where MealConsumeID = ?3"_s,
         {Identifier, Date, Identifier},
         {},
         {}},
        // The catalogue editors' test for a name the table already holds in another letter case or
        // another composition of its accents (the schema's NOCASE knows the 26 letters of ASCII only):
        // the names other than the edited record's that fold to the same text.
        {u"MealCategoryNameCheck"_s,
         true,
         u"select MealCategoryID from MealCategory "
         "where FoldedName(Name) = FoldedName(?1) and MealCategoryID <> ?2"_s,
         {Text, Identifier},
         {},
         {}},
        {u"MealNameCheck"_s,
         true,
         u"select MealID from Meal where FoldedName(Name) = FoldedName(?1) and MealID <> ?2"_s,
         {Text, Identifier},
         {},
         {}},
        {u"ExerciseNameCheck"_s,
         true,
         u"select ExerciseID from Exercise where FoldedName(Name) = FoldedName(?1) and ExerciseID <> ?2"_s,
         {Text, Identifier},
         {},
         {}},
    };
}

} // namespace

std::span<const CommandDef> commandDefinitions() {
    static const std::vector<CommandDef> definitions = makeDefinitions();
    return definitions;
}

const CommandDef* findCommand(const QString& name) {
    for (const CommandDef& def : commandDefinitions()) {
        if (def.name.compare(name, Qt::CaseInsensitive) == 0)
            return &def;
    }
    return nullptr;
}

} // namespace kelvora
