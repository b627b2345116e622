#pragma once

#include "App.h"
#include "DiaryLocation.h"

#include <QLocale>
#include <QString>

#include <memory>
#include <optional>

class QLockFile;

namespace kelvora {

class deData;
class frmMain;

// The program as start-up leaves it: the context and the shown main window, and the lock that keeps
// a second instance off the same diary for as long as this one runs.
struct RunningProgram {
    std::unique_ptr<QLockFile> diaryLock; // first, so it is released last
    std::unique_ptr<App> app;
    std::unique_ptr<frmMain> mainWindow;

    RunningProgram();
    RunningProgram(RunningProgram&&) noexcept;
    RunningProgram& operator=(RunningProgram&&) noexcept;
    ~RunningProgram();
};

// Start-up in its fixed order: find the diary (the program folder's, or the user's own in
// `dataFolder`, made from the shipped one at the user's first start), take the diary's lock (or
// report that another instance runs on it and return nothing), open the database (or report
// "Severe Error" and return nothing), fill the application state, show the main window with the
// current day, check the whole diary file once the window is on the screen (refusing a damaged
// one), then run the first-run sequence when the diary has not been started yet and draw its day.
// The services move into the program; when start-up fails they stay with the caller.
std::optional<RunningProgram> startKelvora(const QString& programFolder, ServiceSet&& services,
                                           const QLocale& locale = QLocale(),
                                           const QString& dataFolder = userDataFolder());

// The program's main(): the Qt services, start-up, then the event loop.
int runKelvora(int& argc, char** argv);

// The lock file that marks a diary as in use: the diary's path plus ".lock".
QString diaryLockPathFor(const QString& diaryPath);
// The lock of the diary in a portable program folder.
QString diaryLockPathIn(const QString& programFolder);

// The pieces of start-up, each testable on its own.
bool clockIs24Hour(const QLocale& locale);
void initialiseState(AppState& state, deData& de, const QDateTime& now, const QLocale& locale);
bool firstStartPending(deData& de);
// Moves the sample diary so that it ends `today - installDate` days later, sets installDate to
// today and clears the first-start mark, all in one transaction.
void shiftSampleData(deData& de, const DateValue& today);

} // namespace kelvora
