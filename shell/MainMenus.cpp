#include "MainMenus.h"

#include "Icons.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <vector>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

// An item without a name is a separator.
struct Item {
    QString name;
    QString caption;
};

struct Menu {
    QString name;
    QString caption;
    std::vector<Item> items;
};

// A button without a key is the separator between two groups.
struct Button {
    QString key;
    QString toolTip;
};

const Item Separator{};

void addMenu(QMainWindow& window, const Menu& menu) {
    QMenu* dropDown = window.menuBar()->addMenu(menu.caption);
    dropDown->setObjectName(menu.name);
    for (const Item& item : menu.items) {
        if (item.name.isEmpty()) {
            dropDown->addSeparator();
            continue;
        }
        auto* action = new QAction(item.caption, &window);
        action->setObjectName(item.name);
        dropDown->addAction(action);
    }
}

} // namespace

void buildMainMenus(QMainWindow& window, QToolBar& toolbar) {
    const std::vector<Menu> menus{
        {u"mnuOperate"_s,
         u"&Operate"_s,
         {{u"mnuMealConsume"_s, u"&Meal Consumed List"_s},
          {u"mnuAddMeal"_s, u"&Add Meal"_s},
          Separator,
          {u"mnuExercisePerformed"_s, u"A&ctivities Performed List"_s},
          {u"mnuAddExercise"_s, u"A&dd Activity"_s},
          Separator,
          {u"mnuMeasurement"_s, u"&Body Measurement and Notes"_s},
          {u"mnuAddMeasurement"_s, u"Add Body Measu&rement"_s},
          {u"mnuAddNote"_s, u"Add &Note"_s},
          Separator,
          {u"mnuPrintChart"_s, u"&Print Daily Chart"_s},
          {u"mnuSaveChart"_s, u"Sa&ve Daily Chart As…"_s},
          Separator,
          {u"mnuSetDate"_s, u"&Set Date"_s},
          Separator,
          {u"mnuDeleteTrialData"_s, u"Delete Trial Data"_s},
          Separator,
          {u"mnuExit"_s, u"E&xit"_s}}},
        {u"mnuAnalyze"_s, u"&Analyze"_s, {{u"mnuGeneralProgress"_s, u"&General Progress"_s}}},
        {u"mnuSettings"_s,
         u"&Settings"_s,
         {{u"mnuMealCategories"_s, u"Meal &Categories"_s},
          {u"mnuMeal"_s, u"&Meal"_s},
          {u"mnuExercises"_s, u"&Activities"_s},
          Separator,
          {u"mnuCommon"_s, u"C&ommon"_s}}},
        {u"mnuHelp"_s,
         u"&Help"_s,
         {{u"mnuHelpAbout"_s, u"&About"_s},
          {u"mnuHelpContents"_s, u"&Contents"_s},
          {u"mnuHelpMainForm"_s, u"&Main Form"_s}}},
    };
    for (const Menu& menu : menus)
        addMenu(window, menu);

    const std::vector<Button> buttons{
        {u"mnuMealConsume"_s, u"Meal Consume List"_s},
        {u"mnuAddMeal"_s, u"Add Meal"_s},
        {},
        {u"mnuExercisePerformed"_s, u"Activities Performed List"_s},
        {u"mnuAddExercise"_s, u"Add Activity"_s},
        {},
        {u"mnuMeasurement"_s, u"Body Measurement & Notes"_s},
        {u"mnuAddMeasurement"_s, u"Add Measurement"_s},
        {u"mnuAddNote"_s, u"Add Note"_s},
        {},
        {u"mnuPrintChart"_s, u"Print Daily Chart"_s},
        {},
        {u"mnuGeneralProgress"_s, u"General Progress"_s},
        {},
        {u"mnuMealCategories"_s, u"Configure Meal Categories"_s},
        {u"mnuMeal"_s, u"Configure Meals"_s},
        {u"mnuExercises"_s, u"Configure Activities"_s},
        {},
        {u"mnuHelpAbout"_s, u"About the Program"_s},
        {u"mnuHelpContents"_s, u"Help Contents"_s},
    };
    for (const Button& button : buttons) {
        if (button.key.isEmpty()) {
            toolbar.addSeparator();
            continue;
        }
        auto* action = window.findChild<QAction*>(button.key, Qt::FindDirectChildrenOnly);
        // The menus show captions only; the picture belongs to the toolbar.
        action->setIcon(pictogram(button.key));
        action->setIconVisibleInMenu(false);
        action->setToolTip(button.toolTip);
        toolbar.addAction(action);
    }
}

} // namespace kelvora
