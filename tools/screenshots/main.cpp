// The pictures of the help topics: the main window and its daily chart, the journal's lists and
// editors, the body measurements and notes, the progress windows and each catalogue and settings
// window, drawn by the program's own code offscreen over a copy of the shipped database, saved as PNG
// files.
//
//   kelvora_screenshots <output folder> [--dark]
//
// --dark draws them in the Fusion style with a dark palette, the way a desktop's dark colour scheme
// shows the program (for looking at, not for the help). QT_SCALE_FACTOR=2 draws them at twice the
// scale.
//
// The sample diary is moved to end on a fixed day and the locale is fixed, so the pictures only
// change when the windows do.
#include "App.h"
#include "DataCombo.h"
#include "DayList.h"
#include "QtServices.h"
#include "Recordset.h"
#include "ReportList.h"
#include "Startup.h"
#include "deData.h"
#include "frmBody.h"
#include "frmCommon.h"
#include "frmCopyMeals.h"
#include "frmDate.h"
#include "frmExercise.h"
#include "frmExercisePerform.h"
#include "frmExercisePerforms.h"
#include "frmExercises.h"
#include "frmExport.h"
#include "frmGeneralProgress.h"
#include "frmGeneralProgressSettings.h"
#include "frmMain.h"
#include "frmMeal.h"
#include "frmMealCategories.h"
#include "frmMealCategory.h"
#include "frmMealConsume.h"
#include "frmMealConsumes.h"
#include "frmMeals.h"
#include "frmMeasurements.h"
#include "frmUserNote.h"
#include "frmWeightAdjustment.h"

#include <QApplication>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

using namespace kelvora;
using namespace Qt::StringLiterals;

namespace {

const QDate Today(2026, 12, 6);
const QTime Now(14, 37);
// The day of the daily chart and of the journal's pictures: a sample day with four meal bars and
// two activities, so that one picture shows every part of the chart and the lists show totals.
const QDate JournalDay = Today.addDays(-1);

// Nothing may wait for a user here: every message is written out and answered with its default. A
// message means some window did not show what its picture is meant to, so it fails the run.
class PrintedMessages final : public MessageService {
public:
    MessageButton show(QWidget*, const Message& message) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(message.text));
        ++shown;
        return message.defaultButton;
    }
    static inline int shown = 0;
};

class NoModal final : public ModalService {
public:
    int exec(QDialog&) override { return QDialog::Rejected; }
};

class FixedClock final : public ClockService {
public:
    QDateTime now() const override { return QDateTime(Today, Now); }
};

class NoPrinter final : public PrinterService {
public:
    bool printLandscape(const Printout&) override { return false; }
};

class NoHelp final : public HelpService {
public:
    void showTopic(int) override {}
    void showContents() override {}
};

class Shooter {
public:
    explicit Shooter(QString folder) : m_folder(std::move(folder)) {}

    // Saves the window as it is drawn now, in its own colours. Converted to 256 colours, the
    // smoothed edges of the text forced a fixed table on the picture that drew a dark palette's
    // fields in the colour of the window around them, and a light window's grey as white.
    bool save(QWidget& window, const QString& name) {
        QApplication::processEvents();
        const QImage image = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString path = QDir(m_folder).filePath(name);
        if (!image.save(path, "PNG", 0)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            m_failed = true;
            return false;
        }
        std::printf("%s %dx%d\n", qPrintable(path), image.width(), image.height());
        return true;
    }

    // Shows the dialog as its menu item would (so it loads), lets `prepare` pick what it shows,
    // saves it and closes it the way Cancel does.
    template <typename Dialog, typename Prepare>
    void dialog(Dialog& window, const QString& name, Prepare prepare) {
        window.show();
        QApplication::processEvents();
        prepare(window);
        save(window, name);
        static_cast<QDialog&>(window).reject();
        QApplication::processEvents();
    }

    bool failed() const { return m_failed; }

private:
    QString m_folder;
    bool m_failed = false;
};

