// The meals list with its category filter, and the meal editor: calorie split, checks, results.
#include "AppFixture.h"
#include "Contrast.h"
#include "DataCombo.h"
#include "Palettes.h"
#include "ReportList.h"
#include "deData.h"
#include "frmMeal.h"
#include "frmMealCategory.h"
#include "frmMeals.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

class MealsTest : public ::testing::Test {
protected:
    AppFixture fx{SeedContents::SchemaOnly};
    frmMealCategory categoryEditor{nullptr};
    frmMeal editor{nullptr, categoryEditor};
    frmMeals list{nullptr, editor};

    void SetUp() override {
        sql(u"insert into MealCategory (MealCategoryID, Name) values (1, 'Soups'), (2, 'Breads')"_s);
        sql(u"insert into Meal (MealID, MealCategoryID, Name, Unit, Calories, Fat, Carbohydrate, Protein, "
            u"DefaultQty, Increment) values (10, 2, 'Toast', 'slice', 80, 1.5, 15, 2.25, null, null), "
            u"(11, 2, 'Bagel', 'piece', 1250, 2, 50, 10, 1, 0.5), (12, 1, 'Borscht', 'bowl', 150, 5, 20, 4, 1, 1)"_s);
    }
    void sql(const QString& text) { fx.app->de().Con.execute(text); }
    QVariant scalar(const QString& text) { return fx.app->de().Con.scalar(text); }
    QStringList names() {
        QStringList result;
        for (int i = 1; i <= list.lvwList->rowCount(); ++i)
            result << list.lvwList->row(i)->text(0);
        return result;
    }
    static QLineEdit* edit(QDialog& d, const QString& name) { return d.findChild<QLineEdit*>(name); }
    static void type(QDialog& d, const QString& name, const QString& text) {
        edit(d, name)->clear();
        QTest::keyClicks(edit(d, name), text);
    }
    static void click(QDialog& d, const QString& name) { d.findChild<QPushButton*>(name)->click(); }
    void openEditor(qint32 id, qint32 category, FakeModal::Handler handler) {
        editor.RecordID = id;
        editor.MealCategoryID = category;
        fx.modal->expect(std::move(handler));
        fx.app->modal().exec(editor);
    }
};

TEST_F(MealsTest, FilterByCategoryInNameOrderWithNullCells) {
    fx.modal->expect([&](QDialog&) {
        EXPECT_EQ(list.dcbMealCategory->text(), u"Breads"_s);
        EXPECT_EQ(names(), (QStringList{u"Bagel"_s, u"Toast"_s}));
        EXPECT_EQ(list.lvwList->row(1)->text(5), u"1250"_s);
        EXPECT_EQ(list.lvwList->row(1)->text(7), u"0.5"_s);
        EXPECT_EQ(list.lvwList->row(2)->text(4), u"2.25"_s);
        EXPECT_EQ(list.lvwList->row(2)->text(6), QString());
        EXPECT_EQ(list.lvwList->row(2)->text(7), QString());
        list.dcbMealCategory->setText(u"Soups"_s);
        EXPECT_EQ(names(), QStringList{u"Borscht"_s});
        list.lvwList->clearSelection();
        list.btnEdit->click();
        list.btnDelete->click();
    });
    fx.app->modal().exec(list);
    EXPECT_EQ(fx.messages->texts(), (std::vector<QString>{u"Nothing to edit"_s, u"Nothing to delete"_s}));
    EXPECT_EQ(list.lvwList->headerItem()->text(3), u"CarboHyd."_s);
    EXPECT_EQ(list.helpContextId(), 19);
}

