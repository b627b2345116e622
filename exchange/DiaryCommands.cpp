#include "DiaryCommands.h"

#include "DiaryMessages.h"

#include "App.h"
#include "CommonSettings.h"
#include "DateFields.h"
#include "DiaryFile.h"
#include "DiaryVersion.h"
#include "FileSaving.h"
#include "SafetyCopies.h"
#include "deData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

const QString DiaryFilter = u"Kelvora diary (*.mdb)"_s;
const QString AllFilesFilter = u"All files (*)"_s;

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString counted(qint64 count, const QString& one, const QString& many) {
    return QString::number(count) + u' ' + (count == 1 ? one : many);
}

QString shortDate(const QDate& date) {
    return QLocale().toString(date, shortDateFormat());
}

// A newer diary is refused; an older one is copied into `upgraded` and upgraded there, and `source`
// then reads that copy.
bool bringUpToDate(QWidget* parent, const QString& path, Connection& source, QTemporaryDir& upgraded) {
    MessageService& messages = app().messages();
    int version = FirstDiaryVersion;
    try {
        version = diaryVersion(source);
    } catch (const DbError&) {
        return true; // not readable as a diary: the shape test names it
    }
    try {
        if (version > CurrentDiaryVersion) {
            messages.error(parent, restoreNewerText(path, version));
            return false;
        }
        if (version == CurrentDiaryVersion)
            return true;
        if (!upgraded.isValid())
            throw DbError(upgraded.errorString());
        const QString copyPath = QDir(upgraded.path()).filePath(u"restore.mdb"_s);
        writeDatabaseCopy(source, copyPath, CheckDepth::None);
        Connection copy(copyPath, Connection::OpenMode::Existing);
        if (upgradeDiary(copy) == UpgradeResult::NotADiary)
            return true; // the shape test names it
        source = std::move(copy);
    } catch (const DbError& error) {
        messages.error(parent, restoreUpgradeFailureText(path, version, error.message()));
        return false;
    }
    return true;
}

// Opens the file the user chose as a diary to restore, or says why it is none. An older diary is
// read from an upgraded copy in `upgraded`.
bool openDiaryToRestore(QWidget* parent, const QString& path, Connection& source, QTemporaryDir& upgraded) {
    MessageService& messages = app().messages();
    if (isOpenDiary(path)) {
        messages.error(parent, native(path) +
                                   u" is the diary Kelvora has open. Please choose a backup copy of it "
                                   "to restore."_s);
        return false;
    }
    const QString notADiary = native(path) +
                              u" is not a Kelvora diary, so it can't be restored. Please choose a "
                              "backup copy of your diary."_s;
    try {
        source = Connection(path, Connection::OpenMode::ReadOnly);
    } catch (const DbError&) {
        messages.error(parent, notADiary);
        return false;
    }
    // Soundness first: damage can hide the tables of a diary.
    if (!passesCheck(source, CheckDepth::Full)) {
        messages.error(parent, native(path) +
                                   u" is damaged, so it can't be restored. Please choose another "
                                   "backup copy, for example one of the safety copies in "_s +
                                   native(safetyCopyFolder(app().de().Con.path())) + u'.');
        return false;
    }
    // A diary of an older format is restored as this program keeps it: upgraded on a copy of its
    // own, so the file chosen stays as it was and the open diary is only ever replaced by a whole,
    // current one.
    if (!bringUpToDate(parent, path, source, upgraded))
        return false;
    if (!diaryShapeProblem(source).isEmpty()) {
        messages.error(parent, notADiary);
        return false;
    }
    return true;
}

} // namespace

bool isOpenDiary(const QString& path) {
    std::error_code error;
    const bool same = std::filesystem::equivalent(
        QFile::encodeName(path).toStdString(), QFile::encodeName(app().de().Con.path()).toStdString(), error);
    return same && !error;
}

QString documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

