// A child for the kill tests: it opens the diary of a program folder and repeats one of the
// program's multi-statement operations on it, through the program's own code, until it is killed
// (or, given a count, that many times, so a test can bring the diary into a known state first).
// Every repetition changes the diary, so a kill at any moment lands in the middle of a change or
// between two. After the first repetition it creates the file "ready" in the folder, so the test
// knows the loop is running; otherwise it says nothing.
//
//   kelvora_kill_child units <folder> [count]     the settings dialog switching imperial/metric
//   kelvora_kill_child body <folder> [count]      a body measurement replacing the latest day's
//   kelvora_kill_child shift <folder> [count]     the first-start move of the sample diary, by +-1 day
//   kelvora_kill_child trial <folder> <pristine> [count]
//                                                trial data removed, then put back from a copy
//   kelvora_kill_child restore <folder> [count]   the diary restored from one of two backups (the
//                                                diary as the child first found it, and the same
//                                                without meals, activities, measurements and notes
//                                                and in other units), the other one each time
//   kelvora_kill_child lock <folder>              holds the diary's lock and waits
#include "App.h"
#include "DiaryCommands.h"
#include "DiaryFile.h"
#include "FakeServices.h"
#include "Startup.h"
#include "TrialData.h"
#include "deData.h"
#include "frmBody.h"
#include "frmCommon.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLockFile>
#include <QPushButton>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using namespace kelvora;
using namespace kelvora::test;

