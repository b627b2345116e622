#include "frmMain.h"

#include "Accessibility.h"
#include "App.h"
#include "ChartFiles.h"
#include "ChartOutput.h"
#include "DateFields.h"
#include "DayCalories.h"
#include "DiaryCommands.h"
#include "ElidedLabel.h"
#include "HelpContext.h"
#include "Icons.h"
#include "KelvoraDialog.h"
#include "MainLayout.h"
#include "MainMenus.h"
#include "Numeric.h"
#include "ReadOnlyField.h"
#include "ScreenFit.h"
#include "TrialData.h"
#include "ZelmarGraph.h"
#include "deData.h"
#include "frmAbout.h"
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
#include "frmMeal.h"
#include "frmMealCategories.h"
#include "frmMealCategory.h"
#include "frmMealConsume.h"
#include "frmMealConsumes.h"
#include "frmMeals.h"
#include "frmMeasurements.h"
#include "frmUserNote.h"
#include "frmWeightAdjustment.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <exception>
#include <optional>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace layout = mainlayout;

namespace {

const QString MealsCommand = u"MealConsumeSorted"_s;
const QString ExercisesCommand = u"ExercisePerformSorted"_s;

// The day buttons show their picture above the caption, which leaves the caption room in the
// designed width.
QToolButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QIcon& icon) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setIcon(icon);
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

// A kcal value of a row as the chart's 16-bit field; nothing when it does not fit.
std::optional<qint16> kcal(const QVariant& value) {
    return toInt16(value.toDouble());
}

// The time the chart reports, as a time of the day: the right end of an axis that runs to 24:00 is
// the day's last minute, not midnight of the next day (which would read as 00:00 of this one).
DateValue timeOnTheDay(double tm) {
    constexpr double LastMinute = 1.0 - 1.0 / (24 * 60);
    return DateValue(std::clamp(tm, 0.0, LastMinute));
}

} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(u"frmMain"_s);
    setWindowTitle(u"Kelvora"_s);
    setWindowIcon(pictogram(u"Program"));
    setProperty("kelvoraHelpContext", HelpContext::frmMain);
    app().setMainWindow(this, this);

    createControls();
    connectMenus();
    imlImages.insert(u"Plus"_s, pictogram(u"Plus"));
    imlImages.insert(u"Exit"_s, pictogram(u"Exit"));
    for (QAction* button : tlbToolBar->actions()) {
        if (!button->isSeparator())
            imlImages.insert(button->objectName(), button->icon());
    }

    graph->setTime24(app().state().clock24);
    applyMinimumHeight();
    resize(layout::DesignClientSize + QSize(0, menuBar()->sizeHint().height()));
}

frmMain::~frmMain() {
    if (App::exists() && app().dayView() == this)
        app().setMainWindow(nullptr, nullptr);
}

