// A diary that cannot be written, read-only or on a full disk: every window that stores or deletes
// says so, keeps what the user typed, leaves the diary exactly as it was, and works again once the
// fault is gone.
#include "AppFixture.h"
#include "DataCombo.h"
#include "DiaryDump.h"
#include "EditorCall.h"
#include "KelvoraApplication.h"
#include "ReportList.h"
#include "TrialData.h"
#include "deData.h"
#include "frmBody.h"
#include "frmCommon.h"
#include "frmExercise.h"
#include "frmExercisePerform.h"
#include "frmExercisePerforms.h"
#include "frmExercises.h"
#include "frmMeal.h"
#include "frmMealCategories.h"
#include "frmMealCategory.h"
#include "frmMealConsume.h"
#include "frmMealConsumes.h"
#include "frmMeals.h"
#include "frmMeasurements.h"
#include "frmUserNote.h"
#include "frmWeightAdjustment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>
#include <map>
#include <optional>
#include <ostream>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

// A disk that fills up on demand: a pass-through file system for SQLite whose writes fail with
// SQLITE_FULL once `writesLeft` more have gone through, as on a disk running out of space; a
// negative budget is a disk with room. Installed as the default before the test's diary is opened.
class FullDisk {
public:
    static inline int writesLeft = -1;

    static void install() {
        static const bool installed = [] {
            s_real = sqlite3_vfs_find(nullptr);
            s_vfs = *s_real;
            s_vfs.zName = "kelvora_full_disk";
            s_vfs.szOsFile = int(sizeof(File)) + s_real->szOsFile;
            s_vfs.xOpen = open;
            return sqlite3_vfs_register(&s_vfs, 1) == SQLITE_OK;
        }();
        ASSERT_TRUE(installed);
    }

private:
    // Our part of an open file, followed by the real file system's part.
    struct File {
        sqlite3_file base;
        sqlite3_file* real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
    };
    static sqlite3_file* real(sqlite3_file* file) { return reinterpret_cast<File*>(file)->real(); }
    static const sqlite3_io_methods& io(sqlite3_file* file) { return *real(file)->pMethods; }

