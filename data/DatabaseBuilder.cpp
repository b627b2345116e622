#include "DatabaseBuilder.h"

#include "Connection.h"
#include "SeedSql.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

bool isPartOf(const char* seedName, SeedContents contents) {
    // Files are numbered: 0x schema, 1x catalogue, 2x-8x sample diary, 9x settings row.
    const char group = seedName[0];
    switch (contents) {
    case SeedContents::SchemaOnly:
        return group == '0' || group == '9';
    case SeedContents::Catalogue:
        return group == '0' || group == '1' || group == '9';
    case SeedContents::Full:
        return true;
    }
    return false;
}

} // namespace

void buildDatabase(const QString& path, SeedContents contents, int version) {
    if (QFileInfo::exists(path))
        throw DbError(u"Will not build over the existing file %1"_s.arg(path));
    try {
        Connection connection(path, Connection::OpenMode::Create);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        Transaction transaction(connection);
        for (const SeedFile& file : seedFiles()) {
            if (!isPartOf(file.name, contents))
                continue;
            QByteArray sql;
            for (const char* part : file.parts)
                sql += part; // a part may end inside a character: join the bytes before decoding
            connection.execute(QString::fromUtf8(sql));
        }
        if (version > FirstDiaryVersion) {
            applyUpgradeSteps(connection, FirstDiaryVersion, version);
            connection.execute(u"pragma user_version = %1"_s.arg(version));
        }
        transaction.commit();
    } catch (...) {
        QFile::remove(path);
        throw;
    }
}

ExistingDatabase inspectDatabase(const QString& path) {
    if (!QFileInfo::exists(path))
        return ExistingDatabase::Absent;
    try {
        Connection connection(path, Connection::OpenMode::Existing);
        const bool firstStartPending =
            connection.scalar(u"select FirstStart from Common"_s).toLongLong() == 1;
        const qlonglong counters = connection
                                       .scalar(u"select NextMealConsumeID + NextExercisePerformID + "
                                               "NextBodyID + NextUserNoteID from Common"_s)
                                       .toLongLong();
        const qlonglong userRows =
            connection
                .scalar(u"select (select count(*) from MealConsume where MealConsumeID > 0)"
                        " + (select count(*) from ExercisePerform where ExercisePerformID > 0)"
                        " + (select count(*) from Body where BodyId > 0)"
                        " + (select count(*) from UserNote where UserNoteId > 0)"_s)
                .toLongLong();
        return firstStartPending && counters == 0 && userRows == 0 ? ExistingDatabase::Untouched
                                                                   : ExistingDatabase::InUse;
    } catch (const DbError&) {
        return ExistingDatabase::Unreadable;
    }
}

InstallResult installShippedDatabase(const QString& path) {
    const ExistingDatabase existing = inspectDatabase(path);
    if (existing == ExistingDatabase::InUse || existing == ExistingDatabase::Unreadable)
        return InstallResult::Kept;
    const QString fresh = path + u".new"_s;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::remove(fresh);
    buildDatabase(fresh, SeedContents::Full);
    // rename(2) replaces the old file in one step: a reader sees either the old or the new database.
    if (std::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(fresh);
        throw DbError(u"Cannot put the database in place at %1: %2"_s.arg(
            path, QString::fromLocal8Bit(std::strerror(errno))));
    }
    return existing == ExistingDatabase::Absent ? InstallResult::Created : InstallResult::Replaced;
}

} // namespace kelvora
