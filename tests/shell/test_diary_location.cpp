// Which file is the diary: the program folder's when the user may write it, else the user's own in
// their data folder, made at their first start from the shipped diary, which is never changed.
#include "AppFixture.h"
#include "DiaryLocation.h"
#include "DiaryMessages.h"
#include "FakeServices.h"
#include "SafetyCopies.h"
#include "Startup.h"
#include "TestDatabase.h"
#include "deData.h"
#include "frmMain.h"

#include <QCryptographicHash>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace kelvora;
using namespace kelvora::test;

namespace {

constexpr auto ReadOnlyFile = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
constexpr auto ReadOnlyFolder = ReadOnlyFile | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
constexpr auto OwnFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

int modeOf(const QString& path) {
    struct stat status {};
    return stat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 07777) : -1;
}

QByteArray hashOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
               : QByteArray();
}

qlonglong scalar(const QString& diary, const QString& sql) {
    Connection con(diary, Connection::OpenMode::ReadOnly);
    Statement statement(con, sql);
    return statement.step() ? statement.value(0).toLongLong() : -999999;
}

struct Fakes {
    FakeMessages* messages = new FakeMessages;
    FakeModal* modal = new FakeModal;

    ServiceSet hand() {
        return {std::unique_ptr<MessageService>(messages),
                std::unique_ptr<ModalService>(modal),
                std::make_unique<FakeClock>(),
                std::make_unique<FakePrinter>(),
                std::make_unique<FakeHelp>(),
                std::make_unique<FakeFileDialogs>()};
    }
};

// A program folder as a system installation leaves it (the shipped diary and its folder read-only
// for everybody) or as a portable one does, and a user's data folder that does not exist yet.
class DiaryPlaces : public ::testing::Test {
protected:
    TestDatabase program; // the program folder with the shipped diary
    QTemporaryDir home;
    const QString dataFolder = QDir(home.path()).filePath(u"data"_s);
    const QString ownDiary = userDiaryPathIn(dataFolder);

    void TearDown() override { QFile::setPermissions(program.folder(), OwnFolder); }

    void installForEverybody() {
        ASSERT_TRUE(QFile::setPermissions(program.path(), ReadOnlyFile));
        ASSERT_TRUE(QFile::setPermissions(program.folder(), ReadOnlyFolder));
    }
    void putOwnDiary() {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(ownDiary).absolutePath()));
        ASSERT_TRUE(QFile::copy(program.path(), ownDiary));
    }
};

