// Restore Diary and the format version: a diary of 1.0 is restored upgraded, the file chosen left as
// it was; a diary of a newer Kelvora is refused before anything is asked or replaced.
#include "../reliability/DiaryDump.h"
#include "AppFixture.h"
#include "DiaryCommands.h"
#include "DiaryFile.h"
#include "DiaryVersion.h"
#include "ExchangeTest.h"
#include "deData.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

class RestoreVersions : public ::testing::Test {
protected:
    AppFixture fx;
    TestDatabase old{SeedContents::SchemaOnly, 1};

    void SetUp() override {
        Connection con(old.path());
        con.execute(u"insert into MealCategory values (1, 'Soups');"
                    "insert into Meal (MealID, MealCategoryID, Name, Unit, Calories, CarbohydrateBC) "
                    "values (1, 1, 'Minestrone', 'cup', 82, 82);"
                    "insert into MealConsume values (1, 1, %1, 0.5, 2);"
                    "update Common set weight = 70, Measurement = 'M', metabolicRate = 95, FirstStart = 0, "
                    "NextMealConsumeID = 1;"_s.arg(DateValue::fromYmd(2026, 12, 1).serial()));
    }
    QVariant scalar(const QString& sql) { return fx.app->de().Con.scalar(sql); }
};

TEST_F(RestoreVersions, ADiaryOf10IsRestoredUpgradedAndTheFileChosenStaysAsItWas) {
    const QByteArray chosen = contentsOf(old.path());
    DiaryDump expected;
    {
        Connection con(old.path(), Connection::OpenMode::ReadOnly);
        expected = dumpDiary(con);
    }
    fx.files->answer(old.path());
    fx.messages->answer(MessageButton::Yes);
    ASSERT_TRUE(restoreDiary(nullptr)) << fx.messages->last().text.toStdString();

    EXPECT_EQ(scalar(u"pragma user_version"_s).toInt(), CurrentDiaryVersion);
    EXPECT_EQ(diaryShapeProblem(fx.app->de().Con), QString());
    DiaryDump restored = dumpDiary(fx.app->de().Con);
    const QStringList common = restored[u"Common"_s];
    restored.erase(u"Common"_s);
    expected.erase(u"Common"_s);
    EXPECT_EQ(restored, expected);
    EXPECT_DOUBLE_EQ(scalar(u"select metabolicRate from Common"_s).toDouble(), 95);
    EXPECT_TRUE(scalar(u"select TargetWeight from Common"_s).isNull());
    EXPECT_FALSE(fx.app->state().dailyCalorieBudget);
    EXPECT_EQ(fx.app->state().bodyWeight, 70);
    // The program writes the new columns of the restored diary.
    Recordset& row = fx.app->de().run(u"Common"_s);
    row.set(u"TargetWeight"_s, 65);
    row.update();
    row.close();
    EXPECT_DOUBLE_EQ(scalar(u"select TargetWeight from Common"_s).toDouble(), 65);
    EXPECT_TRUE(contentsOf(old.path()) == chosen) << "the file chosen changed";
}

TEST_F(RestoreVersions, ADiaryOfANewerKelvoraIsRefusedAndNothingChanges) {
    {
        Connection con(old.path());
        con.execute(u"pragma user_version = 5"_s);
    }
    const DiaryDump before = dumpDiary(fx.app->de().Con);
    fx.files->answer(old.path());
    fx.messages->answer(MessageButton::Yes); // would replace, were it asked
    EXPECT_FALSE(restoreDiary(nullptr));
    ASSERT_EQ(fx.messages->shown.size(), 1u);
    EXPECT_EQ(fx.messages->last().text,
              old.path() + u" was written by a newer version of Kelvora: its format version is 5, and this "
                           "Kelvora knows format versions up to 2 only, so it can't be restored here."_s);
    EXPECT_EQ(fx.messages->last().icon, MessageIcon::Exclamation);
    EXPECT_EQ(dumpDiary(fx.app->de().Con), before);
    EXPECT_EQ(scalar(u"pragma user_version"_s).toInt(), CurrentDiaryVersion);
}

} // namespace
} // namespace kelvora::test
