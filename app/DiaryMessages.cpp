#include "DiaryMessages.h"

#include "App.h"
#include "DbError.h"
#include "DiaryVersion.h"
#include "deData.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// How to get a sound diary back, naming the newest safety copy when there is one.
QString restoreAdvice(const std::optional<QString>& newestSafetyCopy) {
    const QString how =
        u"Please close Kelvora and put a copy of your diary in its place, then start Kelvora again."_s;
    if (!newestSafetyCopy)
        return how + u" Use the newest backup copy you have."_s;
    return how + u" The newest safety copy Kelvora made is:\n"_s + shown(*newestSafetyCopy);
}

} // namespace

QString openFailureText(OpenFailure failure, const QString& diaryPath,
                        const std::optional<QString>& newestSafetyCopy) {
    switch (failure) {
    case OpenFailure::Locked:
        return u"Kelvora can't open its diary because another program holds it locked:\n"_s +
               shown(diaryPath) +
               u"\nPlease close the other program (a database tool, or a backup or synchronization program) "
               "and start Kelvora again."_s;
    case OpenFailure::Unreadable:
        return u"Kelvora may not read its diary:\n"_s + shown(diaryPath) +
               u"\nPlease make sure that you may read and change this file and the folder it is in, then "
               u"start "
               "Kelvora again."_s;
    case OpenFailure::NotADiary:
        return u"This file is not a Kelvora diary, or it is damaged so badly that it can't be read:\n"_s +
               shown(diaryPath) + u"\n"_s + restoreAdvice(newestSafetyCopy);
    case OpenFailure::Damaged:
        return damagedDiaryText(diaryPath, newestSafetyCopy);
    case OpenFailure::Missing:
        break;
    }
    return u"Can't access database. Please make sure the database file Kelvora.mdb is present in the program "
           "folder."_s;
}

QString missingDiaryText(const QString& shippedPath, const QString& userDiaryPath) {
    return openFailureText(OpenFailure::Missing, shippedPath) +
           u"\n\nKelvora looked for your diary here:\n"_s + shown(userDiaryPath) +
           u"\nand for the diary it comes with, from which it makes yours, here:\n"_s + shown(shippedPath);
}

QString userDiaryNotWrittenText(const QString& userDiaryPath, const QString& shippedPath,
                                const QString& detail) {
    return u"Kelvora can't make your diary, so it can't start. At your first start it copies the diary it "
           "comes with:\n"_s +
           shown(shippedPath) + u"\nto this file:\n"_s + shown(userDiaryPath) +
           u"\nPlease make sure that you may write in that folder and that the disk is not full, then start "
           "Kelvora again.\n\nThe system reported: "_s +
           detail;
}

QString shippedDiaryUnusableText(const QString& shippedPath, const QString& userDiaryPath,
                                 const QString& detail) {
    return u"Kelvora can't make your diary, because the diary it comes with can't be used:\n"_s +
           shown(shippedPath) + u"\nThe database reported: "_s + detail +
           u"\n\nYour diary would be this file:\n"_s + shown(userDiaryPath) +
           u"\nPlease install Kelvora again, then start it."_s;
}

QString damagedDiaryText(const QString& diaryPath, const std::optional<QString>& newestSafetyCopy) {
    return u"Kelvora's diary is damaged, so Kelvora does not open it:\n"_s + shown(diaryPath) + u"\n"_s +
           restoreAdvice(newestSafetyCopy);
}

namespace {

// What a diary of a newer Kelvora is: "... was written by a newer version of Kelvora: ... only".
QString writtenByNewer(int version) {
    return u"was written by a newer version of Kelvora: its format version is %1, and this Kelvora knows "
           "format versions up to %2 only"_s.arg(version)
               .arg(CurrentDiaryVersion);
}

} // namespace

QString newerDiaryText(const QString& diaryPath, int version) {
    return u"This diary "_s + writtenByNewer(version) + u":\n"_s + shown(diaryPath) +
           u"\nKelvora leaves it unchanged. Please open it with the newer Kelvora."_s;
}

QString restoreNewerText(const QString& path, int version) {
    return shown(path) + u" "_s + writtenByNewer(version) + u", so it can't be restored here."_s;
}

QString restoreUpgradeFailureText(const QString& path, int version, const QString& reason) {
    return shown(path) +
           u" could not be brought from format version %1 up to version %2, so it can't be restored; the "
           "current diary is unchanged. The database reported: "_s.arg(version)
               .arg(CurrentDiaryVersion) +
           reason;
}

QString upgradeFailureText(const QString& diaryPath, int version, const QString& reason) {
    return u"Kelvora could not bring its diary from format version %1 up to version %2, so it does not "
           "open it:\n"_s.arg(version)
               .arg(CurrentDiaryVersion) +
           shown(diaryPath) + u"\n\nThe database reported: "_s + reason +
           u"\n\nThe diary is unchanged. Please make sure that you may change this file and the folder it "
           "is in and that the disk is not full, then start Kelvora again."_s;
}

QString readOnlyStartText(const QString& diaryPath) {
    return u"Kelvora may not change its diary, so nothing you enter can be stored:\n"_s + shown(diaryPath) +
           u"\nYou can still look at everything in it. To enter data again, please make sure that you may "
           "change this file and the folder it is in, then start Kelvora again."_s;
}

QString readOnlyStoreText(const QString& diaryPath) {
    return u"Can't store this: the diary is read-only, so nothing you enter can be stored. Please make sure "
           "that you may change the file "_s +
           shown(diaryPath) + u" and the folder it is in, then start Kelvora again."_s;
}

QString storeFailureText(const DbError& error, const QString& designed) {
    if (!App::exists())
        return designed;
    if (app().state().diaryReadOnly || error.isReadOnly())
        return readOnlyStoreText(app().de().Con.path());
    return designed;
}

QString uncaughtFailureText(const std::exception& error, const QString& diaryPath, bool diaryReadOnly) {
    const QString what = QString::fromUtf8(error.what());
    const auto* database = dynamic_cast<const DbError*>(&error);
    if (database && database->isDamage() && !diaryPath.isEmpty()) {
        return u"The diary file is damaged:\n"_s + shown(diaryPath) + u"\n\nThe database reported: "_s +
               what + u"\n\n"_s + restoreAdvice(std::nullopt);
    }
    if (database && (database->isReadOnly() || diaryReadOnly) && !diaryPath.isEmpty())
        return readOnlyStoreText(diaryPath);
    if (database && database->isIoError()) {
        return u"Kelvora could not read or write its diary file"_s +
               (diaryPath.isEmpty() ? u"."_s : u":\n"_s + shown(diaryPath)) + u"\n\nThe system reported: "_s +
               what +
               u"\n\nPlease check the disk. If this happens again, close Kelvora and restore a backup copy "
               "of the diary."_s;
    }
    // A statement that fails is undone as a whole, and what was stored before it stays stored.
    return (database ? u"The database reported an error:"_s : u"An unexpected error occurred:"_s) +
           u"\n\n"_s + what + u"\n\nNothing that was already stored has been lost."_s;
}

} // namespace kelvora