// Widens the columns to their contents and the window to the widest list, as a reader would drag
// them, so that the picture shows whole names.
void fitColumns(QDialog& window, std::initializer_list<ReportList*> lists) {
    int wanted = window.width();
    std::vector<bool> stretched;
    for (ReportList* list : lists) {
        stretched.push_back(list->header()->stretchLastSection());
        list->header()->setStretchLastSection(false);
        int width = 0;
        for (int column = 0; column < list->columnCount(); ++column) {
            list->resizeColumnToContents(column);
            width += list->columnWidth(column);
        }
        const int chrome =
            window.width() - list->viewport()->width() + list->verticalScrollBar()->sizeHint().width();
        wanted = std::max(wanted, width + chrome);
    }
    window.resize(wanted, window.height());
    auto stretch = stretched.begin();
    for (ReportList* list : lists) {
        list->header()->setStretchLastSection(*stretch++);
        if (QTreeWidgetItem* selected = list->selectedRow())
            list->scrollToItem(selected, QAbstractItemView::PositionAtCenter);
    }
}

void fitColumns(QDialog& window, ReportList& list) {
    fitColumns(window, {&list});
}

// A list of a window that keeps it to itself, found by its designed name.
ReportList& listOf(QDialog& window, const QString& name) {
    auto* list = window.findChild<ReportList*>(name);
    if (!list) {
        std::fprintf(stderr, "%s has no list %s\n", qPrintable(window.objectName()), qPrintable(name));
        std::exit(1);
    }
    return *list;
}

// The identifier of the row called `name` among the rows of a named command; 0 when none is.
qint32 idByName(deData& de, const QString& command, const QVariantList& params, const QString& idColumn,
                const QString& name) {
    Recordset& rs = de.run(command, params);
    qint32 id = 0;
    for (; !rs.eof() && id == 0; rs.moveNext()) {
        if (rs.field(u"Name"_s).toString() == name)
            id = rs.field(idColumn).toInt();
    }
    rs.close();
    return id;
}

// A day list on the journal's day with the record `id` selected, its columns fitted.
void showJournalDay(DayList& window, qint32 id) {
    window.dtpDate->setDate(JournalDay);
    window.RefreshList(id);
    ReportList& list = listOf(window, u"lvwList"_s);
    fitColumns(window, list);
    list.setFocus();
}

// A day list with the record `id` selected, then its editor on that record, at least `editorWidth`
// wide so that the whole name of the meal or activity shows.
template <typename List, typename Editor>
void shootJournal(Shooter& shooter, List& list, const QString& listFile, Editor& editor,
                  const QString& editorFile, qint32 id, int editorWidth) {
    shooter.dialog(list, listFile, [id](List& w) { showJournalDay(w, id); });
    editor.Mode = 0;
    editor.RecordID = id;
    shooter.dialog(editor, editorFile,
                   [editorWidth](Editor& w) { w.resize(std::max(w.width(), editorWidth), w.height()); });
}

// The identifier of the last row of a named command; 0 when it has none.
qint32 lastId(deData& de, const QString& command, const QVariantList& params, const QString& idColumn) {
    Recordset& rs = de.run(command, params);
    qint32 id = 0;
    for (; !rs.eof(); rs.moveNext())
        id = rs.field(idColumn).toInt();
    rs.close();
    return id;
}

} // namespace

