#include "WindowWalk.h"

#include "AllWindows.h"
#include "AppFixture.h"
#include "Recordset.h"
#include "deData.h"
#include "frmBody.h"
#include "frmExercise.h"
#include "frmExercisePerform.h"
#include "frmMain.h"
#include "frmMeal.h"
#include "frmMealCategory.h"
#include "frmMealConsume.h"
#include "frmUserNote.h"
#include "frmWeightAdjustment.h"

#include <QApplication>
#include <QDialog>

using namespace Qt::StringLiterals;

namespace kelvora::test {

namespace {

void showModally(AppFixture& fx, QDialog& dialog, const QString& what,
                 const std::function<void(QWidget&, const QString&)>& visit) {
    fx.modal->expect([&](QDialog& shown) {
        QApplication::processEvents();
        visit(shown, what);
    });
    fx.app->modal().exec(dialog);
}

// The first sample row of a journal table, which the fixture's diary holds.
qint32 sampleRow(const QString& table, const QString& key) {
    return app().de().Con.scalar(u"select min(%1) from %2"_s.arg(key, table)).toInt();
}

} // namespace

void forEachOpenWindow(AppFixture& fx, frmMain& main,
                       const std::function<void(QWidget& window, const QString& what)>& visit) {
    main.show();
    main.RePaintGraph();
    QApplication::processEvents();
    visit(main, u"frmMain"_s);

    for (const ProgramWindow& w : allWindows()) {
        if (!w.isDialog)
            continue;
        auto& dialog = static_cast<QDialog&>(w.make(main));
        w.prepare(dialog);
        showModally(fx, dialog, w.name, visit);
    }

    // The editors again, each with a record of the diary in it.
    auto& meal = main.dialog<frmMealConsume>();
    meal.Mode = 0;
    meal.RecordID = sampleRow(u"MealConsume"_s, u"MealConsumeID"_s);
    showModally(fx, meal, u"frmMealConsume with a meal"_s, visit);
    auto& activity = main.dialog<frmExercisePerform>();
    activity.Mode = 0;
    activity.RecordID = sampleRow(u"ExercisePerform"_s, u"ExercisePerformID"_s);
    showModally(fx, activity, u"frmExercisePerform with an activity"_s, visit);
    auto& body = main.dialog<frmBody>();
    body.RecordID = sampleRow(u"Body"_s, u"BodyId"_s);
    showModally(fx, body, u"frmBody with a measurement"_s, visit);
    auto& note = main.dialog<frmUserNote>();
    note.RecordID = sampleRow(u"UserNote"_s, u"UserNoteId"_s);
    showModally(fx, note, u"frmUserNote with a note"_s, visit);
    auto& catalogueMeal = main.dialog<frmMeal>();
    catalogueMeal.RecordID = sampleRow(u"Meal"_s, u"MealID"_s);
    showModally(fx, catalogueMeal, u"frmMeal with a meal"_s, visit);
    auto& exercise = main.dialog<frmExercise>();
    exercise.RecordID = sampleRow(u"Exercise"_s, u"ExerciseID"_s);
    showModally(fx, exercise, u"frmExercise with an activity"_s, visit);
    main.hide();
}

QStringList problemsInEveryWindow(AppFixture& fx, frmMain& main,
                                  const std::function<QStringList(QWidget& window)>& check) {
    QStringList problems;
    forEachOpenWindow(fx, main, [&](QWidget& window, const QString& what) {
        for (const QString& problem : check(window))
            problems << what + u": "_s + problem;
    });
    return problems;
}

} // namespace kelvora::test
