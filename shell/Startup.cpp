#include "Startup.h"

#include "CommonSettings.h"
#include "DiaryFile.h"
#include "DiaryHealth.h"
#include "DiaryMessages.h"
#include "DiaryVersion.h"
#include "KelvoraApplication.h"
#include "Numeric.h"
#include "QtHelpService.h"
#include "QtServices.h"
#include "SafetyCopies.h"
#include "UnattendedStart.h"
#include "deData.h"
#include "frmCommon.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLockFile>
#include <QTime>
#include <QTimer>
#include <QWindow>

#include <future>

using namespace Qt::StringLiterals;

namespace kelvora {

RunningProgram::RunningProgram() = default;
RunningProgram::RunningProgram(RunningProgram&&) noexcept = default;
RunningProgram& RunningProgram::operator=(RunningProgram&&) noexcept = default;
RunningProgram::~RunningProgram() {
    // The windows go before the context they read from.
    mainWindow.reset();
    app.reset();
}

namespace {

// Long enough to ride out another start-up that is just letting go, short enough not to be noticed.
constexpr int DiaryLockWaitMs = 100;

void runFirstStartSequence(frmMain& mainWindow) {
    MessageService& messages = app().messages();
    const QString& nl = app().state().newLine;
    messages.information(
        &mainWindow, u"You are welcome!"_s,
        u"Welcome to the Kelvora program!"_s + nl + nl +
            u"The program is equiped by comprehensive Help description. Please read first Help "
            "chapters to find out about what is this program for and what technology it uses."_s);
    messages.information(
        &mainWindow, programTitle(),
        u"Because it is a very first start of this program, you will be prompted now to specify "
        "common parameters."_s);
    frmCommon& common = mainWindow.dialog<frmCommon>();
    common.firstStart = true;
    app().modal().exec(common);
    common.firstStart = false;
    shiftSampleData(app().de(), DateValue::fromQDate(app().clock().now().date()));
}

// Whether the diary takes changes: a row changed inside a transaction that is then undone, so that a
// file, a folder for its journal or a disk that may not be written shows up before anything depends
// on it. The value has to differ: a row rewritten unchanged writes nothing. A diary another program
// holds locked is reported as locked; any other refusal (a full disk, say) may pass while the
// program runs.
enum class Writability { Writable, ReadOnly, Locked, Refused };

Writability diaryWritability(deData& de) {
    try {
        Transaction probe(de.Con);
        de.Con.execute(u"update Common set FirstStart = 1 - FirstStart"_s);
    } catch (const DbError& error) {
        if (error.isBusy())
            return Writability::Locked;
        return error.isReadOnly() ? Writability::ReadOnly : Writability::Refused;
    }
    return Writability::Writable;
}

// What a damaged diary is refused with: its name, and the newest safety copy to go back to.
QString damagedText(const QString& diaryPath) {
    const QString newest = newestSafetyCopy(diaryPath);
    return damagedDiaryText(diaryPath, newest.isEmpty() ? std::nullopt : std::optional(newest));
}

// A diary of another format version than the program's: a newer one is refused untouched, an older
// one upgraded in one transaction before anything else reads it. Nothing to say when the file is
// current, or when it cannot even be read as a database, which the opening then names.
std::optional<QString> diaryVersionProblem(const QString& diaryPath, const QDateTime& now) {
    int version = 0;
    try {
        bool upgrade = false;
        {
            Connection look(diaryPath, Connection::OpenMode::ReadOnly);
            version = diaryVersion(look);
            upgrade = needsUpgrade(look);
        }
        if (version > CurrentDiaryVersion)
            return newerDiaryText(diaryPath, version);
        if (upgrade) {
            // Nothing is written to a diary before its whole-file check has passed, an upgrade
            // neither; start-up checks the upgraded diary again.
            if (quickCheck(diaryPath).damaged())
                return damagedText(diaryPath);
            Connection con(diaryPath, Connection::OpenMode::Existing);
            // The older program can still open the copy, should its user go back to it. The
            // upgrade itself is one transaction, so a copy that can't be made (a full disk) leaves
            // the diary no less safe and does not hold it back.
            try {
                makeUpgradeSafetyCopy(con, now);
            } catch (const DbError&) {
            }
            upgradeDiary(con);
        }
    } catch (const DbError& error) {
        if (version == 0)
            return std::nullopt;
        if (error.isBusy())
            return openFailureText(OpenFailure::Locked, diaryPath);
        if (error.isDamage())
            return damagedText(diaryPath);
        return upgradeFailureText(diaryPath, version, error.message());
    }
    return std::nullopt;
}

// How long start-up waits for the window system to put the main window on the screen before it
// goes on regardless (a window that opens minimised, or on another desktop, is never exposed).
constexpr int ExposeWaitMs = 500;

// Lets the window system map, expose and draw a window just shown. Only the window system's own
// events are taken meanwhile: the user's input waits until start-up has finished.
void waitOnScreen(QWidget& window) {
    QWindow* handle = window.windowHandle();
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(ExposeWaitMs);
    while (handle && !handle->isExposed() && deadline.isActive())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    // The exposure draws the window; what was asked to be drawn again since is drawn now.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// The whole-file check of the diary, on a thread of its own: meanwhile the window system's events go
// on being handled, so that the window is drawn again when it is moved or uncovered during a long
// check (a large diary read from a slow disk); the user's input waits for the verdict.
HealthReport checkMeanwhile(const QString& diaryPath) {
    QEventLoop waiting;
    std::future<HealthReport> check = std::async(std::launch::async, [&waiting, diaryPath] {
        HealthReport report = quickCheck(diaryPath);
        QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
        return report;
    });
    waiting.exec(QEventLoop::ExcludeUserInputEvents);
    return check.get();
}

void refuse(ServiceSet& services, const QString& text) {
    services.messages->critical(nullptr, u"Severe Error"_s, text);
}

} // namespace

QString diaryLockPathFor(const QString& diaryPath) {
    return diaryPath + u".lock"_s;
}

QString diaryLockPathIn(const QString& programFolder) {
    return diaryLockPathFor(deData::databasePathIn(programFolder));
}

bool clockIs24Hour(const QLocale& locale) {
    // Locales with digits of their own (Persian, Bengali, ...) write 23 in those digits.
    const QString text = locale.toString(QTime(23, 15), QLocale::ShortFormat);
    return text.contains(u"23"_s) || text.contains(locale.toString(23));
}

void initialiseState(AppState& state, deData& de, const QDateTime& now, const QLocale& locale) {
    state.newLine = u"\n\r"_s;
    state.currentDate = DateValue::fromQDate(now.date());
    state.currentTime = DateValue::fromTime(now.time().hour(), now.time().minute());
    state.clock24 = clockIs24Hour(locale);
    state.timeDisplayFormat = state.clock24 ? u"Hh:Nn"_s : u"h:Nn am/pm"_s;
    state.timePickerFormat = state.clock24 ? u"H:mm"_s : u"h:mm tt"_s;
    readCommonSettings(state, de);
}

bool firstStartPending(deData& de) {
    Recordset& common = de.rs(u"Common"_s);
    if (!common.isOpen())
        common.open();
    return common.field(u"FirstStart"_s).toInt() == 1;
}

void shiftSampleData(deData& de, const DateValue& today) {
    Recordset& common = de.run(u"Common"_s);
    const DateValue installDate(common.field(u"installDate"_s).toDouble());
    const std::int64_t n = diffDays(installDate, today);
    const std::int64_t x = std::max<std::int64_t>(50 - n, 50);

    Transaction transaction(de.Con);
    // Each step must fit the commands' 16-bit parameter; a clock off by more than ninety years
    // leaves the sample diary where it is rather than failing the first start.
    if (toInt16(-x) && toInt16(x + n) && toInt16(n)) {
        // Body dates are unique: two moves of at least 50 days each carry the whole 45-day span
        // clear of itself, where one move of n days could collide row by row.
        de.execute(u"RecalcBodyDates"_s, {qlonglong(-x)});
        de.execute(u"RecalcBodyDates"_s, {qlonglong(x + n)});
        de.execute(u"RecalcUserNoteDates"_s, {qlonglong(n)});
        de.execute(u"RecalcExerciseDates"_s, {qlonglong(n)});
        de.execute(u"RecalcMealDates"_s, {qlonglong(n)});
    }
    common.set(u"installDate"_s, QVariant::fromValue(today.datePart()));
    common.set(u"FirstStart"_s, 0);
    try {
        common.update();
    } catch (const DbError&) {
        common.cancelUpdate();
        throw;
    }
    transaction.commit();
}

std::optional<RunningProgram> startKelvora(const QString& programFolder, ServiceSet&& services,
                                           const QLocale& locale, const QString& dataFolder) {
    const DiaryLocation location = locateDiary(programFolder, dataFolder);
    const QString& diaryPath = location.diaryPath;
    if (location.makeFromShipped) {
        if (!QFileInfo(location.shippedPath).isFile()) {
            refuse(services, missingDiaryText(location.shippedPath, diaryPath));
            return std::nullopt;
        }
        // The lock lives beside the diary, so its folder has to be there first.
        if (const QString failure = makeDiaryFolder(diaryPath); !failure.isEmpty()) {
            refuse(services, userDiaryNotWrittenText(diaryPath, location.shippedPath, failure));
            return std::nullopt;
        }
    }
    // Each instance keeps the unit system and the body weight in memory: a second one on the same
    // diary would store values in units the first has just converted away from.
    auto lock = std::make_unique<QLockFile>(diaryLockPathFor(diaryPath));
    // A lock of a process that no longer exists is taken over; one of a live process never goes
    // stale, however long that program has been running.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(DiaryLockWaitMs) && lock->error() == QLockFile::LockFailedError) {
        services.messages->critical(nullptr, programTitle(),
                                    u"Kelvora is already running with this diary."_s + u'\n' +
                                        QDir::toNativeSeparators(diaryPath));
        return std::nullopt;
    }
    // Any other failure (a folder the user may not write to) cannot be told from a free diary, and
    // refusing to start over it would help nobody.

