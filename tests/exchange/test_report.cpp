// The report for a dietitian: the paper of the user's territory, numbers and dates in the user's
// locale, real text, every part of a day and the period's averages.
#include "AppFixture.h"
#include "ExchangeTest.h"
#include "ExportPeriod.h"
#include "PdfReport.h"
#include "ScopedLocale.h"
#include "deData.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

TEST(ReportPaper, IsLetterWhereTheTerritoryUsesItAndA4Elsewhere) {
    struct Case {
        QLocale locale;
        QPageSize::PageSizeId paper;
    };
    const Case cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), QPageSize::Letter},
        {QLocale(QLocale::English, QLocale::Canada), QPageSize::Letter},
        {QLocale(QLocale::French, QLocale::Canada), QPageSize::Letter},
        {QLocale(QLocale::Spanish, QLocale::Mexico), QPageSize::Letter},
        {QLocale(QLocale::Spanish, QLocale::Chile), QPageSize::Letter},
        {QLocale(QLocale::Filipino, QLocale::Philippines), QPageSize::Letter},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), QPageSize::A4},
        {QLocale(QLocale::English, QLocale::Australia), QPageSize::A4},
        {QLocale(QLocale::German, QLocale::Germany), QPageSize::A4},
        {QLocale(QLocale::Spanish, QLocale::Spain), QPageSize::A4},
        {QLocale(QLocale::Japanese, QLocale::Japan), QPageSize::A4},
        {QLocale::c(), QPageSize::A4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(paperSizeFor(c.locale), c.paper) << c.locale.name().toStdString();
}

// Three days: one with a meal and an activity and a measurement, one with a measurement only, one
// with two meals; a note over the first two.
class Report : public ::testing::Test {
protected:
    AppFixture fx{SeedContents::SchemaOnly};
    QTemporaryDir out;

    void SetUp() override {
        if (!havePdfTools())
            GTEST_SKIP() << "pdftotext and pdfinfo (poppler-utils) are not installed";
        Connection& con = fx.app->de().Con;
        const auto day = [](int d) { return QString::number(DateValue::fromYmd(2026, 12, d).serial()); };
        const auto at = [](int h, int m) {
            return QString::number(DateValue::fromTime(h, m).serial(), 'g', 17);
        };
        con.execute(u"insert into MealCategory values (1, 'Breakfast Cereals');"
                    "insert into Meal (MealID, MealCategoryID, Name, Unit, Calories, FatBC, CarbohydrateBC, "
                    "ProteinBC) values (1, 1, 'Oatmeal', 'cup (234 g)', 166, 32.6, 114.4, 19);"
                    "insert into Exercise (ExerciseID, Name, Unit, CaloriesConsume, CaloriesConsumeBase) "
                    "values (1, 'Cycling', '10 min', 68.1, 68.1);"_s);
        con.execute(u"insert into MealConsume values (1, 1, %1, %2, 1.5);"
                    "insert into ExercisePerform values (1, 1, %1, %3, %4, 3);"
                    "insert into Body values (1, %1, 80.4, 101, 88.5, 99, 'M');"
                    "insert into Body values (2, %5, 80.1, 101, 88, 99, 'M');"
                    "insert into MealConsume values (2, 1, %6, %7, 1);"
                    "insert into MealConsume values (3, 1, %6, %8, 2.25);"
                    "insert into UserNote values (1, %1, %5, 'Holiday week');"_s.arg(
                        day(1), at(7, 5), at(17, 0), at(17, 30), day(2), day(3), at(8, 0), at(19, 45)));
        Recordset& common = fx.app->de().run(u"Common"_s);
        common.set(u"Measurement"_s, u"M"_s);
        common.update();
        fx.app->state().measurementSystem = u"M"_s;
    }

    QString textOf(const QString& name) {
        const QString path = out.filePath(name);
        const ExportPeriod period =
            readPeriod(fx.app->de(), fx.app->state(), QDate(2026, 11, 30), QDate(2026, 12, 4));
        writeBytes(path, pdfReport(period, fx.app->state()));
        return reportText(path).simplified();
    }
    QString paperOf(const QString& name) {
        const QString info = pdfTool(u"pdfinfo"_s, {out.filePath(name)});
        const QRegularExpressionMatch size = QRegularExpression(u"Page size:\\s*(.*)"_s).match(info);
        return size.captured(1).trimmed();
    }
};

