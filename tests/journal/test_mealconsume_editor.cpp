// The meal consumption editor: the category and meal chain, the values, the
// spin buttons, the checks, the three ways of working and a store that fails.
#include "MealConsumeEditorTest.h"

#include "DataCombo.h"
#include "frmMeal.h"
#include "frmMealCategory.h"
#include "frmMealConsume.h"

#include <QLabel>
#include <QTimeEdit>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

const QString StoreFailed = u"Can't store this record in database. Please check whether all data are valid"_s;

class MealConsumeTest : public MealConsumeEditorTest {
protected:
    MealConsumeTest() {
        addCategory(1, u"Breakfast"_s);
        addCategory(2, u"Snacks"_s);
        addCategory(3, u"Empty"_s);
        addMeal(10, 1, u"Toast"_s, QVariant(), QVariant(), 0.5, 2, 10, 3);
        addMeal(11, 1, u"Oatmeal"_s, u"cup"_s, 1.5, 0.25, 9, 4, 7);
        addMeal(12, 2, u"Apple"_s, u"piece"_s, QVariant(), QVariant(), 0.3, 20, 0.5);
        addConsume(5, 10, dec(4), at(13, 10), 2.5);
        fx.app->state().currentTime = DateValue::fromTime(14, 37);
        editor.repaintMainWindow = [this] { ++repaints; };
    }

    static QStringList values(QDialog& d) {
        return {text(d, u"lblFat"_s), text(d, u"lblCarboHydrate"_s), text(d, u"lblProtein"_s),
                text(d, u"lblCalories"_s)};
    }
    static void spin(QDialog& d, bool up) {
        auto* spinner = child<QWidget>(d, u"updSpin"_s);
        QTest::mouseClick(spinner->findChild<QToolButton*>(up ? u"up"_s : u"down"_s), Qt::LeftButton);
    }
    int counter() { return scalar(u"select NextMealConsumeID from Common"_s).toInt(); }

    int repaints = 0;
};

TEST_F(MealConsumeTest, ACategoryProposesItsFirstMealWithItsDefaultQuantity) {
    struct Case {
        int category;
        QString meal, unit, quantity;
        QStringList values;
    };
    const Case cases[] = {
        // 1.5 x 9 = 13.5 and 1.5 x 7 = 10.5 go to the even neighbour; the total
        // adds the rounded parts.
        {1, u"Oatmeal"_s, u"cup"_s, u"1.5"_s, {u"14"_s, u"6"_s, u"10"_s, u"30"_s}},
        {2, u"Apple"_s, u"piece"_s, u"1"_s, {u"0"_s, u"20"_s, u"0"_s, u"20"_s}},
        {3, QString(), QString(), QString(), {QString(), QString(), QString(), QString()}},
    };
    open(0, 0, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Meal Consumed - New"_s);
        EXPECT_EQ(child<QTimeEdit>(d, u"dtpTime"_s)->time(), QTime(14, 37));
        EXPECT_EQ(child<QTimeEdit>(d, u"dtpTime"_s)->displayFormat(), u"H:mm"_s);
        EXPECT_EQ(meal(d)->count(), 0);
        for (const Case& c : cases) {
            category(d)->setBoundValue(c.category);
            EXPECT_EQ(meal(d)->text(), c.meal) << c.category;
            EXPECT_EQ(text(d, u"lblUnit"_s), c.unit) << c.category;
            EXPECT_EQ(text(d, u"txtQty"_s), c.quantity) << c.category;
            EXPECT_EQ(values(d), c.values) << c.category;
        }
    });
}

TEST_F(MealConsumeTest, SpinButtonsStepByTheMealsIncrement) {
    struct Case {
        int mealId;
        QString before;
        bool up;
        QString after;
    };
    const Case cases[] = {
        {11, u"1"_s, true, u"1.25"_s},   {10, u"0.25"_s, false, u"-0.25"_s}, {11, u"abc"_s, true, u"abc"_s},
        {10, u"abc"_s, false, u"abc"_s}, {12, u"2"_s, true, u"3"_s},
    };
    open(0, 0, [&](QDialog& d) {
        for (const Case& c : cases) {
            category(d)->setBoundValue(c.mealId == 12 ? 2 : 1);
            meal(d)->setBoundValue(c.mealId);
            type(d, u"txtQty"_s, c.before);
            spin(d, c.up);
            EXPECT_EQ(text(d, u"txtQty"_s), c.after) << c.before.toStdString();
        }
        // The values follow the stepped text.
        category(d)->setBoundValue(1);
        type(d, u"txtQty"_s, u"1"_s);
        spin(d, true);
        EXPECT_EQ(values(d), (QStringList{u"11"_s, u"5"_s, u"9"_s, u"25"_s}));
    });
}

