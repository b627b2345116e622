#pragma once

#include "AppFixture.h"
#include "Connection.h"
#include "DateValue.h"
#include "deData.h"

#include <QString>

namespace kelvora::test {

// Writes diary rows straight into a test's database: one meal and one activity of 1 kcal per unit,
// so a quantity is a number of kilocalories.
class ProgressDiary {
public:
    explicit ProgressDiary(AppFixture& fx) : m_fx(fx) {
        exec(QStringLiteral(
            "insert into MealCategory (MealCategoryID, Name) values (901, 'Test');"
            "insert into Meal (MealID, MealCategoryID, Name, Calories) values (901, 901, 'Kcal', 1);"
            "insert into Exercise (ExerciseID, Name, CaloriesConsume) values (901, 'Kcal', 1)"));
    }

    void meal(DateValue date, double kcal) {
        exec(QStringLiteral("insert into MealConsume values (%1, 901, %2, 0.5, %3)")
                 .arg(++m_id)
                 .arg(num(date.serial()))
                 .arg(num(kcal)));
    }
    void activity(DateValue date, double kcal) {
        exec(QStringLiteral("insert into ExercisePerform values (%1, 901, %2, 0.3, 0.4, %3)")
                 .arg(++m_id)
                 .arg(num(date.serial()))
                 .arg(num(kcal)));
    }
    void body(DateValue date, double weight, double breast, double waist, double hips) {
        exec(QStringLiteral("insert into Body values (%1, %2, %3, %4, %5, %6, 'M')")
                 .arg(++m_id)
                 .arg(num(date.serial()))
                 .arg(num(weight))
                 .arg(num(breast))
                 .arg(num(waist))
                 .arg(num(hips)));
    }
    void note(DateValue from, DateValue to, const QString& text) {
        exec(QStringLiteral("insert into UserNote values (%1, %2, %3, '%4')")
                 .arg(++m_id)
                 .arg(num(from.serial()))
                 .arg(num(to.serial()))
                 .arg(text));
    }
    void exec(const QString& sql) { m_fx.app->de().Con.execute(sql); }

private:
    static QString num(double v) { return QString::number(v, 'g', 17); }
    AppFixture& m_fx;
    int m_id = 0;
};

} // namespace kelvora::test
