// The safety copies the program makes by itself: one at the first start of each day, seven kept,
// never of a damaged diary, never in the way of the start; and one before each restore.
#include "../reliability/DiaryDump.h"
#include "../reliability/FaultyDisk.h"
#include "AppFixture.h"
#include "DiaryFile.h"
#include "DiaryMessages.h"
#include "ExchangeTest.h"
#include "SafetyCopies.h"
#include "Startup.h"
#include "deData.h"
#include "frmMain.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

const QDate Today(2026, 12, 6); // the fake clock's

DiaryDump dumpOf(const QString& path) {
    Connection con(path, Connection::OpenMode::ReadOnly);
    return dumpDiary(con);
}

// A diary that has had its first start, in a program folder of its own.
class SafetyCopies : public ::testing::Test {
protected:
    TestDatabase db;

    void SetUp() override {
        Connection con(db.path());
        con.execute(u"update Common set FirstStart = 0"_s);
    }
    QString folder() const { return safetyCopyFolder(db.path()); }
    QString copyOn(const QDate& day) const { return dailySafetyCopyPath(db.path(), day); }
    QStringList inFolder() const { return QDir(folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    void place(const QString& name) {
        QDir().mkpath(folder());
        writeBytes(QDir(folder()).filePath(name), "placed by the test");
    }

    // A start of the program with fake services; the messages it showed.
    std::vector<Message> start(bool goesOn = true) {
        auto messages = std::make_unique<FakeMessages>();
        FakeMessages& shown = *messages;
        ServiceSet services{std::move(messages),           std::make_unique<FakeModal>(),
                            std::make_unique<FakeClock>(), std::make_unique<FakePrinter>(),
                            std::make_unique<FakeHelp>(),  std::make_unique<FakeFileDialogs>()};
        std::optional<RunningProgram> program = startKelvora(db.folder(), std::move(services));
        EXPECT_EQ(program.has_value(), goesOn) << "the start did not go on as it should";
        if (program) {
            EXPECT_TRUE(program->mainWindow->isVisible());
        }
        std::vector<Message> result;
        for (const auto& s : shown.shown)
            result.push_back(s.message);
        return result;
    }
};

TEST_F(SafetyCopies, TheDaysFirstStartCopiesTheDiaryBeforeItIsWrittenAndLaterStartsDoNot) {
    const DiaryDump before = dumpOf(db.path());
    EXPECT_TRUE(start().empty());
    EXPECT_EQ(inFolder(), QStringList{u"Kelvora-2026-12-06.mdb"_s});
    EXPECT_EQ(dumpOf(copyOn(Today)), before);
    EXPECT_EQ(std::filesystem::status(copyOn(Today).toStdString()).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(std::filesystem::status(folder().toStdString()).permissions(),
              std::filesystem::perms::owner_all);

    {
        Connection con(db.path());
        con.execute(u"delete from MealConsume"_s);
    }
    EXPECT_TRUE(start().empty());
    EXPECT_EQ(inFolder(), QStringList{u"Kelvora-2026-12-06.mdb"_s});
    EXPECT_EQ(dumpOf(copyOn(Today)), before) << "the day's copy was made again";
}

TEST_F(SafetyCopies, ADiaryWaitingForItsVeryFirstStartIsNotCopied) {
    {
        Connection con(db.path());
        con.execute(u"update Common set FirstStart = 1"_s);
    }
    auto messages = std::make_unique<FakeMessages>();
    auto modal = std::make_unique<FakeModal>();
    modal->expect([](QDialog& d) { d.findChild<QPushButton*>(u"btnOK"_s)->click(); });
    ServiceSet services{std::move(messages),           std::move(modal),
                        std::make_unique<FakeClock>(), std::make_unique<FakePrinter>(),
                        std::make_unique<FakeHelp>(),  std::make_unique<FakeFileDialogs>()};
    ASSERT_TRUE(startKelvora(db.folder(), std::move(services)).has_value());
    EXPECT_FALSE(QFileInfo::exists(folder()));
}

TEST_F(SafetyCopies, KeepsTheNewestSevenAndNeverTouchesOtherFiles) {
    for (int day = 20; day <= 29; ++day)
        place(u"Kelvora-2026-11-%1.mdb"_s.arg(day));
    const QStringList others{u"Kelvora.mdb"_s,
                             u"Kelvora-backup.mdb"_s,
                             u"Kelvora-2026-11-01.mdb.txt"_s,
                             u"Kelvora-2026-11-02-083000-before-restore.mdb"_s,
                             u"notes.txt"_s,
                             u"kelvora-2026-11-03.mdb"_s,
                             u"Kelvora-2026-13-45.mdb"_s};
    for (const QString& name : others)
        place(name);

    EXPECT_EQ(makeDailySafetyCopy(db.path(), Today, true), SafetyCopyResult::Made);
    QStringList expected = others;
    for (int day = 24; day <= 29; ++day)
        expected << u"Kelvora-2026-11-%1.mdb"_s.arg(day);
    expected << u"Kelvora-2026-12-06.mdb"_s;
    expected.sort();
    EXPECT_EQ(inFolder(), expected);
    EXPECT_EQ(makeDailySafetyCopy(db.path(), Today, true), SafetyCopyResult::AlreadyMade);
    EXPECT_EQ(inFolder(), expected);
}

TEST_F(SafetyCopies, TodaysCopyStaysWhenTheClockWasOnceAhead) {
    for (int day = 1; day <= 7; ++day)
        place(u"Kelvora-2027-01-0%1.mdb"_s.arg(day));
    EXPECT_EQ(makeDailySafetyCopy(db.path(), Today, true), SafetyCopyResult::Made);
    const QStringList left = inFolder();
    EXPECT_EQ(left.size(), SafetyCopiesKept);
    EXPECT_TRUE(left.contains(u"Kelvora-2026-12-06.mdb"_s));
    EXPECT_FALSE(left.contains(u"Kelvora-2027-01-01.mdb"_s));
}

TEST_F(SafetyCopies, ADamagedDiaryIsNeverCopiedSoTheGoodCopiesStay) {
    for (int day = 1; day <= 7; ++day)
        place(u"Kelvora-2026-11-0%1.mdb"_s.arg(day));
    const QStringList before = inFolder();
    EXPECT_EQ(makeDailySafetyCopy(db.path(), Today, false), SafetyCopyResult::NotOfDamaged);
    EXPECT_EQ(inFolder(), before);
    EXPECT_EQ(newestSafetyCopy(db.path()), QDir(folder()).filePath(u"Kelvora-2026-11-07.mdb"_s));
}

TEST_F(SafetyCopies, StartUpChecksTheDiaryBeforeCopyingIt) {
    // A page of an index that start-up does not read overwritten: quick_check does not pass.
    {
        Connection con(db.path());
        Statement page(con, u"select rootpage from sqlite_master where name = 'MealConsumeByMeal'"_s);
        ASSERT_TRUE(page.step());
        const qint64 root = page.value(0).toLongLong();
        Statement size(con, u"pragma page_size"_s);
        ASSERT_TRUE(size.step());
        QFile file(db.path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek((root - 1) * size.value(0).toLongLong());
        file.write(QByteArray(64, '\x7f'));
    }
    {
        Connection con(db.path(), Connection::OpenMode::ReadOnly);
        ASSERT_FALSE(passesCheck(con, CheckDepth::Quick));
    }
    place(u"Kelvora-2026-12-05.mdb"_s);
    // The damaged diary is not opened, and the message names the good copy it did not push out.
    const std::vector<Message> shown = start(false);
    EXPECT_FALSE(QFileInfo::exists(copyOn(Today)));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text.toStdString(),
              damagedDiaryText(db.path(), QDir(folder()).filePath(u"Kelvora-2026-12-05.mdb"_s)).toStdString());
}

TEST_F(SafetyCopies, ACopyThatCannotBeMadeIsSaidOnceAndTheStartGoesOn) {
    writeBytes(folder(), "a file where the folder belongs");
    const std::vector<Message> shown = start();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(shown[0].title, u"Kelvora"_s);
    EXPECT_EQ(shown[0].text,
              u"Kelvora could not make today's safety copy of your diary in the folder "_s + folder() +
                  u". Please check that you may write in this folder and that the disk is not full. "
                  "Your diary itself is unchanged, and Kelvora tries again at its next start."_s);
    EXPECT_EQ(shown[0].text, safetyCopyFailureText(folder()));
}

TEST_F(SafetyCopies, AFullDiskLeavesNoHalfCopy) {
    QDir().mkpath(folder());
    FaultyDisk::install();
    FaultyDisk::writesLeft = 3;
    const SafetyCopyResult result = makeDailySafetyCopy(db.path(), Today, true);
    FaultyDisk::heal();
    EXPECT_EQ(result, SafetyCopyResult::Failed);
    EXPECT_TRUE(inFolder().isEmpty()) << inFolder().join(u", "_s).toStdString();
}

TEST_F(SafetyCopies, TheNewestSafetyCopyIsTheNewestDailyOne) {
    EXPECT_EQ(newestSafetyCopy(db.path()), QString());
    for (const QString& name :
         {u"Kelvora-2026-11-28.mdb"_s, u"Kelvora-2026-11-30.mdb"_s, u"Kelvora-2026-11-29.mdb"_s,
          u"Kelvora-2026-12-01-101500-before-restore.mdb"_s, u"Kelvora-zzz.mdb"_s})
        place(name);
    EXPECT_EQ(newestSafetyCopy(db.path()), QDir(folder()).filePath(u"Kelvora-2026-11-30.mdb"_s));
}

TEST_F(SafetyCopies, TheCopiesBeforeARestoreKeepTheirOwnSevenApart) {
    for (int day = 1; day <= 9; ++day)
        place(u"Kelvora-2026-11-0%1-120000-before-restore.mdb"_s.arg(day));
    place(u"Kelvora-2026-10-01.mdb"_s);
    Connection diary(db.path());
    const QString copy = makeRestoreSafetyCopy(diary, QDateTime(Today, QTime(14, 37, 45)));
    EXPECT_EQ(copy, QDir(folder()).filePath(u"Kelvora-2026-12-06-143745-before-restore.mdb"_s));
    EXPECT_EQ(dumpOf(copy), dumpDiary(diary));
    QStringList expected{u"Kelvora-2026-10-01.mdb"_s, u"Kelvora-2026-12-06-143745-before-restore.mdb"_s};
    for (int day = 4; day <= 9; ++day)
        expected << u"Kelvora-2026-11-0%1-120000-before-restore.mdb"_s.arg(day);
    expected.sort();
    EXPECT_EQ(inFolder(), expected);
}

} // namespace
} // namespace kelvora::test
