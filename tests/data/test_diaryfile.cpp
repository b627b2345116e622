// A diary as a whole file: SQLite's checks, copies that are all or nothing, the test that a file is
// a diary the program can work with, and what a diary holds.
#include "DateValue.h"
#include "DiaryFile.h"
#include "TestDatabase.h"
#include "deData.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

// Overwrites part of the page that holds the root of `object` (a table or an index).
void damageRootOf(const QString& path, const QString& object) {
    qint64 offset = 0;
    {
        Connection con(path);
        const qint64 root =
            con.scalar(u"select rootpage from sqlite_master where name = '%1'"_s.arg(object)).toLongLong();
        offset = (root - 1) * con.scalar(u"pragma page_size"_s).toLongLong();
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(offset);
    file.write(QByteArray(64, '\x7f'));
}

TEST(DatabaseChecks, FindTheShippedDiarySoundAndADamagedOneNot) {
    TestDatabase db;
    {
        Connection con(db.path());
        EXPECT_TRUE(databaseProblems(con, CheckDepth::Quick).isEmpty());
        EXPECT_TRUE(databaseProblems(con, CheckDepth::Full).isEmpty());
    }
    damageRootOf(db.path(), u"UserNoteByDateTo"_s);
    Connection con(db.path());
    for (const CheckDepth depth : {CheckDepth::Quick, CheckDepth::Full}) {
        const QStringList problems = databaseProblems(con, depth);
        EXPECT_FALSE(problems.isEmpty());
        EXPECT_LE(problems.size(), 5);
    }
    EXPECT_TRUE(databaseProblems(con, CheckDepth::None).isEmpty());
}

TEST(DiaryShape, TheShippedDiaryAndAnEmptyOneAreDiaries) {
    for (const SeedContents contents : {SeedContents::Full, SeedContents::SchemaOnly}) {
        TestDatabase db(contents);
        Connection con(db.path(), Connection::OpenMode::ReadOnly);
        EXPECT_EQ(diaryShapeProblem(con), QString());
    }
}

// Every column of every table of the schema is one the program needs: renaming any of them makes
// the file no diary.
TEST(DiaryShape, EveryColumnOfTheSchemaIsRequired) {
    TestDatabase db(SeedContents::SchemaOnly);
    Connection con(db.path());
    std::vector<std::pair<QString, QString>> columns;
    {
        Statement list(con, u"select m.name, c.name from sqlite_master m join pragma_table_info(m.name) c "
                            "where m.type = 'table' and m.name not like 'sqlite%' order by 1, 2"_s);
        while (list.step())
            columns.emplace_back(list.value(0).toString(), list.value(1).toString());
    }
    ASSERT_GT(columns.size(), 50u);
    for (const auto& [table, column] : columns) {
        con.execute(u"alter table %1 rename column %2 to Renamed"_s.arg(table, column));
        EXPECT_EQ(diaryShapeProblem(con), u"its table %1 has no column %2"_s.arg(table, column));
        con.execute(u"alter table %1 rename column Renamed to %2"_s.arg(table, column));
    }
    EXPECT_EQ(diaryShapeProblem(con), QString());
}

TEST(DiaryShape, AMissingTableOrSettingsRowIsNamed) {
    struct Case {
        QString change;
        QString problem;
    };
    const Case cases[] = {
        {u"drop table UserNote"_s, u"it has no table UserNote"_s},
        {u"delete from Common"_s, u"it holds 0 rows of settings instead of one"_s},
        {u"create table Other (x); drop table Body"_s, u"it has no table Body"_s},
    };
    for (const Case& c : cases) {
        TestDatabase db(SeedContents::SchemaOnly);
        Connection con(db.path());
        con.execute(c.change);
        EXPECT_EQ(diaryShapeProblem(con), c.problem) << c.change.toStdString();
    }
}

TEST(DiarySummary, CountsTheRecordsAndSpansTheirDays) {
    TestDatabase db(SeedContents::SchemaOnly);
    Connection con(db.path());
    const DiarySummary empty = summarizeDiary(con);
    EXPECT_FALSE(empty.firstDay);
    EXPECT_FALSE(empty.lastDay);
    EXPECT_EQ(empty.meals + empty.activities + empty.measurements + empty.notes, 0);

    const auto day = [](int month, int d) {
        return QString::number(DateValue::fromYmd(2026, month, d).serial());
    };
    con.execute(u"insert into MealCategory values (1, 'c'); insert into Meal (MealID, MealCategoryID, Name) "
                "values (1, 1, 'm'); insert into Exercise (ExerciseID, Name) values (1, 'e');"
                "insert into MealConsume values (1, 1, %1, 0.5, 1); insert into MealConsume values (2, 1, "
                "%2, 0.5, 1);"
                "insert into MealConsume values (3, 1, %2, 0.6, 1);"
                "insert into ExercisePerform values (1, 1, %3, 0.5, 0.6, 1);"
                "insert into Body values (1, %4, 150, 40, 33, 40, 'I');"
                "insert into UserNote values (1, %5, %6, 'n')"_s.arg(day(3, 10), day(3, 12), day(3, 11),
                                                                     day(3, 9), day(3, 11), day(3, 20)));
    const DiarySummary summary = summarizeDiary(con);
    EXPECT_EQ(summary.firstDay, QDate(2026, 3, 9)); // the measurement
    EXPECT_EQ(summary.lastDay, QDate(2026, 3, 20)); // the note's last day
    EXPECT_EQ(summary.meals, 3);
    EXPECT_EQ(summary.activities, 1);
    EXPECT_EQ(summary.measurements, 1);
    EXPECT_EQ(summary.notes, 1);
}

TEST(DatabaseCopy, ReplacesTheWholeOpenDatabaseAndItsReadersSeeTheNewOne) {
    TestDatabase source;
    TestDatabase target(SeedContents::SchemaOnly);
    Connection from(source.path(), Connection::OpenMode::ReadOnly);
    deData de(target.path());
    Recordset& common = de.run(u"Common"_s);
    common.close();
    copyDatabase(from, de.Con);
    de.reloadAfterReplacement();
    EXPECT_EQ(de.Con.scalar(u"select count(*) from MealConsume"_s),
              from.scalar(u"select count(*) from MealConsume"_s));
    EXPECT_GT(de.run(u"MealConsumeSorted"_s, {QDate(2026, 11, 30)}).recordCount(), 0);
    EXPECT_TRUE(passesCheck(de.Con, CheckDepth::Full));
}

TEST(DatabaseCopy, RefusesToReplaceADatabaseInTheMiddleOfATransaction) {
    TestDatabase source;
    TestDatabase target(SeedContents::SchemaOnly);
    Connection from(source.path(), Connection::OpenMode::ReadOnly);
    Connection to(target.path());
    Transaction open(to);
    EXPECT_THROW(copyDatabase(from, to), DbError);
}

TEST(DatabaseCopy, AWrittenCopyIsOwnerOnlyAndReplacesAFileInOneStep) {
    TestDatabase source;
    QTemporaryDir out;
    const QString path = out.filePath(u"copy.mdb"_s);
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older file");
    old.close();
    Connection from(source.path(), Connection::OpenMode::ReadOnly);
    writeDatabaseCopy(from, path, CheckDepth::Full);
    EXPECT_EQ(std::filesystem::status(path.toStdString()).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    Connection copy(path, Connection::OpenMode::ReadOnly);
    EXPECT_EQ(copy.scalar(u"select count(*) from Meal"_s), from.scalar(u"select count(*) from Meal"_s));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"copy.mdb"_s});
}

