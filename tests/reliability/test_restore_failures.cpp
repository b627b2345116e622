// A restore on a disk that fills up at any point: until the restore is complete the diary is
// exactly the one it was, sound, with the program's parameters unchanged, and the user is told.
#include "AppFixture.h"
#include "DiaryCommands.h"
#include "DiaryDump.h"
#include "FaultyDisk.h"
#include "SafetyCopies.h"
#include "deData.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

TEST(RestoreOnAFullDisk, LeavesTheDiaryAsItWasUntilTheWholeRestoreIsDone) {
    FaultyDisk::install();
    AppFixture fx;
    TestDatabase other(SeedContents::Catalogue);
    {
        Connection con(other.path());
        con.execute(
            u"update Common set Measurement = 'M', weight = 70, metabolicRate = 90, FirstStart = 0"_s);
    }
    const DiaryDump before = dumpDiary(fx.app->de().Con);
    DiaryDump restored;
    {
        Connection con(other.path(), Connection::OpenMode::ReadOnly);
        restored = dumpDiary(con);
    }
    const QString folder = safetyCopyFolder(fx.db.path());
    const QString noSafetyCopy =
        u"Kelvora could not make a safety copy of the current diary in the folder "_s + folder +
        u", so the diary was not replaced. Please check that you may write in this "
        "folder and that the disk is not full."_s;
    const QString notReplaced = u"The diary could not be replaced by "_s + other.path() +
                                u"; it is unchanged. Please check that you may write the file "_s +
                                fx.db.path() + u" and that the disk is not full."_s;

    int beforeTheCopy = 0; // the safety copy could not be made
    int inTheCopy = 0;     // the diary itself could not be written
    int replacedAt = -1;
    for (int writes = 0; writes < 2000 && replacedAt < 0; writes += 1 + writes / 8) {
        SCOPED_TRACE("writes left " + std::to_string(writes));
        fx.messages->shown.clear();
        fx.files->answer(other.path());
        fx.messages->answer(MessageButton::Yes);
        FaultyDisk::writesLeft = writes;
        const bool done = restoreDiary(nullptr);
        FaultyDisk::heal();
        if (done) {
            replacedAt = writes;
            break;
        }
        ASSERT_EQ(fx.messages->shown.size(), 2u); // the question, then what went wrong
        const QString said = fx.messages->last().text;
        beforeTheCopy += said == noSafetyCopy ? 1 : 0;
        inTheCopy += said == notReplaced ? 1 : 0;
        EXPECT_TRUE(said == noSafetyCopy || said == notReplaced) << said.toStdString();
        EXPECT_EQ(dumpDiary(fx.app->de().Con), before);
        EXPECT_EQ(integrityOf(fx.app->de().Con), u"ok"_s);
        EXPECT_EQ(fx.app->state().measurementSystem, u"I"_s);
        EXPECT_EQ(fx.app->state().metabolicRate, 80.0);
    }
    ASSERT_GE(replacedAt, 0) << "the restore never got through";
    EXPECT_GT(beforeTheCopy, 0);
    EXPECT_GT(inTheCopy, 0) << "no fault fell inside the replacement itself";
    EXPECT_EQ(dumpDiary(fx.app->de().Con), restored);
    EXPECT_EQ(fx.app->state().measurementSystem, u"M"_s);
}

} // namespace
} // namespace kelvora::test
