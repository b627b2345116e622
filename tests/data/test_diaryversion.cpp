// The diary's format version: the diary of 1.0 reads as version 1, the upgrade to the current
// version is one transaction that changes nothing on a second run, a failure half-way leaves the
// file as it was, and a newer diary is left alone.
#include "DiaryFile.h"
#include "DiaryVersion.h"
#include "TestDatabase.h"

#include <QFile>

#include <sqlite3.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

// Everything a diary holds that the upgrade must keep: every row of every table, as text.
QString everyRow(Connection& con) {
    QString all;
    for (const QString& table : {u"MealCategory"_s, u"Meal"_s, u"Exercise"_s, u"MealConsume"_s,
                                 u"ExercisePerform"_s, u"Body"_s, u"UserNote"_s}) {
        Statement rows(con, u"select * from %1 order by 1"_s.arg(table));
        while (rows.step())
            for (int c = 0; c < rows.columnCount(); ++c)
                all += rows.value(c).toString() + u'|';
    }
    Statement common(con, u"select weight, Measurement, metabolicRate, installDate, NextMealConsumeID, "
                          "NextBodyID, FirstStart from Common"_s);
    while (common.step())
        for (int c = 0; c < common.columnCount(); ++c)
            all += common.value(c).toString() + u'|';
    return all;
}

bool hasGoalColumns(Connection& con) {
    return con.scalar(u"select count(*) from pragma_table_info('Common') where name in "
                      "('TargetWeight', 'DailyCalorieBudget')"_s)
               .toInt() == 2;
}

TEST(DiaryVersion, TheBuilderMakesTheDiaryOf10AsVersion1AndTheCurrentOneDirectly) {
    TestDatabase old(SeedContents::Full, 1);
    Connection v1(old.path());
    // 1.0 never wrote a version, and its settings row has no goals: not a diary this program reads.
    EXPECT_EQ(v1.scalar(u"pragma user_version"_s).toInt(), 0);
    EXPECT_EQ(diaryVersion(v1), 1);
    EXPECT_FALSE(hasGoalColumns(v1));
    EXPECT_EQ(diaryShapeProblem(v1), u"its table Common has no column TargetWeight"_s);
    EXPECT_TRUE(needsUpgrade(v1));

    TestDatabase current;
    Connection v2(current.path());
    EXPECT_EQ(v2.scalar(u"pragma user_version"_s).toInt(), CurrentDiaryVersion);
    EXPECT_TRUE(hasGoalColumns(v2));
    EXPECT_EQ(diaryShapeProblem(v2), QString());
    EXPECT_FALSE(needsUpgrade(v2));
    EXPECT_EQ(everyRow(v1), everyRow(v2)) << "the same diary in both versions";
}

// 1.0's own files carry user_version 0; a 1 written by hand (or by a tool) means the same.
TEST(DiaryVersion, AVersion1DiaryIsUpgradedOnceAndKeepsEveryRow) {
    for (const int stored : {0, 1}) {
        SCOPED_TRACE(stored);
        TestDatabase db(SeedContents::Full, 1);
        Connection con(db.path());
        con.execute(u"pragma user_version = %1"_s.arg(stored));
        const QString rows = everyRow(con);

        EXPECT_EQ(upgradeDiary(con), UpgradeResult::Upgraded);
        EXPECT_EQ(con.scalar(u"pragma user_version"_s).toInt(), CurrentDiaryVersion);
        EXPECT_TRUE(hasGoalColumns(con));
        EXPECT_TRUE(con.scalar(u"select TargetWeight from Common"_s).isNull());
        EXPECT_TRUE(con.scalar(u"select DailyCalorieBudget from Common"_s).isNull());
        EXPECT_EQ(diaryShapeProblem(con), QString());
        EXPECT_EQ(everyRow(con), rows);

        const QString schema = con.scalar(u"select group_concat(sql, ';') from sqlite_master"_s).toString();
        EXPECT_EQ(upgradeDiary(con), UpgradeResult::Current);
        EXPECT_EQ(con.scalar(u"select group_concat(sql, ';') from sqlite_master"_s).toString(), schema);
        EXPECT_TRUE(passesCheck(con, CheckDepth::Full));
    }
}

// The second step refused by the database after the first has run: the transaction takes the first
// back with it, and the file stays the version-1 diary it was, schema and rows.
TEST(DiaryVersion, AFailureHalfWayLeavesTheDiaryAsItWas) {
    TestDatabase db(SeedContents::Full, 1);
    const auto everything = [](Connection& con) {
        return con.scalar(u"select group_concat(sql, ';') from sqlite_master"_s).toString() + everyRow(con) +
               con.scalar(u"pragma user_version"_s).toString();
    };
    QString before;
    {
        Connection con(db.path(), Connection::OpenMode::ReadOnly);
        before = everything(con);
    }
    {
        Connection con(db.path());
        static int alterations = 0;
        alterations = 0;
        sqlite3_set_authorizer(
            con.handle(),
            [](void*, int action, const char*, const char*, const char*, const char*) {
                return action == SQLITE_ALTER_TABLE && ++alterations == 2 ? SQLITE_DENY : SQLITE_OK;
            },
            nullptr);
        EXPECT_THROW(upgradeDiary(con), DbError);
        EXPECT_EQ(alterations, 2) << "the first step ran before the second failed";
        sqlite3_set_authorizer(con.handle(), nullptr, nullptr);
        EXPECT_FALSE(con.inTransaction());
    }
    Connection con(db.path(), Connection::OpenMode::ReadOnly);
    EXPECT_EQ(everything(con), before);
    EXPECT_FALSE(hasGoalColumns(con));
    EXPECT_TRUE(needsUpgrade(con));
    EXPECT_TRUE(passesCheck(con, CheckDepth::Full));
}

TEST(DiaryVersion, ANewerDiaryAndAForeignDatabaseAreLeftAlone) {
    TestDatabase db;
    {
        Connection con(db.path());
        con.execute(u"pragma user_version = %1"_s.arg(CurrentDiaryVersion + 1));
    }
    const QByteArray newer = contentsOf(db.path());
    {
        Connection con(db.path(), Connection::OpenMode::ReadOnly);
        EXPECT_EQ(diaryVersion(con), CurrentDiaryVersion + 1);
        EXPECT_FALSE(needsUpgrade(con));
    }
    {
        Connection con(db.path());
        con.skipUpkeepOnClose();
        EXPECT_EQ(upgradeDiary(con), UpgradeResult::Current);
    }
    EXPECT_TRUE(contentsOf(db.path()) == newer);

    QTemporaryDir dir;
    Connection foreign(dir.filePath(u"other.db"_s), Connection::OpenMode::Create);
    foreign.execute(u"create table Recipes (Name text)"_s);
    EXPECT_FALSE(needsUpgrade(foreign));
    EXPECT_EQ(upgradeDiary(foreign), UpgradeResult::NotADiary);
    EXPECT_EQ(foreign.scalar(u"pragma user_version"_s).toInt(), 0);
}

} // namespace
} // namespace kelvora::test
