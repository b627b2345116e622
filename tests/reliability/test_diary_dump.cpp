// The dump behind every "exactly as before" of these tests: it sees the AUTOINCREMENT counters and
// overlooks the planner's statistics, which SQLite may refresh whenever a connection closes.
#include "DiaryDump.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

TEST(DiaryDump, SeesTheAutoincrementCountersButNotTheStatistics) {
    TestDatabase db;
    Connection con(db.path());
    con.execute(u"analyze"_s);
    const DiaryDump before = dumpDiary(con);

    con.execute(u"insert into sqlite_stat1 values ('Meal', null, '12345')"_s);
    EXPECT_EQ(differenceOf(dumpDiary(con), before).toStdString(), "");

    // A category added and removed again leaves only its spent number behind.
    con.execute(u"insert into MealCategory (Name) values ('Gone again');"
                "delete from MealCategory where Name = 'Gone again'"_s);
    EXPECT_TRUE(differenceOf(dumpDiary(con), before).startsWith(u"sqlite_sequence: "_s))
        << differenceOf(dumpDiary(con), before).toStdString();
}

} // namespace
} // namespace kelvora::test
