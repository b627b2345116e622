// The recordset protocol: walking, reading by name, appending, changing, cancelling and deleting.
#include "Currency.h"
#include "DateValue.h"
#include "TestDatabase.h"
#include "deData.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using kelvora::Currency;
using kelvora::DateValue;
using kelvora::DbError;
using kelvora::deData;
using kelvora::test::TestDatabase;

namespace {

class RecordsetTest : public ::testing::Test {
protected:
    TestDatabase db{kelvora::SeedContents::SchemaOnly};
    deData de{db.path()};

    void SetUp() override {
        de.Con.execute(
            u"insert into MealCategory (MealCategoryID, Name) values (1, 'Fruit'), (2, 'Bread');"
            "insert into Meal (MealID, MealCategoryID, Name, Unit, Calories) values (1, 1, 'Pear', 'piece', 100)"_s);
    }

    qlonglong count(const QString& table) {
        kelvora::Statement statement(de.Con, u"select count(*) from "_s + table);
        statement.step();
        return statement.value(0).toLongLong();
    }
};

TEST_F(RecordsetTest, AddNewStoresOnlyTheSetColumnsAndShowsTheAssignedKey) {
    auto& rs = de.run(u"Meal"_s, {0});
    ASSERT_TRUE(rs.eof());
    rs.addNew();
    rs.set(u"mealcategoryid"_s, 2);
    rs.set(u"Name"_s, u"  Rye  "_s);
    rs.set(u"Calories"_s, u"83.00005"_s); // typed text: a tie at the fifth decimal goes to even
    rs.set(u"DefaultQty"_s, QVariant());
    rs.update();
    const qlonglong id = rs.field(u"MealID"_s).toLongLong();
    EXPECT_GT(id, 1);
    EXPECT_EQ(rs.field(u"Carbohydrate"_s).toDouble(), 0); // the table default, read back
    rs.close();

    auto& stored = de.run(u"Meal"_s, {id});
    EXPECT_EQ(stored.field(u"Name"_s).toString(), u"  Rye  "_s);
    EXPECT_EQ(stored.field(u"Calories"_s).toDouble(), 83.0);
    EXPECT_TRUE(stored.field(u"DefaultQty"_s).isNull());
    EXPECT_TRUE(stored.field(u"Increment"_s).isNull());
}

TEST_F(RecordsetTest, EditWritesBackAndCurrencyIsSnapped) {
    auto& rs = de.run(u"Meal"_s, {1});
    rs.set(u"Calories"_s, 1.0 / 3.0);
    rs.set(u"Increment"_s, QVariant::fromValue(Currency::fromRaw(2500)));
    rs.update();
    rs.close();
    auto& stored = de.run(u"Meal"_s, {1});
    EXPECT_EQ(stored.field(u"Calories"_s).toDouble(), 0.3333);
    EXPECT_EQ(stored.field(u"Increment"_s).toDouble(), 0.25);
    EXPECT_EQ(stored.field(u"Name"_s).toString(), u"Pear"_s);
}

TEST_F(RecordsetTest, FailedUpdateThenCancelLeavesTheTableUnchanged) {
    auto& rs = de.run(u"Meal"_s, {0});
    rs.addNew();
    rs.set(u"MealCategoryID"_s, 2);
    rs.set(u"Name"_s, u"PEAR"_s); // unique over all categories, without regard to case
    EXPECT_THROW(rs.update(), DbError);
    EXPECT_TRUE(rs.hasPendingChange());
    rs.cancelUpdate();
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(count(u"Meal"_s), 1);

    auto& edit = de.run(u"Meal"_s, {1});
    edit.set(u"MealCategoryID"_s, 99); // no such category
    edit.set(u"Calories"_s, 5);
    EXPECT_THROW(edit.update(), DbError);
    edit.cancelUpdate();
    EXPECT_EQ(edit.field(u"Calories"_s).toDouble(), 100);
    edit.close();
    EXPECT_EQ(de.run(u"Meal"_s, {1}).field(u"MealCategoryID"_s).toInt(), 1);
}

TEST_F(RecordsetTest, DeleteOfAReferencedRowFailsAndLeavesBothRows) {
    de.Con.execute(u"insert into MealConsume values (1, 1, 46000, 0.5, 1)"_s);
    auto& rs = de.run(u"Meal"_s, {1});
    EXPECT_THROW(rs.deleteCurrent(), DbError);
    EXPECT_EQ(count(u"Meal"_s), 1);
    EXPECT_EQ(count(u"MealConsume"_s), 1);

    auto& category = de.run(u"MealCategory"_s, {2});
    category.deleteCurrent();
    EXPECT_TRUE(category.eof());
    EXPECT_EQ(count(u"MealCategory"_s), 1);
}

TEST_F(RecordsetTest, JoinedCommandWritesOnlyItsBaseTable) {
    auto& rs = de.run(u"MealConsume"_s, {0});
    rs.addNew();
    rs.set(u"MealConsumeID"_s, 7);
    rs.set(u"MealID"_s, 1);
    rs.set(u"ConsumeDate"_s, QVariant::fromValue(DateValue::fromYmd(2026, 5, 1)));
    rs.set(u"ConsumeTime"_s, QVariant::fromValue(DateValue::fromTime(8, 0)));
    rs.set(u"Qty"_s, 1.5);
    EXPECT_THROW(rs.set(u"MealCategoryID"_s, 2), DbError); // a column of the joined table
    rs.update();
    rs.close();
    auto& stored = de.run(u"MealConsume"_s, {7});
    EXPECT_EQ(stored.field(u"MealCategoryID"_s).toInt(), 1);
    EXPECT_EQ(DateValue(stored.field(u"ConsumeTime"_s).toDouble()).parts().hour, 8);
    EXPECT_EQ(stored.field(u"ConsumeDate"_s).toDouble(), DateValue::fromYmd(2026, 5, 1).serial());
}

TEST_F(RecordsetTest, ReadOnlyRecordsetsRefuseChanges) {
    auto& rs = de.run(u"MealCategorySorted"_s);
    EXPECT_FALSE(rs.isUpdatable());
    EXPECT_THROW(rs.set(u"Name"_s, u"x"_s), DbError);
    EXPECT_THROW(rs.field(u"NoSuchColumn"_s), DbError);
    EXPECT_EQ(rs.recordCount(), 2);
    rs.moveNext();
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_THROW(rs.field(u"Name"_s), DbError);
}

TEST_F(RecordsetTest, TextThatIsNoNumberCannotBeStoredInANumberColumn) {
    auto& rs = de.run(u"Meal"_s, {1});
    EXPECT_THROW(rs.set(u"Calories"_s, u"abc"_s), DbError);
    EXPECT_THROW(rs.set(u"MealCategoryID"_s, 1e12), DbError);
    rs.cancelUpdate();
    EXPECT_EQ(rs.field(u"Calories"_s).toDouble(), 100);
}

TEST_F(RecordsetTest, TransactionRollsBackUnlessCommitted) {
    {
        kelvora::Transaction outer(de.Con);
        de.Con.execute(u"insert into MealCategory (Name) values ('Kept')"_s);
        {
            kelvora::Transaction inner(de.Con);
            de.Con.execute(u"insert into MealCategory (Name) values ('Dropped')"_s);
        }
        outer.commit();
    }
    EXPECT_EQ(count(u"MealCategory"_s), 3);
    {
        kelvora::Transaction abandoned(de.Con);
        de.Con.execute(u"delete from MealCategory where Name = 'Kept'"_s);
    }
    EXPECT_EQ(count(u"MealCategory"_s), 3);
    EXPECT_FALSE(de.Con.inTransaction());
}

} // namespace