int main(int argc, char** argv) {
    const bool dark = argc == 3 && std::string_view(argv[2]) == "--dark";
    if (argc != 2 && !dark) {
        std::fprintf(stderr, "usage: kelvora_screenshots <output folder> [--dark]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication application(argc, argv);
    if (dark) {
        QApplication::setStyle(u"Fusion"_s);
        QPalette palette(QColor(0x35, 0x35, 0x35));
        palette.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(role, QColor(0xf0, 0xf0, 0xf0));
        palette.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
        QApplication::setPalette(palette);
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(output)) {
        std::fprintf(stderr, "cannot make %s\n", argv[1]);
        return 1;
    }

    QTemporaryDir folder;
    const QString database = deData::databasePathIn(folder.path());
    if (!folder.isValid() || !QFile::copy(QStringLiteral(KELVORA_SHIPPED_DATABASE), database)) {
        std::fprintf(stderr, "cannot copy %s\n", KELVORA_SHIPPED_DATABASE);
        return 1;
    }
    QFile::setPermissions(database, QFile::ReadOwner | QFile::WriteOwner);
    {
        deData de(database);
        shiftSampleData(de, DateValue::fromQDate(Today));
        // Goals a user of the sample diary might set, so that the pictures show what they add.
        de.Con.execute(u"update Common set TargetWeight = 170, DailyCalorieBudget = 2200"_s);
    }

    ServiceSet services{std::make_unique<PrintedMessages>(), std::make_unique<NoModal>(),
                        std::make_unique<FixedClock>(),      std::make_unique<NoPrinter>(),
                        std::make_unique<NoHelp>(),          std::make_unique<QtFileDialogService>()};
    App context(folder.path(), std::make_unique<deData>(database), std::move(services));
    initialiseState(context.state(), context.de(), QDateTime(Today, Now), QLocale());
    context.state().currentDate = DateValue::fromQDate(Today);

    Shooter shooter(output);
    frmMain mainWindow;
    mainWindow.resize(640, 420);
    mainWindow.show();
    mainWindow.RePaintGraph();
    shooter.save(mainWindow, u"main-window.png"_s);

    deData& de = context.de();
    const double journalDay = DateValue::fromQDate(JournalDay).serial();
    const qint32 pizza =
        idByName(de, u"MealConsumeSorted"_s, {journalDay}, u"MealConsumeID"_s, u"Pizza, cheese"_s);
    const qint32 swimming = idByName(de, u"ExercisePerformSorted"_s, {journalDay}, u"ExercisePerformID"_s,
                                     u"Swimming laps, freestyle, slow"_s);
    const double today = DateValue::fromQDate(Today).serial();
    const qint32 measurement = lastId(de, u"BodySorted"_s, {today}, u"BodyId"_s);
    const qint32 note = lastId(de, u"UserNoteSorted"_s, {today}, u"UserNoteId"_s);
    if (pizza == 0 || swimming == 0 || measurement == 0 || note == 0) {
        std::fprintf(stderr, "the sample diary lacks the records the pictures show\n");
        return 1;
    }

    // The chart alone, of the journal's day, as the main window draws it.
    context.state().currentDate = DateValue::fromQDate(JournalDay);
    mainWindow.RePaintGraph();
    auto* chart = mainWindow.findChild<QWidget*>(u"graph"_s);
    if (!chart) {
        std::fprintf(stderr, "the main window has no chart\n");
        return 1;
    }
    shooter.save(*chart, u"daily-chart.png"_s);

    // The day lists open on the main window's day with a record selected, as a double-click on a
    // bar that holds several meals opens them; their date is the program's current date.
    shootJournal(shooter, mainWindow.dialog<frmMealConsumes>(), u"meal-consumed-list.png"_s,
                 mainWindow.dialog<frmMealConsume>(), u"meal-consumed.png"_s, pizza, 400);
    shootJournal(shooter, mainWindow.dialog<frmExercisePerforms>(), u"activities-performed-list.png"_s,
                 mainWindow.dialog<frmExercisePerform>(), u"activity-performed.png"_s, swimming, 460);

    // Copying meals into the journal's day, from the day before it, as the window proposes.
    context.state().currentDate = DateValue::fromQDate(JournalDay);
    shooter.dialog(mainWindow.dialog<frmCopyMeals>(), u"copy-meals.png"_s, [](frmCopyMeals&) {});

    context.state().currentDate = DateValue::fromQDate(Today);
    mainWindow.RePaintGraph();

    shooter.dialog(mainWindow.dialog<frmMeasurements>(), u"body-measurement-and-notes.png"_s,
                   [measurement, note](frmMeasurements& w) {
                       w.RefreshMeasurementList(measurement);
                       w.RefreshNoteList(note);
                       fitColumns(w, {&listOf(w, u"lvwMeasurementList"_s), &listOf(w, u"lvwNoteList"_s)});
                   });
    auto& body = mainWindow.dialog<frmBody>();
    body.RecordID = measurement;
    shooter.dialog(body, u"body-measurement.png"_s, [](frmBody&) {});
    auto& userNote = mainWindow.dialog<frmUserNote>();
    userNote.RecordID = note;
    shooter.dialog(userNote, u"user-note.png"_s, [](frmUserNote& w) {
        // Wide enough for the whole note, which the field shows from its start.
        w.resize(std::max(w.width(), 560), w.height());
        if (auto* text = w.findChild<QLineEdit*>(u"txtNote"_s))
            text->setCursorPosition(0);
    });

    const qint32 dairy = idByName(de, u"MealCategorySorted"_s, {}, u"MealCategoryID"_s, u"Dairy & Eggs"_s);
    const qint32 milk = idByName(de, u"MealSorted"_s, {dairy}, u"MealID"_s, u"Milk, whole"_s);
    const qint32 running =
        idByName(de, u"ExerciseSorted"_s, {}, u"ExerciseID"_s, u"Running, 6 mph (10 min/mile)"_s);
    if (dairy == 0 || milk == 0 || running == 0) {
        std::fprintf(stderr, "the sample catalogue lacks the records the pictures show\n");
        return 1;
    }

    shooter.dialog(mainWindow.dialog<frmMealCategories>(), u"meal-categories.png"_s,
                   [dairy](frmMealCategories& w) {
                       w.lvwList->selectByTag(dairy);
                       fitColumns(w, *w.lvwList);
                   });
    auto& category = mainWindow.dialog<frmMealCategory>();
    category.RecordID = dairy;
    shooter.dialog(category, u"meal-category.png"_s, [](frmMealCategory&) {});

    shooter.dialog(mainWindow.dialog<frmMeals>(), u"meals.png"_s, [dairy, milk](frmMeals& w) {
        w.dcbMealCategory->setBoundValue(dairy);
        w.lvwList->selectByTag(milk);
        fitColumns(w, *w.lvwList);
    });
    auto& meal = mainWindow.dialog<frmMeal>();
    meal.RecordID = milk;
    shooter.dialog(meal, u"meal-description.png"_s, [](frmMeal&) {});

    shooter.dialog(mainWindow.dialog<frmExercises>(), u"activities.png"_s, [running](frmExercises& w) {
        w.lvwList->selectByTag(running);
        fitColumns(w, *w.lvwList);
    });
    auto& activity = mainWindow.dialog<frmExercise>();
    activity.RecordID = running;
    shooter.dialog(activity, u"activity-description.png"_s, [](frmExercise& w) {
        // Wide enough for the whole calorie figure, which the field shows from its start.
        w.resize(std::max(w.width(), 520), w.height());
        w.txtCaloriesConsume->setCursorPosition(0);
    });

    // The activity editor hands its calories over before the calculator is shown.
    auto& calculator = mainWindow.dialog<frmWeightAdjustment>();
    calculator.txtCaloriesConsume->setText(u"120"_s);
    shooter.dialog(calculator, u"weight-adjustment.png"_s, [](frmWeightAdjustment&) {});

    shooter.dialog(mainWindow.dialog<frmCommon>(), u"common-parameters.png"_s, [](frmCommon&) {});
    shooter.dialog(mainWindow.dialog<frmDate>(), u"set-current-date.png"_s, [](frmDate&) {});
    shooter.dialog(mainWindow.dialog<frmExport>(), u"export.png"_s, [](frmExport&) {});

    // The progress windows as the Analyze menu shows them: the proposed period, accepted with OK,
    // then the chart of that period.
    auto& settings = mainWindow.dialog<frmGeneralProgressSettings>();
    settings.show();
    QApplication::processEvents();
    shooter.save(settings, u"general-progress-parameters.png"_s);
    if (auto* ok = settings.findChild<QPushButton*>(u"btnOK"_s))
        ok->click();
    QApplication::processEvents();
    if (!settings.confirmed) {
        std::fprintf(stderr, "the sample diary does not pass the progress checks\n");
        return 1;
    }
    auto& progress = mainWindow.dialog<frmGeneralProgress>();
    progress.dateFrom = settings.dateFrom;
    progress.dateTo = settings.dateTo;
    shooter.dialog(progress, u"general-progress.png"_s, [](frmGeneralProgress&) {});

    if (PrintedMessages::shown > 0) {
        std::fprintf(stderr, "%d message(s) appeared while the pictures were taken\n",
                     PrintedMessages::shown);
        return 1;
    }
    return shooter.failed() ? 1 : 0;
}
