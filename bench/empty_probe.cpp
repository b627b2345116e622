// The yardsticks for start-up: an empty Qt Widgets main window, shown and painted once; with
// --with-text, the same window with a menu bar and one line of text, which is the least a window
// that shows anything pays (the font database, the style's menu machinery).
#include "FirstPaint.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

#include <cstring>

int main(int argc, char** argv) {
    const bool withText = argc > 1 && std::strcmp(argv[1], "--with-text") == 0;
    QApplication application(argc, argv);
    QMainWindow window;
    window.setObjectName(QStringLiteral("window"));
    window.resize(685, 500);
    if (withText) {
        window.menuBar()->addMenu(QStringLiteral("&Operate"));
        window.setCentralWidget(new QLabel(QStringLiteral("06-Dec-26"), &window));
    }
    FirstPaint firstPaint(QStringLiteral("window"));
    window.show();
    firstPaint.waitAndReport();
    return 0;
}
