// The list of meals consumed on a day: rows and totals, the current date, New, Edit and Delete.
#include "test_mealconsume_fixture.h"

#include "frmMealConsumes.h"

#include <QDateEdit>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

class MealConsumesTest : public DiaryTest {
protected:
    MealConsumesTest() {
        addCategory(1, u"Breakfast"_s);
        addMeal(10, 1, u"Oatmeal"_s, u"cup"_s, 1.5, 0.25, 9, 4, 7);
        addMeal(11, 1, u"Toast"_s, QVariant(), QVariant(), QVariant(), 2, 10, 3);
        addConsume(1, 10, dec(6), at(8, 5), 2);
        addConsume(2, 11, dec(6), at(12, 30), 1);
        addConsume(3, 10, dec(6), at(20, 5), 1);
        addConsume(4, 11, dec(7), at(9, 0), 1.5);
    }

    // The main window's calling order: the current date into the picker, then the list.
    void open(QDate day, qint32 id = 0) {
        list.dtpDate->setDate(day);
        list.RefreshList(id);
    }
    ReportList& rows() { return *child<ReportList>(list, u"lvwList"_s); }
    void select(int position) { rows().setCurrentItem(rows().row(position)); }

    // The editor as the list sees it: the records it was opened on, and what it stored.
    std::function<std::optional<qint32>(qint32)> editorScript;
    std::vector<qint32> calls;
    frmMealConsumes list{[this](qint32 id) -> std::optional<qint32> {
                             calls.push_back(id);
                             return editorScript ? editorScript(id) : std::nullopt;
                         },
                         nullptr};
};

TEST_F(MealConsumesTest, ADayListsItsMealsInTimeOrderAndTotalsTwoOrMore) {
    EXPECT_EQ(list.objectName(), u"frmMealConsumes"_s);
    EXPECT_EQ(list.windowTitle(), u"Meal Consumed List"_s);
    open(dec(6));
    EXPECT_EQ(items(rows()), (QStringList{u"08:05|Oatmeal|2|18|8|14|40 #1"_s, u"12:30|Toast|1|2|10|3|15 #2"_s,
                                          u"20:05|Oatmeal|1|9|4|7|20 #3"_s, u"|||||| #0"_s,
                                          u"|   Total (3 items)||29|22|24|75 #0"_s}));
    open(dec(7));
    EXPECT_EQ(items(rows()), QStringList{u"09:00|Toast|1.5|3|15|4|22 #4"_s});
    open(dec(8));
    EXPECT_EQ(rows().rowCount(), 0);
}

TEST_F(MealConsumesTest, TimesFollowTheTwelveHourDisplayFormat) {
    fx.app->state().timeDisplayFormat = u"h:Nn am/pm"_s;
    open(dec(6));
    QStringList times;
    for (int i = 1; i <= 3; ++i)
        times << rows().row(i)->text(0);
    EXPECT_EQ(times, (QStringList{u"8:05 am"_s, u"12:30 pm"_s, u"8:05 pm"_s}));
}

TEST_F(MealConsumesTest, ChangingTheDateChangesTheCurrentDate) {
    open(dec(6), 2);
    EXPECT_EQ(rows().selectedTag(), 2);
    list.dtpDate->setDate(dec(7));
    EXPECT_EQ(fx.app->state().currentDate.toQDate(), dec(7));
    EXPECT_EQ(rows().rowCount(), 1);
    EXPECT_EQ(rows().selectedRow(), nullptr);
}

TEST_F(MealConsumesTest, BlankAndTotalsRowsAreNoRecords) {
    open(dec(6));
    for (int position : {0, 4, 5}) {
        rows().clearSelection();
        if (position)
            select(position);
        for (const QString& button : {u"btnEdit"_s, u"btnDelete"_s}) {
            fx.messages->shown.clear();
            click(list, button);
            expectError(u"No record selected"_s);
            EXPECT_EQ(fx.messages->shown.size(), 1u);
        }
    }
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(count(u"MealConsume"_s), 4);
}

TEST_F(MealConsumesTest, DeletingAsksFirstAndSelectsTheRowThatTookItsPlace) {
    open(dec(6));
    select(2);
    fx.messages->answer(MessageButton::No);
    click(list, u"btnDelete"_s);
    expectMessage(u"Are you sure"_s, u"Are you sure you want to delete the selected record?"_s,
                  MessageIcon::Question);
    EXPECT_EQ(fx.messages->last().defaultButton, MessageButton::Yes);
    EXPECT_EQ(count(u"MealConsume"_s), 4);

    click(list, u"btnDelete"_s);
    EXPECT_EQ(scalar(u"select count(*) from MealConsume where MealConsumeID = 2"_s).toInt(), 0);
    EXPECT_EQ(rows().rowCount(), 4);
    EXPECT_EQ(rows().row(4)->text(1), u"   Total (2 items)"_s);
    EXPECT_EQ(rows().selectedPosition(), 2);
    EXPECT_EQ(rows().selectedTag(), 3);

    click(list, u"btnDelete"_s); // the last meal of two: the other one is left, selected, without totals
    EXPECT_EQ(items(rows()), QStringList{u"08:05|Oatmeal|2|18|8|14|40 #1"_s});
    EXPECT_EQ(rows().selectedTag(), 1);
}

TEST_F(MealConsumesTest, ARefusedDeleteIsReportedAndKeepsTheRow) {
    sql(u"create trigger keep before delete on MealConsume begin select raise(abort, 'kept'); end"_s);
    open(dec(6));
    select(1);
    click(list, u"btnDelete"_s);
    expectError(u"This record can't be deleted from database"_s);
    EXPECT_EQ(count(u"MealConsume"_s), 4);
}

TEST_F(MealConsumesTest, AnEditedRowIsSelectedWhereItsNewTimePutsIt) {
    open(dec(6));
    select(1);
    editorScript = [&](qint32 id) -> std::optional<qint32> {
        sql(u"update MealConsume set ConsumeTime = %1 where MealConsumeID = %2"_s.arg(at(21, 0)).arg(id));
        return id;
    };
    click(list, u"btnEdit"_s);
    EXPECT_EQ(calls, std::vector<qint32>{1});
    EXPECT_EQ(rows().selectedPosition(), 3);
    EXPECT_EQ(rows().selectedTag(), 1);
    EXPECT_EQ(rows().row(3)->text(0), u"21:00"_s);
}

TEST_F(MealConsumesTest, NewSelectsTheStoredRowAndAnEditorThatStoredNothingLeavesTheList) {
    open(dec(6), 3);
    click(list, u"btnNew"_s); // the editor was cancelled
    EXPECT_EQ(rows().selectedTag(), 3);
    editorScript = [&](qint32) -> std::optional<qint32> {
        addConsume(50, 11, dec(6), at(10, 0), 1);
        return 50;
    };
    click(list, u"btnNew"_s);
    EXPECT_EQ(calls, (std::vector<qint32>{0, 0}));
    EXPECT_EQ(rows().rowCount(), 6);
    EXPECT_EQ(rows().selectedPosition(), 2);
    EXPECT_EQ(rows().selectedTag(), 50);
}

} // namespace
} // namespace kelvora::test
