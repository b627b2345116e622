// Back Up Diary and Restore Diary: what they ask, what they refuse, what they leave behind.
#include "../reliability/DiaryDump.h"
#include "AppFixture.h"
#include "DiaryCommands.h"
#include "DiaryFile.h"
#include "ExchangeTest.h"
#include "FileSaving.h"
#include "SafetyCopies.h"
#include "ZelmarGraph.h"
#include "deData.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

DiaryDump dumpOf(const QString& path) {
    Connection con(path, Connection::OpenMode::ReadOnly);
    return dumpDiary(con);
}

// The shipped diary open in the program, and a folder for the user's files.
class DiaryFileCommands : public ::testing::Test {
protected:
    AppFixture fx;
    QTemporaryDir out;

    DiaryDump diary() { return dumpDiary(fx.app->de().Con); }
    QString backups() const { return safetyCopyFolder(fx.db.path()); }
};

TEST_F(DiaryFileCommands, BackUpWritesACheckedOwnerOnlyCopyOfTheOpenDiary) {
    const QString path = out.filePath(u"copy.mdb"_s);
    fx.files->answer(path);
    backUpDiary(nullptr);
    ASSERT_EQ(fx.files->requests.size(), 1u);
    EXPECT_EQ(fx.files->requests[0].kind, u"save"_s);
    EXPECT_EQ(fx.files->requests[0].caption, u"Back Up Diary"_s);
    EXPECT_EQ(fx.files->requests[0].proposed, QDir(documentsFolder()).filePath(u"Kelvora-2026-12-06.mdb"_s));
    EXPECT_EQ(fx.files->requests[0].filters, QStringList{u"Kelvora diary (*.mdb)"_s});
    EXPECT_EQ(fx.messages->texts(), std::vector<QString>{u"The diary was backed up to "_s + path + u'.'});
    EXPECT_EQ(fx.messages->last().title, u"Kelvora"_s);
    EXPECT_EQ(fx.messages->last().icon, MessageIcon::Information);
    EXPECT_EQ(dumpOf(path), diary());
    EXPECT_EQ(std::filesystem::status(path.toStdString()).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    Connection copy(path, Connection::OpenMode::ReadOnly);
    EXPECT_TRUE(passesCheck(copy, CheckDepth::Full));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"copy.mdb"_s});
}

TEST_F(DiaryFileCommands, BackUpWhileTheProgramHoldsChangesCopiesWhatIsStored) {
    fx.app->de().Con.execute(u"delete from MealConsume where MealConsumeID > -10"_s);
    const QString path = out.filePath(u"copy"_s); // the suffix is added
    fx.files->answer(path);
    backUpDiary(nullptr);
    EXPECT_EQ(dumpOf(path + u".mdb"_s), diary());
}

TEST_F(DiaryFileCommands, BackUpAsksBeforeReplacingAFileAndRefusesTheDiaryItself) {
    const QString path = out.filePath(u"old.mdb"_s);
    writeBytes(path, "an older copy");
    fx.files->answer(path);
    backUpDiary(nullptr);
    EXPECT_EQ(fx.messages->texts(), std::vector<QString>{path + u" already exists. Replace it?"_s});
    EXPECT_EQ(fx.messages->last().defaultButton, MessageButton::No);
    EXPECT_EQ(contentsOf(path), "an older copy");

    fx.messages->shown.clear();
    const DiaryDump before = diary();
    fx.files->answer(fx.db.path());
    backUpDiary(nullptr);
    EXPECT_EQ(fx.messages->texts(),
              std::vector<QString>{
                  fx.db.path() + u" is the diary itself. Please choose another file for its backup copy."_s});
    EXPECT_EQ(fx.messages->last().title, u"Error"_s);
    EXPECT_EQ(diary(), before);

    fx.messages->shown.clear();
    fx.files->answer(QString());
    backUpDiary(nullptr);
    EXPECT_TRUE(fx.messages->shown.empty());
}

TEST_F(DiaryFileCommands, BackUpIntoAFolderThatCannotBeWrittenSaysSoAndLeavesNothing) {
    writeBytes(out.filePath(u"plain"_s), "a file, not a folder");
    const QString path = out.filePath(u"plain/copy.mdb"_s);
    fx.files->answer(path);
    backUpDiary(nullptr);
    EXPECT_EQ(fx.messages->texts(), std::vector<QString>{writeFailureText(path)});
    EXPECT_EQ(fx.messages->last().title, u"Error"_s);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{u"plain"_s});
}

// A small diary of another user to restore: metric, 70 kg, 95 kcal an hour, one of each record but
// two meals.
class Restore : public DiaryFileCommands {
protected:
    TestDatabase other{SeedContents::SchemaOnly};

