// The main window's line of the day's calories: kcal eaten against the budget and burned by the
// activities, the figures of the day lists on every day of the sample diary, and a screen reader
// told of every change.
#include "AppFixture.h"
#include "ElidedLabel.h"
#include "ReportList.h"
#include "ZelmarGraph.h"
#include "deData.h"
#include "frmExercisePerform.h"
#include "frmExercisePerforms.h"
#include "frmMain.h"
#include "frmMealConsume.h"
#include "frmMealConsumes.h"

#include <QAccessible>
#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

const QDate SampleDay(2026, 11, 30);

// The figure a day list's totals row shows in `column` (the one row's own without a totals row).
QString listTotal(const QWidget& window, int column) {
    const auto* list = window.findChild<ReportList*>(u"lvwList"_s);
    if (!list || list->rowCount() == 0)
        return u"0"_s;
    return list->row(list->rowCount())->text(column);
}

class DayCaloriesTest : public ::testing::Test {
protected:
    void SetUp() override {
        main.show();
        QApplication::processEvents();
    }
    QLabel& line() { return *main.findChild<QLabel*>(u"lblDayCalories"_s); }
    void showDay(const QDate& day) {
        fx.app->state().currentDate = DateValue::fromQDate(day);
        main.RePaintGraph();
    }

    AppFixture fx;
    frmMain main;
};

TEST_F(DayCaloriesTest, StatesTheDayListsFiguresOnEveryDayWithAndWithoutABudget) {
    Statement range(fx.app->de().Con, u"select min(ConsumeDate), max(ConsumeDate) from MealConsume"_s);
    ASSERT_TRUE(range.step());
    const QDate first = DateValue(range.value(0).toDouble()).toQDate();
    const QDate last = DateValue(range.value(1).toDouble()).toQDate();
    auto& meals = main.dialog<frmMealConsumes>();
    auto& activities = main.dialog<frmExercisePerforms>();
    const auto& graph = *main.findChild<ZelmarGraph*>(u"graph"_s);

    int under = 0;
    int over = 0;
    for (QDate day = first.addDays(-1); day <= last; day = day.addDays(1)) {
        SCOPED_TRACE(day.toString(Qt::ISODate).toStdString());
        meals.dtpDate->setDate(day);
        meals.RefreshList(0);
        activities.dtpDate->setDate(day);
        activities.RefreshList(0);
        const QString eaten = listTotal(meals, 6);
        const QString burned = listTotal(activities, 4);

        fx.app->state().dailyCalorieBudget.reset();
        showDay(day);
        EXPECT_EQ(line().text(), u"Eaten %1 kcal; burned %2 kcal"_s.arg(eaten, burned));
        // The chart's own sums of the same rows.
        EXPECT_EQ(eaten.toInt(), graph.carbohydrateTotal() + graph.fatTotal() + graph.proteinTotal());

        fx.app->state().dailyCalorieBudget = 2000;
        showDay(day);
        const int left = 2000 - eaten.toInt();
        (left >= 0 ? under : over) += 1;
        const QString rest = left >= 0 ? u"%1 left"_s.arg(left) : u"%1 over"_s.arg(-left);
        EXPECT_EQ(line().text(), u"Eaten %1 kcal of 2000, %2; burned %3 kcal"_s.arg(eaten, rest, burned));
    }
    EXPECT_GT(under, 0);
    EXPECT_GT(over, 0) << "the sample diary should have days beyond 2000 kcal";
}