TEST(DatabaseCopy, ACopyOfADamagedDatabaseFailsItsCheckAndIsNotKept) {
    TestDatabase source;
    damageRootOf(source.path(), u"MealConsumeByMeal"_s);
    QTemporaryDir out;
    const QString path = out.filePath(u"copy.mdb"_s);
    Connection from(source.path(), Connection::OpenMode::ReadOnly);
    try {
        writeDatabaseCopy(from, path, CheckDepth::Quick);
        ADD_FAILURE() << "the damaged copy was kept";
    } catch (const DbError& error) {
        EXPECT_TRUE(failedItsCheck(error)) << error.what();
    }
    EXPECT_TRUE(QDir(out.path()).isEmpty());
    // Taken as it is, it is copied all the same.
    writeDatabaseCopy(from, path, CheckDepth::None);
    EXPECT_TRUE(QFile::exists(path));
}

TEST(DatabaseCopy, IntoAFolderThatDoesNotExistFailsWithoutAFileBehind) {
    TestDatabase source;
    QTemporaryDir out;
    Connection from(source.path(), Connection::OpenMode::ReadOnly);
    try {
        writeDatabaseCopy(from, out.filePath(u"missing/copy.mdb"_s), CheckDepth::Quick);
        ADD_FAILURE() << "no error";
    } catch (const DbError& error) {
        EXPECT_FALSE(failedItsCheck(error));
    }
    EXPECT_TRUE(QDir(out.path()).isEmpty());
}

TEST(ReadOnlyConnection, NeverChangesTheFile) {
    TestDatabase db;
    QFile file(db.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    {
        Connection con(db.path(), Connection::OpenMode::ReadOnly);
        EXPECT_THROW(con.execute(u"delete from Meal"_s), DbError);
        summarizeDiary(con);
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

} // namespace
} // namespace kelvora::test
