// Hostile texts in every numeric field of every editor: each text is either taken as the number it
// denotes and stored as that number, or refused with the field's own message while the dialog stays
// open and the stored row keeps its value.
#include "AppFixture.h"
#include "deData.h"
#include "frmBody.h"
#include "frmCommon.h"
#include "frmExercise.h"
#include "frmExercisePerform.h"
#include "frmMeal.h"
#include "frmMealCategory.h"
#include "frmMealConsume.h"
#include "frmWeightAdjustment.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <ostream>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

// What a text denotes to the numeric-text test under the pinned English (United States) locale.
enum class Kind { Number, NotNumber, Empty, Blank, CutToNumber };

struct Hostile {
    const char* label;
    QString text;
    Kind kind;
    double value = 0;  // the number it denotes
    double stored = 0; // that number as a stored amount (four decimals)
};

const Hostile HostileTexts[] = {
    {"huge exponent", u"1e308"_s, Kind::NotNumber},
    {"twenty nines", u"99999999999999999999"_s, Kind::NotNumber},
    {"ten thousand digits", QString(10000, u'9'), Kind::NotNumber},
    {"tiny exponent", u"1e-300"_s, Kind::Number, 1e-300, 0},
    {"below a ten-thousandth", u"0.00001"_s, Kind::Number, 0.00001, 0},
    {"exponent", u"1e3"_s, Kind::Number, 1000, 1000},
    {"digits past a tie", u"2.00025000000000000001"_s, Kind::Number, 2.00025, 2.0003},
    {"largest amount", u"922337203685477.5807"_s, Kind::Number, 922337203685477.5807, 922337203685477.5807},
    {"just beyond the largest amount", u"922337203685477.5808"_s, Kind::NotNumber},
    {"capital exponent with sign", u"1E+2"_s, Kind::Number, 100, 100},
    {"negative exponent", u"2e-1"_s, Kind::Number, 0.2, 0.2},
    {"thousands separator", u"1,000"_s, Kind::NotNumber},
    {"continental grouping", u"1.000,5"_s, Kind::NotNumber},
    {"decimal comma", u"3,5"_s, Kind::NotNumber},
    {"nan", u"nan"_s, Kind::NotNumber},
    {"NaN", u"NaN"_s, Kind::NotNumber},
    {"inf", u"inf"_s, Kind::NotNumber},
    {"-Infinity", u"-Infinity"_s, Kind::NotNumber},
    {"leading tab", u"\t5"_s, Kind::Number, 5, 5},
    {"trailing newline", u"5\n"_s, Kind::Number, 5, 5},
    {"control character", QChar(1) + u"5"_s, Kind::NotNumber},
    {"embedded control character", u"5"_s + QChar(1), Kind::NotNumber},
    {"surrounding blanks", u"  12.5  "_s, Kind::Number, 12.5, 12.5},
    {"plus sign", u"+5"_s, Kind::Number, 5, 5},
    {"double minus", u"--5"_s, Kind::NotNumber},
    {"arabic-indic digits", u"\u0663\u066B\u0665"_s, Kind::NotNumber},
    {"fullwidth digit", u"\uFF15"_s, Kind::NotNumber},
    // Grouping and signs of other conventions: none of them is the pinned locale's.
    {"no-break space grouping", u"1\u00A0000"_s, Kind::NotNumber},
    {"narrow no-break space grouping", u"1\u202F000"_s, Kind::NotNumber},
    {"apostrophe grouping", u"1'000"_s, Kind::NotNumber},
    {"minus sign", u"\u22125"_s, Kind::NotNumber},
    {"arabic decimal separator", u"3\u066B5"_s, Kind::NotNumber},
    // Pasted whole: a field with a length limit keeps the number at its start, one without keeps
    // the letters as well; each field states its outcome.
    {"ten thousand characters", u"12.5"_s + QString(46, u'0') + QString(9950, u'x'), Kind::CutToNumber},
    {"empty", QString(), Kind::Empty},
    {"blanks", u"   "_s, Kind::Blank},
};

// What OK does with a text: refuses it with a message, or closes and stores a value (null for none).
struct Outcome {
    std::optional<QString> refusal;
    QVariant stored;
};

Outcome refused(const QString& message) {
    return {message, {}};
}
Outcome storedAs(const QVariant& value) {
    return {std::nullopt, value};
}

enum class Editor { Meal, Exercise, WeightAdjustment, Common, MealConsume, ExercisePerform, Body };

