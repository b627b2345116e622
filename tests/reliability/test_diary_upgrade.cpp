// A diary of another format version at start-up: one of 1.0 is upgraded before anything reads it and
// the program runs on it; one that cannot be upgraded, and one of a newer Kelvora, are refused by
// name and left exactly as they were.
#include "AppFixture.h"
#include "DiaryMessages.h"
#include "DiaryVersion.h"
#include "FakeServices.h"
#include "FaultyDisk.h"
#include "SafetyCopies.h"
#include "StartedProgram.h"
#include "Startup.h"
#include "TestDatabase.h"
#include "deData.h"
#include "frmMain.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

qlonglong scalar(const QString& path, const QString& sql) {
    Connection con(path, Connection::OpenMode::ReadOnly);
    Statement statement(con, sql);
    return statement.step() ? statement.value(0).toLongLong() : -1;
}

// A diary of 1.0 that has had its first start, with the user's own settings.
void makeStartedVersion1(const TestDatabase& db) {
    {
        deData de(db.path());
        shiftSampleData(de, DateValue::fromYmd(2026, 12, 6));
    }
    Connection con(db.path());
    con.execute(u"update Common set weight = 172, metabolicRate = 75"_s);
}

TEST(DiaryUpgrade, ADiaryOf10OpensUpgradedWithItsSettingsAndNoGoals) {
    TestDatabase db(SeedContents::Full, 1);
    makeStartedVersion1(db);
    const qlonglong meals = scalar(db.path(), u"select count(*) from MealConsume"_s);
    {
        Start start(db.folder());
        ASSERT_TRUE(start.program.has_value());
        EXPECT_TRUE(start.messages->shown.empty()) << start.messages->last().text.toStdString();
        EXPECT_TRUE(start.program->mainWindow->isVisible());
        const AppState& state = app().state();
        EXPECT_EQ(state.bodyWeight, 172);
        EXPECT_DOUBLE_EQ(state.metabolicRate, 75);
        EXPECT_FALSE(state.targetWeight);
        EXPECT_FALSE(state.dailyCalorieBudget);
        // The new columns are there for the windows to write.
        Recordset& common = app().de().run(u"Common"_s);
        common.set(u"DailyCalorieBudget"_s, 1800);
        common.update();
        common.close();
    }
    EXPECT_EQ(scalar(db.path(), u"pragma user_version"_s), CurrentDiaryVersion);
    EXPECT_EQ(scalar(db.path(), u"select DailyCalorieBudget from Common"_s), 1800);
    EXPECT_EQ(scalar(db.path(), u"select count(*) from MealConsume"_s), meals);

    // The diary as 1.0 left it stays beside it, for going back to 1.0.
    const QStringList copies = QDir(safetyCopyFolder(db.path())).entryList({u"*-before-upgrade.mdb"_s});
    ASSERT_EQ(copies.size(), 1) << copies.join(u", "_s).toStdString();
    const QString before = QDir(safetyCopyFolder(db.path())).filePath(copies.front());
    EXPECT_EQ(scalar(before, u"pragma user_version"_s), 0);
    EXPECT_EQ(
        scalar(before, u"select count(*) from pragma_table_info('Common') where name = 'TargetWeight'"_s), 0);
    EXPECT_EQ(scalar(before, u"select weight from Common"_s), 172);
    EXPECT_EQ(scalar(before, u"select count(*) from MealConsume"_s), meals);
}

class UnusableVersionTest : public ::testing::Test {
protected:
    void SetUp() override { FaultyDisk::install(); }
    void TearDown() override { FaultyDisk::heal(); }

    // Starts on the diary, which must be refused with `text` and stay as it was.
    void expectRefused(const TestDatabase& db, const QString& text) {
        const QByteArray before = contentsOf(db.path());
        {
            Start start(db.folder());
            expectRefusedWith(start, text);
        }
        FaultyDisk::heal();
        EXPECT_TRUE(contentsOf(db.path()) == before) << "the file changed";
    }
};

// A damaged diary is not written to, not even to bring it up to date, and not copied either.
TEST_F(UnusableVersionTest, ADamagedDiaryOf10IsRefusedAsDamagedBeforeAnyUpgrade) {
    TestDatabase db(SeedContents::Full, 1);
    makeStartedVersion1(db);
    {
        QFile file(db.path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(file.size() / 2 / 4096 * 4096);
        file.write(QByteArray(8192, '\x5a'));
    }
    const QByteArray before = contentsOf(db.path());
    {
        Start start(db.folder());
        expectRefusedWith(start, damagedDiaryText(db.path()));
    }
    EXPECT_TRUE(contentsOf(db.path()) == before) << "the file changed";
    EXPECT_TRUE(QDir(safetyCopyFolder(db.path())).entryList({u"*.mdb"_s}).isEmpty());
}

TEST_F(UnusableVersionTest, ADiaryOf10ThatMayNotBeChangedIsRefusedAndNamed) {
    TestDatabase db(SeedContents::Full, 1);
    makeStartedVersion1(db);
    FaultyDisk::readOnly = true;
    QString reason;
    try {
        Connection con(db.path());
        upgradeDiary(con);
    } catch (const DbError& error) {
        reason = error.message();
    }
    ASSERT_FALSE(reason.isEmpty()) << "the disk let the upgrade through";
    expectRefused(db, upgradeFailureText(db.path(), 1, reason));
    EXPECT_EQ(scalar(db.path(), u"pragma user_version"_s), 0);
}

TEST_F(UnusableVersionTest, ADiaryOfANewerKelvoraIsRefusedNamingBothVersions) {
    TestDatabase db;
    {
        deData de(db.path());
        shiftSampleData(de, DateValue::fromYmd(2026, 12, 6));
        de.Con.execute(u"pragma user_version = 7"_s);
    }
    expectRefused(db, newerDiaryText(db.path(), 7));
    EXPECT_NE(newerDiaryText(db.path(), 7).indexOf(u"version is 7"_s), -1);
    EXPECT_NE(newerDiaryText(db.path(), 7).indexOf(u"up to 2 only"_s), -1);
}

} // namespace
} // namespace kelvora::test
