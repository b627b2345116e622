// Every figure the export writes is the one the program shows for that day: checked on the shipped
// sample diary, day by day, against the day lists, the measurements window and the chart caption.
#include "AppFixture.h"
#include "ExchangeTest.h"
#include "ReportList.h"
#include "ZelmarGraph.h"
#include "deData.h"
#include "frmBody.h"
#include "frmExercise.h"
#include "frmExercisePerform.h"
#include "frmExercisePerforms.h"
#include "frmExport.h"
#include "frmMain.h"
#include "frmMeal.h"
#include "frmMealCategory.h"
#include "frmMealConsume.h"
#include "frmMealConsumes.h"
#include "frmMeasurements.h"
#include "frmUserNote.h"
#include "frmWeightAdjustment.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

// The rows of a list window as it shows them: every cell's text.
std::vector<QStringList> shownRows(const QWidget& window, const QString& listName) {
    const auto* list = window.findChild<ReportList*>(listName);
    EXPECT_NE(list, nullptr) << listName.toStdString();
    std::vector<QStringList> rows;
    for (int i = 1; list && i <= list->rowCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << list->row(i)->text(c);
        rows.push_back(cells);
    }
    return rows;
}

// A day list's record rows and the figures of its totals (the one row's own when there is no totals
// row), by the columns that hold them.
struct DayListView {
    std::vector<QStringList> records;
    QStringList totals;
};

DayListView dayList(const QWidget& window, const std::vector<int>& figureColumns) {
    std::vector<QStringList> rows = shownRows(window, u"lvwList"_s);
    DayListView view;
    if (rows.size() == 1)
        view.records = rows;
    else if (rows.size() > 2)
        view.records.assign(rows.begin(), rows.end() - 2);
    const QStringList last = rows.empty() ? QStringList() : rows.back();
    for (const int column : figureColumns)
        view.totals << (rows.empty() ? u"0"_s : last.value(column));
    return view;
}

// The records of one CSV file grouped by their first column (the date), header dropped.
std::map<QString, std::vector<QStringList>> byDate(const std::vector<QStringList>& records) {
    std::map<QString, std::vector<QStringList>> days;
    for (std::size_t i = 1; i < records.size(); ++i)
        days[records[i].value(0)].push_back(records[i]);
    return days;
}

QString isoOf(const QString& shortDate) {
    return QLocale().toDate(shortDate, u"M/d/yyyy"_s).toString(Qt::ISODate);
}

class ExportAgreement : public ::testing::Test {
protected:
    AppFixture fx;
    frmMain main;
    QTemporaryDir out;
    QDate first;
    QDate last;

    void SetUp() override {
        main.show();
        QApplication::processEvents();
        Statement range(fx.app->de().Con, u"select min(ConsumeDate), max(ConsumeDate) from MealConsume"_s);
        ASSERT_TRUE(range.step());
        first = DateValue(range.value(0).toDouble()).toQDate();
        last = DateValue(range.value(1).toDouble()).toQDate();
        ASSERT_GT(first.daysTo(last), 40) << "the sample diary is shorter than expected";
    }

    // The export of the sample diary and a day on either side, through the window as a user runs it.
    void exportAll(frmExport::Format format, const QString& destination) {
        fx.files->answer(destination);
        fx.modal->expect([&](QDialog& d) {
            d.findChild<QDateEdit*>(u"dtpFrom"_s)->setDate(first.addDays(-1));
            d.findChild<QDateEdit*>(u"dtpTo"_s)->setDate(last.addDays(1));
            d.findChild<QComboBox*>(u"cbxFormat"_s)->setCurrentIndex(format);
            d.findChild<QPushButton*>(u"btnOK"_s)->click();
        });
        fx.app->modal().exec(main.dialog<frmExport>());
        ASSERT_TRUE(main.dialog<frmExport>().Exported) << fx.messages->last().text.toStdString();
    }

    std::vector<QStringList> csv(const QString& name) {
        return parseCsv(contentsOf(QDir(out.path()).filePath(name)));
    }

    // From the catalogue: a meal's category and unit, an activity's unit.
    QStringList mealFacts(const QString& meal) {
        Statement facts(fx.app->de().Con, u"select MealCategory.Name, Unit from Meal join MealCategory "
                                          "using (MealCategoryID) where Meal.Name = ?1"_s);
        facts.bind(1, meal);
        return facts.step() ? QStringList{facts.value(0).toString(), facts.value(1).toString()}
                            : QStringList();
    }
    QString activityUnit(const QString& activity) {
        Statement unit(fx.app->de().Con, u"select Unit from Exercise where Name = ?1"_s);
        unit.bind(1, activity);
        return unit.step() ? unit.value(0).toString() : QString();
    }