void frmMain::createControls() {
    // The client area holds the toolbar as its top strip, as the design places it, so the chart and
    // the controls keep their designed coordinates and the whole area goes to paper when printing.
    client = new QWidget(this);
    client->setObjectName(u"client"_s);
    client->setAutoFillBackground(true);
    setCentralWidget(client);
    applyButtonFace();

    tlbToolBar = new QToolBar(client);
    tlbToolBar->setObjectName(u"tlbToolBar"_s);
    tlbToolBar->setMovable(false);
    tlbToolBar->setFloatable(false);
    tlbToolBar->setIconSize(QSize(16, 16));
    tlbToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tlbToolBar->setGeometry(0, 0, layout::DesignClientSize.width(), layout::ToolbarHeight);
    buildMainMenus(*this, *tlbToolBar);

    graph = new ZelmarGraph(client);
    graph->setObjectName(u"graph"_s);
    presentAsChart(*graph, u"Daily chart"_s);

    btnPrev = makeButton(client, u"btnPrev"_s, u"&Previous"_s, pictogram(u"Previous"));
    txtDate = new QLineEdit(client);
    txtDate->setObjectName(u"txtDate"_s);
    txtDate->setReadOnly(true);
    txtDate->setAccessibleName(u"Date"_s);
    txtDate->setFocusPolicy(Qt::ClickFocus);
    greyAsReadOnly(*txtDate);
    btnNext = makeButton(client, u"btnNext"_s, u"&Next"_s, pictogram(u"Next"));
    btnHelp = makeButton(client, u"btnHelp"_s, u"&Help"_s, pictogram(u"Help"));
    // Alt+H belongs to the Help menu, which users expect to open at the first press; the button
    // keeps its caption and stays within reach of F1, Tab and the mouse.
    btnHelp->setShortcut(QKeySequence());
    // The figures change with every redraw; the name stays, so a screen reader announces the new
    // figures as the description of the one line it knows.
    lblDayCalories = new ElidedLabel(u"Eaten 0000 kcal"_s, client);
    lblDayCalories->setObjectName(u"lblDayCalories"_s);
    lblDayCalories->setAccessibleName(u"Calories of the day"_s);
    lblDayCalories->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // At the designed width the whole line does not fit beside Help: what was burned goes below.
    lblDayCalories->setLineBreakAfter(u"; "_s);
    lblDayCalories->setText(QString());

    connect(btnPrev, &QToolButton::clicked, this, &frmMain::btnPrev_Click);
    connect(btnNext, &QToolButton::clicked, this, &frmMain::btnNext_Click);
    connect(btnHelp, &QToolButton::clicked, this, [this] { sendF1(this); });
    connect(graph, &ZelmarGraph::NewMeal, this, &frmMain::graph_NewMeal);
    connect(graph, &ZelmarGraph::NewExercise, this, &frmMain::graph_NewExercise);
    connect(graph, &ZelmarGraph::EditMeal, this, &frmMain::graph_EditMeal);
    connect(graph, &ZelmarGraph::EditExercise, this, &frmMain::graph_EditExercise);
}

void frmMain::connectMenus() {
    const auto on = [this](const QString& name, auto handler) {
        connect(menuItem(name), &QAction::triggered, this, handler);
    };
    on(u"mnuPrintChart"_s, &frmMain::mnuPrintChart_Click);
    on(u"mnuSaveChart"_s, &frmMain::mnuSaveChart_Click);
    on(u"mnuSetDate"_s, &frmMain::mnuSetDate_Click);
    on(u"mnuDeleteTrialData"_s, &frmMain::mnuDeleteTrialData_Click);
    on(u"mnuExit"_s, &frmMain::close);
    on(u"mnuCommon"_s, &frmMain::mnuCommon_Click);
    on(u"mnuHelpAbout"_s, &frmMain::mnuHelpAbout_Click);
    on(u"mnuMeasurement"_s, [this] { app().modal().exec(dialog<frmMeasurements>()); });
    on(u"mnuAddMeasurement"_s, &frmMain::mnuAddMeasurement_Click);
    on(u"mnuAddNote"_s, &frmMain::mnuAddNote_Click);
    on(u"mnuGeneralProgress"_s, &frmMain::mnuGeneralProgress_Click);
    on(u"mnuMealConsume"_s, [this] { showDayList<frmMealConsumes>(0); });
    on(u"mnuAddMeal"_s, [this] { openJournalEditor<frmMealConsume>(1, 0); });
    on(u"mnuCopyMeals"_s, [this] {
        frmCopyMeals& copy = dialog<frmCopyMeals>();
        app().modal().exec(copy);
        if (copy.Copied > 0)
            RePaintGraph();
    });
    on(u"mnuExercisePerformed"_s, [this] { showDayList<frmExercisePerforms>(0); });
    on(u"mnuAddExercise"_s, [this] { openJournalEditor<frmExercisePerform>(1, 0); });
    on(u"mnuMealCategories"_s, [this] { app().modal().exec(dialog<frmMealCategories>()); });
    on(u"mnuMeal"_s, [this] {
        app().modal().exec(dialog<frmMeals>());
        RePaintGraph();
    });
    on(u"mnuExercises"_s, [this] {
        app().modal().exec(dialog<frmExercises>());
        RePaintGraph();
    });
    on(u"mnuHelpContents"_s, [] { app().help().showContents(); });
    on(u"mnuHelpMainForm"_s, [this] { sendF1(this); });
    on(u"mnuExport"_s, [this] { app().modal().exec(dialog<frmExport>()); });
    on(u"mnuBackUp"_s, [this] { backUpDiary(this); });
    on(u"mnuRestore"_s, [this] {
        if (restoreDiary(this))
            RePaintGraph();
    });
}

