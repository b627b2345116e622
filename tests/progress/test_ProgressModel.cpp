#include "AppFixture.h"
#include "ProgressChart.h"
#include "ProgressDiary.h"
#include "ProgressModel.h"

#include <QAccessible>
#include <QLocale>

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

class ProgressModelTest : public ::testing::Test {
protected:
    // Day k of a period starting 1 April 2026.
    static DateValue day(int k) { return DateValue::fromYmd(2026, 4, 1).addDays(k - 1); }
    ProgressModel build(int lastDay = 31) {
        return ProgressModel(fx.app->de(), day(1), day(lastDay), fx.app->state().metabolicRate);
    }
    void measure(int k, float waist) { diary.body(day(k), 80 + waist / 10, 100 + waist, waist, 90 + waist); }

    AppFixture fx{SeedContents::SchemaOnly};
    ProgressDiary diary{fx};
};

TEST_F(ProgressModelTest, ShortGapsAreBridgedOnTheStraightLineLongOnesAndTheEndsStayEmpty) {
    struct Case {
        std::vector<std::pair<int, float>> measured; // day, waist
        int nDays;
        std::vector<std::pair<int, float>> expected; // day, waist; -1 = no body data
    };
    const Case cases[] = {
        {{{1, 60}, {3, 64}, {6, 70}}, 31, {{2, 62}, {4, 66}, {5, 68}, {7, -1}}},
        {{{1, 60}, {5, 68}}, 31, {{2, -1}, {3, -1}, {4, -1}, {5, 68}}},
        {{{3, 60}, {4, 62}}, 31, {{1, -1}, {2, -1}, {3, 60}}},
        {{{28, 60}, {30, 64}}, 31, {{29, 62}, {31, -1}}},
    };
    for (const Case& c : cases) {
        diary.exec(u"delete from Body"_s);
        for (auto [k, waist] : c.measured)
            measure(k, waist);
        const ProgressModel model = build(c.nDays);
        for (auto [k, waist] : c.expected) {
            EXPECT_FLOAT_EQ(model.day(k).Waist, waist) << "day " << k << " of " << c.measured.size();
            if (waist > 0) {
                // Every value of the day lies on its own line, not only the waist.
                EXPECT_FLOAT_EQ(model.day(k).Breast, 100 + waist);
                EXPECT_FLOAT_EQ(model.day(k).Hips, 90 + waist);
                EXPECT_FLOAT_EQ(model.day(k).Weight, 80 + waist / 10);
            }
        }
    }
}

TEST_F(ProgressModelTest, RangesWidenFromTheirStartValuesAndIgnoreFilledDays) {
    diary.body(day(2), 81.5, 104, 70, 96);
    diary.body(day(4), 79.5, 102, 73, 98);
    const ProgressModel model = build();
    EXPECT_FLOAT_EQ(model.girthMin(), 70);
    EXPECT_FLOAT_EQ(model.girthMax(), 104);
    EXPECT_FLOAT_EQ(model.weightMin(), 79.5);
    EXPECT_FLOAT_EQ(model.weightMax(), 81.5);
    EXPECT_FLOAT_EQ(model.day(3).Waist, 71.5);

    diary.exec(u"delete from Body"_s);
    const ProgressModel empty = build();
    EXPECT_FLOAT_EQ(empty.girthMin(), 500);
    EXPECT_FLOAT_EQ(empty.girthMax(), 0);
    EXPECT_FLOAT_EQ(empty.weightMin(), 1000);
    EXPECT_FLOAT_EQ(empty.weightMax(), 0);
}

TEST_F(ProgressModelTest, ABodyRowWithAnEmptyValueCountsAsNoMeasurement) {
    measure(1, 60);
    diary.body(day(2), 80, 100, 62, 90);
    measure(3, 64);
    diary.exec(u"update Body set Hips = null where DateMeasured = %1"_s.arg(day(2).serial()));
    const ProgressModel model = build();
    // Day 2 is a one-day gap now, bridged from its neighbours instead of read as a zero.
    EXPECT_FLOAT_EQ(model.day(2).Hips, 152);
    EXPECT_FLOAT_EQ(model.day(2).Waist, 62);
    EXPECT_FLOAT_EQ(model.girthMin(), 60);
}

TEST_F(ProgressModelTest, CaloriesAreTheDaysBalanceAfterTheBasalBurn) {
    diary.meal(day(5), 1500);
    diary.meal(day(5), 1000);
    diary.activity(day(5), 300);
    diary.activity(day(6), 200);
    const ProgressModel model = build();
    EXPECT_EQ(model.day(5).Calories, 2500 - 300 - 1920);
    EXPECT_TRUE(model.day(5).HasCalories);
    EXPECT_EQ(model.day(6).Calories, -200 - 1920);
    EXPECT_FALSE(model.day(7).HasCalories);
    EXPECT_EQ(model.calMin(), -2120);
    EXPECT_EQ(model.calMax(), 2000);

    diary.meal(day(8), 6000);
    EXPECT_EQ(build().calMax(), 6000 - 1920);
}

