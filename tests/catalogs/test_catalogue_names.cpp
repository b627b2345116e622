// Catalogue names in any language, through the real windows: the lists in the order of the user's
// language, the editors refusing a name the table already holds in another letter case or another
// composition of its accents, and a diary the stock sqlite3 shell still reads and writes.
#include "AppFixture.h"
#include "CatalogEditor.h"
#include "DataCombo.h"
#include "ReportList.h"
#include "ScopedLocale.h"
#include "deData.h"
#include "frmExercise.h"
#include "frmExercises.h"
#include "frmMeal.h"
#include "frmMealCategories.h"
#include "frmMealCategory.h"
#include "frmMeals.h"
#include "frmWeightAdjustment.h"

#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

// "Ä" typed as A and a combining diaeresis.
const QString DecomposedApfel = u"A\u0308pfel"_s;

class CatalogueNamesTest : public ::testing::Test {
protected:
    AppFixture fx{SeedContents::SchemaOnly};
    frmMealCategory categoryEditor{nullptr};
    frmMealCategories categories{nullptr, categoryEditor};
    frmMeal mealEditor{nullptr, categoryEditor};
    frmMeals meals{nullptr, mealEditor};
    frmWeightAdjustment calculator{nullptr};
    frmExercise exerciseEditor{nullptr, calculator};
    frmExercises exercises{nullptr, exerciseEditor};

