// A diary that cannot be written, read-only or on a full disk: every window that stores or deletes
// says so, keeps what the user typed, leaves the diary exactly as it was, and works again once the
// fault is gone.
#include "AppFixture.h"
#include "DataCombo.h"
#include "DiaryDump.h"
#include "DiaryMessages.h"
#include "EditorCall.h"
#include "FaultyDisk.h"
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
#include <QTimeEdit>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <ostream>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

enum class Fault { ReadOnly, DiskFull };

void PrintTo(Fault fault, std::ostream* os) {
    *os << (fault == Fault::ReadOnly ? "read-only" : "disk full");
}

// The identifier counters of the journal tables. A new journal row takes its identifier in a step
// of its own before the row is stored, so a store that fails after that step has spent one: on a
// disk that fills up halfway a counter may move on by one per failed attempt, and never back.
const QStringList Counters{u"NextMealConsumeID"_s, u"NextExercisePerformID"_s, u"NextBodyID"_s,
                           u"NextUserNoteID"_s};

struct Stored {
    DiaryDump rows; // with the counters masked
    std::map<QString, qint64> next;
};

// Where `now` parts from `before` beyond `spent` identifiers per counter; empty when it does not.
std::string changeFrom(const Stored& before, const Stored& now, int spent) {
    for (const QString& counter : Counters) {
        const qint64 was = before.next.at(counter);
        const qint64 is = now.next.at(counter);
        if (is < was || is > was + spent)
            return u"%1 went from %2 to %3 after %4 failed attempts"_s.arg(counter)
                .arg(was)
                .arg(is)
                .arg(spent)
                .toStdString();
    }
    return differenceOf(now.rows, before.rows).toStdString();
}