TEST_F(Report, ShowsEveryPartOfEachDayThenTheAverages) {
    const QString text = textOf(u"us.pdf"_s);
    // 1.5 cups of oatmeal: 49 (48.9) + 172 (171.6) + 28 (28.5, to even) = 249 kcal; 3 units of
    // cycling burn 204 (204.3).
    EXPECT_TRUE(text.contains(u"Kelvora diary Monday, November 30, 2026 to Friday, December 4, 2026"_s))
        << text.toStdString();
    EXPECT_TRUE(text.contains(u"background burn at 80 kcal per hour"_s));
    const QString first =
        u"Tuesday, December 1, 2026 Meals Time Meal Category Qty Unit kcal Fat Carboh. Protein "
        "07:05 Oatmeal Breakfast Cereals 1.5 cup (234 g) 249 49 172 28 Total (1 items) 249 49 172 28 "
        "Activities Begin End Activity Qty Unit kcal 17:00 17:30 Cycling 3 10 min 204 "
        "Total (1 items) 204 Day totals (kcal) Eaten Fat Carbohydrate Protein Activities "
        "Background burn Balance 249 49 172 28 204 1920 -1875 Body measurement: weight 80.4 kg, "
        "breast 101 cm, waist 88.5 cm, hips 99 cm Note, 12/1/2026 to 12/2/2026: Holiday week "_s;
    EXPECT_TRUE(text.contains(first)) << text.toStdString();
    const QString second =
        u"Wednesday, December 2, 2026 Day totals (kcal) Eaten Fat Carbohydrate Protein "
        "Activities Background burn Balance 0 0 0 0 0 1920 -1920 Body measurement: weight 80.1 "
        "kg, breast 101 cm, waist 88 cm, hips 99 cm Note, 12/1/2026 to 12/2/2026: Holiday week "_s;
    EXPECT_TRUE(text.contains(second)) << text.toStdString();
    // 2.25 cups: 73 (73.35) + 257 (257.4) + 43 (42.75) = 373; with the cup at 8:00, 539.
    const QString third =
        u"Thursday, December 3, 2026 Meals Time Meal Category Qty Unit kcal Fat Carboh. Protein "
        "08:00 Oatmeal Breakfast Cereals 1 cup (234 g) 166 33 114 19 19:45 Oatmeal Breakfast "
        "Cereals 2.25 cup (234 g) 373 73 257 43 Total (2 items) 539 106 371 62 Day totals (kcal) "
        "Eaten Fat Carbohydrate Protein Activities Background burn Balance 539 106 371 62 0 1920 "
        "-1381 Averages"_s;
    EXPECT_TRUE(text.contains(third)) << text.toStdString();
    EXPECT_FALSE(text.contains(u"November 30, 2026 Meals"_s));
    EXPECT_FALSE(text.contains(u"Friday, December 4, 2026 Day"_s));
    // Over the two days with meals or activities, to the nearest, halves to even: fat (49 + 106) / 2
    // = 77.5 gives 78, carbohydrate 271.5 gives 272; the balance (-1875 - 1381) / 2 = -1628.
    EXPECT_TRUE(text.contains(
        u"Averages per day (kcal) Over the 2 days with meals or activities. Eaten Fat "
        "Carbohydrate Protein Activities Background burn Balance 394 78 272 45 102 1920 -1628"_s))
        << text.toStdString();
    EXPECT_TRUE(paperOf(u"us.pdf"_s).endsWith(u"(letter)"_s)) << paperOf(u"us.pdf"_s).toStdString();
}

TEST_F(Report, WritesNumbersAndDatesAsTheUsersLocaleDoesOnItsPaper) {
    const ScopedLocale german(QLocale(QLocale::German, QLocale::Germany));
    const QString text = textOf(u"de.pdf"_s);
    EXPECT_TRUE(text.contains(u"Dienstag, 1. Dezember 2026"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"07:05 Oatmeal Breakfast Cereals 1,5 cup (234 g) 249"_s))
        << text.toStdString();
    EXPECT_TRUE(text.contains(u"weight 80,4 kg, breast 101 cm, waist 88,5 cm"_s));
    EXPECT_TRUE(text.contains(u"Note, 01.12.2026 to 02.12.2026: Holiday week"_s));
    EXPECT_TRUE(paperOf(u"de.pdf"_s).endsWith(u"(A4)"_s)) << paperOf(u"de.pdf"_s).toStdString();
}

// Ligatures left out, and long names wrapped in their cells at blanks only, the text reads as it
// was written.
TEST_F(Report, WordsStayWordsForASearch) {
    fx.app->de().Con.execute(u"update Meal set Name = 'Waffles with fluffy stuffing', "
                             "Unit = 'serving of two waffles, about 150 g, with cream'"_s);
    const QString text = textOf(u"words.pdf"_s);
    EXPECT_TRUE(
        text.contains(u"07:05 Waffles with fluffy stuffing Breakfast Cereals 1.5 serving of two waffles, "
                      "about 150 g, with cream 249 49 172 28"_s))
        << text.toStdString();
}

// The goals in force head the report; each day with meals or activities says what its budget left.
TEST_F(Report, StatesTheGoalsAndWhatEachDaysBudgetLeft) {
    const QString without = textOf(u"none.pdf"_s);
    EXPECT_TRUE(without.contains(u"background burn at 80 kcal per hour, as Kelvora's daily chart shows it. "
                                 "Goals: none set. Tuesday, December 1, 2026"_s))
        << without.toStdString();
    EXPECT_FALSE(without.contains(u"Budget:"_s));

    fx.app->state().targetWeight = 78.5;
    fx.app->state().dailyCalorieBudget = 400;
    const QString text = textOf(u"goals.pdf"_s);
    EXPECT_TRUE(text.contains(u"Goals: target weight 78.5 kg; daily calorie budget 400 kcal eaten. "
                              "Tuesday, December 1, 2026"_s))
        << text.toStdString();
    EXPECT_TRUE(text.contains(u"204 1920 -1875 Budget: 400 kcal eaten at most; 249 kcal eaten, 151 left. "
                              "Body measurement: weight 80.4 kg"_s))
        << text.toStdString();
    // A day with a measurement only has nothing to count against the budget.
    EXPECT_TRUE(text.contains(u"0 0 0 0 0 1920 -1920 Body measurement: weight 80.1"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"539 106 371 62 0 1920 -1381 Budget: 400 kcal eaten at most; 539 kcal eaten, "
                              "139 over. Averages"_s))
        << text.toStdString();
}

} // namespace
} // namespace kelvora::test
