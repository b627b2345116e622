#pragma once

#include "DbError.h"

#include <QString>

namespace kelvora {

// SQLite's quick_check over a diary file: every page of every table and index is read and its
// structure checked, so damage in pages the program has not read yet is found before it is used.
struct HealthReport {
    enum class Outcome {
        Sound,     // the check passed
        Damaged,   // the check found damage, or the file could not be read as a database
        Unchecked, // the check could not run (the file is locked, say); nothing is known
    };
    Outcome outcome = Outcome::Unchecked;
    QString detail; // SQLite's first finding, or the reason the check could not run

    bool damaged() const { return outcome == Outcome::Damaged; }
};

// Runs the check over the file on a read-only connection of its own, which writes nothing.
HealthReport quickCheck(const QString& path);

// Why a diary file could not be opened, for telling the user what to do about it.
enum class OpenFailure {
    Missing,    // there is no file at the path
    Locked,     // another program holds the file locked
    Unreadable, // the file is there but may not be read
    NotADiary,  // a file that is no database, or a database without the diary's tables
    Damaged,    // a database whose pages are damaged
};
OpenFailure classifyOpenFailure(const QString& path, const DbError& error);

} // namespace kelvora