// The program's windows over a whole sample diary, with rows of the user's own that each list can
// delete (nothing refers to them) and each editor can find.
struct Diary {
    Diary() : installed((FaultyDisk::install(), true)) {
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
    // A test that stops halfway leaves no fault behind for the next one.
    ~Diary() { FaultyDisk::heal(); }
    void sql(const QString& text) { fx.app->de().Con.execute(text); }

    // Makes the program's own connection fail writes the way the fault does: a read-only diary
    // every write, a full disk those after the first `writes`. A read-only diary is one the program
    // finds read-only when it opens it, so its connection is opened again under the fault and again
    // once the fault is gone.
    void set(Fault fault, int writes) {
        if (fault == Fault::ReadOnly) {
            FaultyDisk::readOnly = true;
            reopen();
        } else {
            FaultyDisk::writesLeft = writes;
        }
    }
    void lift(Fault fault) {
        if (fault == Fault::ReadOnly) {
            FaultyDisk::readOnly = false;
            reopen();
        } else {
            FaultyDisk::writesLeft = -1;
        }
    }
    // Nothing of the program keeps a statement of its connection between two presses, and its
    // recordsets refer to the connection object, which stays the same.
    void reopen() { fx.app->de().Con = Connection(fx.db.path()); }

    // What is on disk, through a connection of its own: what the next start would find.
    Stored stored() {
        Connection con(fx.db.path());
        Stored result;
        {
            Statement counters(con, u"select %1 from Common"_s.arg(Counters.join(u", "_s)));
            EXPECT_TRUE(counters.step());
            for (int i = 0; i < Counters.size(); ++i)
                result.next[Counters[i]] = counters.value(i).toLongLong();
        }
        Transaction transaction(con);
        // The counters are compared on their own terms; everything else must match exactly.
        QStringList masked;
        for (const QString& counter : Counters)
            masked << counter + u" = 0"_s;
        con.execute(u"update Common set "_s + masked.join(u", "_s));
        result.rows = dumpDiary(con);
        return result; // the masking is rolled back
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

const QString CategoryStoreFailed =
    u"Can't store this record in database. Please check whether there is already Meal Category with the "
    u"same name in the database"_s;
const QString MealStoreFailed =
    u"Can't store this record in database. Please check whether there is already Meal with the same name in "
    u"the database"_s;
const QString ExerciseStoreFailed =
    u"Can't store this record in database. Please check whether there is already Activity with the same "
    u"name in the database"_s;

QDialog& openJournal(JournalEntryEditor& editor, qint32 mode) {
    editor.Mode = mode;
    editor.RecordID = 0;
    return editor;
}
void enterMeal(Diary&, QDialog& d) {
    child<QTimeEdit>(d, u"dtpTime"_s)->setTime(QTime(8, 15));
    child<DataCombo>(d, u"dcbMealCategory"_s)->setBoundValue(1);
    child<DataCombo>(d, u"dcbMeal"_s)->setBoundValue(901);
    type(d, u"txtQty"_s, u"2"_s);
}
void enterActivity(Diary&, QDialog& d) {
    child<DataCombo>(d, u"dcbExercise"_s)->setBoundValue(902);
    child<QTimeEdit>(d, u"dtpBeginTime"_s)->setTime(QTime(7, 0));
    child<QTimeEdit>(d, u"dtpEndTime"_s)->setTime(QTime(7, 45));
    type(d, u"txtQty"_s, u"0.75"_s);
}

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
     [](Diary&, QDialog& d) { type(d, u"txtName"_s, u"Stews"_s); }, u"btnOK"_s, CategoryStoreFailed, true},
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
     u"btnOK"_s, MealStoreFailed, true},
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
     u"btnOK"_s, ExerciseStoreFailed, true},
    {"MealCategoryEdit",
     [](Diary& t) -> QDialog& {
         t.categoryEditor.RecordID = 900;
         return t.categoryEditor;
     },
     [](Diary&, QDialog& d) { type(d, u"txtName"_s, u"Spare stews"_s); }, u"btnOK"_s, CategoryStoreFailed,
     true},
    {"MealEdit",
     [](Diary& t) -> QDialog& {
         t.mealEditor.RecordID = 901;
         t.mealEditor.MealCategoryID = 1;
         return t.mealEditor;
     },
     [](Diary&, QDialog& d) { type(d, u"txtCalories"_s, u"12"_s); }, u"btnOK"_s, MealStoreFailed, true},
    {"ExerciseEdit",
     [](Diary& t) -> QDialog& {
         t.exerciseEditor.RecordID = 902;
         return t.exerciseEditor;
     },
     [](Diary&, QDialog& d) { type(d, u"txtCaloriesConsume"_s, u"120"_s); }, u"btnOK"_s, ExerciseStoreFailed,
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
    // A new row, and the menu's adding mode, which stays open after each stored row. The time
    // differs from the one the program proposes, which it takes over only once a row is stored.
    {"MealConsumeNew", [](Diary& t) -> QDialog& { return openJournal(t.consumeEditor, 0); }, enterMeal,
     u"btnOK"_s, JournalStoreFailed, true},
    {"MealConsumeAdding", [](Diary& t) -> QDialog& { return openJournal(t.consumeEditor, 1); }, enterMeal,
     u"btnOK"_s, JournalStoreFailed, false},
    {"ExercisePerformNew", [](Diary& t) -> QDialog& { return openJournal(t.performEditor, 0); },
     enterActivity, u"btnOK"_s, JournalStoreFailed, true},
    {"ExercisePerformAdding", [](Diary& t) -> QDialog& { return openJournal(t.performEditor, 1); },
     enterActivity, u"btnOK"_s, JournalStoreFailed, false},
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
    {"BodyEdit",
     [](Diary& t) -> QDialog& {
         t.bodyEditor.RecordID = 30000;
         return t.bodyEditor;
     },
     [](Diary&, QDialog& d) { type(d, u"txtWeight"_s, u"181"_s); }, u"btnOK"_s, JournalStoreFailed, true},
    {"UserNoteEdit",
     [](Diary& t) -> QDialog& {
         t.noteEditor.RecordID = 30000;
         return t.noteEditor;
     },
     [](Diary&, QDialog& d) { type(d, u"txtNote"_s, u"Spare note, moved"_s); }, u"btnOK"_s,
     JournalStoreFailed, true},
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

// What of the program's state a store may change once it has succeeded, and not before.
std::string stateOf(const AppState& s) {
    return u"units %1, weight %2, rate %3, date %4, time %5"_s.arg(s.measurementSystem)
        .arg(s.bodyWeight)
        .arg(QString::number(s.metabolicRate, 'g', 17), QString::number(s.currentDate.serial(), 'g', 17),
             QString::number(s.currentTime.serial(), 'g', 17))
        .toStdString();
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
    const Stored before = diary.stored();
    const std::string stateBefore = stateOf(diary.fx.app->state());
    QDialog& window = c.open(diary);
    diary.fx.modal->expect([&](QDialog& d) {
        c.enter(diary, d);
        const auto inputs = inputsOf(d);
        bool leftOpen = false;
        // True when the press failed and said so.
        const auto press = [&](std::optional<int> budget) {
            const std::size_t shown = diary.fx.messages->shown.size();
            if (c.confirm)
                diary.fx.messages->answer(MessageButton::Yes);
            if (budget)
                diary.set(fault, *budget);
            child<QPushButton>(d, c.button)->click();
            // Asked before lifting the fault, which opens the connection afresh.
            leftOpen = diary.fx.app->de().Con.inTransaction();
            diary.lift(fault);
            diary.fx.messages->answers.clear();
            return diary.fx.messages->shown.size() > shown && diary.fx.messages->last().title == u"Error"_s;
        };

        int failures = 0;
        for (int budget = 0; press(budget); ++budget) {
            SCOPED_TRACE("failed after " + std::to_string(budget) + " writes");
            ++failures;
            const Message& m = diary.fx.messages->last();
            // A diary that may not be written is no fault of the input, and the message says so.
            const QString expected =
                fault == Fault::ReadOnly ? readOnlyStoreText(diary.fx.app->de().Con.path()) : c.message;
            EXPECT_EQ(m.text.toStdString(), expected.toStdString());
            EXPECT_EQ(m.icon, MessageIcon::Exclamation);
            EXPECT_TRUE(d.isVisible());
            EXPECT_TRUE(inputsOf(d) == inputs) << "the window lost what the user entered";
            EXPECT_FALSE(leftOpen) << "a transaction was left open";
            ASSERT_EQ(changeFrom(before, diary.stored(), fault == Fault::DiskFull ? failures : 0), "");
            EXPECT_EQ(stateOf(diary.fx.app->state()), stateBefore);
            // Read-only stays read-only; once it is lifted the press must work.
            if (fault == Fault::ReadOnly && press(std::nullopt))
                FAIL() << "the press failed once the diary was writable again";
            if (fault == Fault::ReadOnly)
                break;
            ASSERT_LT(budget, 1000) << "the store never finishes";
        }
        EXPECT_GT(failures, 0) << "the fault never took effect";
        EXPECT_NE(differenceOf(diary.stored().rows, before.rows).toStdString(), "") << "nothing was stored";
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

// The removal fails as a whole, at every point, and the application's handler says why: a diary
// that may not be written, or SQLite's reason.
TEST_P(TrialDataFailureTest, RemovesAllOrNothingAndReportsTheError) {
    const Fault fault = GetParam();
    const Stored before = diary.stored();
    const QString reason = u"database or disk is full"_s;
    int failures = 0;
    for (int budget = 0;; ++budget) {
        SCOPED_TRACE("failed after " + std::to_string(budget) + " writes");
        ASSERT_LT(budget, 1000) << "the removal never finishes";
        diary.fx.messages->answer(MessageButton::Yes);
        diary.set(fault, budget);
        bool leftOpen = false;
        try {
            DeleteTrialData(nullptr);
            diary.lift(fault);
            break;
        } catch (const DbError& error) {
            leftOpen = diary.fx.app->de().Con.inTransaction();
            diary.lift(fault);
            KelvoraApplication::reportUncaught(error);
        }
        ++failures;
        const Message& m = diary.fx.messages->last();
        EXPECT_EQ(m.title.toStdString(), "Error");
        if (fault == Fault::ReadOnly)
            EXPECT_EQ(m.text.toStdString(), readOnlyStoreText(diary.fx.app->de().Con.path()).toStdString());
        else
            EXPECT_TRUE(m.text.startsWith(u"The database reported an error:"_s) && m.text.contains(reason) &&
                        m.text.endsWith(u"Nothing that was already stored has been lost."_s))
                << m.text.toStdString();
        EXPECT_FALSE(leftOpen);
        ASSERT_EQ(changeFrom(before, diary.stored(), 0), "");
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
