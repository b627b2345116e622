// Every named command against a small diary whose numbers are known.
#include "Commands.h"
#include "Connection.h"
#include "DateValue.h"
#include "TestDatabase.h"
#include "deData.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;
using kelvora::DateValue;
using kelvora::DbError;
using kelvora::deData;
using kelvora::test::TestDatabase;

namespace {

double day(int d) {
    return DateValue::fromYmd(2026, 3, d).serial();
}
double at(int h, int m) {
    return DateValue::fromTime(h, m).serial();
}

class CommandTest : public ::testing::Test {
protected:
    TestDatabase db{kelvora::SeedContents::SchemaOnly};
    deData de{db.path()};

    void SetUp() override {
        de.Con.execute(
            u"insert into MealCategory (MealCategoryID, Name) values (1, 'Fruit'), (2, 'Bread');"
            "insert into Meal (MealID, MealCategoryID, Name, Unit, Calories, Fat, Carbohydrate, Protein,"
            " FatBC, CarbohydrateBC, ProteinBC) values"
            " (1, 1, 'Pear', 'piece', 100, 0, 25, 1, 2.5, 91.25, 6.25),"
            " (2, 1, 'apple', 'piece', 95, 0, 25, 0.5, 3.3, 88.7, 3),"
            " (3, 2, 'Rye bread', 'slice', 83, 1, 15, 3, 9, 59, 15);"
            "insert into Exercise (ExerciseID, Name, Unit, CaloriesConsume, CaloriesConsumeBase,"
            " WeightDependent) values (1, 'Walking', 'hour', 300, 300, 1), (2, 'Rowing', 'hour', 500, 450, 0);"_s);
    }

