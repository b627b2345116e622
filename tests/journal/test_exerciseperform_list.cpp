// The list of activities performed on a day: rows and totals, the database's rounding, Delete.
#include "test_mealconsume_fixture.h"

#include "frmExercisePerforms.h"

#include <QDateEdit>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

class ExercisePerformsTest : public DiaryTest {
protected:
    ExercisePerformsTest() {
        addExercise(1, u"Walking"_s, u"hour"_s, 1, 74.8);
        addExercise(2, u"Cycling"_s, QVariant(), QVariant(), 300);
        addPerform(1, 2, dec(6), at(18, 0), at(19, 30), 1.5);
        addPerform(2, 1, dec(6), at(7, 15), at(9, 15), 2);
    }
    void open(QDate day, qint32 id = 0) {
        list.dtpDate->setDate(day);
        list.RefreshList(id);
    }
    ReportList& rows() { return *child<ReportList>(list, u"lvwList"_s); }
    void select(int position) { rows().setCurrentItem(rows().row(position)); }

    frmExercisePerforms list{[](qint32) -> std::optional<qint32> { return std::nullopt; }, nullptr};
};

TEST_F(ExercisePerformsTest, ActivitiesAreListedByBeginTimeWithTheDatabasesRoundingAndATotal) {
    EXPECT_EQ(list.objectName(), u"frmExercisePerforms"_s);
    EXPECT_EQ(list.windowTitle(), u"Activities Performed List"_s);
    open(dec(6), 1);
    // 2 x 74.8 = 149.6 shows as 150 here, while the editor rounds it down to 149.
    EXPECT_EQ(items(rows()),
              (QStringList{u"07:15|09:15|Walking|2|150 #2"_s, u"18:00|19:30|Cycling|1.5|450 #1"_s,
                           u"|||| #0"_s, u"||   Total (2 items)||600 #0"_s}));
    EXPECT_EQ(rows().selectedPosition(), 2);
    open(dec(7));
    EXPECT_EQ(rows().rowCount(), 0);
    EXPECT_EQ(fx.app->state().currentDate.toQDate(), dec(7));
}

TEST_F(ExercisePerformsTest, DeletingRemovesTheSelectedActivityOnly) {
    open(dec(6));
    select(4);
    click(list, u"btnDelete"_s);
    expectError(u"No record selected"_s);
    EXPECT_EQ(count(u"ExercisePerform"_s), 2);

    select(1);
    click(list, u"btnDelete"_s);
    expectMessage(u"Are you sure"_s, u"Are you sure you want to delete the selected record?"_s,
                  MessageIcon::Question);
    EXPECT_EQ(scalar(u"select group_concat(ExercisePerformID) from ExercisePerform"_s).toString(), u"1"_s);
    EXPECT_EQ(items(rows()), QStringList{u"18:00|19:30|Cycling|1.5|450 #1"_s});
    EXPECT_EQ(rows().selectedTag(), 1);
    EXPECT_FALSE(fx.app->de().rs(u"ExercisePerform"_s).isOpen());
}

TEST_F(ExercisePerformsTest, ARefusedDeleteIsReportedAndLeavesNothingOpen) {
    sql(u"create trigger keep before delete on ExercisePerform begin select raise(abort, 'kept'); end"_s);
    open(dec(6));
    select(2);
    click(list, u"btnDelete"_s);
    expectError(u"This record can't be deleted from database"_s);
    EXPECT_EQ(count(u"ExercisePerform"_s), 2);
    EXPECT_FALSE(fx.app->de().rs(u"ExercisePerform"_s).isOpen());
}

} // namespace
} // namespace kelvora::test