    static int open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
        sqlite3_file* inner = real(file);
        inner->pMethods = nullptr;
        const int rc = s_real->xOpen(s_real, name, inner, flags, outFlags);
        if (inner->pMethods) {
            s_methods.iVersion = inner->pMethods->iVersion;
            file->pMethods = &s_methods;
        } else {
            file->pMethods = nullptr;
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

enum class Fault { ReadOnly, DiskFull };

void PrintTo(Fault fault, std::ostream* os) {
    *os << (fault == Fault::ReadOnly ? "read-only" : "disk full");
}

// The program's windows over a whole sample diary, with rows of the user's own that each list can
// delete (nothing refers to them) and each editor can find.
struct Diary {
    Diary() : installed((FullDisk::install(), true)) {
        sql(u"insert into MealCategory (MealCategoryID, Name) values (900, 'Spare category');"
            "insert into Meal (MealID, MealCategoryID, Name, Unit, Calories) values (901, 1, 'Spare meal', "
            "'cup', "
            "10);"
            "insert into Exercise (ExerciseID, Name, Unit, CaloriesConsume, CaloriesConsumeBase) values "
            "(902, "
            "'Spare activity', 'hour', 100, 100);"
            "insert into MealConsume values (30000, 1, %1, 0.5, 2);"
            "insert into ExercisePerform values (30000, 1, %1, 0.25, 0.3, 1);"
            "insert into Body values (30000, %2, 180, 40, 35, 41, 'I');"
            "insert into UserNote values (30000, %2, %2, 'Spare note')"_s
                .arg(DateValue::fromYmd(2026, 12, 6).serial())
                .arg(DateValue::fromYmd(2026, 12, 1).serial()));
    }
    void sql(const QString& text) { fx.app->de().Con.execute(text); }

    // Makes the program's own connection fail writes the way the fault does: a read-only diary
    // every write, a full disk those after the first `writes`.
    void set(Fault fault, int writes) {
        if (fault == Fault::ReadOnly)
            sql(u"pragma query_only = 1"_s);
        else
            FullDisk::writesLeft = writes;
    }
    void lift(Fault fault) {
        if (fault == Fault::ReadOnly)
            sql(u"pragma query_only = 0"_s);
        else
            FullDisk::writesLeft = -1;
    }

    // What is on disk, through a connection of its own: what the next start would find. A new
    // journal row takes its identifier in a step of its own before it is stored (a failed store
    // uses one up, and the next attempt takes a further one), so on a disk that fills up halfway
    // the identifier counters may have moved; nothing else may.
    DiaryDump stored(Fault fault) {
        Connection con(fx.db.path());
        if (fault == Fault::ReadOnly)
            return dumpDiary(con);
        Transaction transaction(con);
        con.execute(u"update Common set NextMealConsumeID = 0, NextExercisePerformID = 0, NextBodyID = 0, "
                    "NextUserNoteID = 0"_s);
        return dumpDiary(con); // the normalisation is rolled back
    }

    bool installed;
    AppFixture fx{SeedContents::Full};
    frmMealCategory categoryEditor{nullptr};
    frmMeal mealEditor{nullptr, categoryEditor};
    frmWeightAdjustment calculator{nullptr};
    frmExercise exerciseEditor{nullptr, calculator};
    frmCommon common{nullptr};
    frmMealConsume consumeEditor{nullptr, mealEditor};
    frmExercisePerform performEditor{nullptr, exerciseEditor};
    frmBody bodyEditor{nullptr};
    frmUserNote noteEditor{nullptr};
    frmMealCategories categories{nullptr, categoryEditor};
    frmMeals meals{nullptr, mealEditor};
    frmExercises exercises{nullptr, exerciseEditor};
    frmMealConsumes consumes{editorCall(consumeEditor), nullptr};
    frmExercisePerforms performs{editorCall(performEditor), nullptr};
    frmMeasurements measurements{nullptr, bodyEditor, noteEditor};
};

template <typename T> T* child(QDialog& d, const QString& name) {
    T* found = d.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}
void type(QDialog& d, const QString& name, const QString& text) {
    child<QLineEdit>(d, name)->setText(text);
}
void select(QDialog& d, const QString& list, qint64 tag) {
    ASSERT_TRUE(child<ReportList>(d, list)->selectByTag(tag))
        << "no item " << tag << " in " << list.toStdString();
}

// Everything the user can have entered in a window, by control.
std::map<QString, QString> inputsOf(QDialog& d) {
    std::map<QString, QString> inputs;
    for (QWidget* w : d.findChildren<QWidget*>()) {
        if (w->objectName().isEmpty())
            continue;
        if (auto* e = qobject_cast<QLineEdit*>(w))
            inputs[w->objectName()] = e->text();
        else if (auto* t = qobject_cast<QDateTimeEdit*>(w))
            inputs[w->objectName()] = t->dateTime().toString(Qt::ISODate);
        else if (auto* c = qobject_cast<QComboBox*>(w))
            inputs[w->objectName()] = c->currentText();
        else if (auto* b = qobject_cast<QCheckBox*>(w))
            inputs[w->objectName()] = b->isChecked() ? u"checked"_s : u"clear"_s;
        else if (auto* l = qobject_cast<ReportList*>(w))
            inputs[w->objectName()] = u"%1 items, #%2"_s.arg(l->rowCount()).arg(l->selectedTag());
    }
    return inputs;
}

const QString JournalStoreFailed =
    u"Can't store this record in database. Please check whether all data are valid"_s;
const QString CatalogDeleteFailed =
    u"This record can't be deleted because there are records in the database, which refer to it"_s;
const QString JournalDeleteFailed = u"This record can't be deleted from database"_s;

struct Case {
    const char* name;
    std::function<QDialog&(Diary&)> open;        // sets the window's inputs and returns it
    std::function<void(Diary&, QDialog&)> enter; // what the user enters or selects in the open window
    QString button;                              // the button that stores or deletes
    QString message;
    bool closesOnSuccess;
    bool confirm = false; // the press asks first, with No as the default, and the user says Yes
};

const Case Cases[] = {
    {"MealCategory",
     [](Diary& t) -> QDialog& {
         t.categoryEditor.RecordID = 0;
         return t.categoryEditor;
     },
     [](Diary&, QDialog& d) { type(d, u"txtName"_s, u"Stews"_s); }, u"btnOK"_s,
     u"Can't store this record in database. Please check whether there is already Meal Category with the "
     u"same "
     "name in the database"_s,
     true},
    {"Meal",
     [](Diary& t) -> QDialog& {
         t.mealEditor.RecordID = 0;
         t.mealEditor.MealCategoryID = 1;
         return t.mealEditor;
     },
     [](Diary&, QDialog& d) {
         type(d, u"txtName"_s, u"Lentil stew"_s);
         type(d, u"txtUnit"_s, u"bowl"_s);
         type(d, u"txtFat"_s, u"6"_s);
         type(d, u"txtCarboHydrate"_s, u"30"_s);
         type(d, u"txtProtein"_s, u"12"_s);
         type(d, u"txtCalories"_s, u"210"_s);
     },
     u"btnOK"_s,
     u"Can't store this record in database. Please check whether there is already Meal with the same name in "
     u"the "
     "database"_s,
     true},
    {"Exercise",
     [](Diary& t) -> QDialog& {
         t.exerciseEditor.RecordID = 0;
         return t.exerciseEditor;
     },
     [](Diary&, QDialog& d) {
         type(d, u"txtName"_s, u"Rowing, easy"_s);
         type(d, u"txtCaloriesConsume"_s, u"300"_s);
         type(d, u"txtUnit"_s, u"hour"_s);
         type(d, u"txtDefaultQty"_s, u"1"_s);
     },
     u"btnOK"_s,
     u"Can't store this record in database. Please check whether there is already Activity with the same "
     u"name "
     "in the database"_s,
     true},
    {"Common", [](Diary& t) -> QDialog& { return t.common; },
     [](Diary&, QDialog& d) {
         child<QComboBox>(d, u"cbxMeasurement"_s)->setCurrentIndex(1);
         type(d, u"txtWeight"_s, u"68"_s);
     },
     u"btnOK"_s, u"Can't store information in database."_s, true},
    {"MealConsume",
     [](Diary& t) -> QDialog& {
         t.consumeEditor.Mode = 0;
         t.consumeEditor.RecordID = 30000;
         return t.consumeEditor;
     },
     [](Diary&, QDialog& d) { type(d, u"txtQty"_s, u"3.5"_s); }, u"btnOK"_s, JournalStoreFailed, true},
    {"ExercisePerform",
     [](Diary& t) -> QDialog& {
         t.performEditor.Mode = 0;
         t.performEditor.RecordID = 30000;
         return t.performEditor;
     },
     [](Diary&, QDialog& d) { type(d, u"txtQty"_s, u"0.75"_s); }, u"btnOK"_s, JournalStoreFailed, true},
    {"Body",
     [](Diary& t) -> QDialog& {
         t.bodyEditor.RecordID = 0;
         return t.bodyEditor;
     },
     [](Diary&, QDialog& d) {
         child<QDateTimeEdit>(d, u"dtpDate"_s)->setDate(QDate(2026, 12, 3));
         type(d, u"txtWeight"_s, u"179.5"_s);
         type(d, u"txtBreast"_s, u"40"_s);
         type(d, u"txtWaist"_s, u"34.5"_s);
         type(d, u"txtHips"_s, u"41"_s);
     },
     u"btnOK"_s, JournalStoreFailed, true},
    // A new measurement on a day that has one replaces it: the old row goes and the new one comes,
    // both or neither.
    {"BodyReplace",
     [](Diary& t) -> QDialog& {
         t.bodyEditor.RecordID = 0;
         return t.bodyEditor;
     },
     [](Diary&, QDialog& d) {
         child<QDateTimeEdit>(d, u"dtpDate"_s)->setDate(QDate(2026, 12, 1));
         type(d, u"txtWeight"_s, u"178"_s);
         type(d, u"txtBreast"_s, u"39.5"_s);
         type(d, u"txtWaist"_s, u"34"_s);
         type(d, u"txtHips"_s, u"40.5"_s);
     },
     u"btnOK"_s, JournalStoreFailed, true, true},
    {"UserNote",
     [](Diary& t) -> QDialog& {
         t.noteEditor.RecordID = 0;
         return t.noteEditor;
     },
     [](Diary&, QDialog& d) {
         child<QDateTimeEdit>(d, u"dtpDateFrom"_s)->setDate(QDate(2026, 12, 10));
         child<QDateTimeEdit>(d, u"dtpDateTo"_s)->setDate(QDate(2026, 12, 12));
         type(d, u"txtNote"_s, u"Trip to the mountains"_s);
     },
     u"btnOK"_s, JournalStoreFailed, true},
    {"MealCategories", [](Diary& t) -> QDialog& { return t.categories; },
     [](Diary&, QDialog& d) { child<ReportList>(d, u"lvwList"_s)->selectByText(u"Spare category"_s); },
     u"btnDelete"_s, CatalogDeleteFailed, false},
    {"Meals", [](Diary& t) -> QDialog& { return t.meals; },
     [](Diary& t, QDialog& d) {
         Statement name(t.fx.app->de().Con, u"select Name from MealCategory where MealCategoryID = 1"_s);
         ASSERT_TRUE(name.step());
         t.meals.dcbMealCategory->setText(name.value(0).toString());
         select(d, u"lvwList"_s, 901);
     },
     u"btnDelete"_s, CatalogDeleteFailed, false},
    {"Exercises", [](Diary& t) -> QDialog& { return t.exercises; },
     [](Diary&, QDialog& d) { select(d, u"lvwList"_s, 902); }, u"btnDelete"_s, CatalogDeleteFailed, false},
    {"MealConsumes", [](Diary& t) -> QDialog& { return t.consumes; },
     [](Diary&, QDialog& d) {
         child<QDateTimeEdit>(d, u"dtpDate"_s)->setDate(QDate(2026, 12, 6));
         select(d, u"lvwList"_s, 30000);
     },
     u"btnDelete"_s, JournalDeleteFailed, false},
    {"ExercisePerforms", [](Diary& t) -> QDialog& { return t.performs; },
     [](Diary&, QDialog& d) {
         child<QDateTimeEdit>(d, u"dtpDate"_s)->setDate(QDate(2026, 12, 6));
         select(d, u"lvwList"_s, 30000);
     },
     u"btnDelete"_s, JournalDeleteFailed, false},
    {"MeasurementsBody", [](Diary& t) -> QDialog& { return t.measurements; },
     [](Diary&, QDialog& d) { select(d, u"lvwMeasurementList"_s, 30000); }, u"btnMeasurementDelete"_s,
     JournalDeleteFailed, false},
    {"MeasurementsNote", [](Diary& t) -> QDialog& { return t.measurements; },
     [](Diary&, QDialog& d) { select(d, u"lvwNoteList"_s, 30000); }, u"btnNotetDelete"_s, JournalDeleteFailed,
     false},
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class StoreFailureTest : public ::testing::TestWithParam<std::tuple<Case, Fault>> {
protected:
    Diary diary;
};

// A press that fails shows its message, keeps the window open with everything the user entered,
// and leaves the diary on disk and the program's state as they were. The read-only diary refuses
// every write; the disk fills up after each number of writes in turn (none, one, two, ...), so the
// store fails at every point it can until it has room to finish, as it then must.
TEST_P(StoreFailureTest, SaysSoKeepsTheInputAndChangesNothing) {
    const auto& [c, fault] = GetParam();
    const DiaryDump before = diary.stored(fault);
    const AppState stateBefore = diary.fx.app->state();
    QDialog& window = c.open(diary);
    diary.fx.modal->expect([&](QDialog& d) {
        c.enter(diary, d);
        const auto inputs = inputsOf(d);
        // True when the press failed and said so.
        const auto press = [&](std::optional<int> budget) {
            const std::size_t shown = diary.fx.messages->shown.size();
            if (c.confirm)
                diary.fx.messages->answer(MessageButton::Yes);
            if (budget)
                diary.set(fault, *budget);
            child<QPushButton>(d, c.button)->click();
            diary.lift(fault);
            diary.fx.messages->answers.clear();
            return diary.fx.messages->shown.size() > shown && diary.fx.messages->last().title == u"Error"_s;
        };

        int failures = 0;
        for (int budget = 0; press(budget); ++budget) {
            SCOPED_TRACE("failed after " + std::to_string(budget) + " writes");
            ++failures;
            const Message& m = diary.fx.messages->last();
            EXPECT_EQ(m.text.toStdString(), c.message.toStdString());
            EXPECT_EQ(m.icon, MessageIcon::Exclamation);
            EXPECT_TRUE(d.isVisible());
            EXPECT_TRUE(inputsOf(d) == inputs) << "the window lost what the user entered";
            EXPECT_FALSE(diary.fx.app->de().Con.inTransaction()) << "a transaction was left open";
            ASSERT_EQ(differenceOf(diary.stored(fault), before).toStdString(), "");
            EXPECT_EQ(diary.fx.app->state().measurementSystem.toStdString(),
                      stateBefore.measurementSystem.toStdString());
            EXPECT_EQ(diary.fx.app->state().bodyWeight, stateBefore.bodyWeight);
            // Read-only stays read-only; once it is lifted the press must work.
            if (fault == Fault::ReadOnly && press(std::nullopt))
                FAIL() << "the press failed once the diary was writable again";
            if (fault == Fault::ReadOnly)
                break;
            ASSERT_LT(budget, 1000) << "the store never finishes";
        }
        EXPECT_GT(failures, 0) << "the fault never took effect";
        EXPECT_NE(differenceOf(diary.stored(fault), before).toStdString(), "") << "nothing was stored";
        EXPECT_EQ(d.isVisible(), !c.closesOnSuccess);
    });
    diary.fx.app->modal().exec(window);
}

INSTANTIATE_TEST_SUITE_P(Windows, StoreFailureTest,
                         ::testing::Combine(::testing::ValuesIn(Cases),
                                            ::testing::Values(Fault::ReadOnly, Fault::DiskFull)),
                         [](const ::testing::TestParamInfo<std::tuple<Case, Fault>>& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) == Fault::ReadOnly ? "_ReadOnly" : "_DiskFull");
                         });

class TrialDataFailureTest : public ::testing::TestWithParam<Fault> {
protected:
    Diary diary;
};

// The removal fails as a whole, at every point, and the application's handler names SQLite's reason.
TEST_P(TrialDataFailureTest, RemovesAllOrNothingAndReportsTheError) {
    const Fault fault = GetParam();
    const DiaryDump before = diary.stored(fault);
    const QString reason =
        fault == Fault::ReadOnly ? u"attempt to write a readonly database"_s : u"database or disk is full"_s;
    int failures = 0;
    for (int budget = 0;; ++budget) {
        SCOPED_TRACE("failed after " + std::to_string(budget) + " writes");
        ASSERT_LT(budget, 1000) << "the removal never finishes";
        diary.fx.messages->answer(MessageButton::Yes);
        diary.set(fault, budget);
        try {
            DeleteTrialData(nullptr);
            diary.lift(fault);
            break;
        } catch (const DbError& error) {
            diary.lift(fault);
            KelvoraApplication::reportUncaught(error);
        }
        ++failures;
        const Message& m = diary.fx.messages->last();
        EXPECT_EQ(m.title.toStdString(), "Error");
        EXPECT_TRUE(m.text.startsWith(u"The database reported an error:"_s) && m.text.contains(reason))
            << m.text.toStdString();
        EXPECT_FALSE(diary.fx.app->de().Con.inTransaction());
        ASSERT_EQ(differenceOf(diary.stored(fault), before).toStdString(), "");
        if (fault == Fault::ReadOnly) {
            diary.fx.messages->answer(MessageButton::Yes);
            EXPECT_TRUE(DeleteTrialData(nullptr));
            break;
        }
    }
    EXPECT_GT(failures, 0);
    Connection con(diary.fx.db.path());
    Statement left(con,
                   u"select (select count(*) from Body where BodyId < 0) + (select count(*) from "
                   "ExercisePerform where ExercisePerformID < 0) + (select count(*) from MealConsume where "
                   "MealConsumeID < 0) + (select count(*) from UserNote where UserNoteId < 0)"_s);
    ASSERT_TRUE(left.step());
    EXPECT_EQ(left.value(0).toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(Faults, TrialDataFailureTest, ::testing::Values(Fault::ReadOnly, Fault::DiskFull),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                             return info.param == Fault::ReadOnly ? "ReadOnly" : "DiskFull";
                         });

} // namespace
} // namespace kelvora::test
