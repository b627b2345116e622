#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace kelvora {
class frmMain;
}

namespace kelvora::test {

class AppFixture;

// Opens every window of the program in turn, the way its opener shows it, and calls `visit` while
// the window is on the screen with its content loaded. The main window is shown first. Besides
// the windows as they open from the menus, the editors are also shown with a record in them.
void forEachOpenWindow(AppFixture& fx, frmMain& main,
                       const std::function<void(QWidget& window, const QString& what)>& visit);

// What `check` finds in each of those windows, each finding led by the window it was found in.
QStringList problemsInEveryWindow(AppFixture& fx, frmMain& main,
                                  const std::function<QStringList(QWidget& window)>& check);

} // namespace kelvora::test