QString proposedBackupName(const QDate& day) {
    return u"Kelvora-"_s + day.toString(Qt::ISODate) + u".mdb"_s;
}

void backUpDiary(QWidget* parent) {
    const QDate today = app().clock().now().date();
    QString path =
        app().files().saveFile(parent, u"Back Up Diary"_s,
                               QDir(documentsFolder()).filePath(proposedBackupName(today)), {DiaryFilter});
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += u".mdb"_s;
    MessageService& messages = app().messages();
    if (isOpenDiary(path)) {
        messages.error(parent, native(path) +
                                   u" is the diary itself. Please choose another file for its backup "
                                   "copy."_s);
        return;
    }
    if (!confirmReplace(parent, path))
        return;
    try {
        writeDatabaseCopy(app().de().Con, path, CheckDepth::Full);
    } catch (const DbError& error) {
        messages.error(parent,
                       failedItsCheck(error)
                           ? u"The copy of the diary did not pass the database's integrity check, so "
                             "it was not kept. The diary itself may be damaged: please restore one of "
                             "the safety copies in "_s +
                                 native(safetyCopyFolder(app().de().Con.path())) + u'.'
                           : writeFailureText(path));
        return;
    }
    messages.information(parent, programTitle(), u"The diary was backed up to "_s + native(path) + u'.');
}

QString restoreQuestion(const QString& path, const DiarySummary& summary) {
    const QString& nl = app().state().newLine;
    QString holds;
    if (!summary.firstDay)
        holds = u"holds a diary without meals, activities, body measurements or notes."_s;
    else
        holds = u"holds a diary from %1 to %2 with %3, %4, %5 and %6."_s.arg(
            shortDate(*summary.firstDay), shortDate(*summary.lastDay),
            counted(summary.meals, u"meal"_s, u"meals"_s),
            counted(summary.activities, u"activity"_s, u"activities"_s),
            counted(summary.measurements, u"body measurement"_s, u"body measurements"_s),
            counted(summary.notes, u"note"_s, u"notes"_s));
    return native(path) + u' ' + holds + nl + nl +
           u"Do you want to replace the current diary with it? A safety copy of the current diary is kept in "_s +
           native(safetyCopyFolder(app().de().Con.path())) + u'.';
}

bool restoreDiary(QWidget* parent) {
    const QString path =
        app().files().openFile(parent, u"Restore Diary"_s, documentsFolder(), {DiaryFilter, AllFilesFilter});
    if (path.isEmpty())
        return false;
    QTemporaryDir upgraded;
    Connection source;
    if (!openDiaryToRestore(parent, path, source, upgraded))
        return false;
    MessageService& messages = app().messages();
    if (!messages.ask(parent, programTitle(), restoreQuestion(path, summarizeDiary(source)),
                      MessageButton::No))
        return false;

    deData& de = app().de();
    QString safetyCopy;
    try {
        safetyCopy = makeRestoreSafetyCopy(de.Con, app().clock().now());
    } catch (const DbError&) {
        messages.error(parent,
                       u"Kelvora could not make a safety copy of the current diary in the folder "_s +
                           native(safetyCopyFolder(de.Con.path())) +
                           u", so the diary was not replaced. Please check that you may write in this "
                           "folder and that the disk is not full."_s);
        return false;
    }
    try {
        copyDatabase(source, de.Con);
    } catch (const DbError&) {
        messages.error(parent, u"The diary could not be replaced by "_s + native(path) +
                                   u"; it is unchanged. Please check that you may write the file "_s +
                                   native(de.Con.path()) + u" and that the disk is not full."_s);
        return false;
    }
    de.reloadAfterReplacement();
    readCommonSettings(app().state(), de);
    messages.information(parent, programTitle(),
                         u"The diary was restored from "_s + native(path) +
                             u". The diary it replaced was kept as "_s + native(safetyCopy) + u'.');
    return true;
}

} // namespace kelvora
