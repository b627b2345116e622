#include "MainMenus.h"

#include "App.h"
#include "HelpContext.h"
#include "Icons.h"

#include <QAction>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <vector>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

// An item without a name is a separator. An item with a help context of its own opens that topic
// on F1 while it is highlighted; F1 elsewhere in a menu opens the main window's.
struct Item {
    QString name;
    QString caption;
    int helpContext = HelpContext::None;
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

constexpr auto HelpContextProperty = "kelvoraHelpContext";

// F1 on a highlighted menu item with a topic of its own opens that topic. An open menu has the
// keyboard, so the key reaches the menu, not the window.
class MenuItemHelp final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* menu = qobject_cast<QMenu*>(watched);
        if (!menu || key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier || !menu->activeAction())
            return false;
        const int context = menu->activeAction()->property(HelpContextProperty).toInt();
        if (context == HelpContext::None)
            return false;
        app().help().showTopic(context);
        return true;
    }
};

void addMenu(QMainWindow& window, const Menu& menu, QObject* itemHelp) {
    QMenu* dropDown = window.menuBar()->addMenu(menu.caption);
    dropDown->setObjectName(menu.name);
    dropDown->installEventFilter(itemHelp);
    for (const Item& item : menu.items) {
        if (item.name.isEmpty()) {
            dropDown->addSeparator();
            continue;
        }
        auto* action = new QAction(item.caption, &window);
        action->setObjectName(item.name);
        if (item.helpContext != HelpContext::None)
            action->setProperty(HelpContextProperty, item.helpContext);
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
          {u"mnuCopyMeals"_s, u"Copy Meals &From Another Day…"_s, HelpContext::frmCopyMeals},
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
          {u"mnuExport"_s, u"&Export…"_s, HelpContext::frmExport},
          {u"mnuBackUp"_s, u"Back &Up Diary…"_s, HelpContext::mnuBackUp},
          {u"mnuRestore"_s, u"Res&tore Diary…"_s, HelpContext::mnuRestore},
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
    auto* itemHelp = new MenuItemHelp(&window);
    for (const Menu& menu : menus)
        addMenu(window, menu, itemHelp);

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