    // The values of one column over all rows of a command, in order.
    QStringList column(const QString& command, const QVariantList& params, const QString& name) {
        QStringList values;
        for (auto& rs = de.run(command, params); !rs.eof(); rs.moveNext())
            values << rs.field(name).toString();
        de.rs(command).close();
        return values;
    }
};

TEST_F(CommandTest, SingleRowCommandsFindTheirRowAndNothingForZero) {
    struct Case {
        QString command;
        int id;
        QString column;
        QString expected;
    };
    de.Con.execute(u"insert into MealConsume values (5, 1, %1, %2, 1);"
                   "insert into ExercisePerform values (6, 1, %1, %2, %3, 1);"
                   "insert into Body values (7, %1, 180, 40, 34, 40, 'I');"
                   "insert into UserNote values (8, %1, %1, 'note')"_s.arg(day(1))
                       .arg(at(8, 0))
                       .arg(at(9, 0)));
    const Case cases[] = {
        {u"Exercise"_s, 2, u"name"_s, u"Rowing"_s},
        {u"MealCategory"_s, 2, u"Name"_s, u"Bread"_s},
        {u"Meal"_s, 3, u"NAME"_s, u"Rye bread"_s},
        {u"MealConsume"_s, 5, u"MealCategoryID"_s, u"1"_s},
        {u"ExercisePerform"_s, 6, u"ExerciseID"_s, u"1"_s},
        {u"Body"_s, 7, u"BodyID"_s, u"7"_s},
        {u"UserNote"_s, 8, u"NoteText"_s, u"note"_s},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(column(c.command, {c.id}, c.column), QStringList{c.expected}) << c.command.toStdString();
        EXPECT_TRUE(column(c.command, {0}, c.column).isEmpty()) << c.command.toStdString();
    }
}

TEST_F(CommandTest, SortedListsOrderByNameWithoutRegardToCase) {
    EXPECT_EQ(column(u"MealCategorySorted"_s, {}, u"Name"_s), (QStringList{u"Bread"_s, u"Fruit"_s}));
    EXPECT_EQ(column(u"MealSorted"_s, {1}, u"Name"_s), (QStringList{u"apple"_s, u"Pear"_s}));
    EXPECT_EQ(column(u"MealForCategory"_s, {2}, u"Name"_s), QStringList{u"Rye bread"_s});
    EXPECT_EQ(column(u"ExerciseSorted"_s, {}, u"Name"_s), (QStringList{u"Rowing"_s, u"Walking"_s}));
}

TEST_F(CommandTest, MealConsumeSortedSumsTheRoundedParts) {
    // Pear x 1.1: fat 2.75 -> 3, carbohydrate 100.375 -> 100, protein 6.875 -> 7, so 110.
    de.Con.execute(u"insert into MealConsume values (1, 1, %1, %2, 1.1), (2, 3, %1, %3, 2.5),"
                   " (3, 1, %4, %2, 1)"_s.arg(day(2))
                       .arg(at(12, 0))
                       .arg(at(8, 30))
                       .arg(day(3)));
    auto& rs = de.run(u"MealConsumeSorted"_s, {day(2)});
    ASSERT_FALSE(rs.eof());
    // Rye bread x 2.5 at 08:30 first: fat 22.5 -> 22, carbohydrate 147.5 -> 148, protein 37.5 -> 38.
    EXPECT_EQ(rs.field(u"Name"_s).toString(), u"Rye bread"_s);
    EXPECT_EQ(rs.field(u"sFat"_s).toDouble(), 22);
    EXPECT_EQ(rs.field(u"sCarbohydrate"_s).toDouble(), 148);
    EXPECT_EQ(rs.field(u"sProtein"_s).toDouble(), 38);
    EXPECT_EQ(rs.field(u"sCalories"_s).toDouble(), 208);
    rs.moveNext();
    EXPECT_EQ(rs.field(u"MealConsumeID"_s).toInt(), 1);
    EXPECT_EQ(rs.field(u"sCalories"_s).toDouble(), 110);
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
}

TEST_F(CommandTest, ExercisePerformSortedRoundsBurnedCalories) {
    de.Con.execute(u"insert into ExercisePerform values (1, 2, %1, %2, %3, 0.25), (2, 1, %1, %4, %2, 0.505)"_s
                       .arg(day(2))
                       .arg(at(10, 0))
                       .arg(at(10, 15))
                       .arg(at(7, 0)));
    auto& rs = de.run(u"ExercisePerformSorted"_s, {day(2)});
    EXPECT_EQ(rs.field(u"Name"_s).toString(), u"Walking"_s); // 07:00 first
    EXPECT_EQ(rs.field(u"sCalories"_s).toDouble(), 152);     // 151.5 -> 152
    rs.moveNext();
    EXPECT_EQ(rs.field(u"sCalories"_s).toDouble(), 125);
    EXPECT_EQ(rs.field(u"Qty"_s).toDouble(), 0.25);
}

TEST_F(CommandTest, DeleteCommandsRemoveOneRow) {
    de.Con.execute(u"insert into MealConsume values (1, 1, %1, 0.5, 1), (2, 1, %1, 0.5, 1);"
                   "insert into Body values (1, %1, 1, 1, 1, 1, 'I'), (2, %2, 1, 1, 1, 1, 'I')"_s.arg(day(1))
                       .arg(day(2)));
    de.execute(u"MealConsumeDelete"_s, {1});
    de.execute(u"BodyDelete"_s, {2});
    EXPECT_EQ(column(u"MealConsumeSorted"_s, {day(1)}, u"MealConsumeID"_s), QStringList{u"2"_s});
    EXPECT_EQ(column(u"BodySorted"_s, {day(1)}, u"BodyId"_s), QStringList{u"1"_s});
}

TEST_F(CommandTest, BodyAndNoteListsFromADate) {
    de.Con.execute(u"insert into Body values (1, %1, 1, 1, 1, 1, 'I'), (2, %2, 1, 1, 1, 1, 'I');"
                   "insert into UserNote values (1, %1, %2, 'a'), (2, %3, %3, 'b')"_s.arg(day(1))
                       .arg(day(10))
                       .arg(day(3)));
    EXPECT_EQ(column(u"BodySorted"_s, {day(5)}, u"BodyId"_s), QStringList{u"2"_s});
    EXPECT_TRUE(column(u"BodySorted"_s, {day(11)}, u"BodyId"_s).isEmpty());
    // The first note began before the date but ends after it.
    EXPECT_EQ(column(u"UserNoteSorted"_s, {day(5)}, u"UserNoteId"_s), QStringList{u"1"_s});
    EXPECT_EQ(column(u"UserNoteSorted"_s, {day(2)}, u"UserNoteId"_s), (QStringList{u"1"_s, u"2"_s}));
}

TEST_F(CommandTest, BodyCheckFindsAnotherRowOnTheSameDate) {
    de.Con.execute(u"insert into Body values (4, %1, 1, 1, 1, 1, 'I')"_s.arg(day(4)));
    EXPECT_EQ(column(u"BodyCheck"_s, {day(4), 0}, u"BodyId"_s), QStringList{u"4"_s});
    EXPECT_TRUE(column(u"BodyCheck"_s, {day(4), 4}, u"BodyId"_s).isEmpty()); // itself
    EXPECT_TRUE(column(u"BodyCheck"_s, {day(5), 0}, u"BodyId"_s).isEmpty());
}

TEST_F(CommandTest, UserNoteCheckOverlaps) {
    // An existing note covers the 5th to the 9th.
    de.Con.execute(u"insert into UserNote values (1, %1, %2, 'x')"_s.arg(day(5)).arg(day(9)));
    struct Case {
        int from, to, id;
        bool overlaps;
    };
    const Case cases[] = {
        {1, 5, 0, true},    // the end touches the first day
        {9, 12, 0, true},   // the start touches the last day
        {6, 8, 0, true},    // wholly inside
        {1, 12, 0, true},   // contains it
        {1, 4, 0, false},   // before
        {10, 12, 0, false}, // after
        {5, 9, 1, false},   // the note itself
    };
    for (const Case& c : cases) {
        EXPECT_EQ(!column(u"UserNoteCheck"_s, {day(c.from), day(c.to), c.id}, u"UserNoteId"_s).isEmpty(),
                  c.overlaps)
            << c.from << "-" << c.to;
    }
}

TEST_F(CommandTest, ChkMinMaxdateSpansAllThreeJournals) {
    auto& empty = de.run(u"chkMinMaxdate"_s, {day(1), day(31)});
    ASSERT_FALSE(empty.eof());
    EXPECT_TRUE(empty.field(u"minDt"_s).isNull());
    EXPECT_TRUE(empty.field(u"maxDt"_s).isNull());
    empty.close();

    de.Con.execute(u"insert into Body values (1, %1, 1, 1, 1, 1, 'I');"
                   "insert into ExercisePerform values (1, 1, %2, 0.3, 0.4, 1);"
                   "insert into MealConsume values (1, 1, %3, 0.5, 1), (2, 1, %4, 0.5, 1)"_s.arg(day(12))
                       .arg(day(4))
                       .arg(day(20))
                       .arg(day(31) + 1));
    auto& rs = de.run(u"chkMinMaxdate"_s, {day(1), day(31)});
    EXPECT_EQ(rs.field(u"minDt"_s).toDouble(), day(4));
    EXPECT_EQ(rs.field(u"maxDt"_s).toDouble(), day(20));
}

TEST_F(CommandTest, ChkCaloriesDaysCountsDistinctDays) {
    de.Con.execute(
        u"insert into MealConsume values (1, 1, %1, 0.3, 1), (2, 1, %1, 0.5, 1), (3, 1, %2, 0.5, 1);"
        "insert into ExercisePerform values (1, 1, %2, 0.3, 0.4, 1), (2, 1, %3, 0.3, 0.4, 1);"
        "insert into Body values (1, %4, 1, 1, 1, 1, 'I')"_s.arg(day(1))
            .arg(day(2))
            .arg(day(3))
            .arg(day(4)));
    EXPECT_EQ(column(u"chkCaloriesDays"_s, {day(1), day(31)}, u"days"_s), QStringList{u"3"_s});
    EXPECT_EQ(column(u"chkCaloriesDays"_s, {day(2), day(2)}, u"days"_s), QStringList{u"1"_s});
}

TEST_F(CommandTest, ChkBodyContigFindsIsolatedMeasurements) {
    struct Case {
        std::vector<int> days;
        QStringList isolated;
    };
    const Case cases[] = {
        {{1, 3, 5, 9}, {u"9"_s}},
        {{1, 3, 5, 8}, {}},
        {{7}, {u"7"_s}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        de.Con.execute(u"delete from Body"_s);
        for (int d : c.days)
            de.Con.execute(u"insert into Body values (%1, %2, 1, 1, 1, 1, 'I')"_s.arg(d).arg(day(d)));
        QStringList isolated;
        for (const QString& serial : column(u"chkBodyContig"_s, {day(1), day(31), 3}, u"DateMeasured"_s))
            isolated << QString::number(DateValue(serial.toDouble()).parts().day);
        EXPECT_EQ(isolated, c.isolated) << c.days.size();
    }
}

TEST_F(CommandTest, GPCommands) {
    de.Con.execute(
        u"insert into MealConsume values (1, 1, %1, 0.5, 2), (2, 2, %1, 0.6, 1);"
        "insert into ExercisePerform values (1, 2, %1, 0.3, 0.4, 0.5), (2, 1, %2, 0.3, 0.4, 1);"
        "insert into Body values (1, %1, 1, 1, 1, 1, 'I'), (2, %3, 1, 1, 1, 1, 'I');"
        "insert into UserNote values (1, %4, %1, 'a'), (2, %3, %3, 'b'), (3, %5, %5, 'c')"_s.arg(day(2))
            .arg(day(3))
            .arg(day(20))
            .arg(day(1) - 5)
            .arg(day(21)));
    auto& calories = de.run(u"GPCalories"_s, {day(1), day(20)});
    EXPECT_EQ(calories.field(u"curDate"_s).toDouble(), day(2));
    EXPECT_EQ(calories.field(u"calories"_s).toDouble(), 2 * 100 + 95 - 250);
    calories.moveNext();
    EXPECT_EQ(calories.field(u"curDate"_s).toDouble(), day(3));
    EXPECT_EQ(calories.field(u"calories"_s).toDouble(), -300); // a day with activities only
    calories.moveNext();
    EXPECT_TRUE(calories.eof());

    EXPECT_EQ(column(u"GPBody"_s, {day(1), day(20)}, u"BodyId"_s), (QStringList{u"1"_s, u"2"_s}));
    // Notes touching the range, the one that began earlier included, by first day.
    EXPECT_EQ(column(u"GPNotes"_s, {day(1), day(20)}, u"UserNoteId"_s), (QStringList{u"1"_s, u"2"_s}));
}

TEST_F(CommandTest, RecalculateWeightDependentScalesOnlyWeightDependentRows) {
    de.execute(u"RecalculateWeightDependent"_s, {1.2});
    // koef is a single: 1.2f x 300 = 360.0000107... which Currency keeps as 360.
    EXPECT_EQ(column(u"Exercise"_s, {1}, u"CaloriesConsume"_s), QStringList{u"360"_s});
    EXPECT_EQ(column(u"Exercise"_s, {2}, u"CaloriesConsume"_s), QStringList{u"500"_s});
}

TEST_F(CommandTest, UnitConversionsRoundAsDesignedAndLeaveTheOtherSystemAlone) {
    de.Con.execute(
        u"insert into Body values (1, %1, 180, 40, 34, 41, 'I'), (2, %2, 70, 90, 80, 100, 'M')"_s.arg(day(1))
            .arg(day(2)));
    de.execute(u"RecalculateBodyToMetric"_s, {0.4536, 2.54});
    auto& metric = de.run(u"Body"_s, {1});
    EXPECT_EQ(metric.field(u"Weight"_s).toDouble(), 81.6); // 81.648
    EXPECT_EQ(metric.field(u"Breast"_s).toDouble(), 102);  // 101.6
    EXPECT_EQ(metric.field(u"Waist"_s).toDouble(), 86);    // 86.36
    EXPECT_EQ(metric.field(u"Hips"_s).toDouble(), 104);    // 104.14
    EXPECT_EQ(metric.field(u"Measurement"_s).toString(), u"M"_s);
    auto& untouched = de.run(u"Body"_s, {2});
    EXPECT_EQ(untouched.field(u"Weight"_s).toDouble(), 70);

    de.execute(u"RecalculateBodyToImperial"_s, {0.4536, 2.54});
    auto& imperial = de.run(u"Body"_s, {1});
    EXPECT_EQ(imperial.field(u"Weight"_s).toDouble(), 179);  // 81.6 / 0.4536 = 179.89 rounded down
    EXPECT_EQ(imperial.field(u"Breast"_s).toDouble(), 40.2); // 40.157
    EXPECT_EQ(imperial.field(u"Measurement"_s).toString(), u"I"_s);
    auto& second = de.run(u"Body"_s, {2});
    EXPECT_EQ(second.field(u"Weight"_s).toDouble(), 154); // 70 / 0.4536 = 154.32
}

TEST_F(CommandTest, RoundIsHalfToEvenAfterSnapping) {
    struct Case {
        QString expression;
        double expected;
    };
    const Case cases[] = {
        {u"round(2.5)"_s, 2},       {u"round(3.5)"_s, 4},         {u"round(13.5)"_s, 14},
        {u"round(-2.5)"_s, -2},     {u"round(0.1 * 25)"_s, 2},    {u"round(1.25, 1)"_s, 1.2},
        {u"round(1.35, 1)"_s, 1.4}, {u"round(2.675, 2)"_s, 2.68}, {u"Int(68.04 / 0.4536)"_s, 150},
        {u"Int(-0.5)"_s, -1},
    };
    for (const Case& c : cases) {
        kelvora::Statement statement(de.Con, u"select "_s + c.expression);
        ASSERT_TRUE(statement.step());
        EXPECT_DOUBLE_EQ(statement.value(0).toDouble(), c.expected) << c.expression.toStdString();
    }
}

// Currency times Currency is the exact decimal product rounded half to even at the fourth decimal.
// The ties at the fifth decimal are the cases a binary product decides by its noise instead
// (9.6667 x 1.5 is 14.500050000000002 in binary, 4.5 x 29.7675 is 133.95374999999999).
TEST_F(CommandTest, CurrencyProductIsExactInTenThousandths) {
    struct Case {
        const char* a;
        const char* b;
        const char* expected; // the exact product, rounded by hand
    };
    const Case cases[] = {
        {"9.6667", "1.5", "14.5"},          // 14.50005: the even neighbour is below
        {"9.6669", "1.5", "14.5004"},       // 14.50035: the even neighbour is above
        {"-9.6667", "1.5", "-14.5"},        // ties go to even on both sides of zero
        {"-9.6669", "1.5", "-14.5004"},     //
        {"4.5", "29.7675", "133.9538"},     // 133.95375
        {"4.5", "-29.7675", "-133.9538"},   //
        {"0.0003", "0.5", "0.0002"},        // 0.00015
        {"0.0001", "0.5", "0"},             // 0.00005
        {"-0.0001", "0.5", "0"},            // -0.00005
        {"1.0001", "1.0001", "1.0002"},     // 1.00020001: no tie
        {"123456.789", "1000", "123456789"} // large, exact
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " x " + c.b);
        kelvora::Statement statement(de.Con, u"select CurrencyProduct(%1, %2)"_s.arg(
                                                 QString::fromLatin1(c.a), QString::fromLatin1(c.b)));
        ASSERT_TRUE(statement.step());
        EXPECT_EQ(
            QString::number(statement.value(0).toDouble(), 'f', QLocale::FloatingPointShortest).toStdString(),
            c.expected);
    }
    kelvora::Statement null(de.Con, u"select CurrencyProduct(null, 2)"_s);
    ASSERT_TRUE(null.step());
    EXPECT_TRUE(null.value(0).isNull());
}

// The day lists, the chart and the progress model take their products of two Currency values from
// the commands, so a tie at the fifth decimal lands where exact arithmetic puts it.
TEST_F(CommandTest, CommandsMultiplyCurrencyValuesExactly) {
    de.Con.execute(
        u"insert into Meal (MealID, MealCategoryID, Name, Unit, Calories, Fat, Carbohydrate, Protein,"
        " FatBC, CarbohydrateBC, ProteinBC) values (9, 1, 'Ties', 'g', 29.7675, 1, 0, 1, 9.6667, 0, 9.6667);"
        "insert into Exercise (ExerciseID, Name, Unit, CaloriesConsume, CaloriesConsumeBase,"
        " WeightDependent) values (9, 'Tie burner', 'hour', 9.6667, 9.6667, 0);"
        "insert into MealConsume values (1, 9, %1, %2, 1.5), (2, 9, %3, %2, 4.5);"
        "insert into ExercisePerform values (1, 9, %1, %2, %4, 1.5)"_s.arg(day(1))
            .arg(at(8, 0))
            .arg(day(2))
            .arg(at(9, 0)));
    // 9.6667 x 1.5 = 14.50005 is 14.5000, so each part rounds to 14, not 15.
    EXPECT_EQ(column(u"MealConsumeSorted"_s, {day(1)}, u"sFat"_s), QStringList{u"14"_s});
    EXPECT_EQ(column(u"MealConsumeSorted"_s, {day(1)}, u"sProtein"_s), QStringList{u"14"_s});
    EXPECT_EQ(column(u"MealConsumeSorted"_s, {day(1)}, u"sCalories"_s), QStringList{u"28"_s});
    EXPECT_EQ(column(u"ExercisePerformSorted"_s, {day(1)}, u"sCalories"_s), QStringList{u"14"_s});
    // Day 1: 1.5 x 29.7675 - 1.5 x 9.6667 = 44.65125 -> 44.6512 (even), minus 14.5000; day 2: 133.95375.
    EXPECT_EQ(column(u"GPCalories"_s, {day(1), day(2)}, u"calories"_s),
              (QStringList{u"30.1512"_s, u"133.9538"_s}));
}

TEST_F(CommandTest, DateShiftsMoveOnlySampleRows) {
    de.Con.execute(u"insert into MealConsume values (-1, 1, %1, 0.5, 1), (1, 1, %1, 0.5, 1);"
                   "insert into ExercisePerform values (-1, 1, %1, 0.3, 0.4, 1), (1, 1, %1, 0.3, 0.4, 1);"
                   "insert into Body values (-1, %1, 1, 1, 1, 1, 'I'), (1, %2, 1, 1, 1, 1, 'I');"
                   "insert into UserNote values (-1, %1, %2, 'a'), (1, %3, %3, 'b')"_s.arg(day(1))
                       .arg(day(2))
                       .arg(day(20)));
    for (const char* command :
         {"RecalcMealDates", "RecalcExerciseDates", "RecalcBodyDates", "RecalcUserNoteDates"})
        de.execute(QString::fromLatin1(command), {-10});
    const auto serials = [&](const QString& sql) {
        QStringList values;
        kelvora::Statement statement(de.Con, sql);
        while (statement.step())
            values << QString::number(statement.value(0).toDouble() - day(1));
        return values;
    };
    EXPECT_EQ(serials(u"select ConsumeDate from MealConsume order by MealConsumeID"_s),
              (QStringList{u"-10"_s, u"0"_s}));
    EXPECT_EQ(serials(u"select PerformDate from ExercisePerform order by 1"_s),
              (QStringList{u"-10"_s, u"0"_s}));
    EXPECT_EQ(serials(u"select DateMeasured from Body order by BodyId"_s), (QStringList{u"-10"_s, u"1"_s}));
    EXPECT_EQ(serials(u"select DateFrom from UserNote order by UserNoteId"_s),
              (QStringList{u"-10"_s, u"19"_s}));
    EXPECT_EQ(serials(u"select DateTo from UserNote order by UserNoteId"_s), (QStringList{u"-9"_s, u"19"_s}));
    EXPECT_THROW(de.execute(u"RecalcMealDates"_s, {40000}), DbError); // beyond the 16-bit parameter
}

TEST_F(CommandTest, UnknownCommandsAndMisuseAreDbErrors) {
    EXPECT_THROW(de.rs(u"NoSuchCommand"_s), DbError);
    EXPECT_THROW(de.execute(u"BodySorted"_s, {day(1)}), DbError);
    auto& rs = de.run(u"Body"_s, {1});
    EXPECT_THROW(rs.open({1}), DbError);          // already open
    EXPECT_THROW(de.run(u"Body"_s, {}), DbError); // missing parameter
}

// A diary grows by thousands of rows a year while a window looks at a day or a month of it: every
// command that picks diary rows by date must reach them through an index, never by reading the whole
// table, whatever the planner guesses without statistics.
TEST_F(CommandTest, DateFilteredCommandsSearchTheDiaryByIndex) {
    const QRegularExpression fullScan(u"^SCAN (MealConsume|ExercisePerform|Body|UserNote|PBody)\\b"_s);
    int checked = 0;
    for (const kelvora::CommandDef& command : kelvora::commandDefinitions()) {
        if (!command.returnsRows || std::find(command.params.begin(), command.params.end(),
                                              kelvora::ParamKind::Date) == command.params.end())
            continue;
        kelvora::Statement plan(de.Con, u"explain query plan "_s + command.sql);
        for (std::size_t i = 0; i < command.params.size(); ++i)
            plan.bind(static_cast<int>(i) + 1, command.params[i] == kelvora::ParamKind::Date ? day(1) : 1.0);
        while (plan.step()) {
            const QString step = plan.value(3).toString();
            EXPECT_FALSE(fullScan.match(step).hasMatch())
                << command.name.toStdString() << ": " << step.toStdString();
        }
        ++checked;
    }
    EXPECT_GE(checked, 8); // the day lists, the measurement lists, the checks and the progress commands
}

} // namespace