TEST_F(ProgressModelTest, ScreenReadersHearThePeriodThatTheChartShows) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QString period = u"Wednesday, April 1, 2026 to Friday, May 1, 2026: "_s;
    EXPECT_EQ(describePeriod(build(), true, english),
              period + u"no meals or activities recorded; no body measurements"_s);

    diary.meal(day(5), 2500);
    diary.activity(day(5), 300);
    diary.activity(day(6), 200);
    diary.body(day(12), 81.5, 100, 80, 95);
    EXPECT_EQ(describePeriod(build(), false, english),
              period + u"calories recorded on 2 of 31 days, average balance -920 kcal; "
                       u"weight 81.5 lb on Sunday, April 12, 2026"_s);

    // The first and the last measured day, not the days filled in between; notes counted.
    diary.body(day(20), 79.4, 100, 79, 94);
    diary.note(day(2), day(3), u"Holiday"_s);
    diary.note(day(30), day(40), u"Cold"_s);
    EXPECT_EQ(describePeriod(build(), true, english),
              period + u"calories recorded on 2 of 31 days, average balance -920 kcal; weight 81.5 kg on "
                       u"Sunday, April 12, 2026, 79.4 kg on Monday, April 20, 2026; 2 notes"_s);

    // The chart says it is one and carries the words of the period it shows.
    const ProgressModel model = build();
    ProgressChart chart;
    chart.resize(600, 400);
    chart.setModel(&model, true);
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&chart);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->role(), QAccessible::Chart);
    EXPECT_EQ(reader->text(QAccessible::Name), u"Progress chart"_s);
    EXPECT_EQ(reader->text(QAccessible::Description),
              describePeriod(model, true, QLocale()) + u". "_s + chart.drawing().summary.text);
    EXPECT_FALSE(chart.drawing().summary.text.isEmpty());
    chart.setModel(nullptr, true);
    EXPECT_TRUE(reader->text(QAccessible::Description).isEmpty());
}

TEST_F(ProgressModelTest, WithoutCalorieDataTheRangeIsPlusMinus2000) {
    const ProgressModel model = build();
    EXPECT_EQ(model.calMin(), -2000);
    EXPECT_EQ(model.calMax(), 2000);
    for (int k = 1; k <= model.nDays(); ++k)
        EXPECT_FALSE(model.day(k).HasCalories) << k;
}

TEST_F(ProgressModelTest, NDaysCountsBothEnds) {
    const DateValue first = DateValue::fromYmd(2026, 3, 1);
    EXPECT_EQ(ProgressModel(fx.app->de(), first, first.addMonths(1), 80).nDays(), 32);
    const DateValue august = DateValue::fromYmd(2026, 8, 31);
    EXPECT_EQ(ProgressModel(fx.app->de(), august, august.addMonths(6), 80).nDays(), 182);
    EXPECT_EQ(ProgressModel(fx.app->de(), first, first, 80).nDays(), 1);
}

TEST_F(ProgressModelTest, DataOutsideThePeriodIsNotRead) {
    diary.meal(day(0), 5000);
    diary.meal(day(32), 5000);
    measure(0, 60);
    measure(32, 60);
    const ProgressModel model = build();
    EXPECT_EQ(model.calMax(), 2000);
    EXPECT_FLOAT_EQ(model.girthMax(), 0);
}

TEST_F(ProgressModelTest, NotesOverlappingThePeriodAreListedByTheirStart) {
    diary.note(day(10), day(12), u"inside"_s);
    diary.note(day(-5), day(2), u"began before"_s);
    diary.note(day(30), day(40), u"ends after"_s);
    diary.note(day(-10), day(0), u"before"_s);
    diary.note(day(32), day(33), u"after"_s);
    const ProgressModel model = build();
    ASSERT_EQ(model.notes().size(), 3u);
    EXPECT_EQ(model.notes()[0].NoteText, u"began before"_s);
    EXPECT_EQ(model.notes()[0].DateFrom, day(-5));
    EXPECT_EQ(model.notes()[1].NoteText, u"inside"_s);
    EXPECT_EQ(model.notes()[2].NoteText, u"ends after"_s);
    EXPECT_EQ(model.notes()[2].DateTo, day(40));
    for (const char* command : {"GPBody", "GPCalories", "GPNotes"})
        EXPECT_FALSE(fx.app->de().rs(QString::fromLatin1(command)).isOpen()) << command;
}

TEST_F(ProgressModelTest, ManyNotesAreAllKept) {
    for (int k = 1; k <= 25; ++k)
        diary.note(day(k), day(k), u"n%1"_s.arg(k));
    const ProgressModel model = build();
    ASSERT_EQ(model.notes().size(), 25u);
    EXPECT_EQ(model.notes()[24].NoteText, u"n25"_s);
}

} // namespace
} // namespace kelvora::test
