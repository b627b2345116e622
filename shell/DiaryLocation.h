#pragma once

#include <QString>

namespace kelvora {

// Which file is the user's diary. A program folder that holds a diary the user may write is a
// portable installation: that file is the diary, wherever the folder was copied. A program
// installed for everyone lives in folders its users may not write; each user then keeps a diary of
// their own in their data folder, made at their first start from the diary that comes with the
// program, which stays as it was shipped.

// The user's data folder by the XDG rules: $XDG_DATA_HOME when it holds an absolute path, else
// ~/.local/share.
QString userDataFolder();
// The user's own diary in a data folder: <folder>/kelvora/Kelvora.mdb.
QString userDiaryPathIn(const QString& dataFolder);

// Whether the user may write the file or folder at `path`: the system allows it, and so do the
// permission bits that apply to the user. The bits count for an administrator too, whom the system
// would let write anything: a diary shipped read-only is meant to be copied, not written.
bool userMayWrite(const QString& path);

struct DiaryLocation {
    enum class Way {
        Portable, // the diary in the program folder
        UserData, // the user's own diary in their data folder
    };
    Way way = Way::Portable;
    QString diaryPath;   // the file the program works on
    QString shippedPath; // the diary in the program folder, there or not
    // The user's diary is still to be made from the shipped one: the first start of this user.
    bool makeFromShipped = false;
};

// The decision, in this order: a diary in the program folder that the user may write (file and
// folder); the user's own diary when it exists, which is never replaced; a read-only diary in the
// program folder that has been started before, which opens for looking at as it always did;
// otherwise the user's own diary, to be made from the shipped one.
DiaryLocation locateDiary(const QString& programFolder, const QString& dataFolder);

// Makes the user's diary from the shipped one: the folders it needs, readable by the owner only,
// and an owner-only copy written under a temporary name, checked and only then renamed into place,
// so an interrupted first start leaves no half diary behind. A diary already at the place is never
// touched. The caller holds the diary's lock, so no other start is making the same diary.
struct MadeDiary {
    enum class Outcome {
        Made,            // the diary is there now (or was already)
        ShippedUnusable, // the shipped diary is missing, unreadable, damaged or no diary at all
        NotWritten,      // the copy could not be written (a folder that may not be written, a full disk)
    };
    Outcome outcome = Outcome::Made;
    QString detail; // the system's or the database's own words for a failure
};
MadeDiary makeUserDiary(const DiaryLocation& location);

// The folder of the user's diary, made if missing (each new folder readable by its owner only).
// Returns the system's reason when it cannot be made; empty on success.
QString makeDiaryFolder(const QString& diaryPath);

} // namespace kelvora
