#include "DiaryLocation.h"

#include "Connection.h"
#include "DiaryFile.h"
#include "deData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

constexpr auto DiaryFolderName = "kelvora";

bool inGroup(gid_t group) {
    if (group == getegid())
        return true;
    const int count = getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int listed = getgroups(count, groups.data());
    for (int i = 0; i < listed; ++i) {
        if (groups[static_cast<std::size_t>(i)] == group)
            return true;
    }
    return false;
}

// A shipped diary that was started is somebody's diary in a folder that has been made read-only
// (a portable folder on a read-only medium, say); it is looked at, not copied.
bool startedBefore(const QString& shippedPath) {
    try {
        Connection diary(shippedPath, Connection::OpenMode::ReadOnly);
        Statement firstStart(diary, u"select FirstStart from Common"_s);
        return firstStart.step() && firstStart.value(0).toInt() == 0;
    } catch (const DbError&) {
        // Whatever is wrong with it comes out when it is copied.
        return false;
    }
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

QString userDataFolder() {
    const QString fromEnvironment = qEnvironmentVariable("XDG_DATA_HOME");
    if (!fromEnvironment.isEmpty() && QDir::isAbsolutePath(fromEnvironment))
        return QDir::cleanPath(fromEnvironment);
    return QDir(QDir::homePath()).filePath(u".local/share"_s);
}

QString userDiaryPathIn(const QString& dataFolder) {
    return deData::databasePathIn(QDir(dataFolder).filePath(QString::fromLatin1(DiaryFolderName)));
}

bool userMayWrite(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    if (access(name.constData(), W_OK) != 0)
        return false;
    struct stat status {};
    if (stat(name.constData(), &status) != 0)
        return false;
    if (status.st_uid == geteuid())
        return (status.st_mode & S_IWUSR) != 0;
    if (inGroup(status.st_gid))
        return (status.st_mode & S_IWGRP) != 0;
    return (status.st_mode & S_IWOTH) != 0;
}

DiaryLocation locateDiary(const QString& programFolder, const QString& dataFolder) {
    DiaryLocation location;
    location.shippedPath = deData::databasePathIn(programFolder);
    const QFileInfo shipped(location.shippedPath);
    // The diary's folder takes its lock, its journal while a change is stored and its safety
    // copies: a writable file in a folder that may not be written is no place to keep a diary.
    if (shipped.isFile() && userMayWrite(location.shippedPath) && userMayWrite(shipped.absolutePath())) {
        location.diaryPath = location.shippedPath;
        return location;
    }
    const QString own = userDiaryPathIn(dataFolder);
    if (QFileInfo::exists(own)) {
        location.way = DiaryLocation::Way::UserData;
        location.diaryPath = own;
        return location;
    }
    if (shipped.isFile() && startedBefore(location.shippedPath)) {
        location.diaryPath = location.shippedPath;
        return location;
    }
    location.way = DiaryLocation::Way::UserData;
    location.diaryPath = own;
    location.makeFromShipped = true;
    return location;
}

QString makeDiaryFolder(const QString& diaryPath) {
    const QString folder = QFileInfo(diaryPath).absolutePath();
    // Each missing folder from the outermost in, so that every one made is the owner's only, as
    // the XDG rules ask for the data folder itself.
    QStringList missing;
    for (QString at = folder; !QFileInfo::exists(at); at = QFileInfo(at).absolutePath()) {
        missing.prepend(at);
        if (QDir(at).isRoot())
            break;
    }
    for (const QString& at : missing) {
        if (mkdir(QFile::encodeName(at).constData(), S_IRWXU) != 0 && errno != EEXIST)
            return systemError();
    }
    if (!QFileInfo(folder).isDir())
        return u"%1 is not a folder"_s.arg(QDir::toNativeSeparators(folder));
    return {};
}

MadeDiary makeUserDiary(const DiaryLocation& location) {
    if (QFileInfo::exists(location.diaryPath))
        return {};
    std::unique_ptr<Connection> shipped;
    try {
        shipped = std::make_unique<Connection>(location.shippedPath, Connection::OpenMode::ReadOnly);
        const QString problem = diaryShapeProblem(*shipped);
        if (!problem.isEmpty())
            return {MadeDiary::Outcome::ShippedUnusable, problem};
        if (!passesCheck(*shipped, CheckDepth::Quick))
            return {MadeDiary::Outcome::ShippedUnusable, u"it is damaged"_s};
    } catch (const DbError& error) {
        return {MadeDiary::Outcome::ShippedUnusable, error.message()};
    }
    try {
        writeDatabaseCopy(*shipped, location.diaryPath, CheckDepth::Quick);
    } catch (const DbError& error) {
        return {MadeDiary::Outcome::NotWritten, error.message()};
    }
    return {};
}

} // namespace kelvora
