// The meal list and its editor together: what the user edits or adds there is
// what the list selects.
#include "test_mealconsume_fixture.h"

#include "DataCombo.h"
#include "frmMeal.h"
#include "frmMealCategory.h"
#include "frmMealConsume.h"
#include "frmMealConsumes.h"

#include <QDateEdit>
#include <QTimeEdit>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

class MealJournalTest : public DiaryTest {
protected:
    MealJournalTest() {
        addCategory(1, u"Breakfast"_s);
        addMeal(10, 1, u"Oatmeal"_s, u"cup"_s, 1.5, 0.25, 9, 4, 7);
        addConsume(1, 10, dec(6), at(8, 5), 2);
        addConsume(2, 10, dec(6), at(12, 30), 1);
        addConsume(3, 10, dec(6), at(20, 5), 1);
    }
    void open(QDate day, qint32 id = 0) {
        list.dtpDate->setDate(day);
        list.RefreshList(id);
    }
    ReportList& rows() { return *child<ReportList>(list, u"lvwList"_s); }
    void select(int position) { rows().setCurrentItem(rows().row(position)); }

    frmMealCategory categoryEditor{nullptr};
    frmMeal mealEditor{nullptr, categoryEditor};
    frmMealConsume editor{nullptr, mealEditor};
    frmMealConsumes list{editorCall(editor), nullptr};
};

TEST_F(MealJournalTest, AnEditedRowIsSelectedWhereItsNewTimePutsIt) {
    open(dec(6));
    select(1);
    show(list, [&](QDialog&) {
        fx.modal->expect([&](QDialog& d) {
            EXPECT_EQ(d.objectName(), u"frmMealConsume"_s);
            child<QTimeEdit>(d, u"dtpTime"_s)->setTime(QTime(21, 0));
            click(d, u"btnOK"_s);
        });
        click(list, u"btnEdit"_s);
    });
    EXPECT_EQ(rows().selectedPosition(), 3);
    EXPECT_EQ(rows().selectedTag(), 1);
    EXPECT_EQ(rows().row(3)->text(0), u"21:00"_s);
}

TEST_F(MealJournalTest, ANewMealBelongsToTheListsDate) {
    open(dec(6));
    list.dtpDate->setDate(dec(8));
    fx.modal->expect([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Meal Consumed - New"_s);
        child<DataCombo>(d, u"dcbMealCategory"_s)->setBoundValue(1);
        click(d, u"btnOK"_s);
    });
    click(list, u"btnNew"_s);
    ASSERT_TRUE(editor.Saved);
    EXPECT_EQ(scalar(u"select ConsumeDate from MealConsume where MealConsumeID = %1"_s.arg(editor.NewID))
                  .toDouble(),
              serial(dec(8)));
    EXPECT_EQ(rows().rowCount(), 1);
    EXPECT_EQ(rows().selectedTag(), editor.NewID);
}

TEST_F(MealJournalTest, IdentifiersPastSixteenBitsAreStoredAndSelected) {
    // A diary of six meals a day passes 32,767 meals in its fifteenth year.
    sql(u"update Common set NextMealConsumeID = 32767"_s);
    open(dec(6));
    fx.modal->expect([&](QDialog& d) {
        child<DataCombo>(d, u"dcbMealCategory"_s)->setBoundValue(1);
        click(d, u"btnOK"_s);
    });
    click(list, u"btnNew"_s);
    ASSERT_TRUE(editor.Saved);
    EXPECT_EQ(editor.NewID, 32768);
    EXPECT_EQ(scalar(u"select count(*) from MealConsume where MealConsumeID = 32768"_s).toInt(), 1);
    EXPECT_EQ(rows().selectedTag(), 32768);
}

} // namespace
} // namespace kelvora::test
