#pragma once

class QMainWindow;
class QToolBar;

namespace kelvora {

// Fills the main window's menu bar and toolbar. Every menu item is a QAction owned by the window and
// named after the item (mnuAddMeal, ...), every menu a QMenu named after it (mnuOperate, ...). A
// toolbar button is the very QAction of the menu item it is keyed by, so it runs exactly that item
// and is enabled exactly when it is; it carries its own tooltip and pictogram.
void buildMainMenus(QMainWindow& window, QToolBar& toolbar);

} // namespace kelvora
