#include "AllWindows.h"

#include "App.h"
#include "frmAbout.h"
#include "frmBody.h"
#include "frmCommon.h"
#include "frmCopyMeals.h"
#include "frmDate.h"
#include "frmExercise.h"
#include "frmExercisePerform.h"
#include "frmExercisePerforms.h"
#include "frmExercises.h"
#include "frmExport.h"
#include "frmGeneralProgress.h"
#include "frmGeneralProgressSettings.h"
#include "frmMain.h"
#include "frmMeal.h"
#include "frmMealCategories.h"
#include "frmMealCategory.h"
#include "frmMealConsume.h"
#include "frmMealConsumes.h"
#include "frmMeals.h"
#include "frmMeasurements.h"
#include "frmUserNote.h"
#include "frmWeightAdjustment.h"

#include <QDateEdit>

using namespace Qt::StringLiterals;

namespace kelvora::test {

namespace {

template <typename Dialog> ProgramWindow dialogWindow(const char* name) {
    return {QString::fromUtf8(name), [](frmMain& main) -> QWidget& { return main.dialog<Dialog>(); }};
}

// A day list opens on currentDate with nothing selected, as from the menu.
template <typename DayList> ProgramWindow dayList(const char* name) {
    ProgramWindow window = dialogWindow<DayList>(name);
    window.prepare = [](QWidget& widget) {
        auto& list = static_cast<DayList&>(widget);
        list.dtpDate->setDate(app().state().currentDate.toQDate());
        list.RefreshList(0);
    };
    return window;
}

} // namespace

std::vector<ProgramWindow> allWindows() {
    ProgramWindow progress = dialogWindow<frmGeneralProgress>("frmGeneralProgress");
    progress.prepare = [](QWidget& widget) {
        auto& chart = static_cast<frmGeneralProgress&>(widget);
        chart.dateTo = app().state().currentDate;
        chart.dateFrom = chart.dateTo.addMonths(-1);
    };
    return {
        {u"frmMain"_s, [](frmMain& main) -> QWidget& { return main; }, [](QWidget&) {}, false},
        dialogWindow<frmMealCategories>("frmMealCategories"),
        dialogWindow<frmMealCategory>("frmMealCategory"),
        dialogWindow<frmMeals>("frmMeals"),
        dialogWindow<frmMeal>("frmMeal"),
        dialogWindow<frmExercises>("frmExercises"),
        dialogWindow<frmExercise>("frmExercise"),
        dialogWindow<frmWeightAdjustment>("frmWeightAdjustment"),
        dialogWindow<frmCommon>("frmCommon"),
        dayList<frmMealConsumes>("frmMealConsumes"),
        dialogWindow<frmMealConsume>("frmMealConsume"),
        dialogWindow<frmCopyMeals>("frmCopyMeals"),
        dayList<frmExercisePerforms>("frmExercisePerforms"),
        dialogWindow<frmExercisePerform>("frmExercisePerform"),
        dialogWindow<frmMeasurements>("frmMeasurements"),
        dialogWindow<frmBody>("frmBody"),
        dialogWindow<frmUserNote>("frmUserNote"),
        dialogWindow<frmDate>("frmDate"),
        dialogWindow<frmGeneralProgressSettings>("frmGeneralProgressSettings"),
        progress,
        dialogWindow<frmAbout>("frmAbout"),
        dialogWindow<frmExport>("frmExport"),
    };
}

} // namespace kelvora::test