struct Field {
    const char* name;
    Editor editor;
    QString objectName;
    QString storedQuery; // reads the stored value back; empty for the calculator's Result
    QString notNumber;
    Outcome empty;
    Outcome blank;
    Outcome cut; // the outcome of the ten thousand characters
    // A number's fate; by default it is stored as its four-decimal amount.
    std::function<Outcome(const Hostile&)> number = [](const Hostile& h) { return storedAs(h.stored); };
};

void PrintTo(const Field& f, std::ostream* os) {
    *os << f.name;
}

const QString CommonWeightNotNumber = u"The Weight is not specified or specified incorrect"_s;
const QString CommonWeightRange = u"The Weight should be a number from 1 to 32767"_s;
const QString CommonRateNotNumber =
    u"The Background Calories Consume is not specified or specified incorrect"_s;
const QString CalculatorResultRange =
    u"The result is out of range: it should be a number from -32768 to 32767"_s;
const QString QuantityMissing = u"The Quantity should be specified"_s;
const QString QuantityIllegal = u"The Quantity field contains illegal data"_s;
const QString CommonRateRange = u"The Background Calories Consume should be a number from 0 to 32767"_s;
// The calories the calculator converts while its For Weight field is under test.
constexpr double CalculatorCalories = 100;

// The calculator's answer is a 16-bit whole number of calories.
Outcome calculatorResult(double exact) {
    const double result = std::nearbyint(exact);
    return result >= -32768 && result <= 32767 ? storedAs(result) : refused(CalculatorResultRange);
}

Field mealAmount(const char* name, const QString& objectName, const QString& column, const QString& caption) {
    const QString missing = u"The %1 should be specified"_s.arg(caption);
    return {name,
            Editor::Meal,
            objectName,
            u"select %1 from Meal where MealID = 10"_s.arg(column),
            u"The %1 field contains illegal data"_s.arg(caption),
            refused(missing),
            refused(missing),
            storedAs(12.5)};
}

Field optionalQuantity(const char* name, Editor editor, const QString& objectName, const QString& query,
                       const QString& illegal, const Outcome& cut) {
    // Left empty it stores no default; blanks are text, and not a number.
    return {name, editor, objectName, query, illegal, storedAs(QVariant()), refused(illegal), cut};
}

Field bodyField(const char* name, const QString& objectName, const QString& column, const QString& message) {
    return {
        name,    Editor::Body,     objectName,       u"select %1 from Body where BodyId = 1"_s.arg(column),
        message, refused(message), refused(message), storedAs(12.5)};
}