TEST_F(MealsTest, MovingAMealSwitchesTheComboWithoutASecondRefill) {
    fx.modal->expect([&](QDialog&) {
        list.lvwList->selectByText(u"Toast"_s);
        fx.modal->expect([](QDialog& d) {
            d.findChild<DataCombo*>(u"dcbMealCategory"_s)->setText(u"Soups"_s);
            d.findChild<QPushButton*>(u"btnOK"_s)->click();
        });
        int rowsAdded = 0;
        auto counter =
            QObject::connect(list.lvwList->model(), &QAbstractItemModel::rowsInserted,
                             [&](const QModelIndex&, int first, int last) { rowsAdded += last - first + 1; });
        list.btnEdit->click();
        QObject::disconnect(counter);
        EXPECT_EQ(rowsAdded, 2); // Borscht and Toast, filled once
        EXPECT_EQ(list.dcbMealCategory->text(), u"Soups"_s);
        EXPECT_EQ(names(), (QStringList{u"Borscht"_s, u"Toast"_s}));
        EXPECT_EQ(list.lvwList->selectedRow()->text(0), u"Toast"_s);
    });
    fx.app->modal().exec(list);
    EXPECT_EQ(scalar(u"select MealCategoryID from Meal where MealID = 10"_s).toInt(), 1);
    EXPECT_EQ(editor.MealCategoryID, 1);
}

TEST_F(MealsTest, CategoryCreatedInTheEditorStaysChosenAfterCancel) {
    fx.modal->expect([&](QDialog&) {
        fx.modal->expect([&](QDialog& d) {
            EXPECT_EQ(d.findChild<DataCombo*>(u"dcbMealCategory"_s)->text(), u"Breads"_s); // preselected
            fx.modal->expect([](QDialog& c) {
                type(c, u"txtName"_s, u"Apples"_s);
                click(c, u"btnOK"_s);
            });
            click(d, u"btnNewCategory"_s);
            EXPECT_EQ(d.findChild<DataCombo*>(u"dcbMealCategory"_s)->text(), u"Apples"_s);
            click(d, u"btnCancel"_s);
        });
        list.btnNew->click();
        EXPECT_EQ(list.dcbMealCategory->text(), u"Apples"_s);
        EXPECT_EQ(list.lvwList->rowCount(), 0);
    });
    fx.app->modal().exec(list);
    EXPECT_FALSE(editor.Saved);
    EXPECT_TRUE(editor.CategoryAdded);
    EXPECT_EQ(editor.NewCategoryName, u"Apples"_s);
}

TEST_F(MealsTest, SplitInAnyTypingOrder) {
    const QStringList fields{u"txtCalories"_s, u"txtFat"_s, u"txtProtein"_s, u"txtCarboHydrate"_s};
    const QStringList values{u"100"_s, u"10"_s, u"10"_s, u"0"_s};
    std::vector<int> order{0, 1, 2, 3};
    do {
        openEditor(0, 0, [&](QDialog& d) {
            for (int i : order)
                type(d, fields[i], values[i]);
            EXPECT_EQ(edit(d, u"txtFatBC"_s)->text(), u"69.2308"_s);
            EXPECT_EQ(edit(d, u"txtProteinBC"_s)->text(), u"30.7692"_s);
            EXPECT_EQ(edit(d, u"txtCarboHydrateBC"_s)->text(), u"0"_s);
            // A field that is no number leaves the split as it was.
            type(d, fields[order[0]], u"x"_s);
            EXPECT_EQ(edit(d, u"txtFatBC"_s)->text(), u"69.2308"_s);
        });
    } while (std::next_permutation(order.begin(), order.end()));
}