    void SetUp() override {
        Connection con(other.path());
        const auto day = [](int month, int d) {
            return QString::number(DateValue::fromYmd(2026, month, d).serial());
        };
        con.execute(
            u"insert into MealCategory values (1, 'Soups');"
            "insert into Meal (MealID, MealCategoryID, Name, Unit, Calories, FatBC, CarbohydrateBC, "
            "ProteinBC) "
            "values (1, 1, 'Minestrone', 'cup', 82, 22, 43.5, 16.5);"
            "insert into Exercise (ExerciseID, Name, Unit, CaloriesConsume, CaloriesConsumeBase) "
            "values (1, 'Rowing', '10 min', 60, 60);"
            "insert into MealConsume values (1, 1, %1, 0.5, 2);"
            "insert into MealConsume values (2, 1, %2, 0.5, 1);"
            "insert into ExercisePerform values (1, 1, %3, 0.7, 0.72, 3);"
            "insert into Body values (1, %4, 70.2, 95, 80, 96, 'M');"
            "insert into UserNote values (1, %5, %6, 'Training for the 10 km');"
            "update Common set weight = 70, Measurement = 'M', metabolicRate = 95, FirstStart = 0, "
            "NextMealConsumeID = 2, NextExercisePerformID = 1, NextBodyID = 1, NextUserNoteID = 1;"_s.arg(
                day(12, 1), day(12, 3), day(12, 2), day(11, 28), day(11, 29), day(12, 5)));
    }

    QString question() const {
        return other.path() +
               u" holds a diary from 11/28/2026 to 12/5/2026 with 2 meals, 1 activity, 1 body "
               "measurement and 1 note.\n\r\n\rDo you want to replace the current diary with it? "
               "A safety copy of the current diary is kept in "_s +
               backups() + u'.';
    }
};

TEST_F(Restore, AsksNamingWhatTheFileHoldsAndNoLeavesEverythingAsItWas) {
    const DiaryDump before = diary();
    fx.files->answer(other.path());
    EXPECT_FALSE(restoreDiary(nullptr));
    ASSERT_EQ(fx.files->requests.size(), 1u);
    EXPECT_EQ(fx.files->requests[0].kind, u"open"_s);
    EXPECT_EQ(fx.files->requests[0].caption, u"Restore Diary"_s);
    EXPECT_EQ(fx.files->requests[0].proposed, documentsFolder());
    EXPECT_EQ(fx.files->requests[0].filters, (QStringList{u"Kelvora diary (*.mdb)"_s, u"All files (*)"_s}));
    EXPECT_EQ(fx.messages->texts(), std::vector<QString>{question()});
    EXPECT_EQ(fx.messages->last().icon, MessageIcon::Question);
    EXPECT_EQ(fx.messages->last().defaultButton, MessageButton::No);
    EXPECT_EQ(diary(), before);
    EXPECT_FALSE(QFileInfo::exists(backups()));
}

TEST_F(Restore, YesReplacesTheDiaryKeepsASafetyCopyAndReloadsTheParameters) {
    const DiaryDump before = diary();
    const DiaryDump restored = dumpOf(other.path());
    fx.app->de().run(u"Common"_s); // left open, as the program leaves it
    fx.app->de().run(u"MealConsumeSorted"_s, {QDate(2026, 11, 30)});
    fx.files->answer(other.path());
    fx.messages->answer(MessageButton::Yes);
    ASSERT_TRUE(restoreDiary(nullptr));

    EXPECT_EQ(diary(), restored);
    const QStringList copies = QDir(backups()).entryList(QDir::Files);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_TRUE(copies[0].startsWith(u"Kelvora-2026-12-06-143745-before-restore"_s))
        << copies[0].toStdString();
    const QString copy = QDir(backups()).filePath(copies[0]);
    EXPECT_EQ(dumpOf(copy), before);
    EXPECT_EQ(fx.messages->texts().back(), u"The diary was restored from "_s + other.path() +
                                               u". The diary it replaced was kept as "_s + copy + u'.');
    EXPECT_EQ(fx.messages->last().icon, MessageIcon::Information);

    // Nothing of the diary that was is left to read, and the parameters are the restored ones.
    EXPECT_EQ(fx.app->de().rs(u"Common"_s).field(u"metabolicRate"_s).toDouble(), 95.0);
    EXPECT_FALSE(fx.app->de().rs(u"MealConsumeSorted"_s).isOpen());
    EXPECT_EQ(fx.app->state().measurementSystem, u"M"_s);
    EXPECT_EQ(fx.app->state().bodyWeight, 70);
    EXPECT_EQ(fx.app->state().metabolicRate, 95.0);
    Recordset& meals = fx.app->de().run(u"MealConsumeSorted"_s, {QDate(2026, 12, 1)});
    EXPECT_EQ(meals.recordCount(), 1);
    meals.close();
}

