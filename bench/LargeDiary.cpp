#include "LargeDiary.h"

#include "Connection.h"
#include "DatabaseBuilder.h"
#include "deData.h"

#include <QVariant>

#include <random>
#include <vector>

using namespace Qt::StringLiterals;

namespace kelvora {

std::vector<QVariant> column(Connection& con, const QString& sql) {
    std::vector<QVariant> values;
    Statement statement(con, sql);
    while (statement.step())
        values.push_back(statement.value(0));
    return values;
}

void fillDiary(deData& de, DateValue first, DateValue last) {
    Connection& con = de.Con;
    const std::vector<QVariant> meals = column(con, u"select MealID from Meal"_s);
    const std::vector<QVariant> exercises = column(con, u"select ExerciseID from Exercise"_s);
    std::uniform_int_distribution<std::size_t> anyMeal(0, meals.size() - 1);
    std::uniform_int_distribution<std::size_t> anyExercise(0, exercises.size() - 1);
    std::uniform_int_distribution<int> wobble(-10, 10);

    Transaction transaction(con);
    const QString meal = u"insert into MealConsume values (?1, ?2, ?3, ?4, ?5)"_s;
    const QString activity = u"insert into ExercisePerform values (?1, ?2, ?3, ?4, ?5, ?6)"_s;
    const QString body = u"insert into Body values (?1, ?2, ?3, ?4, ?5, ?6, 'I')"_s;
    const QString note = u"insert into UserNote values (?1, ?2, ?3, ?4)"_s;
    // One Statement per row: the connection hands the prepared statement back for the next one.
    auto run = [&con](const QString& sql, const QVariantList& values) {
        Statement s(con, sql);
        for (int i = 0; i < values.size(); ++i)
            s.bind(i + 1, values[i]);
        while (s.step()) {
        }
    };
    // Days are generated backwards from `last`, so that diaries ending on the same day share theirs.
    std::mt19937 random(20261130u);
    std::int64_t id = 0;
    const std::int64_t days = diffDays(first, last);
    for (std::int64_t d = 0; d <= days; ++d) {
        const DateValue day = last.addDays(-static_cast<int>(d));
        const double date = day.serial();
        for (int m = 0; m < 6; ++m)
            run(meal, {QVariant::fromValue(++id), meals[anyMeal(random)], date, (7 + 2.5 * m) / 24.0, 1.0});
        run(activity,
            {QVariant::fromValue(++id), exercises[anyExercise(random)], date, 18 / 24.0, 19 / 24.0, 1.0});
        const int w1 = wobble(random), w2 = wobble(random), w3 = wobble(random), w4 = wobble(random);
        if (d % 2 == 0)
            run(body, {QVariant::fromValue(++id), date, 180 + w1 / 10.0, 42 + w2 / 10.0, 36 + w3 / 10.0,
                       41 + w4 / 10.0});
        if (day.parts().day == 1)
            run(note, {QVariant::fromValue(++id), date, day.addDays(4).serial(),
                       u"Monthly note: how the month began"_s});
    }
    transaction.commit();
}

std::unique_ptr<deData> makeDiary(const QString& path, DateValue first, DateValue last) {
    buildDatabase(path, SeedContents::Full);
    auto de = std::make_unique<deData>(path);
    de->Con.execute(u"delete from MealConsume; delete from ExercisePerform; delete from Body; "
                    u"delete from UserNote; update Common set FirstStart = 0"_s);
    fillDiary(*de, first, last);
    return de;
}

} // namespace kelvora
