#pragma once

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace kelvora {
class frmMain;
}

namespace kelvora::test {

// Every window of the program, made the way the program makes it: the main window itself, and each
// dialog as the main window's one object of its class. `prepare` sets what the window's opener
// sets before showing it (a day list's date, the progress window's period), so that it opens as a
// user would see it. The help tests find a window class missing from this list.
struct ProgramWindow {
    QString name;
    std::function<QWidget&(frmMain&)> make;
    std::function<void(QWidget&)> prepare = [](QWidget&) {};
    bool isDialog = true;
};

std::vector<ProgramWindow> allWindows();

} // namespace kelvora::test
