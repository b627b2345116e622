#include "ChartTestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using charttest::at;

namespace {

struct Meal {
    qint32 id;
    double tm;
    qint16 carbohydrate, fat, protein;
};

struct Bar {
    qint32 id;
    double tm;
    qint16 carbohydrate, fat, protein;
    bool complex;
};

struct MergeCase {
    const char* name;
    std::vector<Meal> meals;
    std::vector<Bar> bars;
};

class MealMerging : public ::testing::TestWithParam<MergeCase> {};

TEST_P(MealMerging, StoresTheExpectedBars) {
    ZelmarGraph graph;
    for (const Meal& m : GetParam().meals)
        ASSERT_TRUE(graph.addMeal(m.id, m.tm, m.carbohydrate, m.fat, m.protein));
    const auto stored = graph.meals();
    ASSERT_EQ(stored.size(), GetParam().bars.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const Bar& want = GetParam().bars[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(stored[i].id, want.id);
        EXPECT_DOUBLE_EQ(stored[i].tm, want.tm);
        EXPECT_EQ(stored[i].carbohydrate, want.carbohydrate);
        EXPECT_EQ(stored[i].fat, want.fat);
        EXPECT_EQ(stored[i].protein, want.protein);
        EXPECT_EQ(stored[i].complex, want.complex);
    }
}

const double Day = 45000; // a date part, as a host passing full date-times would send

INSTANTIATE_TEST_SUITE_P(
    ChartModel, MealMerging,
    ::testing::Values(
        // The 15 minutes count from the bar's first meal: 08:10 joins the 08:00 bar, 08:20 does not,
        // although it is only 10 minutes after 08:10.
        MergeCase{"WithinFifteenMinutesOfTheBarsFirstMeal",
                  {{1, at(8, 0), 100, 50, 20}, {2, at(8, 10), 10, 5, 2}, {3, at(8, 20), 1, 1, 1}},
                  {{1, at(8, 0), 110, 55, 22, true}, {3, at(8, 20), 1, 1, 1, false}}},
        MergeCase{"FifteenMinutesMergeSixteenStartANewBar",
                  {{1, at(8, 0), 100, 0, 0}, {2, at(8, 15), 10, 0, 0}, {3, at(8, 31), 1, 0, 0}},
                  {{1, at(8, 0), 110, 0, 0, true}, {3, at(8, 31), 1, 0, 0, false}}},
        // 0.33333 is 07:59:59.7, which rounds to 08:00:00: minute 480, so 08:15 is 15 minutes on.
        MergeCase{"TimesRoundToTheSecondFirst",
                  {{1, 0.33333, 1, 0, 0}, {2, at(8, 15), 1, 0, 0}},
                  {{1, 0.33333, 2, 0, 0, true}}},
        MergeCase{"WholeMinutesAreBoundaryCrossings",
                  {{1, at(8, 0, 59), 1, 0, 0}, {2, at(8, 16, 0), 1, 0, 0}},
                  {{1, at(8, 0, 59), 1, 0, 0, false}, {2, at(8, 16), 1, 0, 0, false}}},
        MergeCase{"MealsOnTheSameDateMerge",
                  {{1, Day + at(8, 0), 1, 0, 0}, {2, Day + at(8, 10), 1, 0, 0}},
                  {{1, Day + at(8, 0), 2, 0, 0, true}}},
        MergeCase{"MealsOnDifferentDatesNeverMerge",
                  {{1, Day + at(8, 0), 1, 0, 0}, {2, Day + 1 + at(8, 5), 1, 0, 0}},
                  {{1, Day + at(8, 0), 1, 0, 0, false}, {2, Day + 1 + at(8, 5), 1, 0, 0, false}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct AxisCase {
    const char* name;
    std::vector<Meal> meals;
    std::vector<std::pair<double, double>> activities;
    double begin, end;
};

class AxisWidening : public ::testing::TestWithParam<AxisCase> {};

TEST_P(AxisWidening, MovesTheEndsToWholeHours) {
    ZelmarGraph graph;
    for (const Meal& m : GetParam().meals)
        ASSERT_TRUE(graph.addMeal(m.id, m.tm, m.carbohydrate, m.fat, m.protein));
    for (const auto& [begin, end] : GetParam().activities)
        ASSERT_TRUE(graph.addExercise(1, begin, end, 100));
    EXPECT_DOUBLE_EQ(graph.chartBegin(), GetParam().begin);
    EXPECT_DOUBLE_EQ(graph.chartEnd(), GetParam().end);
}

INSTANTIATE_TEST_SUITE_P(
    ChartModel, AxisWidening,
    ::testing::Values(
        AxisCase{"NothingAdded", {}, {}, at(6, 0), at(22, 0)},
        AxisCase{"EarlyMeal", {{1, at(5, 40), 1, 1, 1}}, {}, at(5, 0), at(22, 0)},
        AxisCase{"LateMeal", {{1, at(22, 0, 1), 1, 1, 1}}, {}, at(6, 0), at(23, 0)},
        AxisCase{
            "MealsOnTheAxisEnds", {{1, at(6, 0), 1, 1, 1}, {2, at(22, 0), 1, 1, 1}}, {}, at(6, 0), at(22, 0)},
        AxisCase{"ActivityEndingAt2230", {}, {{at(21, 0), at(22, 30)}}, at(6, 0), at(23, 0)},
        AxisCase{"ActivityEndingAt2310", {}, {{at(22, 0), at(23, 10)}}, at(6, 0), 1.0},
        AxisCase{"EarlyActivity", {}, {{at(4, 59), at(5, 30)}}, at(4, 0), at(22, 0)},
        AxisCase{"OnlyTheTimeOfADatedMealCounts", {{1, 45123 + at(5, 40), 1, 1, 1}}, {}, at(5, 0), at(22, 0)},
        // Negative serials keep the time as the fraction's magnitude: -1.236... is
        // 05:40 on 29 December 1899.
        AxisCase{"NegativeSerial", {{1, -1 - at(5, 40), 1, 1, 1}}, {}, at(5, 0), at(22, 0)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChartModel, StartsEmptyWithItsInitialProperties) {
    const ZelmarGraph graph;
    EXPECT_EQ(graph.metabolicKoef(), 0.0);
    EXPECT_FALSE(graph.time24());
    EXPECT_TRUE(graph.meals().empty());
    EXPECT_TRUE(graph.exercises().empty());
    EXPECT_DOUBLE_EQ(graph.chartBegin(), at(6, 0));
    EXPECT_DOUBLE_EQ(graph.chartEnd(), at(22, 0));
    EXPECT_EQ(graph.dayBalance(), 0);
}

TEST(ChartModel, PropertiesAreReachableByName) {
    ZelmarGraph graph;
    EXPECT_TRUE(graph.setProperty("metabolicKoef", 1.25));
    EXPECT_TRUE(graph.setProperty("time24", true));
    EXPECT_EQ(graph.metabolicKoef(), 1.25);
    EXPECT_TRUE(graph.time24());
}

TEST(ChartModel, ResetForgetsTheDayButKeepsTheProperties) {
    ZelmarGraph graph;
    graph.setMetabolicKoef(1.5);
    graph.setTime24(true);
    ASSERT_TRUE(graph.addMeal(1, at(5, 40), 100, 200, 300));
    ASSERT_TRUE(graph.addExercise(2, at(22, 0), at(23, 10), 50));
    ASSERT_DOUBLE_EQ(graph.chartBegin(), at(5, 0));

    graph.Reset();

    EXPECT_TRUE(graph.meals().empty());
    EXPECT_TRUE(graph.exercises().empty());
    EXPECT_DOUBLE_EQ(graph.chartBegin(), at(6, 0));
    EXPECT_DOUBLE_EQ(graph.chartEnd(), at(22, 0));
    EXPECT_EQ(graph.dayBalance(), 0);
    EXPECT_EQ(graph.carbohydrateTotal(), 0);
    EXPECT_EQ(graph.fatTotal(), 0);
    EXPECT_EQ(graph.proteinTotal(), 0);
    EXPECT_EQ(graph.metabolicKoef(), 1.5);
    EXPECT_TRUE(graph.time24());
}

TEST(ChartModel, SumsCountEveryMealAndActivity) {
    ZelmarGraph graph;
    ASSERT_TRUE(graph.addMeal(1, at(8, 0), 100, 50, 20));
    ASSERT_TRUE(graph.addMeal(2, at(12, 0), 300, 150, 60));
    ASSERT_TRUE(graph.addExercise(3, at(14, 0), at(15, 0), 250));
    EXPECT_EQ(graph.carbohydrateTotal(), 400);
    EXPECT_EQ(graph.fatTotal(), 200);
    EXPECT_EQ(graph.proteinTotal(), 80);
    EXPECT_EQ(graph.dayBalance(), 680 - 250);
}

// Meals more than 15 minutes apart cannot fill 110 bars within one day, so the bars here lie on
// successive dates, 08:00 each.
TEST(ChartModel, TheMealBeyondTheLastBarCountsInTheSumsOnly) {
    ZelmarGraph graph;
    for (int i = 0; i < ZelmarGraph::MealCapacity; ++i)
        ASSERT_TRUE(graph.addMeal(i + 1, i + at(8, 0), 10, 20, 30));
    ASSERT_EQ(graph.meals().size(), 110u);

    EXPECT_TRUE(graph.addMeal(111, 110 + at(5, 0), 1, 2, 3));

    EXPECT_EQ(graph.meals().size(), 110u);
    EXPECT_EQ(graph.meals().back().id, 110);
    EXPECT_EQ(graph.carbohydrateTotal(), 1101);
    EXPECT_EQ(graph.fatTotal(), 2202);
    EXPECT_EQ(graph.proteinTotal(), 3303);
    EXPECT_EQ(graph.dayBalance(), 6606);
    EXPECT_DOUBLE_EQ(graph.chartBegin(), at(6, 0)) << "a dropped meal does not widen the axis";
}

TEST(ChartModel, TheActivityBeyondTheCapacityCountsInTheBalanceOnly) {
    ZelmarGraph graph;
    for (int i = 0; i < ZelmarGraph::ExerciseCapacity; ++i)
        ASSERT_TRUE(graph.addExercise(i + 1, at(9, 0), at(9, 30), 10));
    EXPECT_TRUE(graph.addExercise(101, at(23, 0), at(23, 30), 7));
    EXPECT_EQ(graph.exercises().size(), 100u);
    EXPECT_EQ(graph.exercises().back().id, 100);
    EXPECT_EQ(graph.dayBalance(), -1007);
    EXPECT_DOUBLE_EQ(graph.chartEnd(), at(22, 0));
}

TEST(ChartModel, ActivitiesAreStoredAsGivenAndNeverMerged) {
    ZelmarGraph graph;
    ASSERT_TRUE(graph.addExercise(7, at(9, 0), at(10, 0), 300));
    ASSERT_TRUE(graph.addExercise(8, at(9, 5), at(9, 10), 20));
    ASSERT_EQ(graph.exercises().size(), 2u);
    EXPECT_EQ(graph.exercises()[1].id, 8);
    EXPECT_DOUBLE_EQ(graph.exercises()[1].tmBeg, at(9, 5));
    EXPECT_DOUBLE_EQ(graph.exercises()[1].tmEnd, at(9, 10));
    EXPECT_EQ(graph.exercises()[1].calories, 20);
}

TEST(ChartModel, MergedBarBeyond16BitsFailsAndChangesNothing) {
    ZelmarGraph graph;
    ASSERT_TRUE(graph.addMeal(1, at(8, 0), 30000, 100, 100));

    EXPECT_FALSE(graph.addMeal(2, at(8, 5), 2768, 1, 1));

    ASSERT_EQ(graph.meals().size(), 1u);
    EXPECT_EQ(graph.meals()[0].carbohydrate, 30000);
    EXPECT_FALSE(graph.meals()[0].complex);
    EXPECT_EQ(graph.carbohydrateTotal(), 30000);
    EXPECT_EQ(graph.dayBalance(), 30200);

    // Still usable: a meal that fits merges, a later one starts its own bar.
    EXPECT_TRUE(graph.addMeal(3, at(8, 5), 2767, 1, 1));
    EXPECT_TRUE(graph.addMeal(4, at(12, 0), 500, 0, 0));
    ASSERT_EQ(graph.meals().size(), 2u);
    EXPECT_EQ(graph.meals()[0].carbohydrate, 32767);
    EXPECT_EQ(graph.dayBalance(), 30200 + 2769 + 500);
    EXPECT_TRUE(graph.PaintGraph());
}

TEST(ChartModel, NegativeNutrientsLeavingTheBarRangeFailToo) {
    ZelmarGraph graph;
    ASSERT_TRUE(graph.addMeal(1, at(8, 0), 0, -30000, 0));
    EXPECT_FALSE(graph.addMeal(2, at(8, 1), 0, -2769, 0));
    EXPECT_EQ(graph.meals()[0].fat, -30000);
}

TEST(ChartModel, DaySumsBeyond32BitsFailAndChangeNothing) {
    constexpr qint64 Max = std::numeric_limits<qint32>::max();
    constexpr qint64 Min = std::numeric_limits<qint32>::min();
    ZelmarGraph graph;
    qint64 expected = 0;
    // One big meal per date; the day balance (all three nutrients) is the first sum to overflow.
    int day = 0;
    while (expected + 3 * 32767 <= Max) {
        ASSERT_TRUE(graph.addMeal(1, day++ + at(8, 0), 32767, 32767, 32767));
        expected += 3 * 32767;
    }
    EXPECT_FALSE(graph.addMeal(1, day + at(8, 0), 32767, 32767, 32767));
    EXPECT_EQ(graph.dayBalance(), expected);
    EXPECT_EQ(graph.carbohydrateTotal(), expected / 3);
    EXPECT_TRUE(graph.addMeal(1, day + at(8, 0), 1, 0, 0)) << "a meal that fits is still taken";

    graph.Reset();
    expected = 0;
    while (expected - 32767 >= Min) {
        ASSERT_TRUE(graph.addExercise(1, at(9, 0), at(9, 30), 32767));
        expected -= 32767;
    }
    EXPECT_FALSE(graph.addExercise(1, at(9, 0), at(9, 30), 32767));
    EXPECT_EQ(graph.dayBalance(), expected);
}

TEST(ChartModel, TimesThatAreNoDaySerialAreRefused) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    ZelmarGraph graph;
    for (double bad : {nan, inf, -inf, 1e300, -3e6}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(graph.addMeal(1, bad, 10, 10, 10));
        EXPECT_FALSE(graph.addExercise(1, bad, at(9, 0), 10));
        EXPECT_FALSE(graph.addExercise(1, at(9, 0), bad, 10));
    }
    EXPECT_TRUE(graph.meals().empty());
    EXPECT_TRUE(graph.exercises().empty());
    EXPECT_EQ(graph.dayBalance(), 0);
    EXPECT_TRUE(graph.addMeal(1, 2958465 + at(8, 0), 10, 10, 10)) << "31 December 9999";
}

} // namespace