QAction* frmMain::menuItem(const QString& name) const {
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

QIcon frmMain::image(const QString& key) const {
    return imlImages.value(key);
}

void frmMain::LoadGraph() {
    AppState& state = app().state();
    deData& de = app().de();
    txtDate->setText(QLocale().toString(state.currentDate.toQDate(), u"dd-MMM-yy"_s));
    // A longer month name may need a wider date box, which moves the buttons after it.
    placeControls(false);
    graph->Reset();
    graph->setMetabolicKoef(state.metabolicRate / 60.0);
    const QVariantList day{QVariant::fromValue(state.currentDate)};

    DayCalories figures{.budget = state.dailyCalorieBudget};
    // A record the chart cannot hold (a kcal value beyond 16 bits, a bar or a day sum that would
    // overflow) is refused by the chart and left off; the rest of the day is still drawn.
    shownMeals = 0;
    Recordset& meals = de.run(MealsCommand, day);
    for (; !meals.eof(); meals.moveNext()) {
        const auto carbohydrate = kcal(meals.field(u"sCarbohydrate"_s));
        const auto fat = kcal(meals.field(u"sFat"_s));
        const auto protein = kcal(meals.field(u"sProtein"_s));
        figures.eaten += meals.field(u"sCalories"_s).toDouble();
        if (carbohydrate && fat && protein &&
            graph->addMeal(meals.field(u"MealConsumeID"_s).toInt(), meals.field(u"ConsumeTime"_s).toDouble(),
                           *carbohydrate, *fat, *protein))
            ++shownMeals;
    }
    meals.close();

    Recordset& exercises = de.run(ExercisesCommand, day);
    for (; !exercises.eof(); exercises.moveNext()) {
        figures.burned += exercises.field(u"sCalories"_s).toDouble();
        if (const auto calories = kcal(exercises.field(u"sCalories"_s)))
            graph->addExercise(exercises.field(u"ExercisePerformID"_s).toInt(),
                               exercises.field(u"timeBeg"_s).toDouble(),
                               exercises.field(u"timeEnd"_s).toDouble(), *calories);
    }
    exercises.close();
    showDayCalories(figures);

    graphLoaded = true;
}

void frmMain::showDayCalories(const DayCalories& day) {
    const QString text = dayCaloriesText(day);
    if (text == lblDayCalories->text())
        return;
    lblDayCalories->setText(text);
    // The description carries the figures; Qt announces its change to a listening screen reader.
    lblDayCalories->setAccessibleDescription(text);
}

void frmMain::RePaintGraph() {
    LoadGraph();
    graph->PaintGraph();
    describeChart(*graph, chartDescription());
}

QString frmMain::chartDescription() const {
    // The figures the chart itself draws from, so that what is heard agrees with what is seen.
    const QLocale locale;
    const qint64 eaten = qint64{graph->carbohydrateTotal()} + graph->fatTotal() + graph->proteinTotal();
    const qint64 burned = eaten - graph->dayBalance();
    const QString meals = shownMeals == 1 ? u"1 meal"_s : u"%1 meals"_s.arg(locale.toString(shownMeals));
    return u"%1: %2, %3 kcal eaten, %4 kcal burned by activities, balance %5 kcal"_s.arg(
        longDateText(app().state().currentDate.toQDate(), locale), meals, locale.toString(eaten),
        locale.toString(burned), locale.toString(qRound64(graph->balance())));
}

void frmMain::btnPrev_Click() {
    app().state().currentDate = app().state().currentDate.addDays(-1);
    RePaintGraph();
}

void frmMain::btnNext_Click() {
    app().state().currentDate = app().state().currentDate.addDays(1);
    RePaintGraph();
}

Printout frmMain::chartPrintout() const {
    return [this](QPainter& painter, const QRectF& page) {
        painter.save();
        mapPicture(painter, client->size(), page);
        painter.setClipRect(client->rect(), Qt::IntersectClip);
        painter.fillRect(client->rect(), Qt::white);
        graph->renderChart(painter, QRectF(graph->geometry()));
        painter.restore();
    };
}

void frmMain::mnuPrintChart_Click() {
    bool printed = false;
    try {
        printed = app().printer().printLandscape(chartPrintout());
    } catch (const std::exception&) {
        printed = false;
    }
    if (!printed)
        app().messages().error(this,
                               u"Can't print. Please check whether your default printer is accessible"_s);
}

void frmMain::mnuSaveChart_Click() {
    const QString day = app().state().currentDate.toQDate().toString(Qt::ISODate);
    saveChartAs(this, u"Save Daily Chart As"_s, u"Daily Chart "_s + day + u".pdf"_s, client->size(),
                chartPrintout());
}

void frmMain::mnuSetDate_Click() {
    app().modal().exec(dialog<frmDate>());
    RePaintGraph();
}

void frmMain::mnuDeleteTrialData_Click() {
    if (DeleteTrialData(this))
        RePaintGraph();
}

void frmMain::mnuCommon_Click() {
    frmCommon& common = dialog<frmCommon>();
    common.firstStart = false;
    app().modal().exec(common);
    if (common.Saved)
        RePaintGraph();
}

void frmMain::mnuAddMeasurement_Click() {
    frmBody& editor = dialog<frmBody>();
    editor.RecordID = 0;
    app().modal().exec(editor);
}

void frmMain::mnuAddNote_Click() {
    frmUserNote& editor = dialog<frmUserNote>();
    editor.RecordID = 0;
    app().modal().exec(editor);
}

void frmMain::mnuGeneralProgress_Click() {
    frmGeneralProgressSettings& settings = dialog<frmGeneralProgressSettings>();
    app().modal().exec(settings);
    if (!settings.confirmed)
        return;
    frmGeneralProgress& progress = dialog<frmGeneralProgress>();
    progress.dateFrom = settings.dateFrom;
    progress.dateTo = settings.dateTo;
    app().modal().exec(progress);
}

void frmMain::mnuHelpAbout_Click() {
    app().modal().exec(dialog<frmAbout>());
}

template <> std::unique_ptr<QDialog> frmMain::makeDialog<frmMealConsumes>() {
    return std::make_unique<frmMealConsumes>(editorCall(dialog<frmMealConsume>()), this);
}

template <> std::unique_ptr<QDialog> frmMain::makeDialog<frmExercisePerforms>() {
    return std::make_unique<frmExercisePerforms>(editorCall(dialog<frmExercisePerform>()), this);
}

template <typename DayList> void frmMain::showDayList(qint32 id) {
    DayList& list = dialog<DayList>();
    list.dtpDate->setDate(app().state().currentDate.toQDate());
    list.RefreshList(id);
    app().modal().exec(list);
    RePaintGraph();
}

template <typename Editor> bool frmMain::openJournalEditor(int mode, qint32 id) {
    Editor& editor = dialog<Editor>();
    editor.Mode = mode;
    editor.RecordID = id;
    app().modal().exec(editor);
    return editor.Saved;
}

// The chart's requests. The time under the pointer is what the journal editors propose next; a
// click on one definite record edits it, any other opens the day's list with the clicked record
// (if any) selected.
template <typename Editor, typename DayList>
void frmMain::editFromChart(qint32 id, bool definite, double tm) {
    app().state().currentTime = timeOnTheDay(tm);
    if (definite && id != 0) {
        if (openJournalEditor<Editor>(0, id))
            RePaintGraph();
        return;
    }
    showDayList<DayList>(id);
}

void frmMain::graph_NewMeal(double tm) {
    app().state().currentTime = timeOnTheDay(tm);
    if (openJournalEditor<frmMealConsume>(0, 0))
        RePaintGraph();
}

void frmMain::graph_NewExercise(double tm) {
    app().state().currentTime = timeOnTheDay(tm);
    if (openJournalEditor<frmExercisePerform>(0, 0))
        RePaintGraph();
}

void frmMain::graph_EditMeal(qint32 id, bool definite, double tm) {
    editFromChart<frmMealConsume, frmMealConsumes>(id, definite, tm);
}

void frmMain::graph_EditExercise(qint32 id, bool definite, double tm) {
    editFromChart<frmExercisePerform, frmExercisePerforms>(id, definite, tm);
}

void frmMain::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        showHelpFor(this);
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The frame is known only once the window system has decorated the window.
    applyMinimumHeight();
    placeControls(true);
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    // Now that the frame is known: the rule's height, or the screen's where that is less.
    applyMinimumHeight();
    // Placed by the program rather than left to the window manager, so that the messages of the
    // first start, which are centred over this window, find it where it will appear.
    if (!placedOnScreen && screen()) {
        placedOnScreen = true;
        const QRect outer = frameGeometry();
        move(pos() + screen()->availableGeometry().center() - outer.center());
    }
    fitOnScreen(*this, size());
}

