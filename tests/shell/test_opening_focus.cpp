// Every dialog opens with the keyboard focus on the first control of its tab order, whichever way
// its opener shows it, so that typing goes straight into the first field.
#include "AllWindows.h"
#include "AppFixture.h"
#include "frmBody.h"
#include "frmExercise.h"
#include "frmExercisePerform.h"
#include "frmMain.h"
#include "frmMeal.h"
#include "frmMealCategory.h"
#include "frmMealConsume.h"
#include "frmUserNote.h"
#include "frmWeightAdjustment.h"

#include <QDialog>

#include <gtest/gtest.h>

#include <map>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

// The control with the focus when `dialog` has just opened, shown the way the program shows it.
QString openingFocus(AppFixture& fx, QDialog& dialog) {
    QString focused = u"(none)"_s;
    fx.modal->expect([&](QDialog& shown) {
        if (QWidget* focus = shown.focusWidget())
            focused = focus->objectName();
    });
    fx.app->modal().exec(dialog);
    return focused;
}

TEST(OpeningFocus, EveryDialogOpensOnTheFirstControlOfItsTabOrder) {
    const std::map<QString, QString> first{
        {u"frmMealCategories"_s, u"lvwList"_s},
        {u"frmMealCategory"_s, u"txtName"_s},
        {u"frmMeals"_s, u"dcbMealCategory"_s},
        {u"frmMeal"_s, u"dcbMealCategory"_s},
        {u"frmExercises"_s, u"lvwList"_s},
        {u"frmExercise"_s, u"txtName"_s},
        {u"frmWeightAdjustment"_s, u"txtWeight"_s},
        {u"frmCommon"_s, u"txtWeight"_s},
        {u"frmMealConsumes"_s, u"dtpDate"_s},
        {u"frmMealConsume"_s, u"dcbMealCategory"_s},
        {u"frmExercisePerforms"_s, u"dtpDate"_s},
        {u"frmExercisePerform"_s, u"dcbExercise"_s},
        {u"frmMeasurements"_s, u"dtpDate"_s},
        {u"frmBody"_s, u"dtpDate"_s},
        {u"frmUserNote"_s, u"dtpDateFrom"_s},
        {u"frmDate"_s, u"dtpDate"_s},
        {u"frmGeneralProgressSettings"_s, u"dtpDate"_s},
        {u"frmGeneralProgress"_s, u"btnPrint"_s},
        {u"frmAbout"_s, u"btnOK"_s},
        {u"frmExport"_s, u"dtpFrom"_s},
        {u"frmCopyMeals"_s, u"dtpDate"_s},
    };
    AppFixture fx;
    frmMain main;
    for (const ProgramWindow& w : allWindows()) {
        if (!w.isDialog)
            continue;
        SCOPED_TRACE(w.name.toStdString());
        ASSERT_TRUE(first.contains(w.name)) << "a dialog without an expected first control";
        auto& dialog = static_cast<QDialog&>(w.make(main));
        w.prepare(dialog);
        EXPECT_EQ(openingFocus(fx, dialog), first.at(w.name));
        // A second showing starts over, wherever the focus was left the first time.
        EXPECT_EQ(openingFocus(fx, dialog), first.at(w.name));
    }
}

// Editors open on their first field for an existing record and, in adding mode, for the next.
TEST(OpeningFocus, EditorsOpenOnTheirFirstFieldForEveryKindOfShowing) {
    AppFixture fx;
    frmMain main;
    const auto check = [&](QDialog& editor, const QString& expected) {
        SCOPED_TRACE(editor.objectName().toStdString());
        EXPECT_EQ(openingFocus(fx, editor), expected);
    };
    auto& meal = main.dialog<frmMealConsume>();
    meal.Mode = 1;
    meal.RecordID = 0;
    check(meal, u"dcbMealCategory"_s);
    meal.Mode = 0;
    meal.RecordID = -1; // a sample row of the shipped diary
    check(meal, u"dcbMealCategory"_s);
    auto& activity = main.dialog<frmExercisePerform>();
    activity.Mode = 1;
    activity.RecordID = 0;
    check(activity, u"dcbExercise"_s);
    activity.Mode = 0;
    activity.RecordID = -1;
    check(activity, u"dcbExercise"_s);
    auto& body = main.dialog<frmBody>();
    body.RecordID = -1;
    check(body, u"dtpDate"_s);
    auto& note = main.dialog<frmUserNote>();
    note.RecordID = -1;
    check(note, u"dtpDateFrom"_s);
    auto& catalogueMeal = main.dialog<frmMeal>();
    catalogueMeal.RecordID = 1;
    check(catalogueMeal, u"dcbMealCategory"_s);
    auto& exercise = main.dialog<frmExercise>();
    exercise.RecordID = 1;
    check(exercise, u"txtName"_s);
    auto& category = main.dialog<frmMealCategory>();
    category.RecordID = 1;
    check(category, u"txtName"_s);
}

} // namespace
} // namespace kelvora::test
