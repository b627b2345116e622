// The data-bound combo box: entries from a recordset, the bound value and its change handling.
#include "DataCombo.h"

#include "AppFixture.h"
#include "deData.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using kelvora::DataCombo;

namespace {

class DataComboTest : public ::testing::Test {
protected:
    kelvora::test::AppFixture fx{kelvora::SeedContents::SchemaOnly};
    DataCombo combo;
    int changes = 0;
    QList<QVariant> seen;

    void SetUp() override {
        auto& con = fx.app->de().Con;
        con.execute(u"insert into MealCategory (MealCategoryID, Name) values (7, 'Soups')"_s);
        con.execute(u"insert into MealCategory (MealCategoryID, Name) values (3, 'Breads')"_s);
        con.execute(u"insert into MealCategory (MealCategoryID, Name) values (9, 'Drinks')"_s);
        QObject::connect(&combo, &DataCombo::boundValueChanged, [this] {
            ++changes;
            seen.append(combo.boundValue());
        });
        refill();
    }

    void refill() {
        auto& rs = fx.app->de().run(u"MealCategorySorted"_s);
        combo.fill(rs, u"Name"_s, u"MealCategoryID"_s);
        rs.close();
    }
};

TEST_F(DataComboTest, ListsTheRowsAndStartsWithNothingSelected) {
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(0), u"Breads"_s);
    EXPECT_EQ(combo.itemText(2), u"Soups"_s);
    EXPECT_TRUE(combo.boundValue().isNull());
    EXPECT_TRUE(combo.text().isEmpty());
    EXPECT_EQ(changes, 0);
}

TEST_F(DataComboTest, SettingTheBoundValueOrTextSelectsTheEntry) {
    combo.setBoundValue(9);
    EXPECT_EQ(combo.text(), u"Drinks"_s);
    combo.setText(u"soups"_s);
    EXPECT_EQ(combo.boundValue().toInt(), 7);
    combo.setText(u"Pasta"_s);
    EXPECT_TRUE(combo.boundValue().isNull());
    combo.setBoundValue(3);
    combo.setBoundValue(QVariant());
    EXPECT_TRUE(combo.boundValue().isNull());
    combo.setBoundValue(42);
    EXPECT_TRUE(combo.boundValue().isNull());
}

TEST_F(DataComboTest, EveryChangeOfTheBoundValueRunsTheHandlerOnce) {
    combo.setBoundValue(9);      // by the program
    combo.setBoundValue(9);      // no change, no handling
    combo.setCurrentIndex(0);    // as the user would pick
    combo.setText(u"Nothing"_s); // to empty
    ASSERT_EQ(changes, 3);
    EXPECT_EQ(seen[0].toInt(), 9);
    EXPECT_EQ(seen[1].toInt(), 3);
    EXPECT_TRUE(seen[2].isNull());
}

TEST_F(DataComboTest, RefillKeepsTheSelectionWhenTheEntryRemains) {
    combo.setBoundValue(7);
    changes = 0;
    fx.app->de().Con.execute(u"insert into MealCategory (MealCategoryID, Name) values (1, 'Apples')"_s);
    refill();
    EXPECT_EQ(combo.count(), 4);
    EXPECT_EQ(combo.boundValue().toInt(), 7);
    EXPECT_EQ(changes, 0);
    fx.app->de().Con.execute(u"delete from MealCategory where MealCategoryID = 7"_s);
    refill();
    EXPECT_TRUE(combo.boundValue().isNull());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(combo.fillCount(), 3);
}

} // namespace
