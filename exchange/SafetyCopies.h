#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace kelvora {

class Connection;

// The copies of the diary the program makes by itself, in the folder "backups" beside the diary:
// - one at the first start of each calendar day, before anything is written:
//   backups/Kelvora-YYYY-MM-DD.mdb, the newest seven kept;
// - one of the diary about to be replaced, before each restore:
//   backups/Kelvora-YYYY-MM-DD-HHMMSS-before-restore.mdb, the newest seven of those kept;
// - one of a diary of an older format, before start-up upgrades it, which the older program can
//   still open: backups/Kelvora-YYYY-MM-DD-HHMMSS-before-upgrade.mdb, the newest seven kept.
// Only files named so are ever deleted; anything else in the folder is left alone. A diary that
// fails SQLite's quick_check is never copied by the daily step, so a damaged diary cannot push the
// good copies out.

inline constexpr int SafetyCopiesKept = 7;

QString safetyCopyFolder(const QString& diaryPath);
QString dailySafetyCopyPath(const QString& diaryPath, const QDate& day);

// Whether today's copy is still to be made: there is none for `today` in the folder yet.
bool dailySafetyCopyDue(const QString& diaryPath, const QDate& today);

enum class SafetyCopyResult {
    Made,
    AlreadyMade,  // a copy for today was there: not the day's first start
    NotOfDamaged, // the diary failed quick_check, so it was not copied
    Failed,       // the copy could not be written (a full disk, a folder that may not be written)
};

// The daily step of start-up: copies the diary at `diaryPath` unless today's copy is there or the
// diary did not pass quick_check, then deletes the daily copies beyond the newest seven (today's is
// always kept). Never throws.
SafetyCopyResult makeDailySafetyCopy(const QString& diaryPath, const QDate& today,
                                     bool diaryPassedQuickCheck);

// What start-up says, once, when the day's copy could not be made; start-up goes on either way.
QString safetyCopyFailureText(const QString& folder);

// The newest daily copy (a copy of a diary that passed quick_check); empty when there is none.
QString newestSafetyCopy(const QString& diaryPath);

// Copies the open diary before a restore replaces it and returns the copy's path; throws DbError
// when it cannot be written.
QString makeRestoreSafetyCopy(Connection& diary, const QDateTime& now);
// Copies the diary as it is before its format is upgraded and returns the copy's path; throws
// DbError when it cannot be written.
QString makeUpgradeSafetyCopy(Connection& diary, const QDateTime& now);

} // namespace kelvora