TEST_F(DiaryPlaces, TheDecisionFollowsWhatTheUserMayWriteAndWhatIsThere) {
    enum class Setup {
        Portable,
        FileReadOnly,
        FolderReadOnly,
        OwnDiaryThere,
        StartedReadOnly,
        NothingAnywhere
    };
    struct Case {
        const char* name;
        Setup setup;
        DiaryLocation::Way way;
        bool own;  // the user's own diary is the one
        bool make; // and it is still to be made
    };
    const Case cases[] = {
        {"portable", Setup::Portable, DiaryLocation::Way::Portable, false, false},
        {"shipped file read-only", Setup::FileReadOnly, DiaryLocation::Way::UserData, true, true},
        {"program folder read-only", Setup::FolderReadOnly, DiaryLocation::Way::UserData, true, true},
        {"own diary already there", Setup::OwnDiaryThere, DiaryLocation::Way::UserData, true, false},
        {"started diary made read-only", Setup::StartedReadOnly, DiaryLocation::Way::Portable, false, false},
        {"no diary anywhere", Setup::NothingAnywhere, DiaryLocation::Way::UserData, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestDatabase folder;
        QTemporaryDir data;
        switch (c.setup) {
        case Setup::Portable:
            break;
        case Setup::FileReadOnly:
            QFile::setPermissions(folder.path(), ReadOnlyFile);
            break;
        case Setup::FolderReadOnly:
            QFile::setPermissions(folder.folder(), ReadOnlyFolder);
            break;
        case Setup::OwnDiaryThere:
            QFile::setPermissions(folder.path(), ReadOnlyFile);
            QDir().mkpath(QFileInfo(userDiaryPathIn(data.path())).absolutePath());
            QFile::copy(folder.path(), userDiaryPathIn(data.path()));
            break;
        case Setup::StartedReadOnly:
            Connection(folder.path()).execute(u"update Common set FirstStart = 0"_s);
            QFile::setPermissions(folder.path(), ReadOnlyFile);
            break;
        case Setup::NothingAnywhere:
            QFile::remove(folder.path());
            break;
        }
        const DiaryLocation location = locateDiary(folder.folder(), data.path());
        QFile::setPermissions(folder.folder(), OwnFolder);
        EXPECT_EQ(location.way, c.way);
        EXPECT_EQ(location.shippedPath, folder.path());
        EXPECT_EQ(location.diaryPath, c.own ? userDiaryPathIn(data.path()) : folder.path());
        EXPECT_EQ(location.makeFromShipped, c.make);
    }
}

TEST(UserDataFolder, FollowsTheXdgRules) {
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    const struct {
        QByteArray environment;
        QString folder;
    } cases[] = {
        {"/srv/ann/data/", u"/srv/ann/data"_s},
        {"", QDir::homePath() + u"/.local/share"_s},
        // A relative path is not a data folder by those rules, and is ignored.
        {"data", QDir::homePath() + u"/.local/share"_s},
    };
    for (const auto& c : cases) {
        qputenv("XDG_DATA_HOME", c.environment);
        EXPECT_EQ(userDataFolder(), c.folder) << c.environment.constData();
    }
    qputenv("XDG_DATA_HOME", saved);
    EXPECT_EQ(userDiaryPathIn(u"/srv/ann/data"_s), u"/srv/ann/data/kelvora/Kelvora.mdb"_s);
}

TEST_F(DiaryPlaces, TheFirstStartMakesTheUsersOwnDiaryAndTheSecondWorksOnIt) {
    const QByteArray shipped = hashOf(program.path());
    installForEverybody();
    {
        Fakes fakes;
        fakes.modal->expect([](QDialog& dialog) {
            // The parameters go into the user's diary, which exists by now.
            EXPECT_EQ(dialog.objectName(), u"frmCommon"_s);
            dialog.findChild<QPushButton*>(u"btnOK"_s)->click();
        });
        auto running = startKelvora(program.folder(), fakes.hand(), QLocale(), dataFolder);
        ASSERT_TRUE(running.has_value());
        EXPECT_EQ(running->app->de().Con.path(), ownDiary);
        ASSERT_EQ(fakes.messages->shown.size(), 2u);
        EXPECT_EQ(fakes.messages->shown[0].message.title, u"You are welcome!"_s);
        // The lock is beside the diary in use.
        EXPECT_TRUE(QFileInfo::exists(diaryLockPathFor(ownDiary)));
    }
    EXPECT_EQ(modeOf(ownDiary), 0600);
    EXPECT_EQ(modeOf(QFileInfo(ownDiary).absolutePath()), 0700);
    EXPECT_EQ(modeOf(dataFolder), 0700);
    EXPECT_EQ(scalar(ownDiary, u"select FirstStart from Common"_s), 0);
    EXPECT_EQ(QDir(QFileInfo(ownDiary).absolutePath()).entryList(QDir::Files | QDir::Hidden),
              QStringList{u"Kelvora.mdb"_s})
        << "a temporary copy or the lock stayed behind";

    Connection(ownDiary).execute(
        u"update MealCategory set Name = 'Kept by the user' where MealCategoryID = 1"_s);
    {
        Fakes again;
        auto running = startKelvora(program.folder(), again.hand(), QLocale(), dataFolder);
        ASSERT_TRUE(running.has_value());
        EXPECT_TRUE(again.messages->shown.empty());
        EXPECT_TRUE(again.modal->opened.empty());
    }
    EXPECT_EQ(scalar(ownDiary, u"select count(*) from MealCategory where Name = 'Kept by the user'"_s), 1);
    EXPECT_TRUE(QFileInfo::exists(dailySafetyCopyPath(ownDiary, QDate(2026, 12, 6))));

    // The program folder is as it was shipped: the same diary, and nothing added beside it.
    QFile::setPermissions(program.folder(), OwnFolder);
    EXPECT_EQ(hashOf(program.path()), shipped);
    EXPECT_EQ(QDir(program.folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{u"Kelvora.mdb"_s});
}

// Each refusal names the files involved, shows no window and leaves the program folder alone.
TEST_F(DiaryPlaces, AUserDiaryThatCannotBeMadeIsRefusedNamingTheFiles) {
    QTemporaryDir scratch;
    const QString blocked = QDir(scratch.path()).filePath(u"not a folder"_s);
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    struct Case {
        const char* name;
        std::function<void()> prepare;
        QString dataFolder;
        std::function<QString()> text;
    };
    const QString blockedDiary = userDiaryPathIn(blocked);
    const Case cases[] = {
        // A file where the data folder should be: even an administrator cannot make a folder there.
        {"data folder cannot be made", [] {}, blocked,
         [&] { return userDiaryNotWrittenText(blockedDiary, program.path(), u"Not a directory"_s); }},
        {"shipped diary damaged",
         [&] {
             QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner);
             QFile shipped(program.path());
             ASSERT_TRUE(shipped.open(QIODevice::WriteOnly | QIODevice::Truncate));
             shipped.write("not a diary at all");
         },
         dataFolder,
         [&] { return shippedDiaryUnusableText(program.path(), ownDiary, u"file is not a database"_s); }},
        {"no shipped diary and no diary of the user's", [&] { QFile::remove(program.path()); }, dataFolder,
         [&] { return missingDiaryText(program.path(), ownDiary); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.prepare();
        if (QFileInfo::exists(program.path())) {
            ASSERT_TRUE(QFile::setPermissions(program.path(), ReadOnlyFile));
        }
        const QByteArray before = hashOf(program.path());
        Fakes fakes;
        FakeMessages* messages = fakes.messages;
        // A refused start leaves the services with their owner.
        ServiceSet services = fakes.hand();
        auto running = startKelvora(program.folder(), std::move(services), QLocale(), c.dataFolder);
        EXPECT_FALSE(running.has_value());
        ASSERT_EQ(messages->shown.size(), 1u);
        EXPECT_EQ(messages->last().title, u"Severe Error"_s);
        EXPECT_EQ(messages->last().icon, MessageIcon::Critical);
        EXPECT_EQ(messages->last().text.toStdString(), c.text().toStdString());
        EXPECT_TRUE(visibleWindows().isEmpty());
        EXPECT_FALSE(QFileInfo::exists(ownDiary)) << "half a diary was left behind";
        EXPECT_EQ(hashOf(program.path()), before);
    }
    // The designed sentence still leads the message about a missing diary.
    EXPECT_TRUE(missingDiaryText(program.path(), ownDiary)
                    .startsWith(u"Can't access database. Please make sure the database file Kelvora.mdb is "
                                "present in the program folder.\n"_s));
}

TEST_F(DiaryPlaces, AnExistingUserDiaryIsNeverReplaced) {
    putOwnDiary();
    Connection(ownDiary).execute(
        u"update Common set FirstStart = 0;"
        "update MealCategory set Name = 'Kept by the user' where MealCategoryID = 1"_s);
    installForEverybody();
    const QByteArray own = hashOf(ownDiary);
    const DiaryLocation location = locateDiary(program.folder(), dataFolder);
    ASSERT_EQ(location.diaryPath, ownDiary);
    // Even asked to make it, the maker leaves a diary that is there alone.
    DiaryLocation forced = location;
    forced.makeFromShipped = true;
    EXPECT_EQ(makeUserDiary(forced).outcome, MadeDiary::Outcome::Made);
    EXPECT_EQ(hashOf(ownDiary), own);

    Fakes fakes;
    auto running = startKelvora(program.folder(), fakes.hand(), QLocale(), dataFolder);
    ASSERT_TRUE(running.has_value());
    EXPECT_TRUE(fakes.messages->shown.empty());
    EXPECT_EQ(scalar(ownDiary, u"select count(*) from MealCategory where Name = 'Kept by the user'"_s), 1);
}

TEST(WhoMayWrite, PermissionBitsCountForEveryUser) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(u"f"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(userMayWrite(path));
    EXPECT_TRUE(userMayWrite(dir.path()));
    ASSERT_TRUE(QFile::setPermissions(path, ReadOnlyFile));
    EXPECT_FALSE(userMayWrite(path));
    EXPECT_FALSE(userMayWrite(QDir(dir.path()).filePath(u"missing"_s)));
}

} // namespace
