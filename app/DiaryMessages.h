#pragma once

#include "DiaryHealth.h"

#include <QString>

#include <optional>

namespace kelvora {

class DbError;

// What the program says when the diary file itself is the trouble: each text names the file and
// says what the user can do about it, since no input in a window can mend it.

// Start-up could not open the diary (`failure` other than Missing, which keeps its own message).
QString openFailureText(OpenFailure failure, const QString& diaryPath,
                        const std::optional<QString>& newestSafetyCopy = std::nullopt);
// Start-up found no diary: neither the user's own nor the one the program comes with, from which
// the user's is made.
QString missingDiaryText(const QString& shippedPath, const QString& userDiaryPath);
// The user's own diary could not be made at their first start: it could not be written, or the
// diary the program comes with is not one it can be made from. `detail` is the system's reason.
QString userDiaryNotWrittenText(const QString& userDiaryPath, const QString& shippedPath,
                                const QString& detail);
QString shippedDiaryUnusableText(const QString& shippedPath, const QString& userDiaryPath,
                                 const QString& detail);
// Start-up found damage in the diary with SQLite's check.
QString damagedDiaryText(const QString& diaryPath,
                         const std::optional<QString>& newestSafetyCopy = std::nullopt);
// A diary of a format version newer than this program knows: left as it is.
QString newerDiaryText(const QString& diaryPath, int version);
// A diary of an older format version that could not be upgraded; `reason` is the database's word.
QString upgradeFailureText(const QString& diaryPath, int version, const QString& reason);
// The same two refusals of a diary chosen to restore, which leave the current diary as it is.
QString restoreNewerText(const QString& path, int version);
QString restoreUpgradeFailureText(const QString& path, int version, const QString& reason);

// A diary that has been started before and may not be written now: it opens for reading only.
QString readOnlyStartText(const QString& diaryPath);

// The text for a store or delete that the database refused: `designed` is the window's own text
// for it, which stands unless the diary may not be written at all (it was found so at start, or
// the refusal says so), when no input of the user's could help.
QString storeFailureText(const DbError& error, const QString& designed);
QString readOnlyStoreText(const QString& diaryPath);

// The text of the application's last-resort handler for a failure no window caught.
// `diaryReadOnly`: the diary was found at start to refuse changes.
QString uncaughtFailureText(const std::exception& error, const QString& diaryPath, bool diaryReadOnly);

} // namespace kelvora