void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        applyMinimumHeight();
    // A desktop that switches between light and dark colours while the program runs.
    if (event->type() == QEvent::PaletteChange && client)
        applyButtonFace();
}

// The client area stands on the system colour for button faces, as the toolbar and the day buttons do.
void frmMain::applyButtonFace() {
    QPalette buttonFace = client->palette();
    buttonFace.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    client->setPalette(buttonFace);
}

// A window in its normal state is never less than 8000 twips high. Left to the window system as
// the window's minimum size, the rule holds for the user's resizing too, and a window system that
// cannot grant it (a small screen, a tiling window manager) is not asked again and again.
void frmMain::applyMinimumHeight() {
    const int screenHeight = screen() ? screen()->availableGeometry().height() : 0;
    setMinimumHeight(layout::minimumHeight(windowState(), frameGeometry().height() - height(), screenHeight));
}

layout::ContentNeeds frmMain::contentNeeds() const {
    layout::ContentNeeds needs;
    needs.toolbarHeight = tlbToolBar->sizeHint().height();
    for (const QToolButton* button : {btnPrev, btnNext, btnHelp})
        needs.button = needs.button.expandedTo(button->sizeHint());
    // The date box is a text box, whose own hint knows nothing of the date it shows.
    const int frame = txtDate->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, txtDate);
    needs.dateBox = QSize(txtDate->fontMetrics().horizontalAdvance(txtDate->text()) + 2 * frame + 8,
                          txtDate->sizeHint().height());
    return needs;
}

void frmMain::placeControls(bool redraw) {
    const layout::ContentNeeds needs = contentNeeds();
    const QSize dayLine = lblDayCalories->minimumSizeHint();
    setMinimumWidth(layout::minimumClientWidth(needs, dayLine));
    const auto placement = layout::placeControls(client->size(), needs, dayLine);
    if (!placement)
        return;
    tlbToolBar->setGeometry(0, 0, client->width(), placement->toolbarHeight);
    graph->setGeometry(placement->graph);
    btnPrev->setGeometry(placement->btnPrev);
    txtDate->setGeometry(placement->txtDate);
    btnNext->setGeometry(placement->btnNext);
    btnHelp->setGeometry(placement->btnHelp);
    lblDayCalories->setGeometry(placement->dayLine);
    if (redraw && graphLoaded)
        graph->PaintGraph();
}

void frmMain::closeEvent(QCloseEvent* event) {
    // The program ends with this window: every other window closes with it, and the application
    // quits once the last one is gone.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible())
            window->close();
    }
    QMainWindow::closeEvent(event);
}

} // namespace kelvora
