#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace kelvora::test {

// A disk that fails on demand: a pass-through file system for SQLite, installed as the default
// before a test's diary is opened.
//  - `writesLeft`: writes fail with SQLITE_FULL once that many more have gone through, as on a disk
//    running out of space; a negative budget is a disk with room.
//  - `readOnly`: files opened from then on behave as when neither the diary nor its folder may be
//    written: the diary itself is opened read-only and no journal or WAL file can be created beside
//    it. A connection opened before still holds the diary open for writing (its writes fail only
//    for want of a journal, as "unable to open database file"), so a test reopens the program's
//    connection to have it find the diary read-only. Temporary files live elsewhere and stay
//    allowed.
//  - `folderReadOnly`: only the folder may not be written: the diary opens as usual, but no journal
//    or WAL file can be created beside it.
class FaultyDisk {
public:
    static inline int writesLeft = -1;
    static inline bool readOnly = false;
    static inline bool folderReadOnly = false;

    static void install() {
        static const bool installed = [] {
            s_real = sqlite3_vfs_find(nullptr);
            s_vfs = *s_real;
            s_vfs.zName = "kelvora_faulty_disk";
            s_vfs.szOsFile = int(sizeof(File)) + s_real->szOsFile;
            s_vfs.xOpen = open;
            return sqlite3_vfs_register(&s_vfs, 1) == SQLITE_OK;
        }();
        ASSERT_TRUE(installed);
    }

    // Back to a healthy disk.
    static void heal() {
        writesLeft = -1;
        readOnly = false;
        folderReadOnly = false;
    }

private:
    // Our part of an open file, followed by the real file system's part.
    struct File {
        sqlite3_file base;
        sqlite3_file* real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
    };
    static sqlite3_file* real(sqlite3_file* file) { return reinterpret_cast<File*>(file)->real(); }
    static const sqlite3_io_methods& io(sqlite3_file* file) { return *real(file)->pMethods; }

    static constexpr int FilesBesideTheDiary =
        SQLITE_OPEN_MAIN_JOURNAL | SQLITE_OPEN_WAL | SQLITE_OPEN_SUPER_JOURNAL;

    static int open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
        file->pMethods = nullptr;
        if ((readOnly || folderReadOnly) && (flags & FilesBesideTheDiary) != 0)
            return SQLITE_CANTOPEN;
        if (readOnly && (flags & SQLITE_OPEN_MAIN_DB) != 0)
            flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
        sqlite3_file* inner = real(file);
        inner->pMethods = nullptr;
        const int rc = s_real->xOpen(s_real, name, inner, flags, outFlags);
        if (inner->pMethods) {
            s_methods.iVersion = inner->pMethods->iVersion;
            file->pMethods = &s_methods;
        }
        return rc;
    }

    static inline sqlite3_vfs* s_real = nullptr;
    static inline sqlite3_vfs s_vfs{};
    static inline sqlite3_io_methods s_methods{
        3,
        [](sqlite3_file* f) { return io(f).xClose(real(f)); },
        [](sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
            return io(f).xRead(real(f), buffer, amount, offset);
        },
        [](sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
            if (writesLeft == 0)
                return SQLITE_FULL;
            if (writesLeft > 0)
                --writesLeft;
            return io(f).xWrite(real(f), buffer, amount, offset);
        },
        [](sqlite3_file* f, sqlite3_int64 size) { return io(f).xTruncate(real(f), size); },
        [](sqlite3_file* f, int flags) { return io(f).xSync(real(f), flags); },
        [](sqlite3_file* f, sqlite3_int64* size) { return io(f).xFileSize(real(f), size); },
        [](sqlite3_file* f, int lock) { return io(f).xLock(real(f), lock); },
        [](sqlite3_file* f, int lock) { return io(f).xUnlock(real(f), lock); },
        [](sqlite3_file* f, int* reserved) { return io(f).xCheckReservedLock(real(f), reserved); },
        [](sqlite3_file* f, int op, void* arg) { return io(f).xFileControl(real(f), op, arg); },
        [](sqlite3_file* f) { return io(f).xSectorSize(real(f)); },
        [](sqlite3_file* f) { return io(f).xDeviceCharacteristics(real(f)); },
        [](sqlite3_file* f, int page, int size, int extend, void volatile** map) {
            return io(f).xShmMap(real(f), page, size, extend, map);
        },
        [](sqlite3_file* f, int offset, int n, int flags) {
            return io(f).xShmLock(real(f), offset, n, flags);
        },
        [](sqlite3_file* f) { io(f).xShmBarrier(real(f)); },
        [](sqlite3_file* f, int deleteFlag) { return io(f).xShmUnmap(real(f), deleteFlag); },
        [](sqlite3_file* f, sqlite3_int64 offset, int amount, void** p) {
            return io(f).xFetch(real(f), offset, amount, p);
        },
        [](sqlite3_file* f, sqlite3_int64 offset, void* p) { return io(f).xUnfetch(real(f), offset, p); },
    };
};

} // namespace kelvora::test
