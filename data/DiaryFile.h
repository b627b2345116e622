#pragma once

#include "Connection.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace kelvora {

// What works on a diary as a whole file: SQLite's own checks, copies made with its online backup
// (consistent while the program runs, and all or nothing on the receiving side), the test that a
// file holds a diary the program can work with, and a summary of what a diary holds.

enum class CheckDepth {
    None,  // a copy taken as it is, sound or not
    Quick, // quick_check: every page readable and well formed, in time linear in the file
    Full,  // integrity_check: indexes matched against their tables as well
};

// SQLite's complaints about the database, the first few of them; empty when it is sound (or when
// `depth` is None). A check that cannot even run (an unreadable file) is a complaint too.
QStringList databaseProblems(Connection& con, CheckDepth depth);
inline bool passesCheck(Connection& con, CheckDepth depth) {
    return databaseProblems(con, depth).isEmpty();
}

// Replaces the whole database of `to` with that of `from`, page by page, in one transaction of
// `to`: a failure (or the end of the process) at any moment leaves `to` exactly as it was. Throws
// DbError.
void copyDatabase(Connection& from, Connection& to);

// Writes a copy of `from` to `path`, readable and writable by its owner only. The copy is made under
// a temporary name in the same folder, checked, and only then renamed to `path` (replacing a file
// there), so `path` never holds half a copy. Throws DbError and leaves no file behind on failure.
void writeDatabaseCopy(Connection& from, const QString& path, CheckDepth check);
// Whether a DbError of writeDatabaseCopy says that the copy is not sound: it failed its check, or
// the copying met damage (the database copied may then be damaged itself).
bool failedItsCheck(const DbError& error);

// Why the database is not a diary the program can work with: a table or a column the program
// needs is missing, or there is not exactly one settings row. Empty when it is one.
QString diaryShapeProblem(Connection& con);

// What a diary holds, for the question before it replaces another.
struct DiarySummary {
    std::optional<QDate> firstDay; // the first and last day with a meal, an activity, a body
    std::optional<QDate> lastDay;  // measurement or a note; none in a diary without any
    qint64 meals = 0;
    qint64 activities = 0;
    qint64 measurements = 0;
    qint64 notes = 0;
};
DiarySummary summarizeDiary(Connection& con);

} // namespace kelvora