    // What the main window's chart states for the day.
    QString chartBalance(const QDate& day) {
        fx.app->state().currentDate = DateValue::fromQDate(day);
        main.RePaintGraph();
        return main.findChild<ZelmarGraph*>(u"graph"_s)
            ->caption()
            .text.mid(QStringLiteral("Balance: ").size());
    }
};

TEST_F(ExportAgreement, SpreadsheetFilesHoldWhatTheListsAndTheChartShowOnEveryDay) {
    exportAll(frmExport::Spreadsheet, out.path());
    const auto meals = byDate(csv(u"meals.csv"_s));
    const auto activities = byDate(csv(u"activities.csv"_s));
    const auto days = byDate(csv(u"days.csv"_s));
    const auto measured = byDate(csv(u"body.csv"_s));
    auto& mealList = main.dialog<frmMealConsumes>();
    auto& activityList = main.dialog<frmExercisePerforms>();

    int daysWithData = 0;
    for (QDate day = first.addDays(-1); day <= last.addDays(1); day = day.addDays(1)) {
        SCOPED_TRACE(day.toString(Qt::ISODate).toStdString());
        const QString iso = day.toString(Qt::ISODate);
        mealList.dtpDate->setDate(day);
        mealList.RefreshList(0);
        activityList.dtpDate->setDate(day);
        activityList.RefreshList(0);
        // Time, Meal, Qty, Fat, Carboh., Protein, Calor. against the meal's row of meals.csv.
        const DayListView mealView = dayList(mealList, {3, 4, 5, 6});
        const auto mealRows = meals.count(iso) ? meals.at(iso) : std::vector<QStringList>{};
        ASSERT_EQ(mealRows.size(), mealView.records.size());
        for (std::size_t i = 0; i < mealRows.size(); ++i) {
            const QStringList& shown = mealView.records[i];
            const QStringList& row = mealRows[i];
            EXPECT_EQ(QStringList({row[1], row[2], row[4], row[7], row[8], row[9], row[6]}), shown);
            EXPECT_EQ(QStringList({row[3], row[5]}), mealFacts(shown[1]));
        }
        // Begin, End, Exercise, Qty, Calories against activities.csv.
        const DayListView activityView = dayList(activityList, {4});
        const auto activityRows = activities.count(iso) ? activities.at(iso) : std::vector<QStringList>{};
        ASSERT_EQ(activityRows.size(), activityView.records.size());
        for (std::size_t i = 0; i < activityRows.size(); ++i) {
            const QStringList& row = activityRows[i];
            EXPECT_EQ(QStringList({row[1], row[2], row[3], row[4], row[6]}), activityView.records[i]);
            EXPECT_EQ(row[5], activityUnit(row[3]));
        }
        // A day with a body measurement only has its row too, with nothing eaten or burned.
        if (mealRows.empty() && activityRows.empty()) {
            EXPECT_EQ(days.count(iso), measured.count(iso));
            continue;
        }
        ++daysWithData;
        ASSERT_EQ(days.count(iso), 1u);
        const QStringList& totals = days.at(iso).front();
        // Eaten, fat, carbohydrate and protein as the meal list's totals; burned as the activity
        // list's; a whole day of 80 kcal an hour; the chart's balance.
        EXPECT_EQ(QStringList({totals[1], totals[2], totals[3], totals[4], totals[5], totals[6], totals[7]}),
                  QStringList({mealView.totals[3], mealView.totals[0], mealView.totals[1], mealView.totals[2],
                               activityView.totals[0], u"1920"_s, chartBalance(day)}));
    }
    EXPECT_EQ(daysWithData, first.daysTo(last) + 1);
}