TEST_F(MealConsumeTest, EditingShowsTheStoredRowAndKeepsItsQuantity) {
    open(0, 5, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Meal Consumed"_s);
        EXPECT_EQ(category(d)->text(), u"Breakfast"_s);
        EXPECT_EQ(meal(d)->text(), u"Toast"_s);
        EXPECT_EQ(child<QTimeEdit>(d, u"dtpTime"_s)->time(), QTime(13, 10));
        EXPECT_EQ(text(d, u"txtQty"_s), u"2.5"_s);
        EXPECT_EQ(values(d), (QStringList{u"5"_s, u"25"_s, u"8"_s, u"38"_s}));
        type(d, u"txtQty"_s, u"3"_s);
        click(d, u"btnOK"_s);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(editor.Saved);
    EXPECT_EQ(editor.NewID, 5);
    EXPECT_EQ(
        scalar(u"select Qty || ' ' || ConsumeDate from MealConsume where MealConsumeID = 5"_s).toString(),
        u"3.0 %1.0"_s.arg(serial(dec(4))));
    EXPECT_EQ(fx.app->state().currentTime.toQTime(), QTime(13, 10));
    EXPECT_EQ(count(u"MealConsume"_s), 1);
}

TEST_F(MealConsumeTest, TheChecksRunInOrder) {
    open(0, 0, [&](QDialog& d) {
        // Each refusal puts the cursor into the field to mend.
        const auto ok = [&](const QString& message, const QString& field) {
            fx.messages->shown.clear();
            click(d, u"btnOK"_s);
            expectError(message);
            EXPECT_TRUE(d.isVisible());
            ASSERT_NE(d.focusWidget(), nullptr);
            EXPECT_EQ(d.focusWidget()->objectName(), field) << message.toStdString();
        };
        ok(u"The Meal Category is not specified or specified incorrect"_s, u"dcbMealCategory"_s);
        category(d)->setBoundValue(3);
        ok(u"The Meal should be specified"_s, u"dcbMeal"_s);
        category(d)->setBoundValue(1);
        type(d, u"txtQty"_s, u"   "_s);
        ok(u"The Quantity should be specified"_s, u"txtQty"_s);
        type(d, u"txtQty"_s, u"1.5.2"_s);
        ok(u"The Quantity field contains illegal data"_s, u"txtQty"_s);
        type(d, u"txtQty"_s, u"1e30"_s);
        ok(u"The Quantity field contains illegal data"_s, u"txtQty"_s);
        type(d, u"txtQty"_s, u"-2"_s); // zero and negative quantities pass
        fx.messages->shown.clear();
        click(d, u"btnOK"_s);
        EXPECT_TRUE(fx.messages->shown.empty());
    });
    EXPECT_TRUE(editor.Saved);
    EXPECT_EQ(count(u"MealConsume"_s), 2);
}

TEST_F(MealConsumeTest, AddingModeStoresEachMealRedrawsAndClears) {
    fx.app->state().currentDate = DateValue::fromQDate(dec(6));
    const int first = counter() + 1; // the counter holds the last identifier taken
    open(1, 0, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Meal Consumed - New"_s);
        EXPECT_EQ(child<QPushButton>(d, u"btnOK"_s)->text(), u"&Add"_s);
        EXPECT_EQ(child<QPushButton>(d, u"btnCancel"_s)->text(), u"&Close"_s);
        category(d)->setBoundValue(2);
        child<QTimeEdit>(d, u"dtpTime"_s)->setTime(QTime(16, 20));
        click(d, u"btnOK"_s);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(repaints, 1);
        EXPECT_EQ(category(d)->text(), QString());
        EXPECT_EQ(meal(d)->text(), QString());
        EXPECT_EQ(text(d, u"txtQty"_s), QString());
        EXPECT_EQ(text(d, u"lblUnit"_s), QString());
        EXPECT_EQ(values(d), (QStringList{QString(), QString(), QString(), QString()}));
        EXPECT_EQ(child<QTimeEdit>(d, u"dtpTime"_s)->time(), QTime(16, 20));
        EXPECT_EQ(fx.app->state().currentTime.toQTime(), QTime(16, 20));
        click(d, u"btnOK"_s);
        expectError(u"The Meal Category is not specified or specified incorrect"_s);
        EXPECT_EQ(repaints, 1);
    });
    EXPECT_TRUE(editor.Saved);
    EXPECT_EQ(editor.NewID, first);
    EXPECT_EQ(
        scalar(
            u"select MealID || ' ' || ConsumeDate || ' ' || Qty from MealConsume where MealConsumeID = %1"_s
                .arg(first))
            .toString(),
        u"12 %1.0 1.0"_s.arg(serial(dec(6))));

    // The same object opened again for one row is an ordinary editor.
    open(0, 0, [&](QDialog& d) {
        EXPECT_EQ(child<QPushButton>(d, u"btnOK"_s)->text(), u"&OK"_s);
        EXPECT_EQ(child<QPushButton>(d, u"btnCancel"_s)->text(), u"&Cancel"_s);
        EXPECT_EQ(child<QTimeEdit>(d, u"dtpTime"_s)->time(), QTime(16, 20));
    });
    EXPECT_FALSE(editor.Saved);
    EXPECT_EQ(editor.NewID, 0);
}

