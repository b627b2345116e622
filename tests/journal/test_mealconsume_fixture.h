#pragma once

// Catalogue and journal rows for the tests of the meal and activity journals, on the settings-only
// diary of JournalTest (6 December 2026).
#include "JournalTest.h"
#include "ReportList.h"

#include <QTime>

namespace kelvora::test {

class DiaryTest : public JournalTest {
protected:
    // Rows put in directly take small identifiers; the editors' allocators start above them.
    DiaryTest() {
        sql(QStringLiteral("update Common set NextMealConsumeID = 100, NextExercisePerformID = 100"));
    }

    static double at(int hour, int minute) { return DateValue::fromTime(hour, minute).serial(); }

    void row(const QString& table, const QStringList& columns, const QVariantList& values) {
        QStringList marks;
        for (int i = 1; i <= values.size(); ++i)
            marks << QStringLiteral("?%1").arg(i);
        Statement insert(fx.app->de().Con,
                         QStringLiteral("insert into %1 (%2) values (%3)")
                             .arg(table, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
        for (int i = 0; i < values.size(); ++i)
            insert.bind(i + 1, values[i]);
        insert.step();
    }
    void addCategory(int id, const QString& name) {
        row(QStringLiteral("MealCategory"), {QStringLiteral("MealCategoryID"), QStringLiteral("Name")},
            {id, name});
    }
    // A meal whose calories per unit are fat + carbohydrate + protein.
    void addMeal(int id, int category, const QString& name, const QVariant& unit, const QVariant& defaultQty,
                 const QVariant& increment, double fat, double carbohydrate, double protein) {
        row(QStringLiteral("Meal"),
            QStringLiteral("MealID,MealCategoryID,Name,Unit,DefaultQty,Increment,Calories,FatBC,"
                           "CarbohydrateBC,ProteinBC")
                .split(QLatin1Char(',')),
            {id, category, name, unit, defaultQty, increment, fat + carbohydrate + protein, fat, carbohydrate,
             protein});
    }
    void addConsume(int id, int meal, QDate day, double time, double qty) {
        row(QStringLiteral("MealConsume"),
            QStringLiteral("MealConsumeID,MealID,ConsumeDate,ConsumeTime,Qty").split(QLatin1Char(',')),
            {id, meal, serial(day), time, qty});
    }
    void addExercise(int id, const QString& name, const QVariant& unit, const QVariant& defaultQty,
                     double caloriesConsume) {
        row(QStringLiteral("Exercise"),
            QStringLiteral("ExerciseID,Name,Unit,DefaultQty,CaloriesConsume,CaloriesConsumeBase")
                .split(QLatin1Char(',')),
            {id, name, unit, defaultQty, caloriesConsume, caloriesConsume});
    }
    void addPerform(int id, int exercise, QDate day, double begin, double end, double qty) {
        row(QStringLiteral("ExercisePerform"),
            QStringLiteral("ExercisePerformID,ExerciseID,PerformDate,timeBeg,timeEnd,Qty")
                .split(QLatin1Char(',')),
            {id, exercise, serial(day), begin, end, qty});
    }
    int count(const QString& table) {
        return scalar(QStringLiteral("select count(*) from %1").arg(table)).toInt();
    }

    // Every item of a list: its text, its cells and its tag, one string per item.
    static QStringList items(const ReportList& list) {
        QStringList result;
        for (int i = 1; i <= list.rowCount(); ++i) {
            const QTreeWidgetItem* item = list.row(i);
            QStringList cells;
            for (int c = 0; c < list.columnCount(); ++c)
                cells << item->text(c);
            result << cells.join(QLatin1Char('|')) + QStringLiteral(" #%1").arg(ReportList::tagOf(item));
        }
        return result;
    }
};

} // namespace kelvora::test
