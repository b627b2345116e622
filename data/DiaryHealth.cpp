#include "DiaryHealth.h"

#include "Connection.h"
#include "DiaryFile.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

// Every SQLite database file begins with this header string.
bool startsLikeADatabase(const QString& path) {
    static const QByteArray header("SQLite format 3", 16); // with its terminating zero
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(header.size()) == header;
}

} // namespace

HealthReport quickCheck(const QString& path) {
    try {
        Connection con(path, Connection::OpenMode::ReadOnly);
        // The check reads every page once: mapped, they are not copied out of the file cache.
        con.execute(QStringLiteral("pragma mmap_size = 268435456"));
        const QStringList problems = databaseProblems(con, CheckDepth::Quick);
        if (problems.isEmpty())
            return {HealthReport::Outcome::Sound, {}};
        return {HealthReport::Outcome::Damaged, problems.front()};
    } catch (const DbError& error) {
        if (error.isBusy())
            return {HealthReport::Outcome::Unchecked, error.message()};
        return {HealthReport::Outcome::Damaged, error.message()};
    }
}

OpenFailure classifyOpenFailure(const QString& path, const DbError& error) {
    const QFileInfo file(path);
    if (!file.exists())
        return OpenFailure::Missing;
    if (error.isBusy())
        return OpenFailure::Locked;
    if (!file.isReadable() || error.isReadOnly())
        return OpenFailure::Unreadable;
    // A file that does not even start like a database (an empty one, a text) is something else; one
    // that does but cannot be read through is a damaged diary; one read through without the
    // diary's tables is some other program's database.
    if (!startsLikeADatabase(path))
        return OpenFailure::NotADiary;
    return error.isDamage() || error.isIoError() ? OpenFailure::Damaged : OpenFailure::NotADiary;
}

} // namespace kelvora