TEST_F(DayCaloriesTest, FollowsEveryRedrawAndAFractionalBudget) {
    fx.app->state().dailyCalorieBudget = 1850.5;
    showDay(SampleDay);
    const QString sampleDay = line().text();
    EXPECT_TRUE(sampleDay.startsWith(u"Eaten "_s)) << sampleDay.toStdString();
    main.findChild<QToolButton*>(u"btnNext"_s)->click(); // the day after the sample diary: nothing
    EXPECT_EQ(line().text(), u"Eaten 0 kcal of 1850.5, 1850.5 left; burned 0 kcal"_s);
    main.findChild<QToolButton*>(u"btnPrev"_s)->click();
    EXPECT_EQ(line().text(), sampleDay);

    fx.app->de().Con.execute(
        u"delete from MealConsume where ConsumeDate = %1"_s.arg(DateValue::fromQDate(SampleDay).serial()));
    main.RePaintGraph();
    EXPECT_TRUE(line().text().startsWith(u"Eaten 0 kcal of 1850.5, 1850.5 left; burned "_s))
        << line().text().toStdString();
}

// The line stands beside the date box, right of Help, on the date box's line, within the window.
TEST_F(DayCaloriesTest, StandsBesideTheDayControlsWithoutMovingThem) {
    showDay(SampleDay);
    const QRect date = main.findChild<QLineEdit*>(u"txtDate"_s)->geometry();
    const QRect help = main.findChild<QToolButton*>(u"btnHelp"_s)->geometry();
    const QRect shown = line().geometry();
    EXPECT_GT(shown.left(), help.right());
    // Centred on the date box as far as the buttons' height allows (the date box sits low in it).
    EXPECT_LE(std::abs(shown.center().y() - date.center().y()), 3);
    EXPECT_GE(shown.top(), help.top());
    EXPECT_LE(shown.bottom(), help.bottom());
    EXPECT_GE(shown.width(), line().minimumSizeHint().width());
    EXPECT_GE(shown.height(), line().minimumSizeHint().height());
    EXPECT_LE(shown.right(), line().parentWidget()->width());
    EXPECT_GT(shown.top(), main.findChild<ZelmarGraph*>(u"graph"_s)->geometry().bottom());
}

// Where one line has no room, what was burned goes on a second line rather than being cut off: so
// it is at the window's designed width.
TEST_F(DayCaloriesTest, TakesASecondLineWhereOneHasNoRoom) {
    auto& shown = static_cast<ElidedLabel&>(line());
    fx.app->state().dailyCalorieBudget = 2200;
    main.resize(640, 480);
    QApplication::processEvents();
    showDay(SampleDay);
    const QString whole = shown.text();
    const qsizetype split = whole.indexOf(u"; "_s);
    ASSERT_GT(split, 0) << whole.toStdString();
    const QStringList halves{whole.left(split + 1), whole.mid(split + 2)};
    EXPECT_EQ(shown.shownLines(), halves);
    EXPECT_FALSE(shown.isElided());

    const QFontMetrics metrics = shown.fontMetrics();
    const int longerHalf =
        std::max(metrics.horizontalAdvance(halves[0]), metrics.horizontalAdvance(halves[1]));
    shown.resize(metrics.horizontalAdvance(whole) + 4, shown.height());
    EXPECT_EQ(shown.shownLines(), QStringList{whole});
    shown.resize(longerHalf / 2, shown.height());
    EXPECT_TRUE(shown.isElided());
    EXPECT_EQ(shown.shownLines().size(), 2);
}

// What a screen reader reads: a name that stays, and the figures of the shown day as the description.
// (The offscreen platform delivers no accessibility events in process, so the event the window sends
// with each new description is not observed here.)
TEST_F(DayCaloriesTest, AScreenReaderKeepsItsNameAndReadsTheNewFigures) {
    showDay(SampleDay);
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&line());
    ASSERT_NE(reader, nullptr);
    const QString before = reader->text(QAccessible::Description);
    EXPECT_EQ(before, line().text());
    main.findChild<QToolButton*>(u"btnNext"_s)->click();
    EXPECT_EQ(reader->text(QAccessible::Name), u"Calories of the day"_s);
    EXPECT_EQ(reader->text(QAccessible::Description), line().text());
    EXPECT_NE(reader->text(QAccessible::Description), before);
}

} // namespace
} // namespace kelvora::test
