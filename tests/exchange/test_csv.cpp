// The spreadsheet files: RFC 4180 and UTF-8 whatever the names hold, ISO dates and times, numbers
// with a dot in every locale, a header row in each file.
#include "AppFixture.h"
#include "CsvExport.h"
#include "ExchangeTest.h"
#include "ExportPeriod.h"
#include "ScopedLocale.h"
#include "deData.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

TEST(CsvField, IsQuotedExactlyWhenItHoldsACommaAQuoteOrALineBreak) {
    struct Case {
        QString text;
        QString field;
    };
    const Case cases[] = {
        {u"Oatmeal"_s, u"Oatmeal"_s},
        {QString(), QString()},
        {u"Egg, boiled"_s, u"\"Egg, boiled\""_s},
        {u"The \"big\" one"_s, u"\"The \"\"big\"\" one\""_s},
        {u"two\nlines"_s, u"\"two\nlines\""_s},
        {u"two\r\nlines"_s, u"\"two\r\nlines\""_s},
        {u"Crème brûlée; 12 %"_s, u"Crème brûlée; 12 %"_s},
        {u" leading blank"_s, u" leading blank"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(csvField(c.text), c.field) << c.text.toStdString();
}

TEST(CsvTable, EveryLineEndsInCrLfAndReadsBackAsWritten) {
    const QStringList header{u"Name"_s, u"Note"_s};
    const std::vector<QStringList> rows{{u"a, b"_s, u"say \"hi\"\nthen go"_s}, {QString(), u"plain"_s}};
    const QByteArray bytes = csvTable(header, rows);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    std::vector<QStringList> expected{header};
    expected.insert(expected.end(), rows.begin(), rows.end());
    EXPECT_EQ(parseCsv(bytes), expected);
}

// A diary with one day of records whose names and note use every character that needs quoting.
class CsvFiles : public ::testing::Test {
protected:
    AppFixture fx{SeedContents::SchemaOnly};
    const QDate day{2026, 12, 1};
    const QString category = u"Soups, \"hot\""_s;
    const QString meal = u"Borscht, \"Kyiv\"\nstyle"_s;
    const QString unit = u"bowl, 300 g"_s;
    const QString activity = u"Rowing, \"easy\""_s;
    const QString note = u"Cold, tired.\r\nSaid \"no\" to cake; ate soup instead."_s;

    void SetUp() override {
        Connection& con = fx.app->de().Con;
        Statement insert(con, u"insert into MealCategory (MealCategoryID, Name) values (1, ?1)"_s);
        insert.bind(1, category);
        insert.step();
        Statement insertMeal(con,
                             u"insert into Meal (MealID, MealCategoryID, Name, Unit, Calories, FatBC, "
                             "CarbohydrateBC, ProteinBC) values (1, 1, ?1, ?2, 250, 100.4, 120.2, 29.4)"_s);
        insertMeal.bind(1, meal);
        insertMeal.bind(2, unit);
        insertMeal.step();
        Statement insertActivity(con, u"insert into Exercise (ExerciseID, Name, Unit, CaloriesConsume, "
                                      "CaloriesConsumeBase) values (1, ?1, '10 min', 70.5, 70.5)"_s);
        insertActivity.bind(1, activity);
        insertActivity.step();
        const double serial = DateValue::fromQDate(day).serial();
        con.execute(u"insert into MealConsume values (1, 1, %1, %2, 1.5)"_s.arg(serial).arg(
            DateValue::fromTime(7, 25).serial(), 0, 'g', 17));
        con.execute(u"insert into ExercisePerform values (1, 1, %1, %2, %3, 2.5)"_s.arg(serial)
                        .arg(DateValue::fromTime(17, 5).serial(), 0, 'g', 17)
                        .arg(DateValue::fromTime(17, 50).serial(), 0, 'g', 17));
        con.execute(u"insert into Body values (1, %1, 171.5, 40, 33.25, 41, 'I')"_s.arg(serial));
        Statement insertNote(con, u"insert into UserNote values (1, ?1, ?2, ?3)"_s);
        insertNote.bind(1, serial - 2);
        insertNote.bind(2, serial);
        insertNote.bind(3, note);
        insertNote.step();
    }

    std::map<QString, std::vector<QStringList>> files() {
        std::map<QString, std::vector<QStringList>> read;
        for (const CsvFile& file : csvFiles(readPeriod(fx.app->de(), fx.app->state(), day.addDays(-3), day)))
            read[file.name] = parseCsv(file.content);
        return read;
    }
};

TEST_F(CsvFiles, HoldEachTableWithItsHeaderInTheFixedOrder) {
    const std::vector<CsvFile> written = csvFiles(readPeriod(fx.app->de(), fx.app->state(), day, day));
    QStringList names;
    for (const CsvFile& file : written)
        names << file.name;
    EXPECT_EQ(names, csvFileNames());
    EXPECT_EQ(names, QStringList({u"meals.csv"_s, u"activities.csv"_s, u"body.csv"_s, u"notes.csv"_s,
                                  u"days.csv"_s}));
}

TEST_F(CsvFiles, NamesAndNotesWithCommasQuotesAndLineBreaksSurvive) {
    auto read = files();
    EXPECT_EQ(
        read[u"meals.csv"_s],
        (std::vector<QStringList>{{u"Date"_s, u"Time"_s, u"Meal"_s, u"Category"_s, u"Quantity"_s, u"Unit"_s,
                                   u"kcal"_s, u"Fat kcal"_s, u"Carbohydrate kcal"_s, u"Protein kcal"_s},
                                  {u"2026-12-01"_s, u"07:25"_s, meal, category, u"1.5"_s, unit, u"375"_s,
                                   u"151"_s, u"180"_s, u"44"_s}}));
    EXPECT_EQ(read[u"activities.csv"_s],
              (std::vector<QStringList>{
                  {u"Date"_s, u"Begin"_s, u"End"_s, u"Activity"_s, u"Quantity"_s, u"Unit"_s, u"kcal"_s},
                  {u"2026-12-01"_s, u"17:05"_s, u"17:50"_s, activity, u"2.5"_s, u"10 min"_s, u"176"_s}}));
    EXPECT_EQ(
        read[u"body.csv"_s],
        (std::vector<QStringList>{
            {u"Date"_s, u"Weight"_s, u"Weight unit"_s, u"Breast"_s, u"Waist"_s, u"Hips"_s, u"Girth unit"_s},
            {u"2026-12-01"_s, u"171.5"_s, u"lb"_s, u"40"_s, u"33.25"_s, u"41"_s, u"inch"_s}}));
    EXPECT_EQ(read[u"notes.csv"_s], (std::vector<QStringList>{{u"From"_s, u"To"_s, u"Note"_s},
                                                              {u"2026-11-29"_s, u"2026-12-01"_s, note}}));
    // 375 eaten, 176 burned, 80 kcal an hour for a whole day: 375 - 176 - 1920.
    EXPECT_EQ(
        read[u"days.csv"_s],
        (std::vector<QStringList>{
            {u"Date"_s, u"kcal eaten"_s, u"Fat kcal"_s, u"Carbohydrate kcal"_s, u"Protein kcal"_s,
             u"kcal burned by activities"_s, u"Background burn kcal"_s, u"Balance kcal"_s},
            {u"2026-12-01"_s, u"375"_s, u"151"_s, u"180"_s, u"44"_s, u"176"_s, u"1920"_s, u"-1721"_s}}));
}

TEST_F(CsvFiles, NumbersDatesAndTimesAreTheSameInEveryLocale) {
    const auto american = files();
    for (const QLocale& locale :
         {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::Arabic, QLocale::Egypt),
          QLocale(QLocale::French, QLocale::Switzerland)}) {
        const ScopedLocale guard(locale);
        EXPECT_EQ(files(), american) << locale.name().toStdString();
    }
    EXPECT_EQ(american.at(u"body.csv"_s)[1][4], u"33.25"_s);
}

} // namespace
} // namespace kelvora::test
