#pragma once

#include <QString>

namespace kelvora {

class Connection;

// The diary's format version, kept in SQLite's user_version. Version 1 is the diary as Kelvora 1.0
// shipped it, which never set user_version: a 0 reads as 1. Version 2 adds the goals to Common.
inline constexpr int FirstDiaryVersion = 1;
inline constexpr int CurrentDiaryVersion = 2;

// The format version of the open database (0 counted as 1).
int diaryVersion(Connection& con);

// Whether the database is a diary of an older version: one with the settings table and a version
// below CurrentDiaryVersion. Reads only.
bool needsUpgrade(Connection& con);

enum class UpgradeResult {
    Current,  // nothing to do
    Upgraded, // brought up to CurrentDiaryVersion
    NotADiary // no settings table: some other database, left untouched for the shape test to name
};

// Brings a diary of an older version up to CurrentDiaryVersion in one transaction, the new
// user_version written inside it: a failure (thrown as DbError) leaves the file exactly as it was.
// A diary of a newer version is not touched; ask diaryVersion() first and refuse it. Running it
// again on an upgraded diary changes nothing.
UpgradeResult upgradeDiary(Connection& con);

// Applies the steps that turn a diary of version `from` into one of version `to` on `con`, without
// a transaction of its own and without touching user_version: for the builder, which runs them in
// its own transaction over the 1.0 schema.
void applyUpgradeSteps(Connection& con, int from, int to);

} // namespace kelvora
