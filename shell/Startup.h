#pragma once

#include "App.h"

#include <QLocale>
#include <QString>

#include <memory>
#include <optional>

namespace kelvora {

class deData;
class frmMain;

// The program as start-up leaves it: the context and the shown main window.
struct RunningProgram {
    std::unique_ptr<App> app;
    std::unique_ptr<frmMain> mainWindow;

    RunningProgram();
    RunningProgram(RunningProgram&&) noexcept;
    RunningProgram& operator=(RunningProgram&&) noexcept;
    ~RunningProgram();
};

// Start-up in its fixed order: open the database in the program folder (or report "Severe Error"
// and return nothing), fill the application state, show the main window, run the first-run sequence
// when the installation has not been started yet, and draw the current day.
// The services move into the program; when start-up fails they stay with the caller.
std::optional<RunningProgram> startKelvora(const QString& programFolder, ServiceSet&& services,
                                           const QLocale& locale = QLocale());

// The program's main(): the Qt services, start-up, then the event loop.
int runKelvora(int& argc, char** argv);

// The pieces of start-up, each testable on its own.
bool clockIs24Hour(const QLocale& locale);
void initialiseState(AppState& state, deData& de, const QDateTime& now, const QLocale& locale);
bool firstStartPending(deData& de);
// Moves the sample diary so that it ends `today - installDate` days later, sets installDate to
// today and clears the first-start mark, all in one transaction.
void shiftSampleData(deData& de, const DateValue& today);

} // namespace kelvora
