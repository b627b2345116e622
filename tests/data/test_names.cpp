// Catalogue names in any language: the sorted commands order them as the user's language does, and
// the name checks find a name the table holds in another letter case or another composition of its
// accents. The schema knows nothing of either.
#include "CatalogueNames.h"
#include "ScopedLocale.h"
#include "TestDatabase.h"
#include "deData.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <sqlite3.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

const QLocale German(QLocale::German, QLocale::Germany);
const QLocale Swedish(QLocale::Swedish, QLocale::Sweden);
const QLocale English(QLocale::English, QLocale::UnitedStates);

// "Ä" typed as A and a combining diaeresis.
const QString DecomposedApfel = u"A\u0308pfel"_s;

TEST(FoldedName, IsOneTextForEveryCaseAndComposition) {
    struct Case {
        QString a, b;
        bool same;
    };
    const Case cases[] = {
        {u"Äpfel"_s, u"äpfel"_s, true},      {u"ÄPFEL"_s, u"äpfel"_s, true},
        {DecomposedApfel, u"äpfel"_s, true}, {u"STRAẞE"_s, u"Straße"_s, true}, // the capital sharp s
        {u"ΣΊΣΥΦΟΣ"_s, u"σίσυφος"_s, true},                                    // both sigmas
        {u"Apfel"_s, u"Äpfel"_s, false},                                       // an accent makes another word
        {u"Apfel"_s, u"Apfel "_s, false},                                      // blanks are kept, as typed
    };
    for (const Case& c : cases)
        EXPECT_EQ(foldedName(c.a) == foldedName(c.b), c.same)
            << c.a.toStdString() << " / " << c.b.toStdString();
}

class NamesTest : public ::testing::Test {
protected:
    TestDatabase db{SeedContents::SchemaOnly};
    deData de{db.path()};

    // Names a diary of an earlier version may hold side by side: the schema's NOCASE tells "Äpfel"
    // from "äpfel", and the decomposed "Äpfel" from the composed one.
    const QStringList stored{u"Zucchini"_s,   u"Äpfel"_s,  u"Öl"_s,    u"Apfel"_s,
                             DecomposedApfel, u"Birnen"_s, u"äpfel"_s, u"Ofen"_s};

    void SetUp() override { addToEveryCatalogue(de.Con, stored); }
    QStringList names(const QString& command, const QVariantList& params) {
        QStringList values;
        for (auto& rs = de.run(command, params); !rs.eof(); rs.moveNext())
            values << rs.field(u"Name"_s).toString();
        de.rs(command).close();
        return values;
    }
};

TEST_F(NamesTest, SortedCommandsOrderNamesAsTheLanguageDoes) {
    struct Language {
        const char* name;
        QLocale locale;
        QStringList order;
    };
    // Equal letters go by accent, then lower case before upper case, then by key: the decomposed
    // "Äpfel" (key 5) is the composed one (key 2) for every language.
    const Language languages[] = {
        {"German",
         German,
         {u"Apfel"_s, u"äpfel"_s, u"Äpfel"_s, DecomposedApfel, u"Birnen"_s, u"Ofen"_s, u"Öl"_s,
          u"Zucchini"_s}},
        {"Swedish: Ä and Ö follow Z",
         Swedish,
         {u"Apfel"_s, u"Birnen"_s, u"Ofen"_s, u"Zucchini"_s, u"äpfel"_s, u"Äpfel"_s, DecomposedApfel,
          u"Öl"_s}},
        {"English",
         English,
         {u"Apfel"_s, u"äpfel"_s, u"Äpfel"_s, DecomposedApfel, u"Birnen"_s, u"Ofen"_s, u"Öl"_s,
          u"Zucchini"_s}},
    };
    struct Command {
        QString name;
        QVariantList params;
    };
    const Command commands[] = {{u"MealCategorySorted"_s, {}},
                                {u"MealSorted"_s, {1}},
                                {u"MealForCategory"_s, {1}},
                                {u"ExerciseSorted"_s, {}}};
    // One connection throughout: the order follows the language the program runs in at each query.
    for (const Language& language : languages) {
        const ScopedLocale inLanguage(language.locale);
        for (const Command& command : commands) {
            EXPECT_EQ(names(command.name, command.params), language.order)
                << language.name << ", " << command.name.toStdString();
        }
    }
}

TEST_F(NamesTest, NameChecksFindTheSameNameInAnyCaseButNotTheRecordItself) {
    struct Case {
        QString name;
        qint32 exceptId;
        QList<qint64> found;
    };
    const Case cases[] = {
        {u"ÄPFEL"_s, 0, {2, 5, 7}}, // Äpfel, its decomposed twin and äpfel
        {u"ÄPFEL"_s, 2, {5, 7}},    // editing Äpfel itself
        {u"apfel"_s, 0, {4}},       // ASCII case, as NOCASE finds it too
        {u"Apfel "_s, 0, {}},       {u"Kirschen"_s, 0, {}},
    };
    const std::pair<QString, QString> checks[] = {{u"MealCategoryNameCheck"_s, u"MealCategoryID"_s},
                                                  {u"MealNameCheck"_s, u"MealID"_s},
                                                  {u"ExerciseNameCheck"_s, u"ExerciseID"_s}};
    for (const auto& [check, key] : checks) {
        for (const Case& c : cases) {
            QList<qint64> found;
            for (auto& rs = de.run(check, {c.name, c.exceptId}); !rs.eof(); rs.moveNext())
                found << rs.field(key).toLongLong();
            de.rs(check).close();
            std::sort(found.begin(), found.end());
            EXPECT_EQ(found, c.found)
                << check.toStdString() << ": " << c.name.toStdString() << " except " << c.exceptId;
        }
    }
}

TEST_F(NamesTest, TheSchemaNeedsNothingThatOnlyTheProgramHas) {
    {
        Statement schema(de.Con, u"select count(*) from sqlite_master "
                                 "where sql like '%KelvoraName%' or sql like '%FoldedName%'"_s);
        ASSERT_TRUE(schema.step());
        EXPECT_EQ(schema.value(0).toInt(), 0);
    }
    // A bare connection, without the program's functions, still reads and writes every catalogue.
    sqlite3* bare = nullptr;
    ASSERT_EQ(sqlite3_open_v2(db.path().toUtf8().constData(), &bare, SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK);
    for (const char* sql : {"insert into MealCategory (Name) values ('Kirschen')",
                            "insert into Meal (MealCategoryID, Name, Unit) values (9, 'Kirschen', 'cup')",
                            "select Name from Exercise order by Name", "pragma integrity_check"})
        EXPECT_EQ(sqlite3_exec(bare, sql, nullptr, nullptr, nullptr), SQLITE_OK)
            << sql << ": " << sqlite3_errmsg(bare);
    sqlite3_close(bare);
}

} // namespace
} // namespace kelvora::test