namespace {

enum ExitCode { Finished = 0, Usage = 2, OperationFailed = 3 };

template <typename T> T* child(QDialog& dialog, const QString& name) {
    T* found = dialog.findChild<T*>(name);
    if (!found)
        throw std::runtime_error("missing control " + name.toStdString());
    return found;
}

// Imperial at 150 lb and metric at 68 kg, the other of the two each time.
bool switchUnits(FakeModal& modal, frmCommon& dialog) {
    const bool toMetric = app().state().measurementSystem == u"I"_s;
    modal.expect([toMetric](QDialog& d) {
        child<QComboBox>(d, u"cbxMeasurement"_s)->setCurrentIndex(toMetric ? 1 : 0);
        child<QLineEdit>(d, u"txtWeight"_s)->setText(toMetric ? u"68"_s : u"150"_s);
        child<QPushButton>(d, u"btnOK"_s)->click();
    });
    app().modal().exec(dialog);
    return dialog.Saved;
}

// A new measurement on the day of the latest one, confirmed as its replacement; the values
// alternate between two sets.
bool replaceBody(FakeModal& modal, FakeMessages& messages, frmBody& dialog) {
    deData& de = app().de();
    const QDate day = DateValue(de.Con.scalar(u"select max(DateMeasured) from Body"_s).toDouble()).toQDate();
    const bool first = de.Con
                           .scalar(u"select Weight from Body where DateMeasured = (select max(DateMeasured) "
                                   "from Body)"_s)
                           .toDouble() != 171.5;
    const QStringList values = first ? QStringList{u"171.5"_s, u"40"_s, u"33"_s, u"41"_s}
                                     : QStringList{u"168"_s, u"39.5"_s, u"32"_s, u"40.5"_s};
    messages.answer(MessageButton::Yes);
    modal.expect([&](QDialog& d) {
        child<QDateEdit>(d, u"dtpDate"_s)->setDate(day);
        const QStringList fields{u"txtWeight"_s, u"txtBreast"_s, u"txtWaist"_s, u"txtHips"_s};
        for (int i = 0; i < fields.size(); ++i)
            child<QLineEdit>(d, fields[i])->setText(values[i]);
        child<QPushButton>(d, u"btnOK"_s)->click();
    });
    dialog.RecordID = 0;
    app().modal().exec(dialog);
    messages.answers.clear();
    return dialog.Saved;
}

// The first-start move with "today" one day after the install date when that date is even and one
// day before it when odd, so the diary swings between the same two positions.
bool shiftByOneDay() {
    deData& de = app().de();
    const auto install = de.Con.scalar(u"select installDate from Common"_s).toLongLong();
    shiftSampleData(de, DateValue(double(install % 2 == 0 ? install + 1 : install - 1)));
    de.closeIfOpen(u"Common"_s);
    return true;
}

const QStringList TrialTables{u"Body"_s, u"ExercisePerform"_s, u"MealConsume"_s, u"UserNote"_s};
const QStringList TrialKeys{u"BodyId"_s, u"ExercisePerformID"_s, u"MealConsumeID"_s, u"UserNoteId"_s};

// Removes the trial data as the main window's menu does, or puts it back from the pristine copy
// when it is gone, all four tables in one transaction.
bool removeOrRestoreTrialData(FakeMessages& messages) {
    deData& de = app().de();
    if (de.Con.scalar(u"select count(*) from Body where BodyId < 0"_s).toInt() > 0) {
        messages.answer(MessageButton::Yes);
        const bool removed = DeleteTrialData(nullptr);
        messages.answers.clear();
        return removed;
    }
    Transaction transaction(de.Con);
    for (int i = 0; i < TrialTables.size(); ++i)
        de.Con.execute(u"insert into main.%1 select * from pristine.%1 where %2 < 0"_s.arg(TrialTables[i],
                                                                                           TrialKeys[i]));
    transaction.commit();
    return true;
}

// The two backups the restores alternate between, made once from the diary as the child finds it.
struct RestoreSources {
    QString asFound;
    QString emptied;
};

RestoreSources makeRestoreSources(const QString& folder) {
    const RestoreSources sources{QDir(folder).filePath(u"restore-a.mdb"_s),
                                 QDir(folder).filePath(u"restore-b.mdb"_s)};
    if (QFile::exists(sources.asFound) && QFile::exists(sources.emptied))
        return sources;
    writeDatabaseCopy(app().de().Con, sources.asFound, CheckDepth::Full);
    QFile::remove(sources.emptied);
    QFile::copy(sources.asFound, sources.emptied);
    Connection emptied(sources.emptied);
    emptied.execute(
        u"delete from MealConsume; delete from ExercisePerform; delete from Body; delete from UserNote;"
        "update Common set Measurement = 'M', weight = 70, metabolicRate = 90"_s);
    return sources;
}

// Restores, as the menu command does, whichever backup the diary does not hold now.
bool restoreTheOther(FakeFileDialogs& files, FakeMessages& messages, const RestoreSources& sources) {
    const bool holdsMeals = app().de().Con.scalar(u"select count(*) from MealConsume"_s).toInt() > 0;
    files.answer(holdsMeals ? sources.emptied : sources.asFound);
    messages.answer(MessageButton::Yes);
    const bool restored = restoreDiary(nullptr);
    messages.answers.clear();
    files.requests.clear();
    return restored;
}

[[noreturn]] void holdLock(const QString& folder) {
    QLockFile lock(diaryLockPathIn(folder));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0))
        std::exit(OperationFailed);
    QFile ready(QDir(folder).filePath(u"ready"_s));
    ready.open(QIODevice::WriteOnly);
    ready.close();
    for (;;)
        QThread::sleep(1);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3)
        return Usage;
    const QString operation = args[1];
    const QString folder = args[2];
    if (operation == u"lock"_s)
        holdLock(folder);
    QStringList rest = args.mid(3);
    QString pristine;
    if (operation == u"trial"_s) {
        if (rest.isEmpty())
            return Usage;
        pristine = rest.takeFirst();
    }
    const long long count = rest.isEmpty() ? -1 : rest.first().toLongLong();

    auto messages = std::make_unique<FakeMessages>();
    auto modal = std::make_unique<FakeModal>();
    auto files = std::make_unique<FakeFileDialogs>();
    FakeMessages& fakeMessages = *messages;
    FakeModal& fakeModal = *modal;
    FakeFileDialogs& fakeFiles = *files;
    ServiceSet services{std::move(messages),           std::move(modal),
                        std::make_unique<FakeClock>(), std::make_unique<FakePrinter>(),
                        std::make_unique<FakeHelp>(),  std::move(files)};
    App context(folder, std::make_unique<deData>(deData::databasePathIn(folder)), std::move(services));
    initialiseState(context.state(), context.de(), context.clock().now(), QLocale());
    if (!pristine.isEmpty())
        context.de().Con.execute(u"attach database '%1' as pristine"_s.arg(pristine));

    frmCommon common;
    frmBody body;
    std::function<bool()> step;
    if (operation == u"units"_s)
        step = [&] { return switchUnits(fakeModal, common); };
    else if (operation == u"body"_s)
        step = [&] { return replaceBody(fakeModal, fakeMessages, body); };
    else if (operation == u"shift"_s)
        step = shiftByOneDay;
    else if (operation == u"trial"_s)
        step = [&] { return removeOrRestoreTrialData(fakeMessages); };
    else if (operation == u"restore"_s)
        step = [&, sources = makeRestoreSources(folder)] {
            return restoreTheOther(fakeFiles, fakeMessages, sources);
        };
    else
        return Usage;

    try {
        for (long long done = 0; count < 0 || done < count; ++done) {
            if (!step())
                return OperationFailed;
            fakeMessages.shown.clear();
            if (done == 0 && count < 0) {
                QFile ready(QDir(folder).filePath(u"ready"_s));
                ready.open(QIODevice::WriteOnly);
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return OperationFailed;
    }
    return Finished;
}