// The "By Calories" results stand in read-only grey fields; their figures read in any palette, in an
// editor made in it and in one that was there when the palette changed.
TEST_F(MealsTest, ByCaloriesFiguresReadInLightAndDarkPalettes) {
    for (const NamedPalette& palette : lightAndDarkPalettes()) {
        const ScopedPalette inPalette(palette.palette);
        frmMealCategory otherCategoryEditor{nullptr};
        frmMeal madeInIt{nullptr, otherCategoryEditor};
        for (const auto& [how, meal] : {std::pair{"made in it", &madeInIt}, {"switched to it", &editor}}) {
            meal->RecordID = 0;
            fx.modal->expect([&](QDialog& d) {
                type(d, u"txtCalories"_s, u"100"_s);
                type(d, u"txtFat"_s, u"10"_s);
                type(d, u"txtProtein"_s, u"10"_s);
                type(d, u"txtCarboHydrate"_s, u"0"_s);
                for (const QString& name : {u"txtFatBC"_s, u"txtCarboHydrateBC"_s, u"txtProteinBC"_s}) {
                    QLineEdit* field = edit(d, name);
                    const QRect inside = field->rect().adjusted(3, 3, -3, -3);
                    const ShownColours shown = shownColours(field->grab(inside).toImage(),
                                                            QPoint(inside.width() - 3, inside.height() / 2));
                    const std::string where = palette.name.toStdString() + ", " + how + ", " +
                                              name.toStdString() + ": " + shown.text.name().toStdString() +
                                              " on " + shown.background.name().toStdString();
                    EXPECT_GE(contrastRatio(shown.text, shown.background), 4.5) << where;
                    EXPECT_NE(shown.background, palette.palette.color(QPalette::Base)) << where; // greyed
                    if (!palette.dark) {
                        EXPECT_EQ(shown.background, QColor(224, 224, 224)) << where;
                    }
                }
            });
            fx.app->modal().exec(*meal);
        }
    }
}

TEST_F(MealsTest, CaloriesLabelFollowsTheUnit) {
    openEditor(10, 0, [&](QDialog& d) {
        auto* label = d.findChild<QLabel*>(u"lblFieldLabel8"_s);
        EXPECT_EQ(label->text(), u"Calories per slice"_s);
        edit(d, u"txtUnit"_s)->clear();
        EXPECT_EQ(label->text(), u"Calories per Unit"_s);
        EXPECT_TRUE(edit(d, u"txtDefaultQty"_s)->text().isEmpty());
    });
    EXPECT_EQ(editor.windowTitle(), u"Meal Description"_s);
}

