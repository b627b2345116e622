#pragma once

#include "Connection.h"
#include "DatabaseBuilder.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kelvora::test {

// A fresh database of its own for one test, in a temporary program folder, made by the same
// builder that makes the shipped file (built once per process, contents and version, then copied).
// Version 1 is the diary exactly as Kelvora 1.0 built it.
class TestDatabase {
public:
    explicit TestDatabase(SeedContents contents = SeedContents::Full, int version = CurrentDiaryVersion);

    QString folder() const { return m_dir.path(); }
    QString path() const;

private:
    QTemporaryDir m_dir;
};

// The whole file as it is on the disk; empty when it can't be read.
QByteArray contentsOf(const QString& path);

// Stores each name as a meal category, as a meal (of category 1) and as an activity, with the keys
// 1, 2, ... in the order given: the same names in all three catalogues.
void addToEveryCatalogue(Connection& con, const QStringList& names);

} // namespace kelvora::test