    // Under the lock: two first starts at once must not both make the diary, the later replacing
    // the one the earlier has begun to fill.
    if (location.makeFromShipped) {
        const MadeDiary made = makeUserDiary(location);
        if (made.outcome == MadeDiary::Outcome::ShippedUnusable) {
            refuse(services, shippedDiaryUnusableText(location.shippedPath, diaryPath, made.detail));
            return std::nullopt;
        }
        if (made.outcome == MadeDiary::Outcome::NotWritten) {
            refuse(services, userDiaryNotWrittenText(diaryPath, location.shippedPath, made.detail));
            return std::nullopt;
        }
    }

    if (const std::optional<QString> problem = diaryVersionProblem(diaryPath, services.clock->now())) {
        refuse(services, *problem);
        return std::nullopt;
    }
    std::unique_ptr<deData> data;
    try {
        data = std::make_unique<deData>(diaryPath);
    } catch (const DbError& error) {
        refuse(services, openFailureText(classifyOpenFailure(diaryPath, error), diaryPath));
        return std::nullopt;
    }
    RunningProgram program;
    program.app = std::make_unique<App>(programFolder, std::move(data), std::move(services));
    App& context = *program.app;
    const auto giveUp = [&](const QString& text) {
        program.mainWindow.reset();
        context.de().Con.skipUpkeepOnClose();
        services = context.releaseServices();
        program.app.reset();
        refuse(services, text);
        return std::nullopt;
    };
    const auto damaged = [&] { return giveUp(damagedText(diaryPath)); };
    bool firstStart = false;
    try {
        initialiseState(context.state(), context.de(), context.clock().now(), locale);
        program.mainWindow = std::make_unique<frmMain>();
        firstStart = firstStartPending(context.de());
        program.mainWindow->show();
        // A first start draws its day once the sample diary has been moved to end today.
        if (!firstStart)
            program.mainWindow->RePaintGraph();
    } catch (const DbError& error) {
        // The settings row itself may lie in a damaged page.
        if (!error.isDamage() && !quickCheck(diaryPath).damaged())
            throw;
        return damaged();
    }

