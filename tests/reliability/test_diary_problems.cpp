// A diary that start-up cannot use as it is: missing, damaged, not a diary at all, locked by another
// program, or one the user may not change. Each is told apart and named, with what to do about it;
// none leaves a window behind or changes the file.
#include "AppFixture.h"
#include "DiaryMessages.h"
#include "FakeServices.h"
#include "FaultyDisk.h"
#include "StartedProgram.h"
#include "Startup.h"
#include "TestDatabase.h"
#include "deData.h"
#include "frmMain.h"
#include "frmMealCategory.h"

#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

void overwrite(const QString& path, const QByteArray& bytes, qint64 at = 0, bool truncate = false) {
    QFile file(path);
    ASSERT_TRUE(file.open(truncate ? QIODevice::WriteOnly | QIODevice::Truncate : QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(at));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A copy of the shipped diary that has had its first start.
void makeStarted(const TestDatabase& db) {
    deData de(db.path());
    shiftSampleData(de, DateValue::fromYmd(2026, 12, 6));
}

struct Refusal {
    const char* name;
    std::function<void(const TestDatabase&)> spoil;
    // The message, for the diary's path.
    std::function<QString(const QString&)> text;
};

TEST(DiaryProblems, EachIsToldApartNoWindowIsLeftAndTheFileIsUnchanged) {
    const Refusal refusals[] = {
        {"missing", [](const TestDatabase& db) { QFile::remove(db.path()); },
         [](const QString& path) { return missingDiaryText(path, userDiaryPathIn(userDataFolder())); }},
        {"truncated",
         [](const TestDatabase& db) { QFile(db.path()).resize(QFile(db.path()).size() * 6 / 10); },
         [](const QString& path) { return damagedDiaryText(path); }},
        // Damage in pages that start-up itself never reads: only the whole-file check finds it.
        {"garbage in the middle",
         [](const TestDatabase& db) {
             const qint64 middle = QFile(db.path()).size() / 2 / 4096 * 4096;
             overwrite(db.path(), QByteArray(8192, '\x5a'), middle);
         },
         [](const QString& path) { return damagedDiaryText(path); }},
        {"zero bytes", [](const TestDatabase& db) { overwrite(db.path(), {}, 0, true); },
         [](const QString& path) { return openFailureText(OpenFailure::NotADiary, path); }},
        {"a text file",
         [](const TestDatabase& db) { overwrite(db.path(), "Breakfast: two eggs\nLunch: soup\n", 0, true); },
         [](const QString& path) { return openFailureText(OpenFailure::NotADiary, path); }},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.name);
        TestDatabase db;
        makeStarted(db);
        r.spoil(db);
        const QByteArray before = contentsOf(db.path());

        Start start(db.folder());
        expectRefusedWith(start, r.text(db.path()));
        EXPECT_TRUE(start.modal->opened.empty());
        EXPECT_TRUE(contentsOf(db.path()) == before) << "the file changed";
        EXPECT_FALSE(QFile::exists(db.path() + u"-journal"_s));
    }
}

TEST(DiaryProblems, ADiaryLockedByAnotherProgramIsNamedAsLocked) {
    TestDatabase db;
    makeStarted(db);
    const QByteArray before = contentsOf(db.path());
    Connection other(db.path());
    other.execute(u"BEGIN EXCLUSIVE"_s);

    Start start(db.folder());
    other.execute(u"ROLLBACK"_s);
    expectRefusedWith(start, openFailureText(OpenFailure::Locked, db.path()));
    EXPECT_TRUE(contentsOf(db.path()) == before);
}

enum class Fault { ReadOnly, FolderReadOnly };

class ReadOnlyDiaryTest : public ::testing::TestWithParam<Fault> {
protected:
    void SetUp() override { FaultyDisk::install(); }
    void TearDown() override { FaultyDisk::heal(); }
};

// A diary that has been started before opens for looking at, says so once, and every store then
// says that the diary is read-only instead of blaming the input.
TEST_P(ReadOnlyDiaryTest, OpensForReadingWithAWarningAndStoresSaySo) {
    TestDatabase db;
    makeStarted(db);
    const QByteArray before = contentsOf(db.path());
    (GetParam() == Fault::ReadOnly ? FaultyDisk::readOnly : FaultyDisk::folderReadOnly) = true;

    Start start(db.folder());
    ASSERT_TRUE(start.program.has_value());
    EXPECT_TRUE(app().state().diaryReadOnly);
    EXPECT_TRUE(start.program->mainWindow->isVisible());
    ASSERT_EQ(start.messages->shown.size(), 1u);
    EXPECT_EQ(start.messages->last().title, u"Kelvora"_s);
    EXPECT_EQ(start.messages->last().icon, MessageIcon::Exclamation);
    EXPECT_EQ(start.messages->last().text.toStdString(), readOnlyStartText(db.path()).toStdString());

    auto& editor = start.program->mainWindow->dialog<frmMealCategory>();
    editor.RecordID = 0;
    start.modal->expect([&](QDialog&) {
        editor.txtName->setText(u"Snacks at night"_s);
        editor.btnOK->click();
        EXPECT_TRUE(editor.isVisible());
    });
    app().modal().exec(editor);
    EXPECT_EQ(start.messages->last().text.toStdString(), readOnlyStoreText(db.path()).toStdString());
    start.program.reset();
    FaultyDisk::heal();
    EXPECT_TRUE(contentsOf(db.path()) == before) << "the diary changed";
}

INSTANTIATE_TEST_SUITE_P(Faults, ReadOnlyDiaryTest, ::testing::Values(Fault::ReadOnly, Fault::FolderReadOnly),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                             return info.param == Fault::ReadOnly ? "ReadOnly" : "FolderReadOnly";
                         });

} // namespace
} // namespace kelvora::test