TEST_F(MealConsumeTest, AFailedStoreKeepsTheInputAndBurnsItsIdentifier) {
    sql(u"create trigger refuse before insert on MealConsume begin select raise(abort, 'refused'); end"_s);
    const int first = counter() + 1; // the counter holds the last identifier taken
    open(0, 0, [&](QDialog& d) {
        category(d)->setBoundValue(1);
        child<QTimeEdit>(d, u"dtpTime"_s)->setTime(QTime(9, 45));
        click(d, u"btnOK"_s);
        expectError(StoreFailed);
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(editor.Saved);
        EXPECT_EQ(fx.app->state().currentTime.toQTime(), QTime(14, 37));
        EXPECT_EQ(text(d, u"txtQty"_s), u"1.5"_s);
        sql(u"drop trigger refuse"_s);
        click(d, u"btnOK"_s);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(editor.Saved);
    EXPECT_EQ(editor.NewID, first + 1);
    EXPECT_EQ(scalar(u"select count(*) from MealConsume where MealConsumeID = %1"_s.arg(first)).toInt(), 0);
    EXPECT_EQ(fx.app->state().currentTime.toQTime(), QTime(9, 45));
}

TEST_F(MealConsumeTest, AMealMadeOnTheSpotIsChosenWithItsNewCategory) {
    open(0, 0, [&](QDialog& d) {
        category(d)->setBoundValue(2);
        fx.modal->expect([&](QDialog& m) {
            EXPECT_EQ(&m, &mealEditor);
            EXPECT_EQ(mealEditor.RecordID, 0);
            EXPECT_EQ(mealEditor.MealCategoryID, 2);
            // What the meal editor does when the user adds a category and a meal in
            // it.
            addCategory(4, u"Dinner"_s);
            addMeal(20, 4, u"Stew"_s, u"bowl"_s, 2, QVariant(), 10, 20, 30);
            mealEditor.CategoryAdded = true;
            mealEditor.NewCategoryName = u"Dinner"_s;
            mealEditor.Saved = true;
            mealEditor.SavedName = u"Stew"_s;
            mealEditor.MealCategoryID = 4;
            m.accept();
        });
        click(d, u"btnNewMeal"_s);
        EXPECT_EQ(fx.modal->opened.back(), u"frmMeal"_s);
        EXPECT_EQ(category(d)->text(), u"Dinner"_s);
        EXPECT_EQ(meal(d)->text(), u"Stew"_s);
        EXPECT_EQ(text(d, u"lblUnit"_s), u"bowl"_s);
        EXPECT_EQ(text(d, u"txtQty"_s), u"2"_s);
        EXPECT_EQ(values(d), (QStringList{u"20"_s, u"40"_s, u"60"_s, u"120"_s}));
    });
}

TEST_F(MealConsumeTest, CancelStoresNothing) {
    open(0, 0, [&](QDialog& d) {
        category(d)->setBoundValue(1);
        click(d, u"btnCancel"_s);
    });
    EXPECT_FALSE(editor.Saved);
    EXPECT_EQ(count(u"MealConsume"_s), 1);
    EXPECT_FALSE(fx.app->de().rs(u"MealConsume"_s).isOpen());
}

} // namespace
} // namespace kelvora::test