    // Damage in pages that start-up does not read would surface only later, as a failing store, so
    // the whole file is checked before anything is written to it or the user can ask for anything.
    // The check begins once the window is on the screen: run beside the making of the window, it
    // slowed that down by a good part of what it took itself.
    waitOnScreen(*program.mainWindow);
    const HealthReport health = checkMeanwhile(diaryPath);
    if (health.damaged())
        return damaged();

    // The first start has to store the user's parameters and move the sample diary; over a diary it
    // cannot change, its parameters window could never be left. A diary started before can still
    // be looked at. The probe writes nothing that stays.
    const Writability writability = diaryWritability(context.de());
    if (writability == Writability::Locked)
        return giveUp(openFailureText(OpenFailure::Locked, diaryPath));
    if (firstStart && writability != Writability::Writable) {
        return giveUp(
            u"Kelvora can't store anything in its diary, so its very first start can't be completed. "
            "Please make sure that you may change this file and the folder it is in:"_s +
            u'\n' + QDir::toNativeSeparators(diaryPath));
    }
    context.state().diaryReadOnly = writability == Writability::ReadOnly;
    program.diaryLock = std::move(lock);

    // The day's first start copies the diary before anything is written to it, and only a diary
    // the check found sound. One still waiting for its very first start holds nothing of the
    // user's to keep.
    const SafetyCopyResult copy = firstStart
                                      ? SafetyCopyResult::AlreadyMade
                                      : makeDailySafetyCopy(diaryPath, context.clock().now().date(),
                                                            health.outcome == HealthReport::Outcome::Sound);

    if (firstStart) {
        runFirstStartSequence(*program.mainWindow);
        program.mainWindow->RePaintGraph();
    }
    // A diary that may not be changed cannot be copied beside itself either; its warning says why.
    if (context.state().diaryReadOnly)
        context.messages().exclamation(program.mainWindow.get(), programTitle(),
                                       readOnlyStartText(diaryPath));
    else if (copy == SafetyCopyResult::Failed)
        context.messages().information(program.mainWindow.get(), programTitle(),
                                       safetyCopyFailureText(safetyCopyFolder(diaryPath)));
    return program;
}

int runKelvora(int& argc, char** argv) {
    KelvoraApplication application(argc, argv);
    ServiceSet services{std::make_unique<QtMessageService>(), std::make_unique<QtModalService>(),
                        std::make_unique<SystemClock>(),      std::make_unique<QtPrinterService>(),
                        std::make_unique<QtHelpService>(),    std::make_unique<QtFileDialogService>()};
    std::optional<UnattendedStart> unattended;
    if (quitAfterStartRequested(QCoreApplication::arguments()))
        unattended.emplace();
    std::optional<RunningProgram> program;
    try {
        program = startKelvora(QCoreApplication::applicationDirPath(), std::move(services), QLocale(),
                               userDataFolder());
    } catch (const std::exception& error) {
        KelvoraApplication::reportUncaught(error);
        return 1;
    }
    if (!program)
        return 1;
    if (unattended)
        return 0;
    return QApplication::exec();
}

} // namespace kelvora
