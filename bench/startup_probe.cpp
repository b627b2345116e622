// Kelvora's start-up over the database in the folder given as the only argument: the application
// object, the Qt services, start-up itself (state, main window, the day's chart painted, the
// whole-file check), up to the event loop, which takes the user's input.
#include "FirstPaint.h"
#include "KelvoraApplication.h"
#include "QtHelpService.h"
#include "QtServices.h"
#include "Startup.h"

#include <QString>

#include <cstdio>

using namespace kelvora;
using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: startup_probe <program folder>\n");
        return 2;
    }
    KelvoraApplication application(argc, argv);
    FirstPaint firstPaint(u"graph"_s);
    ServiceSet services{std::make_unique<QtMessageService>(), std::make_unique<QtModalService>(),
                        std::make_unique<SystemClock>(),      std::make_unique<QtPrinterService>(),
                        std::make_unique<QtHelpService>(),    std::make_unique<QtFileDialogService>()};
    std::optional<RunningProgram> program =
        startKelvora(QString::fromLocal8Bit(argv[1]), std::move(services));
    if (!program)
        return 1;
    firstPaint.waitAndReport();
    return 0;
}
