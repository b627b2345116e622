// The goals on the progress chart: the target weight as a dashed line in the weight band, which
// scales to take it in; a tick under the days eaten within the budget; and the period's summary
// line under the chart.
#include "ProgressChartTest.h"
#include "ProgressModel.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

constexpr QRgb Red = 0xffff0000;

class ProgressGoalsTest : public ProgressChartTest {
protected:
    void SetUp() override {
        ProgressChartTest::SetUp();
        // The day lists count a meal's kcal by nutrient: the test meal's one kcal a unit is carbohydrate.
        diary.exec(u"update Meal set CarbohydrateBC = 1 where MealID = 901"_s);
        // Weights from 80 down to 78.5 kg over the first ten days, measured on days 1, 2, 4 and 10
        // (day 3 is filled in between, days 5 to 9 are a gap).
        for (const auto& [k, weight] : {std::pair{1, 80.0}, {2, 79.6}, {4, 79.2}, {10, 78.5}})
            diary.body(day(k), weight, 100, 90, 105);
        diary.meal(day(2), 1500);
        diary.meal(day(3), 2500);
        diary.activity(day(4), 300); // burned, nothing eaten
        diary.meal(day(5), 1200);
        diary.meal(day(5), 800); // 2000: exactly the budget
    }
    void setGoals(std::optional<double> target, std::optional<double> budget) {
        fx.app->state().targetWeight = target;
        fx.app->state().dailyCalorieBudget = budget;
    }
};

TEST_F(ProgressGoalsTest, TheTargetIsADashedWeightLineLabelledAtItsRightEndInsideTheScale) {
    setGoals(70, std::nullopt);
    show([](frmGeneralProgress& w) {
        const ProgressLayout& l = layoutOf(w);
        const auto& target = w.chart().drawing().target;
        ASSERT_TRUE(target);
        EXPECT_DOUBLE_EQ(target->value, 70);
        // From 70 to 80 kg is less than the least range of 30: centred on 75.
        EXPECT_DOUBLE_EQ(l.weight.centreValue, 75);
        EXPECT_EQ(target->y, l.weight.yOf(70));
        EXPECT_GT(target->y, l.weight.top);
        EXPECT_LT(target->y, l.weight.top + l.weightH);
        EXPECT_EQ(target->x1, 43);
        EXPECT_EQ(target->x2, 756 - 7);
        EXPECT_EQ(target->label.right(), target->x2 - 1);
        EXPECT_LT(target->label.bottom(), target->y);
        EXPECT_GE(target->label.top(), l.weight.top);
        // Dashed: red and white along the line, right of the body lines.
        int red = 0, white = 0;
        for (int x = l.xOfDay(12); x < l.xOfDay(25); ++x) {
            const QRgb colour = pixel(w, x, target->y);
            red += colour == Red ? 1 : 0;
            white += colour == White ? 1 : 0;
        }
        EXPECT_GT(red, 20);
        EXPECT_GT(white, 10);
    });

    // A target far from the measured weights widens the band to reach it.
    setGoals(40, std::nullopt);
    show([](frmGeneralProgress& w) {
        const ProgressLayout& l = layoutOf(w);
        EXPECT_DOUBLE_EQ(l.weight.range, 40); // 40 to 80 kg
        EXPECT_DOUBLE_EQ(l.weight.centreValue, 60);
        EXPECT_EQ(w.chart().drawing().target->y, l.weight.yOf(40));
        EXPECT_EQ(l.weight.yOf(40), nearestInt(l.weight.centreY + l.weightH / 2.0)); // the band's foot
    });

    setGoals(std::nullopt, std::nullopt);
    show([](frmGeneralProgress& w) {
        EXPECT_FALSE(w.chart().drawing().target);
        EXPECT_DOUBLE_EQ(layoutOf(w).weight.centreValue, (80 + 78.5) / 2);
    });
}

TEST_F(ProgressGoalsTest, DaysEatenWithinTheBudgetGetATickUnderTheirStem) {
    setGoals(std::nullopt, 2000);
    show([](frmGeneralProgress& w) {
        const ProgressLayout& l = layoutOf(w);
        const auto& ticks = w.chart().drawing().budgetTicks;
        std::vector<int> days;
        for (const BudgetTick& tick : ticks) {
            days.push_back(tick.day);
            EXPECT_EQ(tick.x, l.xOfDay(tick.day));
            EXPECT_EQ(tick.y2, l.calories.top + l.calH - 1);
            EXPECT_GT(tick.y1, l.calZeroY + 1500 * l.calories.scale) << "below the lowest stem";
            EXPECT_EQ(pixel(w, tick.x, (tick.y1 + tick.y2) / 2), Black);
        }
        EXPECT_EQ(days, (std::vector<int>{2, 5})); // 1500 and 2000; not 2500, nor a day without meals
        EXPECT_EQ(pixel(w, l.xOfDay(3), l.calories.top + l.calH - 3), White);
    });
    setGoals(std::nullopt, std::nullopt);
    show([](frmGeneralProgress& w) { EXPECT_TRUE(w.chart().drawing().budgetTicks.empty()); });
}

TEST_F(ProgressGoalsTest, TheSummaryLineStatesThePeriodsFigures) {
    setGoals(75, 2000);
    show([](frmGeneralProgress& w) {
        const ProgressSummary summary = w.model()->summary();
        EXPECT_EQ(summary.daysEaten, 3);
        EXPECT_EQ(summary.daysWithinBudget, 2);
        EXPECT_DOUBLE_EQ(*summary.averageEaten, 2000); // (1500 + 2500 + 2000) / 3
        EXPECT_DOUBLE_EQ(*summary.weightChange, -1.5); // day 10 against day 1
        const SummaryLine& line = w.chart().drawing().summary;
        EXPECT_EQ(line.text,
                  u"Days within budget: 2 of 3; Average eaten: 2000 kcal a day; Weight change: -1.5 kg"_s);
        EXPECT_TRUE(w.chart().accessibleDescription().endsWith(u". "_s + line.text))
            << w.chart().accessibleDescription().toStdString();
        // Under the notes lane, inside the window.
        EXPECT_GT(line.rect.top(), layoutOf(w).notesTop);
        EXPECT_LE(line.rect.bottom(), 600 - 7);
        EXPECT_EQ(line.rect.height(), QFontMetrics(w.chart().font()).height());
    });

    // The second half of the period: one measured day, no meals, no budget, imperial units.
    fx.app->state().measurementSystem = u"I"_s;
    setGoals(std::nullopt, std::nullopt);
    window.dateFrom = day(10);
    window.dateTo = day(40);
    fx.modal->expect([&](QDialog&) {
        EXPECT_EQ(window.chart().drawing().summary.text,
                  u"Average eaten: no meals recorded; Weight change: fewer than two days measured"_s);
    });
    fx.app->modal().exec(window);
}

TEST_F(ProgressGoalsTest, NotesKeepClearOfTheSummaryLine) {
    for (int k = 1; k <= 31; k += 3)
        diary.note(day(k), day(k + 1), u"a long note about the week that went by and all it held"_s);
    show(
        [](frmGeneralProgress& w) {
            const SummaryLine& line = w.chart().drawing().summary;
            for (const NoteGeometry& note : w.chart().drawing().notes) {
                if (!note.box.isEmpty()) {
                    EXPECT_LT(note.box.bottom(), line.rect.top());
                }
            }
        },
        31, QSize(756, 483));
}

} // namespace
} // namespace kelvora::test
