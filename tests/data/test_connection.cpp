// Prepared statements are kept and reused by the connection: reuse must never carry a value, a
// row position or a database over from an earlier use. Transactions that are undone write nothing.
#include "Connection.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

class StatementReuseTest : public ::testing::Test {
protected:
    TestDatabase db{SeedContents::SchemaOnly};
    Connection con{db.path()};

    void SetUp() override {
        con.execute(u"insert into MealCategory (MealCategoryID, Name) values (1, 'Soups'), (2, 'Breads')"_s);
    }
    QVariant nameOf(const QVariant& id) {
        Statement select(con, u"select Name from MealCategory where MealCategoryID = ?1"_s);
        if (!id.isNull())
            select.bind(1, id);
        return select.step() ? select.value(0) : QVariant(u"(no row)"_s);
    }
};

TEST_F(StatementReuseTest, AReusedStatementStartsWithoutBindingsAndBeforeItsFirstRow) {
    EXPECT_EQ(nameOf(1), u"Soups"_s);
    EXPECT_EQ(nameOf(2), u"Breads"_s);
    // Nothing bound: the parameter is null, not the 2 of the last use.
    EXPECT_EQ(nameOf(QVariant()), u"(no row)"_s);
    {
        Statement all(con, u"select Name from MealCategory order by Name"_s);
        ASSERT_TRUE(all.step()); // left on its first row
    }
    Statement all(con, u"select Name from MealCategory order by Name"_s);
    ASSERT_TRUE(all.step());
    EXPECT_EQ(all.value(0), u"Breads"_s);
}

TEST_F(StatementReuseTest, TheSameTextMayRunTwiceAtOnce) {
    const QString sql = u"select Name from MealCategory order by MealCategoryID"_s;
    Statement outer(con, sql);
    ASSERT_TRUE(outer.step());
    {
        Statement inner(con, sql);
        ASSERT_TRUE(inner.step());
        ASSERT_TRUE(inner.step());
        EXPECT_EQ(inner.value(0), u"Breads"_s);
    }
    EXPECT_EQ(outer.value(0), u"Soups"_s);
    ASSERT_TRUE(outer.step());
    EXPECT_FALSE(outer.step());
}

TEST_F(StatementReuseTest, ATableChangedSinceTheFirstUseIsReadAsItIsNow) {
    EXPECT_EQ(nameOf(1), u"Soups"_s);
    con.execute(u"update MealCategory set Name = 'Stews' where MealCategoryID = 1"_s);
    EXPECT_EQ(nameOf(1), u"Stews"_s);
    con.execute(u"alter table MealCategory add column Spare integer default 7"_s);
    Statement star(con, u"select * from MealCategory"_s);
    ASSERT_TRUE(star.step());
    EXPECT_EQ(star.columnName(star.columnCount() - 1), u"Spare"_s);
}

// A connection reopened on another file while a statement of the first opening is still alive:
// that statement must not be handed to the new opening.
TEST_F(StatementReuseTest, AReopenedConnectionNeverRunsTheOldFilesStatements) {
    TestDatabase other{SeedContents::SchemaOnly};
    {
        Connection second(other.path());
        second.execute(u"insert into MealCategory (MealCategoryID, Name) values (1, 'Salads')"_s);
    }
    {
        Statement survivor(con, u"select Name from MealCategory where MealCategoryID = ?1"_s);
        con = Connection(other.path());
    }
    EXPECT_EQ(nameOf(1), u"Salads"_s);
}

// An undone transaction, outermost or within another, leaves the file byte for byte as it was: not
// even the file's change counter moves, and nothing is synced to the disk.
TEST_F(StatementReuseTest, AnUndoneTransactionLeavesTheFileAsItWas) {
    const QByteArray before = contentsOf(db.path());
    ASSERT_FALSE(before.isEmpty());
    {
        Transaction undone(con);
        con.execute(u"update MealCategory set Name = 'Stews' where MealCategoryID = 1"_s);
        {
            Transaction inner(con);
            con.execute(u"delete from MealCategory where MealCategoryID = 2"_s);
        }
        EXPECT_TRUE(con.inTransaction()) << "the inner one ended the outer one";
        EXPECT_EQ(nameOf(2), u"Breads"_s);
    }
    EXPECT_FALSE(con.inTransaction());
    EXPECT_EQ(nameOf(1), u"Soups"_s);
    EXPECT_TRUE(contentsOf(db.path()) == before) << "the file changed";
    EXPECT_FALSE(QFile::exists(db.path() + u"-journal"_s));
}

} // namespace
} // namespace kelvora::test
