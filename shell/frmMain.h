#pragma once

#include "DayView.h"
#include "MainLayout.h"
#include "Services.h"

#include <QDialog>
#include <QHash>
#include <QIcon>
#include <QMainWindow>

#include <memory>
#include <tuple>
#include <typeindex>
#include <unordered_map>

class QAction;
class QLineEdit;
class QToolBar;
class QToolButton;
class ZelmarGraph;

namespace kelvora {

class ElidedLabel;
struct DayCalories;
class frmBody;
class frmExercise;
class frmExercisePerform;
class frmExercisePerforms;
class frmExercises;
class frmMeal;
class frmMealCategories;
class frmMealCategory;
class frmMealConsume;
class frmMealConsumes;
class frmMeals;
class frmMeasurements;
class frmUserNote;
class frmWeightAdjustment;

// The dialogs a dialog works with (an editor it opens, say): the main window makes them first and
// hands them to its constructor, so every window shares the program's one object of each.
template <typename Dialog> struct Collaborators { using type = std::tuple<>; };
template <> struct Collaborators<frmMeasurements> { using type = std::tuple<frmBody, frmUserNote>; };
template <> struct Collaborators<frmMealCategories> { using type = std::tuple<frmMealCategory>; };
template <> struct Collaborators<frmMeal> { using type = std::tuple<frmMealCategory>; };
template <> struct Collaborators<frmMeals> { using type = std::tuple<frmMeal>; };
template <> struct Collaborators<frmExercise> { using type = std::tuple<frmWeightAdjustment>; };
template <> struct Collaborators<frmExercises> { using type = std::tuple<frmExercise>; };
template <> struct Collaborators<frmMealConsume> { using type = std::tuple<frmMeal>; };
template <> struct Collaborators<frmExercisePerform> { using type = std::tuple<frmExercise>; };

// The program's only non-modal window and its hub: the calorie chart of the day currentDate with
// buttons to step a day back or forward, and the menus and toolbar that open every other window,
// always modally. Closing it closes every other window and so ends the program.
class frmMain final : public QMainWindow, public DayView {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Loads the day currentDate into the chart without drawing it.
    void LoadGraph();
    // Loads and draws the day currentDate: the redraw after anything that may have changed the
    // date or the day's records.
    void RePaintGraph() override;
    // The shown day in words, as screen readers hear the chart: the date, the number of meals,
    // kcal eaten, kcal burned by activities and the balance.
    QString chartDescription() const;

    // An image of the window's image list by key: "Plus" and "Exit" for the journal editors, or a
    // toolbar key. Null for a key the list does not hold.
    QIcon image(const QString& key) const override;

    // The daily chart as it goes to paper and files: the client area on white, without the day
    // controls and the toolbar.
    Printout chartPrintout() const;

    // The dialogs the window opens live as long as it does, so they keep their public members.
    // Made on first use; the caller includes the dialog's header.
    template <typename Dialog> Dialog& dialog() {
        std::unique_ptr<QDialog>& slot = m_dialogs[std::type_index(typeid(Dialog))];
        if (!slot)
            slot = makeDialog<Dialog>();
        return static_cast<Dialog&>(*slot);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void connectMenus();
    QAction* menuItem(const QString& name) const;
    void applyMinimumHeight();
    void applyButtonFace();
    mainlayout::ContentNeeds contentNeeds() const;
    // Lays the toolbar, the chart and the day controls out in the client area; `redraw` draws the
    // chart again at its new size once a day has been loaded.
    void placeControls(bool redraw);
    void showDayCalories(const DayCalories& day);

    void btnPrev_Click();
    void btnNext_Click();
    void mnuPrintChart_Click();
    void mnuSaveChart_Click();
    void mnuSetDate_Click();
    void mnuDeleteTrialData_Click();
    void mnuCommon_Click();
    void mnuHelpAbout_Click();
    void mnuAddMeasurement_Click();
    void mnuAddNote_Click();
    void mnuGeneralProgress_Click();
    // The day list of meals or activities on currentDate with the record `id` selected (0: none);
    // the day is redrawn after it closes, whatever happened there.
    template <typename DayList> void showDayList(qint32 id);
    // A journal editor on one record (0: a new one) or, in mode 1, adding records until closed;
    // true when it stored something.
    template <typename Editor> bool openJournalEditor(int mode, qint32 id);
    template <typename Editor, typename DayList> void editFromChart(qint32 id, bool definite, double tm);
    void graph_NewMeal(double tm);
    void graph_NewExercise(double tm);
    void graph_EditMeal(qint32 id, bool definite, double tm);
    void graph_EditExercise(qint32 id, bool definite, double tm);

    QWidget* client = nullptr;
    QToolBar* tlbToolBar;
    ZelmarGraph* graph;
    QToolButton* btnPrev;
    QLineEdit* txtDate;
    QToolButton* btnNext;
    QToolButton* btnHelp;
    // The shown day's kcal eaten against the budget, and burned by activities.
    ElidedLabel* lblDayCalories;
    QHash<QString, QIcon> imlImages;
    bool graphLoaded = false;
    int shownMeals = 0; // meals of the shown day that the chart counts
    bool placedOnScreen = false;

    // A dialog is constructed with the main window as its parent, then the dialogs it works with.
    template <typename Dialog> std::unique_ptr<QDialog> makeDialog() {
        return [this]<typename... Others>(std::tuple<Others...>*) {
            return std::make_unique<Dialog>(this, dialog<Others>()...);
        }(static_cast<typename Collaborators<Dialog>::type*>(nullptr));
    }

    std::unordered_map<std::type_index, std::unique_ptr<QDialog>> m_dialogs;
};

// The day lists open their editor through a call that sets its mode and record.
template <> std::unique_ptr<QDialog> frmMain::makeDialog<frmMealConsumes>();
template <> std::unique_ptr<QDialog> frmMain::makeDialog<frmExercisePerforms>();

} // namespace kelvora
