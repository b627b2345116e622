// The shipped database and the rules that protect a diary from being overwritten.
#include "DatabaseBuilder.h"
#include "TestDatabase.h"
#include "deData.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using kelvora::DbError;
using kelvora::deData;
using kelvora::ExistingDatabase;
using kelvora::InstallResult;
using kelvora::test::TestDatabase;

namespace {

qlonglong scalar(deData& de, const QString& sql) {
    kelvora::Statement statement(de.Con, sql);
    return statement.step() ? statement.value(0).toLongLong() : -1;
}

QString text(deData& de, const QString& sql) {
    kelvora::Statement statement(de.Con, sql);
    return statement.step() ? statement.value(0).toString() : QString();
}

TEST(ShippedDatabase, IsSoundAndItsSampleRowsAreNegative) {
    TestDatabase db;
    deData de(db.path());
    EXPECT_EQ(text(de, u"PRAGMA integrity_check"_s), u"ok"_s);
    EXPECT_EQ(scalar(de, u"select count(*) from pragma_foreign_key_check"_s), 0);
    EXPECT_GE(scalar(de, u"select count(*) from MealCategory"_s), 10);
    EXPECT_GE(scalar(de, u"select count(*) from Meal"_s), 120);
    EXPECT_GE(scalar(de, u"select count(*) from Exercise"_s), 40);
    for (const auto& [table, key] : {std::pair{u"MealConsume"_s, u"MealConsumeID"_s},
                                     {u"ExercisePerform"_s, u"ExercisePerformID"_s},
                                     {u"Body"_s, u"BodyId"_s},
                                     {u"UserNote"_s, u"UserNoteId"_s}}) {
        EXPECT_GT(scalar(de, u"select count(*) from "_s + table), 0) << table.toStdString();
        EXPECT_EQ(scalar(de, u"select count(*) from %1 where %2 >= 0"_s.arg(table, key)), 0)
            << table.toStdString();
    }
    auto& common = de.run(u"Common"_s);
    EXPECT_EQ(common.recordCount(), 1);
    EXPECT_EQ(common.field(u"weight"_s).toDouble(), 150);
    EXPECT_EQ(common.field(u"Measurement"_s).toString(), u"I"_s);
    EXPECT_EQ(common.field(u"metabolicRate"_s).toDouble(), 80);
    EXPECT_EQ(common.field(u"FirstStart"_s).toInt(), 1);
    // The sample diary ends on the install date.
    EXPECT_EQ(scalar(de, u"select max(ConsumeDate) from MealConsume"_s),
              common.field(u"installDate"_s).toLongLong());
}

TEST(ShippedDatabase, ByCaloriesColumnsAddUpToTheCalories) {
    TestDatabase db;
    deData de(db.path());
    EXPECT_EQ(
        scalar(
            de,
            u"select count(*) from Meal where abs(FatBC + CarbohydrateBC + ProteinBC - Calories) > 0.00005"_s),
        0);
}

TEST(ShippedDatabase, ItsFileIsPrivateToItsOwner) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Kelvora.mdb"_s);
    kelvora::buildDatabase(path);
    EXPECT_EQ(QFile::permissions(path) &
                  (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());
    EXPECT_THROW(kelvora::buildDatabase(path), DbError); // never builds over a file
}

TEST(OpeningTheDatabase, FailsForAnythingButADiary) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(u"missing.mdb"_s);
    EXPECT_THROW(deData{missing}, DbError);
    EXPECT_FALSE(QFile::exists(missing)); // opening never creates a file

    const QString garbage = dir.filePath(u"garbage.mdb"_s);
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    EXPECT_THROW(deData{garbage}, DbError);

    const QString foreign = dir.filePath(u"foreign.mdb"_s);
    {
        kelvora::Connection other(foreign, kelvora::Connection::OpenMode::Create);
        other.execute(u"create table Something (x)"_s);
    }
    EXPECT_THROW(deData{foreign}, DbError);
}

TEST(DatabasePath, OneSeparatorBeforeTheFileName) {
    EXPECT_EQ(deData::databasePathIn(u"/opt/kelvora"_s), u"/opt/kelvora/Kelvora.mdb"_s);
    EXPECT_EQ(deData::databasePathIn(u"/opt/kelvora/"_s), u"/opt/kelvora/Kelvora.mdb"_s);
}

class InstallTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(u"Kelvora.mdb"_s);

    void change(const QString& sql) {
        deData de(path);
        de.Con.execute(sql);
    }
};

TEST_F(InstallTest, WritesWhereNothingIsAndRefreshesAnUntouchedFile) {
    EXPECT_EQ(kelvora::inspectDatabase(path), ExistingDatabase::Absent);
    EXPECT_EQ(kelvora::installShippedDatabase(path), InstallResult::Created);
    EXPECT_EQ(kelvora::inspectDatabase(path), ExistingDatabase::Untouched);
    EXPECT_EQ(kelvora::installShippedDatabase(path), InstallResult::Replaced);
    EXPECT_FALSE(QFile::exists(path + u".new"_s));
}

TEST_F(InstallTest, NeverOverwritesADiary) {
    const QString changes[] = {
        u"update Common set FirstStart = 0"_s,                      // started once
        u"update Common set NextBodyID = 1"_s,                      // an identifier issued
        u"insert into UserNote values (1, 46000, 46000, 'mine')"_s, // a user's row
    };
    for (const QString& sql : changes) {
        QFile::remove(path);
        kelvora::installShippedDatabase(path);
        change(sql + u"; update Meal set Name = 'Marker' where MealID = 1"_s);
        EXPECT_EQ(kelvora::inspectDatabase(path), ExistingDatabase::InUse) << sql.toStdString();
        EXPECT_EQ(kelvora::installShippedDatabase(path), InstallResult::Kept);
        deData de(path);
        EXPECT_EQ(text(de, u"select Name from Meal where MealID = 1"_s), u"Marker"_s);
    }
}

TEST_F(InstallTest, LeavesAFileItCannotReadAlone) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("my notes, not a database");
    file.close();
    EXPECT_EQ(kelvora::installShippedDatabase(path), InstallResult::Kept);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("my notes, not a database"));
}

} // namespace