TEST_F(ExportAgreement, SpreadsheetMeasurementsAndNotesAreThoseOfTheMeasurementsWindow) {
    exportAll(frmExport::Spreadsheet, out.path());
    fx.modal->expect([&](QDialog& d) {
        d.findChild<QDateEdit*>(u"dtpDate"_s)->setDate(first.addDays(-1));
        std::vector<QStringList> expected;
        for (const QStringList& shown : shownRows(d, u"lvwMeasurementList"_s))
            expected.push_back({isoOf(shown[0]), shown[1], u"lb"_s, shown[2], shown[3], shown[4], u"inch"_s});
        std::vector<QStringList> body = csv(u"body.csv"_s);
        ASSERT_FALSE(body.empty());
        EXPECT_EQ(body.front(), QStringList({u"Date"_s, u"Weight"_s, u"Weight unit"_s, u"Breast"_s,
                                             u"Waist"_s, u"Hips"_s, u"Girth unit"_s}));
        body.erase(body.begin());
        EXPECT_GT(expected.size(), 10u);
        EXPECT_EQ(body, expected);

        std::vector<QStringList> shownNotes;
        for (const QStringList& shown : shownRows(d, u"lvwNoteList"_s))
            shownNotes.push_back({isoOf(shown[0]), isoOf(shown[1]), shown[2]});
        std::vector<QStringList> notes = csv(u"notes.csv"_s);
        ASSERT_FALSE(notes.empty());
        notes.erase(notes.begin());
        EXPECT_FALSE(shownNotes.empty());
        EXPECT_EQ(notes, shownNotes);
    });
    fx.app->modal().exec(main.dialog<frmMeasurements>());
}

// The text of one day's section of the report: from its heading to the next one.
QString sectionOf(const QString& text, const QDate& day, const QDate& next) {
    const QString heading = QLocale().toString(day, QLocale::LongFormat);
    const qsizetype begin = text.indexOf(u'\n' + heading + u'\n');
    if (begin < 0)
        return {};
    const qsizetype end =
        text.indexOf(u'\n' + QLocale().toString(next, QLocale::LongFormat) + u'\n', begin + 1);
    return text.mid(begin, end < 0 ? -1 : end - begin);
}

TEST_F(ExportAgreement, ReportStatesTheListsRowsAndTheChartBalanceOnEveryDay) {
    if (!havePdfTools())
        GTEST_SKIP() << "pdftotext and pdfinfo (poppler-utils) are not installed";
    const QString path = out.filePath(u"diary.pdf"_s);
    exportAll(frmExport::Report, path);
    const QString text = reportText(path);
    ASSERT_TRUE(text.contains(u"Kelvora diary"_s)) << "the report holds no text";
    auto& mealList = main.dialog<frmMealConsumes>();
    auto& activityList = main.dialog<frmExercisePerforms>();

    std::vector<QDate> days;
    for (QDate day = first; day <= last; day = day.addDays(1))
        days.push_back(day);
    for (std::size_t i = 0; i < days.size(); ++i) {
        const QDate day = days[i];
        SCOPED_TRACE(day.toString(Qt::ISODate).toStdString());
        // Page numbers and line breaks aside, each section reads as its table rows in order.
        const QString section =
            sectionOf(text, day, i + 1 < days.size() ? days[i + 1] : QDate(9999, 1, 1)).simplified();
        ASSERT_FALSE(section.isEmpty());
        mealList.dtpDate->setDate(day);
        mealList.RefreshList(0);
        const DayListView meals = dayList(mealList, {3, 4, 5, 6});
        // Time, meal, category, quantity, unit, kcal, fat, carbohydrate, protein.
        for (const QStringList& shown : meals.records) {
            const QStringList facts = mealFacts(shown[1]);
            const QString row = QStringList({shown[0], shown[1], facts.value(0), shown[2], facts.value(1),
                                             shown[6], shown[3], shown[4], shown[5]})
                                    .join(u' ');
            EXPECT_TRUE(section.contains(row)) << row.toStdString();
        }
        // Begin, end, activity, quantity, unit, kcal.
        activityList.dtpDate->setDate(day);
        activityList.RefreshList(0);
        const DayListView activities = dayList(activityList, {4});
        for (const QStringList& shown : activities.records) {
            const QString row =
                QStringList({shown[0], shown[1], shown[2], shown[3], activityUnit(shown[2]), shown[4]})
                    .join(u' ');
            EXPECT_TRUE(section.contains(row)) << row.toStdString();
        }
        const QString totals =
            u"Eaten Fat Carbohydrate Protein Activities Background burn Balance "_s +
            QStringList({meals.totals[3], meals.totals[0], meals.totals[1], meals.totals[2],
                         activities.totals[0], u"1920"_s, chartBalance(day)})
                .join(u' ');
        EXPECT_TRUE(section.contains(totals)) << totals.toStdString() << "\nin\n" << section.toStdString();
    }
}

} // namespace
} // namespace kelvora::test