TEST_F(MealsTest, ChecksInOrder) {
    struct Case {
        QString category, name, unit, qty, inc, fat, carb, protein, calories, message, focus;
    };
    const QString x = u"x"_s;
    const Case cases[] = {
        {u""_s, u" "_s, u""_s, x, x, u""_s, u""_s, u""_s, u""_s,
         u"The Meal Category is not specified or specified incorrect"_s, u"dcbMealCategory"_s},
        {u"Breads"_s, u" "_s, u""_s, x, x, u""_s, u""_s, u""_s, u""_s, u"The Meal Name should be specified"_s,
         u"txtName"_s},
        {u"Breads"_s, u"N"_s, u" "_s, x, x, u""_s, u""_s, u""_s, u""_s, u"The Unit should be specified"_s,
         u"txtUnit"_s},
        {u"Breads"_s, u"N"_s, u"g"_s, x, x, u""_s, u""_s, u""_s, u""_s,
         u"The Default Quantity field contains illegal data"_s, u"txtDefaultQty"_s},
        {u"Breads"_s, u"N"_s, u"g"_s, u""_s, x, u""_s, u""_s, u""_s, u""_s,
         u"The Increment field contains illegal data"_s, u"txtIncrement"_s},
        {u"Breads"_s, u"N"_s, u"g"_s, u""_s, u""_s, u" "_s, x, x, x, u"The Fat should be specified"_s,
         u"txtFat"_s},
        {u"Breads"_s, u"N"_s, u"g"_s, u""_s, u""_s, x, x, x, x, u"The Fat field contains illegal data"_s,
         u"txtFat"_s},
        {u"Breads"_s, u"N"_s, u"g"_s, u""_s, u""_s, u"1"_s, u""_s, x, x,
         u"The CarboHydrate should be specified"_s, u"txtCarboHydrate"_s},
        {u"Breads"_s, u"N"_s, u"g"_s, u""_s, u""_s, u"1"_s, x, x, x,
         u"The CarboHydrate field contains illegal data"_s, u"txtCarboHydrate"_s},
        {u"Breads"_s, u"N"_s, u"g"_s, u""_s, u""_s, u"1"_s, u"1"_s, u""_s, x,
         u"The Protein should be specified"_s, u"txtProtein"_s},
        {u"Breads"_s, u"N"_s, u"g"_s, u""_s, u""_s, u"1"_s, u"1"_s, x, x,
         u"The Protein field contains illegal data"_s, u"txtProtein"_s},
        {u"Breads"_s, u"N"_s, u"g"_s, u""_s, u""_s, u"1"_s, u"1"_s, u"1"_s, u" "_s,
         u"The Calories should be specified"_s, u"txtCalories"_s},
        {u"Breads"_s, u"N"_s, u"g"_s, u""_s, u""_s, u"1"_s, u"1"_s, u"1"_s, x,
         u"The Calories field contains illegal data"_s, u"txtCalories"_s},
    };
    for (const Case& c : cases) {
        openEditor(0, 0, [&](QDialog& d) {
            d.findChild<DataCombo*>(u"dcbMealCategory"_s)->setText(c.category);
            type(d, u"txtName"_s, c.name);
            type(d, u"txtUnit"_s, c.unit);
            type(d, u"txtDefaultQty"_s, c.qty);
            type(d, u"txtIncrement"_s, c.inc);
            type(d, u"txtFat"_s, c.fat);
            type(d, u"txtCarboHydrate"_s, c.carb);
            type(d, u"txtProtein"_s, c.protein);
            type(d, u"txtCalories"_s, c.calories);
            click(d, u"btnOK"_s);
            EXPECT_EQ(d.focusWidget()->objectName(), c.focus) << c.message.toStdString();
        });
        EXPECT_EQ(fx.messages->last().text, c.message);
    }
    EXPECT_EQ(fx.messages->shown.size(), std::size(cases));
    EXPECT_EQ(scalar(u"select count(*) from Meal"_s).toInt(), 3);
}

TEST_F(MealsTest, StoresBlankQuantitiesAsNullAndRefusesADuplicate) {
    const auto fill = [](QDialog& d, const QString& name) {
        type(d, u"txtName"_s, name);
        type(d, u"txtUnit"_s, u"cup"_s);
        type(d, u"txtFat"_s, u"10"_s);
        type(d, u"txtProtein"_s, u"10"_s);
        type(d, u"txtCarboHydrate"_s, u"0"_s);
        type(d, u"txtCalories"_s, u"100"_s);
        click(d, u"btnOK"_s);
    };
    openEditor(0, 1, [&](QDialog& d) { fill(d, u"Milk"_s); });
    EXPECT_TRUE(editor.Saved);
    EXPECT_EQ(editor.windowTitle(), u"Meal Description - New"_s);
    EXPECT_TRUE(scalar(u"select DefaultQty from Meal where Name = 'Milk'"_s).isNull());
    EXPECT_TRUE(scalar(u"select Increment from Meal where Name = 'Milk'"_s).isNull());
    EXPECT_EQ(scalar(u"select FatBC from Meal where Name = 'Milk'"_s).toDouble(), 69.2308);
    EXPECT_EQ(scalar(u"select MealCategoryID from Meal where Name = 'Milk'"_s).toInt(), 1);
    openEditor(0, 1, [&](QDialog& d) {
        fill(d, u"toast"_s);
        EXPECT_TRUE(d.isVisible());
    });
    EXPECT_FALSE(editor.Saved);
    EXPECT_EQ(fx.messages->last().text,
              u"Can't store this record in database. Please check whether there is already "
              u"Meal with the same name in the database"_s);
}

} // namespace
} // namespace kelvora::test