    void addEverywhere(const QStringList& names) { addToEveryCatalogue(fx.app->de().Con, names); }
    QStringList column(const QString& sql) {
        QStringList values;
        for (Statement statement(fx.app->de().Con, sql); statement.step();)
            values << statement.value(0).toString();
        return values;
    }
    static QStringList shown(const ReportList& list) {
        QStringList names;
        for (int i = 1; i <= list.rowCount(); ++i)
            names << list.row(i)->text(0);
        return names;
    }
    // The names a list window shows when it opens.
    QStringList listed(QDialog& window, const std::function<void()>& beforeReading = {}) {
        QStringList names;
        fx.modal->expect([&](QDialog&) {
            if (beforeReading)
                beforeReading();
            names = shown(*window.findChild<ReportList*>(u"lvwList"_s));
        });
        fx.app->modal().exec(window);
        return names;
    }
    // Types `text` key by key, each key bringing its character, as a keyboard of any language does.
    static void type(QDialog& d, const QString& field, const QString& text) {
        auto* edit = d.findChild<QLineEdit*>(field);
        edit->clear();
        for (const QChar character : text)
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
};

TEST_F(CatalogueNamesTest, ListsShowNamesInTheOrderOfTheUsersLanguage) {
    // "Äpfel" and "äpfel" side by side, as a diary of an earlier version may hold them.
    addEverywhere({u"Zucchini"_s, u"Äpfel"_s, u"Öl"_s, u"Apfel"_s, u"Birnen"_s, u"äpfel"_s, u"Ofen"_s});
    struct Language {
        const char* name;
        QLocale locale;
        QStringList order;
    };
    const Language languages[] = {
        {"German",
         QLocale(QLocale::German, QLocale::Germany),
         {u"Apfel"_s, u"äpfel"_s, u"Äpfel"_s, u"Birnen"_s, u"Ofen"_s, u"Öl"_s, u"Zucchini"_s}},
        {"Swedish, where Ä and Ö follow Z",
         QLocale(QLocale::Swedish, QLocale::Sweden),
         {u"Apfel"_s, u"Birnen"_s, u"Ofen"_s, u"Zucchini"_s, u"äpfel"_s, u"Äpfel"_s, u"Öl"_s}},
    };
    for (const Language& language : languages) {
        SCOPED_TRACE(language.name);
        const ScopedLocale inLanguage(language.locale);
        EXPECT_EQ(listed(categories), language.order) << "categories";
        EXPECT_EQ(listed(meals, [&] { meals.dcbMealCategory->setBoundValue(1); }), language.order) << "meals";
        EXPECT_EQ(listed(exercises), language.order) << "activities";
    }
}

// One catalogue editor as a test drives it: how to fill it for a name, and what it says when the
// name is taken.
struct Editor {
    const char* name;
    CatalogEditor& dialog;
    QString table;
    QString key;
    QString refusal;
    // Fills the editor; `whole` for a new record, which needs every field.
    std::function<void(QDialog&, const QString&, bool whole)> fill;
};

class CatalogueDuplicatesTest : public CatalogueNamesTest {
protected:
    std::vector<Editor> editors() {
        const auto name = [](QDialog& d, const QString& text, bool) { type(d, u"txtName"_s, text); };
        return {
            {"meal category", categoryEditor, u"MealCategory"_s, u"MealCategoryID"_s,
             u"Can't store this record in database. Please check whether there is already Meal Category "
             u"with the same name in the database"_s,
             name},
            {"meal", mealEditor, u"Meal"_s, u"MealID"_s,
             u"Can't store this record in database. Please check whether there is already Meal with the "
             u"same name in the database"_s,
             [name](QDialog& d, const QString& text, bool whole) {
                 name(d, text, whole);
                 if (!whole)
                     return;
                 for (const auto& [field, value] : {std::pair{u"txtUnit"_s, u"cup"_s},
                                                    {u"txtFat"_s, u"1"_s},
                                                    {u"txtProtein"_s, u"1"_s},
                                                    {u"txtCarboHydrate"_s, u"10"_s},
                                                    {u"txtCalories"_s, u"50"_s}})
                     type(d, field, value);
             }},
            {"activity", exerciseEditor, u"Exercise"_s, u"ExerciseID"_s,
             u"Can't store this record in database. Please check whether there is already Activity with "
             u"the same name in the database"_s,
             [name](QDialog& d, const QString& text, bool whole) {
                 name(d, text, whole);
                 if (!whole)
                     return;
                 type(d, u"txtCaloriesConsume"_s, u"300"_s);
                 type(d, u"txtUnit"_s, u"hour"_s);
             }},
        };
    }
    QStringList namesIn(const Editor& editor) {
        return column(u"select Name from %1 order by %2"_s.arg(editor.table, editor.key));
    }
    // Opens the editor on `recordId`, types `name` and presses OK; true when it stored and closed.
    bool store(const Editor& editor, qint32 recordId, const QString& name) {
        editor.dialog.RecordID = recordId;
        mealEditor.MealCategoryID = 1;
        bool closed = false;
        fx.modal->expect([&](QDialog& d) {
            editor.fill(d, name, recordId == 0);
            d.findChild<QPushButton*>(u"btnOK"_s)->click();
            closed = !d.isVisible();
            if (!closed) { // the user's input is still there to correct
                EXPECT_EQ(d.findChild<QLineEdit*>(u"txtName"_s)->text(), name);
            }
        });
        fx.app->modal().exec(editor.dialog);
        EXPECT_EQ(editor.dialog.Saved, closed);
        return closed;
    }
};

TEST_F(CatalogueDuplicatesTest, ANameInAnotherCaseOrCompositionIsRefused) {
    addEverywhere({u"Äpfel"_s, u"Birnen"_s});
    struct Attempt {
        QString name;
        qint32 recordId;
    };
    const Attempt attempts[] = {
        {u"äpfel"_s, 0},
        {u"ÄPFEL"_s, 0},
        {DecomposedApfel, 0},
        {u"äpfel"_s, 2}, // renaming another record to it
    };
    for (const Editor& editor : editors()) {
        for (const Attempt& attempt : attempts) {
            SCOPED_TRACE(std::string(editor.name) + ": " + attempt.name.toStdString());
            fx.messages->shown.clear();
            EXPECT_FALSE(store(editor, attempt.recordId, attempt.name));
            EXPECT_EQ(fx.messages->texts(), std::vector<QString>{editor.refusal});
            EXPECT_EQ(fx.messages->last().title, u"Error"_s);
            EXPECT_EQ(fx.messages->last().icon, MessageIcon::Exclamation);
            EXPECT_EQ(namesIn(editor), (QStringList{u"Äpfel"_s, u"Birnen"_s}));
        }
    }
}

TEST_F(CatalogueDuplicatesTest, ARecordKeepsItsOwnNameOrChangesOnlyItsCase) {
    addEverywhere({u"Äpfel"_s, u"Birnen"_s});
    for (const Editor& editor : editors()) {
        SCOPED_TRACE(editor.name);
        fx.messages->shown.clear();
        EXPECT_TRUE(store(editor, 1, u"Äpfel"_s));
        EXPECT_TRUE(store(editor, 1, u"ÄPFEL"_s));
        EXPECT_TRUE(store(editor, 0, u"Äpfelmus"_s)); // a longer name is another name
        EXPECT_TRUE(fx.messages->shown.empty());
        EXPECT_EQ(namesIn(editor), (QStringList{u"ÄPFEL"_s, u"Birnen"_s, u"Äpfelmus"_s}));
    }
}

// The diary is an ordinary SQLite file: the sqlite3 command-line shell, which knows none of the
// program's functions, opens what the program wrote, reads the catalogue and adds a meal to it.
TEST_F(CatalogueDuplicatesTest, TheSqliteShellReadsAndWritesADiaryTheProgramWrote) {
    const QString shell = QStandardPaths::findExecutable(u"sqlite3"_s);
    if (shell.isEmpty())
        GTEST_SKIP() << "the sqlite3 shell is not installed (Debian package sqlite3)";
    const std::vector<Editor> all = editors();
    ASSERT_TRUE(store(all[0], 0, u"Obst"_s));
    ASSERT_TRUE(store(all[1], 0, u"Äpfel"_s));
    ASSERT_TRUE(store(all[2], 0, u"Gehen"_s));

    QProcess sqlite;
    sqlite.start(shell, {u"-batch"_s, u"-bail"_s, fx.db.path(),
                         u"select Name from MealCategory order by Name;"
                         u"insert into Meal (MealCategoryID, Name, Unit, Calories) "
                         u"select MealCategoryID, 'Birne', 'piece', 57 from MealCategory where Name = 'Obst';"
                         u"select Name from Meal order by Name;"
                         u"pragma integrity_check;"_s});
    ASSERT_TRUE(sqlite.waitForFinished(30000));
    EXPECT_EQ(sqlite.exitCode(), 0) << sqlite.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(sqlite.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
              (QStringList{u"Obst"_s, u"Birne"_s, u"Äpfel"_s, u"ok"_s}));

    const ScopedLocale german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(listed(meals, [&] { meals.dcbMealCategory->setText(u"Obst"_s); }),
              (QStringList{u"Äpfel"_s, u"Birne"_s}));
}

} // namespace
} // namespace kelvora::test