TEST_F(Restore, FromTheMenuRedrawsTheDayOfTheRestoredDiary) {
    frmMain main;
    main.show();
    QApplication::processEvents();
    fx.app->state().currentDate = DateValue::fromYmd(2026, 12, 1);
    main.RePaintGraph();
    auto* graph = main.findChild<ZelmarGraph*>(u"graph"_s);
    EXPECT_TRUE(graph->meals().empty());

    fx.files->answer(other.path());
    fx.messages->answer(MessageButton::Yes);
    main.findChild<QAction*>(u"mnuRestore"_s)->trigger();
    ASSERT_EQ(graph->meals().size(), 1u);
    // Two cups of minestrone at 95 kcal an hour: 164 - 95 x 24.
    EXPECT_EQ(graph->caption().text, u"Balance: -2116"_s);
}

TEST_F(Restore, RefusesWhatIsNoSoundKelvoraDiaryAndChangesNothing) {
    const QString text = out.filePath(u"notes.txt"_s);
    writeBytes(text, "not a database at all");
    const QString foreign = out.filePath(u"foreign.mdb"_s);
    const QString lacking = out.filePath(u"lacking.mdb"_s);
    const QString damaged = out.filePath(u"damaged.mdb"_s);
    const QString empty = out.filePath(u"empty.mdb"_s);
    {
        Connection con(foreign, Connection::OpenMode::Create);
        con.execute(u"create table Recipe (Name text)"_s);
    }
    ASSERT_TRUE(QFile::copy(other.path(), lacking));
    {
        Connection con(lacking);
        con.execute(u"alter table Body rename column Hips to Hip"_s);
    }
    ASSERT_TRUE(QFile::copy(other.path(), damaged));
    {
        // Past the header: the first pages of the tables, overwritten.
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(4096);
        file.write(QByteArray(8192, '\x5a'));
    }
    writeBytes(empty, {});

    const QString notADiary =
        u" is not a Kelvora diary, so it can't be restored. Please choose a backup copy of "
        "your diary."_s;
    struct Case {
        QString path;
        QString message;
    };
    const Case cases[] = {
        {text, text + notADiary},
        {foreign, foreign + notADiary},
        {lacking, lacking + notADiary},
        {empty, empty + notADiary},
        {damaged, damaged +
                      u" is damaged, so it can't be restored. Please choose another backup copy, for "
                      "example one of the safety copies in "_s +
                      backups() + u'.'},
        {fx.db.path(), fx.db.path() + u" is the diary Kelvora has open. Please choose a backup copy of it to "
                                      "restore."_s},
    };
    const DiaryDump before = diary();
    for (const Case& c : cases) {
        fx.messages->shown.clear();
        fx.files->answer(c.path);
        fx.messages->answer(MessageButton::Yes); // would replace, were it asked
        EXPECT_FALSE(restoreDiary(nullptr)) << c.path.toStdString();
        EXPECT_EQ(fx.messages->texts(), std::vector<QString>{c.message});
        EXPECT_EQ(fx.messages->last().title, u"Error"_s);
        fx.messages->answers.clear();
    }
    EXPECT_EQ(diary(), before);
    EXPECT_FALSE(QFileInfo::exists(backups()));
    EXPECT_EQ(contentsOf(empty), QByteArray()) << "the empty file was written to";
}

TEST_F(Restore, WithoutASafetyCopyTheDiaryIsNotReplaced) {
    writeBytes(backups(), "a file where the folder of the safety copies belongs");
    const DiaryDump before = diary();
    fx.files->answer(other.path());
    fx.messages->answer(MessageButton::Yes);
    EXPECT_FALSE(restoreDiary(nullptr));
    EXPECT_EQ(
        fx.messages->texts().back(),
        u"Kelvora could not make a safety copy of the current diary in the folder "_s + backups() +
            u", so the diary was not replaced. Please check that you may write in this folder and that the "
            "disk is not full."_s);
    EXPECT_EQ(diary(), before);
    EXPECT_EQ(fx.app->state().measurementSystem, u"I"_s);
}

TEST_F(Restore, TheQuestionCountsInTheSingularAndNamesAnEmptyDiary) {
    DiarySummary summary;
    summary.firstDay = QDate(2026, 1, 2);
    summary.lastDay = QDate(2026, 1, 2);
    summary.meals = 1;
    summary.activities = 2;
    summary.measurements = 0;
    summary.notes = 1;
    EXPECT_TRUE(
        restoreQuestion(u"/x/a.mdb"_s, summary)
            .startsWith(u"/x/a.mdb holds a diary from 1/2/2026 to 1/2/2026 with 1 meal, 2 activities, 0 body "
                        "measurements and 1 note.\n\r\n\r"_s));
    EXPECT_TRUE(
        restoreQuestion(u"/x/b.mdb"_s, DiarySummary{})
            .startsWith(u"/x/b.mdb holds a diary without meals, activities, body measurements or notes."_s));
}

} // namespace
} // namespace kelvora::test
