// Kelvora's start-up up to the first painted day, over the database in the folder given as the
// only argument: the application object, the Qt services, start-up itself (state, main window,
// the day's chart), then the event loop until the chart has been painted.
#include "FirstPaint.h"
#include "KelvoraApplication.h"
#include "QtHelpService.h"
#include "QtServices.h"
#include "Startup.h"
#include "frmMain.h"

#include <QString>

#include <cstdio>

using namespace kelvora;
using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: startup_probe <program folder>\n");
        return 2;
    }
    // As the program's main() does: the diary's check begins before the application object.
    EarlyDiaryCheck check = checkDiaryEarly(QString::fromLocal8Bit(argv[1]));
    KelvoraApplication application(argc, argv);
    ServiceSet services{std::make_unique<QtMessageService>(), std::make_unique<QtModalService>(),
                        std::make_unique<SystemClock>(),      std::make_unique<QtPrinterService>(),
                        std::make_unique<QtHelpService>(),    std::make_unique<QtFileDialogService>()};
    std::optional<RunningProgram> program = startKelvora(QString::fromLocal8Bit(argv[1]), std::move(services),
                                                         QLocale(), userDataFolder(), std::move(check));
    if (!program)
        return 1;
    auto* graph = program->mainWindow->findChild<QWidget*>(u"graph"_s);
    if (!graph)
        return 1;
    FirstPaint firstPaint(*graph);
    firstPaint.waitAndReport();
    return 0;
}