std::vector<Field> fields() {
    std::vector<Field> all{
        optionalQuantity("frmMeal.txtDefaultQty", Editor::Meal, u"txtDefaultQty"_s,
                         u"select DefaultQty from Meal where MealID = 10"_s,
                         u"The Default Quantity field contains illegal data"_s, storedAs(12.5)),
        optionalQuantity("frmMeal.txtIncrement", Editor::Meal, u"txtIncrement"_s,
                         u"select Increment from Meal where MealID = 10"_s,
                         u"The Increment field contains illegal data"_s, storedAs(12.5)),
        mealAmount("frmMeal.txtCalories", u"txtCalories"_s, u"Calories"_s, u"Calories"_s),
        mealAmount("frmMeal.txtFat", u"txtFat"_s, u"Fat"_s, u"Fat"_s),
        mealAmount("frmMeal.txtCarboHydrate", u"txtCarboHydrate"_s, u"Carbohydrate"_s, u"CarboHydrate"_s),
        mealAmount("frmMeal.txtProtein", u"txtProtein"_s, u"Protein"_s, u"Protein"_s),
        {"frmExercise.txtCaloriesConsume", Editor::Exercise, u"txtCaloriesConsume"_s,
         u"select CaloriesConsume from Exercise where ExerciseID = 1"_s,
         u"The Calories Consume field contains illegal data"_s,
         refused(u"The Calories Consume should be specified"_s),
         refused(u"The Calories Consume field contains illegal data"_s),
         // No length limit: the letters stay.
         refused(u"The Calories Consume field contains illegal data"_s)},
        optionalQuantity("frmExercise.txtDefaultQty", Editor::Exercise, u"txtDefaultQty"_s,
                         u"select DefaultQty from Exercise where ExerciseID = 1"_s,
                         u"The Default Quantity field contains illegal data"_s,
                         refused(u"The Default Quantity field contains illegal data"_s)),
        {"frmWeightAdjustment.txtCaloriesConsume", Editor::WeightAdjustment, u"txtCaloriesConsume"_s,
         QString(), u"Calories field contains illegal value"_s,
         refused(u"Calories field contains illegal value"_s),
         refused(u"Calories field contains illegal value"_s),
         refused(u"Calories field contains illegal value"_s),
         // The user weighs the preset 150 lb: the result is the calories, rounded.
         [](const Hostile& h) { return calculatorResult(h.value); }},
        {"frmWeightAdjustment.txtWeight", Editor::WeightAdjustment, u"txtWeight"_s, QString(),
         u"For Weight field contains illegal value"_s, refused(u"For Weight field contains illegal value"_s),
         refused(u"For Weight field contains illegal value"_s),
         // 100 kcal published for 12.5 lb, scaled to the user's 150 lb.
         storedAs(1200),
         [](const Hostile& h) {
             // The calculator divides by the weight as typed, not as a stored amount would round it.
             return calculatorResult(CalculatorCalories * 150 / h.value);
         }},
        {"frmCommon.txtWeight", Editor::Common, u"txtWeight"_s, u"select weight from Common"_s,
         CommonWeightNotNumber, refused(CommonWeightNotNumber), refused(CommonWeightNotNumber),
         storedAs(12.5),
         [](const Hostile& h) {
             return h.stored >= 1 && h.stored <= 32767 ? storedAs(h.stored) : refused(CommonWeightRange);
         }},
        {"frmCommon.txtMetabolicRate", Editor::Common, u"txtMetabolicRate"_s,
         u"select metabolicRate from Common"_s, CommonRateNotNumber, refused(CommonRateNotNumber),
         refused(CommonRateNotNumber), storedAs(12.5),
         [](const Hostile& h) {
             return h.stored >= 0 && h.stored <= 32767 ? storedAs(h.stored) : refused(CommonRateRange);
         }},
        {"frmMealConsume.txtQty", Editor::MealConsume, u"txtQty"_s,
         u"select Qty from MealConsume where MealConsumeID = 5"_s, QuantityIllegal, refused(QuantityMissing),
         refused(QuantityMissing), storedAs(12.5)},
        {"frmExercisePerform.txtQty", Editor::ExercisePerform, u"txtQty"_s,
         u"select Qty from ExercisePerform where ExercisePerformID = 7"_s, QuantityIllegal,
         refused(QuantityMissing), refused(QuantityMissing), storedAs(12.5)},
        bodyField("frmBody.txtWeight", u"txtWeight"_s, u"Weight"_s,
                  u"The Weight is not specified or contains illegal data"_s),
        bodyField("frmBody.txtBreast", u"txtBreast"_s, u"Breast"_s,
                  u"The Breast measurement is not specified or contains illegal data"_s),
        bodyField("frmBody.txtWaist", u"txtWaist"_s, u"Waist"_s,
                  u"The Waist measurement is not specified or contains illegal data"_s),
        bodyField("frmBody.txtHips", u"txtHips"_s, u"Hips"_s,
                  u"The Hips measurement is not specified or contains illegal data"_s),
    };
    return all;
}

class HostileInputTest : public ::testing::TestWithParam<Field> {
protected:
    HostileInputTest() {
        sql(u"insert into MealCategory (MealCategoryID, Name) values (1, 'Breakfast')"_s);
        sql(u"insert into Meal (MealID, MealCategoryID, Name, Unit, Calories, Fat, Carbohydrate, Protein, "
            u"FatBC, CarbohydrateBC, ProteinBC, DefaultQty, Increment) "
            u"values (10, 1, 'Toast', 'slice', 80, 1.5, 15, 2.25, 13.5, 60, 9, 2, 0.5)"_s);
        sql(u"insert into Exercise (ExerciseID, Name, Unit, DefaultQty, CaloriesConsume, "
            u"CaloriesConsumeBase, "
            u"WeightDependent) values (1, 'Cycling', 'hour', 1, 300, 300, 0)"_s);
        const double today = fx.app->state().currentDate.serial();
        sql(u"insert into MealConsume (MealConsumeID, MealID, ConsumeDate, ConsumeTime, Qty) "
            u"values (5, 10, %1, 0.5, 2.5)"_s.arg(today));
        sql(u"insert into ExercisePerform (ExercisePerformID, ExerciseID, PerformDate, timeBeg, timeEnd, "
            u"Qty) "
            u"values (7, 1, %1, 0.75, 0.8125, 1.5)"_s.arg(today));
        sql(u"insert into Body (BodyId, DateMeasured, Weight, Breast, Waist, Hips, Measurement) "
            u"values (1, %1, 180, 40, 34, 41, 'I')"_s.arg(today));
        sql(u"update Common set NextMealConsumeID = 100, NextExercisePerformID = 100, NextBodyID = 100"_s);
    }

