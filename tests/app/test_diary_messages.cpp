#include "AppFixture.h"
#include "DiaryMessages.h"
#include "deData.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

const QString Reassurance = u"Nothing that was already stored has been lost."_s;

// The last-resort handler promises that nothing was lost only where a failed statement, undone by
// the database, makes it true; a damaged or unreadable file is named instead.
TEST(UncaughtFailure, SaysOnlyWhatIsTrue) {
    const QString diary = u"/home/ann/Kelvora.mdb"_s;
    struct Case {
        const char* name;
        DbError error;
        bool reassures;
        QString mustContain;
    };
    const Case cases[] = {
        {"malformed", DbError(u"database disk image is malformed"_s, SQLITE_CORRUPT), false,
         u"The diary file is damaged:\n/home/ann/Kelvora.mdb"_s},
        {"not a database", DbError(u"file is not a database"_s, SQLITE_NOTADB), false,
         u"The diary file is damaged"_s},
        {"disk error", DbError(u"disk I/O error"_s, SQLITE_IOERR_READ), false,
         u"could not read or write its diary file:\n/home/ann/Kelvora.mdb"_s},
        {"read-only", DbError(u"attempt to write a readonly database"_s, SQLITE_READONLY), false,
         u"the diary is read-only"_s},
        {"disk full", DbError(u"database or disk is full"_s, SQLITE_FULL), true,
         u"The database reported an error:\n\ndatabase or disk is full"_s},
        {"constraint", DbError(u"UNIQUE constraint failed: Meal.Name"_s, SQLITE_CONSTRAINT_UNIQUE), true,
         u"UNIQUE constraint failed"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString text = uncaughtFailureText(c.error, diary, false);
        EXPECT_EQ(text.endsWith(Reassurance), c.reassures) << text.toStdString();
        EXPECT_TRUE(text.contains(c.mustContain)) << text.toStdString();
    }
    const QString other = uncaughtFailureText(std::runtime_error("bad_alloc"), diary, false);
    EXPECT_EQ(other, u"An unexpected error occurred:\n\nbad_alloc\n\n"_s + Reassurance);
    // Found read-only at start, any refused write is the read-only diary's doing.
    EXPECT_EQ(uncaughtFailureText(DbError(u"unable to open database file"_s, SQLITE_CANTOPEN), diary, true),
              readOnlyStoreText(diary));
}

TEST(StoreFailure, TheWindowsOwnTextUnlessTheDiaryIsReadOnly) {
    AppFixture fx;
    const QString designed =
        u"Can't store this record in database. Please check whether all data are valid"_s;
    const DbError full(u"database or disk is full"_s, SQLITE_FULL);
    const DbError readOnly(u"attempt to write a readonly database"_s, SQLITE_READONLY);
    EXPECT_EQ(storeFailureText(full, designed), designed);
    EXPECT_EQ(storeFailureText(readOnly, designed), readOnlyStoreText(fx.app->de().Con.path()));
    fx.app->state().diaryReadOnly = true;
    EXPECT_EQ(storeFailureText(full, designed), readOnlyStoreText(fx.app->de().Con.path()));
}

} // namespace
} // namespace kelvora::test
