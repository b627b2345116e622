#include "SafetyCopies.h"

#include "DiaryFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

const QString FolderName = u"backups"_s;

// The names of the copies the program makes. Their date and time are written with fixed widths,
// so that the order of the names is the order in which the copies were made.
const QRegularExpression& dailyName() {
    static const QRegularExpression name(uR"(^Kelvora-\d{4}-\d{2}-\d{2}\.mdb$)"_s);
    return name;
}
const QRegularExpression& restoreName() {
    static const QRegularExpression name(uR"(^Kelvora-\d{4}-\d{2}-\d{2}-\d{6}-before-restore\.mdb$)"_s);
    return name;
}

const QRegularExpression& upgradeName() {
    static const QRegularExpression name(uR"(^Kelvora-\d{4}-\d{2}-\d{2}-\d{6}-before-upgrade\.mdb$)"_s);
    return name;
}

// The program's copies of one kind in the folder, newest first.
QStringList copiesIn(const QString& folder, const QRegularExpression& name) {
    QStringList copies =
        QDir(folder).entryList({u"Kelvora-*.mdb"_s}, QDir::Files, QDir::Name | QDir::Reversed);
    const auto notACopy = [&name](const QString& file) {
        constexpr int DateAt = 8; // after "Kelvora-"
        return !name.match(file).hasMatch() ||
               !QDate::fromString(file.mid(DateAt, 10), Qt::ISODate).isValid();
    };
    copies.erase(std::remove_if(copies.begin(), copies.end(), notACopy), copies.end());
    return copies;
}

// Deletes the copies of one kind beyond the newest `SafetyCopiesKept`, never `keep` (the copy just
// made, which a clock set back could otherwise sort among the oldest).
void pruneCopies(const QString& folder, const QRegularExpression& name, const QString& keep) {
    QStringList copies = copiesIn(folder, name);
    copies.removeAll(keep);
    const QDir dir(folder);
    for (qsizetype i = SafetyCopiesKept - 1; i < copies.size(); ++i)
        QFile::remove(dir.filePath(copies[i]));
}

// The folder for the copies, made readable by its owner only when it is new.
void makeFolder(const QString& folder) {
    if (QFileInfo(folder).isDir())
        return;
    if (!QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        throw DbError(u"Cannot create the folder %1"_s.arg(QDir::toNativeSeparators(folder)));
}

} // namespace

QString safetyCopyFolder(const QString& diaryPath) {
    return QFileInfo(diaryPath).absoluteDir().filePath(FolderName);
}

QString dailySafetyCopyPath(const QString& diaryPath, const QDate& day) {
    return QDir(safetyCopyFolder(diaryPath)).filePath(u"Kelvora-"_s + day.toString(Qt::ISODate) + u".mdb"_s);
}

bool dailySafetyCopyDue(const QString& diaryPath, const QDate& today) {
    return !QFileInfo::exists(dailySafetyCopyPath(diaryPath, today));
}

SafetyCopyResult makeDailySafetyCopy(const QString& diaryPath, const QDate& today,
                                     bool diaryPassedQuickCheck) {
    if (!dailySafetyCopyDue(diaryPath, today))
        return SafetyCopyResult::AlreadyMade;
    if (!diaryPassedQuickCheck)
        return SafetyCopyResult::NotOfDamaged;
    const QString folder = safetyCopyFolder(diaryPath);
    const QString copy = dailySafetyCopyPath(diaryPath, today);
    try {
        makeFolder(folder);
        Connection diary(diaryPath, Connection::OpenMode::ReadOnly);
        writeDatabaseCopy(diary, copy, CheckDepth::Quick);
    } catch (const std::exception&) {
        return SafetyCopyResult::Failed;
    }
    pruneCopies(folder, dailyName(), QFileInfo(copy).fileName());
    return SafetyCopyResult::Made;
}

QString safetyCopyFailureText(const QString& folder) {
    return u"Kelvora could not make today's safety copy of your diary in the folder "_s +
           QDir::toNativeSeparators(folder) +
           u". Please check that you may write in this folder and that the disk is not full. Your diary "
           "itself is unchanged, and Kelvora tries again at its next start."_s;
}

QString newestSafetyCopy(const QString& diaryPath) {
    const QString folder = safetyCopyFolder(diaryPath);
    const QStringList copies = copiesIn(folder, dailyName());
    return copies.isEmpty() ? QString() : QDir(folder).filePath(copies.front());
}

namespace {

QString makeCopyBefore(Connection& diary, const QDateTime& now, const QString& event,
                       const QRegularExpression& kind) {
    const QString folder = safetyCopyFolder(diary.path());
    makeFolder(folder);
    const QString name =
        u"Kelvora-"_s + now.toString(u"yyyy-MM-dd-HHmmss"_s) + u"-before-"_s + event + u".mdb"_s;
    const QString copy = QDir(folder).filePath(name);
    writeDatabaseCopy(diary, copy, CheckDepth::None);
    pruneCopies(folder, kind, name);
    return copy;
}

} // namespace

QString makeRestoreSafetyCopy(Connection& diary, const QDateTime& now) {
    // The diary is copied as it is: a damaged one too, since replacing a damaged diary is what a
    // restore is for, and its copy may still hold what the backup lacks.
    return makeCopyBefore(diary, now, u"restore"_s, restoreName());
}

QString makeUpgradeSafetyCopy(Connection& diary, const QDateTime& now) {
    return makeCopyBefore(diary, now, u"upgrade"_s, upgradeName());
}

} // namespace kelvora
