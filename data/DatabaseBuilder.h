#pragma once

#include "DiaryVersion.h"

#include <QString>

namespace kelvora {

// What a newly built database holds. The shipped file holds everything; tests pick less when a
// smaller fixture shows a fault more clearly.
enum class SeedContents {
    SchemaOnly, // the tables and the settings row
    Catalogue,  // plus meal categories, meals and activities
    Full,       // plus the sample diary
};

// Writes a new database file at `path` (which must not exist) from the seed SQL, readable and
// writable by its owner only. Throws DbError on failure and leaves no file behind. The seed is the
// diary of version 1 (as Kelvora 1.0 built it, without a user_version); a later `version` runs the
// upgrade steps over it in the same transaction and records the version.
void buildDatabase(const QString& path, SeedContents contents = SeedContents::Full,
                   int version = CurrentDiaryVersion);

enum class ExistingDatabase {
    Absent,
    Untouched, // the first start has not run and nobody has entered anything
    InUse,     // a diary: never to be overwritten
    Unreadable // not a diary database we can inspect: left alone as well
};
ExistingDatabase inspectDatabase(const QString& path);

enum class InstallResult { Created, Replaced, Kept };
// Puts a freshly built shipped database at `path` unless a diary is already there: an absent or
// untouched file is (re)written atomically, anything else is kept as it is.
InstallResult installShippedDatabase(const QString& path);

} // namespace kelvora