    void sql(const QString& text) { fx.app->de().Con.execute(text); }
    QVariant stored(const Field& f) {
        if (f.storedQuery.isEmpty())
            return calculator.Saved ? QVariant(calculator.Result) : QVariant();
        return fx.app->de().Con.scalar(f.storedQuery);
    }

    QDialog& dialogOf(Editor editor) {
        switch (editor) {
        case Editor::Meal:
            meal.RecordID = 10;
            meal.MealCategoryID = 1;
            return meal;
        case Editor::Exercise:
            exercise.RecordID = 1;
            return exercise;
        case Editor::WeightAdjustment:
            return calculator;
        case Editor::Common:
            return common;
        case Editor::MealConsume:
            mealConsume.Mode = 0;
            mealConsume.RecordID = 5;
            return mealConsume;
        case Editor::ExercisePerform:
            exercisePerform.Mode = 0;
            exercisePerform.RecordID = 7;
            return exercisePerform;
        case Editor::Body:
            body.RecordID = 1;
            return body;
        }
        return body;
    }

    AppFixture fx{SeedContents::SchemaOnly};
    frmMealCategory category{nullptr};
    frmMeal meal{nullptr, category};
    frmWeightAdjustment calculator{nullptr};
    frmExercise exercise{nullptr, calculator};
    frmCommon common;
    frmMealConsume mealConsume{nullptr, meal};
    frmExercisePerform exercisePerform{nullptr, exercise};
    frmBody body;
};

TEST_P(HostileInputTest, EachTextIsStoredAsItsNumberOrRefusedWithTheFieldsMessage) {
    const Field& f = GetParam();
    for (const Hostile& h : HostileTexts) {
        SCOPED_TRACE(h.label);
        const Outcome expected = h.kind == Kind::Number        ? f.number(h)
                                 : h.kind == Kind::Empty       ? f.empty
                                 : h.kind == Kind::Blank       ? f.blank
                                 : h.kind == Kind::CutToNumber ? f.cut
                                                               : refused(f.notNumber);
        const QVariant before = stored(f);
        const std::size_t messagesBefore = fx.messages->shown.size();
        bool openAfterOK = false;

        fx.modal->expect([&](QDialog& d) {
            if (f.editor == Editor::WeightAdjustment)
                calculator.txtCaloriesConsume->setText(QString::number(CalculatorCalories));
            // Pasted, as control characters and 10,000 digits cannot be typed; the field's own
            // length limit applies as it would to a paste.
            d.findChild<QLineEdit*>(f.objectName)->setText(h.text);
            d.findChild<QPushButton*>(u"btnOK"_s)->click();
            openAfterOK = d.isVisible();
            if (openAfterOK)
                d.findChild<QPushButton*>(u"btnCancel"_s)->click();
        });
        fx.app->modal().exec(dialogOf(f.editor));

        std::vector<Message> errors;
        for (std::size_t i = messagesBefore; i < fx.messages->shown.size(); ++i) {
            if (fx.messages->shown[i].message.title == u"Error"_s)
                errors.push_back(fx.messages->shown[i].message);
        }
        if (expected.refusal) {
            EXPECT_TRUE(openAfterOK);
            ASSERT_EQ(errors.size(), 1u);
            EXPECT_EQ(errors.front().text, *expected.refusal);
            EXPECT_EQ(errors.front().icon, MessageIcon::Exclamation);
            if (f.storedQuery.isEmpty()) {
                EXPECT_FALSE(calculator.Saved);
            } else {
                EXPECT_EQ(stored(f), before);
            }
        } else {
            EXPECT_FALSE(openAfterOK);
            EXPECT_TRUE(errors.empty())
                << (errors.empty() ? std::string() : errors.front().text.toStdString());
            const QVariant now = stored(f);
            EXPECT_EQ(now.isNull(), expected.stored.isNull());
            if (!expected.stored.isNull()) {
                EXPECT_DOUBLE_EQ(now.toDouble(), expected.stored.toDouble());
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryNumericField, HostileInputTest, ::testing::ValuesIn(fields()),
                         [](const ::testing::TestParamInfo<Field>& info) {
                             QString name = QString::fromLatin1(info.param.name);
                             name.replace(u'.', u'_');
                             return name.toStdString();
                         });

} // namespace
} // namespace kelvora::test
