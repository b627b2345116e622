// The main window: the day in the chart, day navigation, menus and toolbar, printing, help, layout.
#include "AppFixture.h"
#include "DataCombo.h"
#include "FileSaving.h"
#include "HelpContext.h"
#include "MainLayout.h"
#include "Numeric.h"
#include "PdfFile.h"
#include "ReportList.h"
#include "ZelmarGraph.h"
#include "deData.h"
#include "frmGeneralProgress.h"
#include "frmGeneralProgressSettings.h"
#include "frmMain.h"
#include "frmMealConsume.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <stdexcept>

using namespace Qt::StringLiterals;
using namespace kelvora;
using namespace kelvora::test;

namespace {

// The last day of the shipped sample diary, where the fixture's database leaves it.
const QDate SampleDay(2026, 11, 30);

double timeOfDay(int hour, int minute) {
    return DateValue::fromTime(hour, minute).serial();
}

class MainWindowTest : public ::testing::Test {
protected:
    explicit MainWindowTest(SeedContents contents = SeedContents::Full) : fx(contents) {}

    void SetUp() override {
        window = std::make_unique<frmMain>();
        window->show();
        QApplication::processEvents();
    }
    void TearDown() override { window.reset(); }

    template <typename T> T* child(const QString& name) const {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    ZelmarGraph& graph() const { return *child<ZelmarGraph>(u"graph"_s); }
    QString shownDate() const { return child<QLineEdit>(u"txtDate"_s)->text(); }
    QAction& item(const QString& name) const { return *child<QAction>(name); }
    QToolButton& tlbButton(const QString& key) const {
        auto* toolbar = child<QToolBar>(u"tlbToolBar"_s);
        return *qobject_cast<QToolButton*>(toolbar->widgetForAction(&item(key)));
    }

    void showDay(QDate day) {
        fx.app->state().currentDate = DateValue::fromQDate(day);
        window->RePaintGraph();
    }
    void insertMeal(int id, int mealId, QDate day, double time, double qty) {
        fx.app->de().Con.execute(u"insert into MealConsume values (%1, %2, %3, %4, %5)"_s.arg(id)
                                     .arg(mealId)
                                     .arg(DateValue::fromQDate(day).serial())
                                     .arg(time, 0, 'g', 17)
                                     .arg(qty));
    }
    void insertExercise(int id, int exerciseId, QDate day, double begin, double end, double qty) {
        fx.app->de().Con.execute(u"insert into ExercisePerform values (%1, %2, %3, %4, %5, %6)"_s.arg(id)
                                     .arg(exerciseId)
                                     .arg(DateValue::fromQDate(day).serial())
                                     .arg(begin, 0, 'g', 17)
                                     .arg(end, 0, 'g', 17)
                                     .arg(qty));
    }
    qlonglong count(const QString& sql) {
        Statement statement(fx.app->de().Con, sql);
        return statement.step() ? statement.value(0).toLongLong() : -1;
    }

    AppFixture fx;
    std::unique_ptr<frmMain> window;
};

class MainWindowOnCatalogue : public MainWindowTest {
protected:
    MainWindowOnCatalogue() : MainWindowTest(SeedContents::Catalogue) {}
};

TEST_F(MainWindowTest, IsTheProgramsMainWindow) {
    EXPECT_EQ(window->objectName(), u"frmMain"_s);
    EXPECT_EQ(window->windowTitle(), u"Kelvora"_s);
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(fx.app->dayView(), window.get());
    EXPECT_EQ(fx.app->mainWidget(), window.get());
    EXPECT_TRUE(graph().time24()); // the fixture's clock is a 24-hour one
    EXPECT_TRUE(graph().meals().empty());

    auto* txtDate = child<QLineEdit>(u"txtDate"_s);
    EXPECT_TRUE(txtDate->isReadOnly());
    EXPECT_FALSE(txtDate->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(txtDate->palette().color(QPalette::Base), QColor(0xE0, 0xE0, 0xE0));
    EXPECT_EQ(child<QAbstractButton>(u"btnPrev"_s)->text(), u"&Previous"_s);
    EXPECT_EQ(child<QAbstractButton>(u"btnNext"_s)->text(), u"&Next"_s);
    EXPECT_EQ(child<QAbstractButton>(u"btnHelp"_s)->text(), u"&Help"_s);
    for (const QString& button : {u"btnPrev"_s, u"btnNext"_s, u"btnHelp"_s})
        EXPECT_FALSE(child<QAbstractButton>(button)->icon().isNull()) << button.toStdString();
}

TEST_F(MainWindowTest, OpensCentredOnItsScreenSoThatTheFirstMessagesAreCentredOverIt) {
    // Messages shown with the main window as parent are centred over it by Qt; that only lands in
    // the middle of the desktop when the window's place is set before the window manager maps it.
    const QRect free = window->screen()->availableGeometry();
    EXPECT_TRUE(window->testAttribute(Qt::WA_Moved));
    EXPECT_LE((window->frameGeometry().center() - free.center()).manhattanLength(), 2);
    EXPECT_TRUE(free.contains(window->frameGeometry()));

    // Later showings keep the place the user gave it.
    window->hide();
    window->move(free.topLeft() + QPoint(10, 20));
    window->show();
    EXPECT_EQ(window->pos(), free.topLeft() + QPoint(10, 20));
}

TEST_F(MainWindowTest, AltHOpensTheHelpMenuAtTheFirstPress) {
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    QMenu* help = nullptr;
    for (QAction* menu : window->menuBar()->actions())
        if (menu->text() == u"&Help"_s)
            help = menu->menu();
    ASSERT_NE(help, nullptr);
    QTest::keyClick(window.get(), Qt::Key_H, Qt::AltModifier);
    EXPECT_TRUE(help->isVisible());
    EXPECT_NE(QApplication::focusWidget(), child<QToolButton>(u"btnHelp"_s));
    help->close();

    // The button keeps its caption and is still reached by Tab (F1 and a click: see below).
    auto* button = child<QToolButton>(u"btnHelp"_s);
    EXPECT_EQ(button->text(), u"&Help"_s);
    EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus);
    EXPECT_TRUE(button->shortcut().isEmpty());
}

TEST_F(MainWindowTest, TheDaysRowsReachTheChart) {
    showDay(SampleDay);
    EXPECT_EQ(shownDate(), u"30-Nov-26"_s);
    EXPECT_DOUBLE_EQ(graph().metabolicKoef(), 80.0 / 60.0);

    // The five meals of the day: 07:25 and 07:35 share a bar, so do 12:50 and 13:00. The kcal are
    // the rounded products of the catalogue's nutrient calories and the quantities eaten.
    struct Bar {
        qint32 id;
        double tm;
        qint16 carbohydrate, fat, protein;
        bool complex;
    };
    const Bar bars[] = {
        {-278, timeOfDay(7, 25), 138 + 24, 27 + 134, 43 + 30, true},
        {-280, timeOfDay(12, 50), 0 + 278, 51 + 22, 196 + 27, true},
        {-282, timeOfDay(19, 25), 305, 201, 154, false},
    };
    const auto meals = graph().meals();
    ASSERT_EQ(meals.size(), std::size(bars));
    for (std::size_t i = 0; i < meals.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(meals[i].id, bars[i].id);
        EXPECT_NEAR(meals[i].tm, bars[i].tm, 1e-9);
        EXPECT_EQ(meals[i].carbohydrate, bars[i].carbohydrate);
        EXPECT_EQ(meals[i].fat, bars[i].fat);
        EXPECT_EQ(meals[i].protein, bars[i].protein);
        EXPECT_EQ(meals[i].complex, bars[i].complex);
    }
    const auto exercises = graph().exercises();
    ASSERT_EQ(exercises.size(), 1u);
    EXPECT_EQ(exercises[0].id, -57);
    EXPECT_NEAR(exercises[0].tmBeg, timeOfDay(17, 45), 1e-9);
    EXPECT_NEAR(exercises[0].tmEnd, timeOfDay(18, 15), 1e-9);
    EXPECT_EQ(exercises[0].calories, 250);
    EXPECT_EQ(graph().dayBalance(), 162 + 161 + 73 + 278 + 73 + 223 + 305 + 201 + 154 - 250);

    // Drawn, and the recordsets are left closed for the next window that runs the commands.
    EXPECT_EQ(graph().image().size(), graph().size());
    EXPECT_FALSE(fx.app->de().rs(u"MealConsumeSorted"_s).isOpen());
    EXPECT_FALSE(fx.app->de().rs(u"ExercisePerformSorted"_s).isOpen());
}

TEST_F(MainWindowTest, AnEmptyDayResetsTheChartAndStillShowsTheDate) {
    // A day before it that widened the axis to 05:00-23:00.
    insertMeal(1, 1, QDate(2026, 12, 5), timeOfDay(5, 10), 1);
    insertExercise(1, 23, QDate(2026, 12, 5), timeOfDay(22, 0), timeOfDay(22, 30), 1);
    showDay(QDate(2026, 12, 5));
    ASSERT_EQ(graph().meals().size(), 1u);
    ASSERT_DOUBLE_EQ(graph().chartBegin(), 5.0 / 24);
    ASSERT_DOUBLE_EQ(graph().chartEnd(), 23.0 / 24);

    showDay(QDate(2026, 12, 6));
    EXPECT_EQ(shownDate(), u"06-Dec-26"_s);
    EXPECT_TRUE(graph().meals().empty());
    EXPECT_TRUE(graph().exercises().empty());
    EXPECT_EQ(graph().dayBalance(), 0);
    EXPECT_EQ(graph().carbohydrateTotal() + graph().fatTotal() + graph().proteinTotal(), 0);
    EXPECT_DOUBLE_EQ(graph().chartBegin(), 6.0 / 24);
    EXPECT_DOUBLE_EQ(graph().chartEnd(), 22.0 / 24);
    EXPECT_EQ(graph().image().size(), graph().size());
}

TEST_F(MainWindowTest, ScreenReadersHearTheShownDayFromTheChart) {
    const auto longDate = [](QDate day) { return QLocale().toString(day, QLocale::LongFormat); };

    QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(&graph());
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->role(), QAccessible::Chart);
    EXPECT_EQ(chart->text(QAccessible::Name), u"Daily chart"_s);

    // Five meals (four of them sharing two bars), 1630 kcal eaten, one activity of 250 kcal and a
    // day of 80 kcal an hour of basal burn: the figures the chart draws.
    showDay(SampleDay);
    EXPECT_EQ(chart->text(QAccessible::Description),
              longDate(SampleDay) +
                  u": 5 meals, 1,630 kcal eaten, 250 kcal burned by activities, balance -540 kcal"_s);

    insertMeal(1, 1, QDate(2026, 12, 6), timeOfDay(8, 0), 1);
    showDay(QDate(2026, 12, 6));
    EXPECT_TRUE(
        chart->text(QAccessible::Description).startsWith(longDate(QDate(2026, 12, 6)) + u": 1 meal, "_s))
        << chart->text(QAccessible::Description).toStdString();
    showDay(QDate(2026, 12, 7));
    EXPECT_EQ(chart->text(QAccessible::Description),
              longDate(QDate(2026, 12, 7)) +
                  u": 0 meals, 0 kcal eaten, 0 kcal burned by activities, balance -1,920 kcal"_s);
}

TEST_F(MainWindowTest, DayNavigationCrossesMonthsAndLeapDays) {
    struct Case {
        QDate from;
        const char* button;
        QDate to;
        const char* shown;
        std::size_t meals;
    };
    const Case cases[] = {
        {QDate(2026, 1, 31), "btnNext", QDate(2026, 2, 1), "01-Feb-26", 0},
        {QDate(2026, 3, 1), "btnPrev", QDate(2026, 2, 28), "28-Feb-26", 0},
        {QDate(2028, 3, 1), "btnPrev", QDate(2028, 2, 29), "29-Feb-28", 0},
        {QDate(2028, 2, 28), "btnNext", QDate(2028, 2, 29), "29-Feb-28", 0},
        {QDate(2026, 12, 31), "btnNext", QDate(2027, 1, 1), "01-Jan-27", 0},
        {QDate(1900, 1, 1), "btnPrev", QDate(1899, 12, 31), "31-Dec-99", 0},
        {QDate(2026, 12, 1), "btnPrev", SampleDay, "30-Nov-26", 3},
        {QDate(2026, 11, 29), "btnNext", SampleDay, "30-Nov-26", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        showDay(c.from);
        QTest::mouseClick(child<QAbstractButton>(QString::fromLatin1(c.button)), Qt::LeftButton);
        EXPECT_EQ(fx.app->state().currentDate.toQDate(), c.to);
        EXPECT_EQ(shownDate(), QString::fromLatin1(c.shown));
        EXPECT_EQ(graph().meals().size(), c.meals);
    }
}

TEST_F(MainWindowTest, SetDateRedrawsWhetherOrNotTheDateChanged) {
    window->RePaintGraph();
    insertMeal(7, 1, QDate(2026, 12, 6), timeOfDay(8, 0), 2);
    fx.modal->expect([](QDialog& dialog) { dialog.findChild<QPushButton*>(u"btnCancel"_s)->click(); });
    item(u"mnuSetDate"_s).trigger();
    EXPECT_EQ(fx.modal->opened, std::vector<QString>{u"frmDate"_s});
    EXPECT_EQ(fx.app->state().currentDate.toQDate(), QDate(2026, 12, 6));
    ASSERT_EQ(graph().meals().size(), 1u);
    EXPECT_EQ(graph().meals()[0].id, 7);

    fx.modal->expect([](QDialog& dialog) {
        dialog.findChild<QDateEdit*>(u"dtpDate"_s)->setDate(SampleDay);
        dialog.findChild<QPushButton*>(u"btnOK"_s)->click();
    });
    item(u"mnuSetDate"_s).trigger();
    EXPECT_EQ(shownDate(), u"30-Nov-26"_s);
    EXPECT_EQ(graph().meals().size(), 3u);
    // The same dialog object serves every showing.
    EXPECT_EQ(window->findChildren<QDialog*>(u"frmDate"_s).size(), 1);
}

TEST_F(MainWindowTest, CommonRedrawsOnlyWhenSaved) {
    window->RePaintGraph();
    insertMeal(7, 1, QDate(2026, 12, 6), timeOfDay(8, 0), 2);
    fx.modal->expect([](QDialog& dialog) { dialog.findChild<QPushButton*>(u"btnCancel"_s)->click(); });
    item(u"mnuCommon"_s).trigger();
    EXPECT_TRUE(graph().meals().empty());

    fx.modal->expect([](QDialog& dialog) {
        auto* cancel = dialog.findChild<QPushButton*>(u"btnCancel"_s);
        EXPECT_TRUE(cancel->isEnabled()); // not opened in first-start mode
        dialog.findChild<QPushButton*>(u"btnOK"_s)->click();
    });
    item(u"mnuCommon"_s).trigger();
    EXPECT_EQ(fx.modal->opened, (std::vector<QString>{u"frmCommon"_s, u"frmCommon"_s}));
    EXPECT_EQ(graph().meals().size(), 1u);
}

TEST_F(MainWindowTest, PrintingPaintsTheChartAloneOnWhiteAndLeavesTheWindowAsItWas) {
    showDay(SampleDay);
    const std::vector<QString> controls{u"btnPrev"_s, u"btnNext"_s, u"btnHelp"_s, u"txtDate"_s,
                                        u"tlbToolBar"_s};
    QWidget* client = window->centralWidget();
    auto* btnHelp = child<QAbstractButton>(u"btnHelp"_s);
    // A spot of bare background right of the Help button, and one under it.
    const QPoint bare = btnHelp->geometry().center() + QPoint(btnHelp->width() + 20, 0);
    const QPoint underButton = btnHelp->geometry().center();
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    ASSERT_NE(buttonFace, QColor(Qt::white));
    const ZelmarGraph& chart = graph();
    ASSERT_FALSE(chart.meals().empty());
    const MealStruct& bar = chart.meals().front();
    const QPoint inBar = chart.geometry().topLeft() + QPoint(bar.Left + 2, (bar.Top + chart.baselineY()) / 2);
    const QColor barColour = chart.image().pixelColor(inBar - chart.geometry().topLeft());
    ASSERT_NE(barColour, QColor(Qt::white));

    struct Case {
        const char* name;
        bool succeeds;
        bool throws;
    };
    for (const Case c :
         {Case{"printed", true, false}, Case{"refused", false, false}, Case{"threw", true, true}}) {
        SCOPED_TRACE(c.name);
        fx.messages->shown.clear();
        fx.printer->succeeds = c.succeeds;
        bool looked = false;
        fx.printer->whilePrinting = [&](const Printout& printout) {
            looked = true;
            // The window is not touched for the paper's sake.
            for (const QString& name : controls)
                EXPECT_TRUE(child<QWidget>(name)->isVisible()) << name.toStdString();
            // A page of twice the client's size holds the client area at twice its size.
            QImage page(client->size() * 2, QImage::Format_RGB32);
            page.fill(Qt::gray);
            QPainter painter(&page);
            printout(painter, QRectF(page.rect()));
            painter.end();
            EXPECT_EQ(page.pixelColor(bare * 2), QColor(Qt::white));
            EXPECT_EQ(page.pixelColor(underButton * 2), QColor(Qt::white));
            EXPECT_EQ(page.pixelColor(page.width() / 2, 4), QColor(Qt::white)); // where the toolbar is
            EXPECT_EQ(page.pixelColor(inBar * 2), barColour);
            const QPoint axis = chart.geometry().topLeft() + QPoint(chart.width() / 2, chart.baselineY());
            EXPECT_EQ(page.pixelColor(axis * 2), QColor(Qt::black));
            if (c.throws)
                throw std::runtime_error("printer gone");
        };
        item(u"mnuPrintChart"_s).trigger();
        EXPECT_TRUE(looked);

        for (const QString& name : controls)
            EXPECT_TRUE(child<QWidget>(name)->isVisible()) << name.toStdString();
        EXPECT_EQ(client->grab().toImage().pixelColor(bare), buttonFace);
        if (c.succeeds && !c.throws) {
            EXPECT_TRUE(fx.messages->shown.empty());
            continue;
        }
        ASSERT_EQ(fx.messages->shown.size(), 1u);
        EXPECT_EQ(fx.messages->last().title, u"Error"_s);
        EXPECT_EQ(fx.messages->last().text,
                  u"Can't print. Please check whether your default printer is accessible"_s);
        EXPECT_EQ(fx.messages->last().icon, MessageIcon::Exclamation);
    }
}

TEST_F(MainWindowTest, ThePrintedPageIsOneLandscapePageOfTextAndLines) {
    if (!pdfToolsInstalled())
        GTEST_SKIP() << "poppler-utils are not installed";
    showDay(SampleDay);
    const QTemporaryDir folder;
    fx.printer->pdfPath = folder.filePath(u"daily.pdf"_s);
    item(u"mnuPrintChart"_s).trigger();
    EXPECT_TRUE(fx.messages->shown.empty());

    const PdfFacts pdf = readPdf(fx.printer->pdfPath);
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_GT(pdf.pageSize.width(), pdf.pageSize.height());
    EXPECT_EQ(pdf.images, 0);
    // The chart's own texts, as text a reader can select.
    EXPECT_TRUE(pdf.text.contains(graph().caption().text)) << pdf.text.toStdString();
    for (const ChartLabel& label : graph().kcalLabels())
        EXPECT_TRUE(pdf.text.contains(label.text)) << label.text.toStdString();
    EXPECT_FALSE(pdf.text.contains(u"Previous"_s)); // the day controls stay off the paper
}

TEST_F(MainWindowTest, SaveDailyChartAsWritesThePictureOfThePrintout) {
    showDay(SampleDay);
    const QTemporaryDir folder;
    QWidget* client = window->centralWidget();
    const ZelmarGraph& chart = graph();
    const QPoint axis = chart.geometry().topLeft() + QPoint(chart.width() / 2, chart.baselineY());
    auto* btnHelp = child<QAbstractButton>(u"btnHelp"_s);

    // PNG: twice the client area, the chart alone on white.
    const QString png = folder.filePath(u"day.png"_s);
    fx.files->answer(png);
    item(u"mnuSaveChart"_s).trigger();
    ASSERT_EQ(fx.files->requests.size(), 1u);
    EXPECT_EQ(fx.files->requests.back().caption, u"Save Daily Chart As"_s);
    EXPECT_TRUE(fx.files->requests.back().proposed.endsWith(u"/Daily Chart 2026-11-30.pdf"_s))
        << fx.files->requests.back().proposed.toStdString();
    const QImage picture(png);
    ASSERT_EQ(picture.size(), client->size() * 2);
    EXPECT_EQ(picture.pixelColor(axis * 2), QColor(Qt::black));
    EXPECT_EQ(picture.pixelColor(btnHelp->geometry().center() * 2), QColor(Qt::white));

    // SVG: the chart's texts as text, at the client's size; the day controls are not in it.
    const QString svg = folder.filePath(u"day.svg"_s);
    fx.files->answer(svg);
    item(u"mnuSaveChart"_s).trigger();
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString document = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(document.contains(u"viewBox=\"0 0 %1 %2\""_s.arg(client->width()).arg(client->height())));
    EXPECT_TRUE(document.contains(u'>' + chart.caption().text + u'<'));
    EXPECT_FALSE(document.contains(u"Previous"_s));
    EXPECT_TRUE(fx.messages->shown.empty());

    // A file that cannot be written: the error names it.
    const QString nowhere = folder.filePath(u"no such folder/day.pdf"_s);
    fx.files->answer(nowhere);
    item(u"mnuSaveChart"_s).trigger();
    ASSERT_EQ(fx.messages->shown.size(), 1u);
    EXPECT_EQ(fx.messages->last().title, u"Error"_s);
    EXPECT_EQ(fx.messages->last().text, writeFailureText(nowhere));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              (QStringList{u"day.png"_s, u"day.svg"_s}));
}

TEST_F(MainWindowTest, TheOperateMenusAccessKeysAreDistinct) {
    QMenu* operate = window->findChild<QMenu*>(u"mnuOperate"_s);
    ASSERT_NE(operate, nullptr);
    std::vector<QChar> keys;
    for (QAction* entry : operate->actions()) {
        const QString caption = entry->text();
        const qsizetype amp = caption.indexOf(u'&');
        if (entry->isSeparator() || amp < 0)
            continue;
        const QChar key = caption.at(amp + 1).toUpper();
        EXPECT_EQ(std::count(keys.begin(), keys.end(), key), 0) << caption.toStdString();
        keys.push_back(key);
    }
    EXPECT_NE(std::find(keys.begin(), keys.end(), u'V'), keys.end());
}

TEST_F(MainWindowTest, MenusHoldEveryItemInTheDesignedOrder) {
    // "-" is a separator; a trailing " (off)" marks an item whose window the program does not have yet.
    const std::vector<QString> expected{
        u"mnuOperate &Operate"_s,
        u"mnuMealConsume &Meal Consumed List"_s,
        u"mnuAddMeal &Add Meal"_s,
        u"mnuCopyMeals Copy Meals &From Another Day…"_s,
        u"-"_s,
        u"mnuExercisePerformed A&ctivities Performed List"_s,
        u"mnuAddExercise A&dd Activity"_s,
        u"-"_s,
        u"mnuMeasurement &Body Measurement and Notes"_s,
        u"mnuAddMeasurement Add Body Measu&rement"_s,
        u"mnuAddNote Add &Note"_s,
        u"-"_s,
        u"mnuPrintChart &Print Daily Chart"_s,
        u"mnuSaveChart Sa&ve Daily Chart As…"_s,
        u"-"_s,
        u"mnuExport &Export…"_s,
        u"mnuBackUp Back &Up Diary…"_s,
        u"mnuRestore Res&tore Diary…"_s,
        u"-"_s,
        u"mnuSetDate &Set Date"_s,
        u"-"_s,
        u"mnuDeleteTrialData Delete Trial Data"_s,
        u"-"_s,
        u"mnuExit E&xit"_s,
        u"mnuAnalyze &Analyze"_s,
        u"mnuGeneralProgress &General Progress"_s,
        u"mnuSettings &Settings"_s,
        u"mnuMealCategories Meal &Categories"_s,
        u"mnuMeal &Meal"_s,
        u"mnuExercises &Activities"_s,
        u"-"_s,
        u"mnuCommon C&ommon"_s,
        u"mnuHelp &Help"_s,
        u"mnuHelpAbout &About"_s,
        u"mnuHelpContents &Contents"_s,
        u"mnuHelpMainForm &Main Form"_s,
    };
    std::vector<QString> actual;
    for (QAction* title : window->menuBar()->actions()) {
        QMenu* menu = title->menu();
        ASSERT_NE(menu, nullptr);
        actual.push_back(menu->objectName() + u' ' + menu->title());
        for (QAction* entry : menu->actions()) {
            if (entry->isSeparator())
                actual.push_back(u"-"_s);
            else
                actual.push_back(entry->objectName() + u' ' + entry->text() +
                                 (entry->isEnabled() ? u""_s : u" (off)"_s));
        }
    }
    EXPECT_EQ(actual, expected);
}

TEST_F(MainWindowTest, MeasurementItemsOpenTheirWindows) {
    struct Case {
        QString item;
        QString dialog;
    };
    const Case cases[] = {
        {u"mnuMeasurement"_s, u"frmMeasurements"_s},
        {u"mnuAddMeasurement"_s, u"frmBody"_s},
        {u"mnuAddNote"_s, u"frmUserNote"_s},
    };
    for (const Case& c : cases) {
        QString caption;
        fx.modal->expect([&](QDialog& dialog) { caption = dialog.windowTitle(); });
        // The toolbar button runs the same item.
        tlbButton(c.item).click();
        ASSERT_FALSE(fx.modal->opened.empty());
        EXPECT_EQ(fx.modal->opened.back(), c.dialog);
        if (c.dialog != u"frmMeasurements"_s) {
            EXPECT_TRUE(caption.endsWith(u" - New"_s)) << caption.toStdString(); // RecordID 0
        }
    }
    EXPECT_TRUE(fx.messages->shown.empty());
}

// Within a menu no two items share an access key, so each is reached with one letter.
TEST_F(MainWindowTest, NoTwoItemsOfAMenuShareAnAccessKey) {
    for (QAction* title : window->menuBar()->actions()) {
        std::map<QChar, QString> taken;
        for (QAction* entry : title->menu()->actions()) {
            const qsizetype amp = entry->text().indexOf(u'&');
            if (entry->isSeparator() || amp < 0)
                continue;
            const QChar key = entry->text().at(amp + 1).toUpper();
            const auto [where, fresh] = taken.emplace(key, entry->objectName());
            EXPECT_TRUE(fresh) << key.toLatin1() << " is the key of " << where->second.toStdString()
                               << " and of " << entry->objectName().toStdString();
        }
        EXPECT_FALSE(taken.empty()) << title->text().toStdString();
    }
}

TEST_F(MainWindowTest, TheDiaryFileCommandsRunFromTheirItems) {
    fx.modal->expect([](QDialog& dialog) { EXPECT_EQ(dialog.objectName(), u"frmExport"_s); });
    item(u"mnuExport"_s).trigger();
    EXPECT_EQ(fx.modal->opened, std::vector<QString>{u"frmExport"_s});
    // Each asks for its file first; cancelled, it does nothing more.
    fx.files->answer(QString());
    item(u"mnuBackUp"_s).trigger();
    fx.files->answer(QString());
    item(u"mnuRestore"_s).trigger();
    ASSERT_EQ(fx.files->requests.size(), 2u);
    EXPECT_EQ(fx.files->requests[0].caption, u"Back Up Diary"_s);
    EXPECT_EQ(fx.files->requests[1].caption, u"Restore Diary"_s);
    EXPECT_TRUE(fx.messages->shown.empty());
}

TEST_F(MainWindowTest, F1OnAHighlightedDiaryFileCommandOpensItsTopic) {
    const std::pair<QString, int> cases[] = {{u"mnuExport"_s, HelpContext::frmExport},
                                             {u"mnuBackUp"_s, HelpContext::mnuBackUp},
                                             {u"mnuRestore"_s, HelpContext::mnuRestore},
                                             {u"mnuSetDate"_s, HelpContext::None}};
    auto* operate = child<QMenu>(u"mnuOperate"_s);
    for (const auto& [name, context] : cases) {
        fx.help->topics.clear();
        operate->setActiveAction(&item(name));
        QTest::keyClick(operate, Qt::Key_F1);
        EXPECT_EQ(fx.help->topics,
                  context == HelpContext::None ? std::vector<int>{} : std::vector<int>{context})
            << name.toStdString();
    }
}

TEST_F(MainWindowTest, GeneralProgressHandsTheConfirmedPeriodToTheChart) {
    // Cancelled: the chart window does not open.
    fx.modal->expect(
        [](QDialog& dialog) { EXPECT_EQ(dialog.objectName(), u"frmGeneralProgressSettings"_s); });
    item(u"mnuGeneralProgress"_s).trigger();
    EXPECT_EQ(fx.modal->opened, std::vector<QString>{u"frmGeneralProgressSettings"_s});

    // Confirmed (the sample diary's last month passes both checks): the chart opens on that period.
    fx.app->state().currentDate = DateValue::fromQDate(SampleDay);
    fx.modal->expect([](QDialog& dialog) { dialog.findChild<QPushButton*>(u"btnOK"_s)->click(); });
    DateValue shownFrom, shownTo;
    fx.modal->expect([&](QDialog& dialog) {
        auto& chart = dynamic_cast<frmGeneralProgress&>(dialog);
        shownFrom = chart.dateFrom;
        shownTo = chart.dateTo;
    });
    tlbButton(u"mnuGeneralProgress"_s).click();
    ASSERT_EQ(fx.modal->opened.size(), 3u);
    EXPECT_EQ(fx.modal->opened.back(), u"frmGeneralProgress"_s);
    EXPECT_TRUE(fx.messages->shown.empty());
    const auto& settings = window->dialog<frmGeneralProgressSettings>();
    EXPECT_TRUE(settings.confirmed);
    EXPECT_EQ(shownFrom, settings.dateFrom);
    EXPECT_EQ(shownTo, settings.dateTo);
    EXPECT_EQ(shownFrom.toQDate(), SampleDay.addMonths(-1));
}

TEST_F(MainWindowTest, ToolbarButtonsAreTheMenuItemsWithTheirTooltips) {
    const std::vector<std::pair<QString, QString>> expected{
        {u"mnuMealConsume"_s, u"Meal Consume List"_s},
        {u"mnuAddMeal"_s, u"Add Meal"_s},
        {u"-"_s, {}},
        {u"mnuExercisePerformed"_s, u"Activities Performed List"_s},
        {u"mnuAddExercise"_s, u"Add Activity"_s},
        {u"-"_s, {}},
        {u"mnuMeasurement"_s, u"Body Measurement & Notes"_s},
        {u"mnuAddMeasurement"_s, u"Add Measurement"_s},
        {u"mnuAddNote"_s, u"Add Note"_s},
        {u"-"_s, {}},
        {u"mnuPrintChart"_s, u"Print Daily Chart"_s},
        {u"-"_s, {}},
        {u"mnuGeneralProgress"_s, u"General Progress"_s},
        {u"-"_s, {}},
        {u"mnuMealCategories"_s, u"Configure Meal Categories"_s},
        {u"mnuMeal"_s, u"Configure Meals"_s},
        {u"mnuExercises"_s, u"Configure Activities"_s},
        {u"-"_s, {}},
        {u"mnuHelpAbout"_s, u"About the Program"_s},
        {u"mnuHelpContents"_s, u"Help Contents"_s},
    };
    auto* toolbar = child<QToolBar>(u"tlbToolBar"_s);
    std::vector<std::pair<QString, QString>> actual;
    std::vector<QImage> pictures;
    for (QAction* action : toolbar->actions()) {
        if (action->isSeparator()) {
            actual.emplace_back(u"-"_s, QString());
            continue;
        }
        auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(action));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->defaultAction(), &item(action->objectName())); // the menu item itself
        actual.emplace_back(action->objectName(), button->toolTip());

        const QImage picture = button->icon().pixmap(16, 16).toImage();
        int opaque = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                opaque += qAlpha(picture.pixel(x, y)) > 128 ? 1 : 0;
        EXPECT_GT(opaque, 16) << action->objectName().toStdString();
        for (const QImage& other : pictures)
            EXPECT_NE(picture, other) << action->objectName().toStdString();
        pictures.push_back(picture);
        EXPECT_FALSE(window->image(action->objectName()).isNull());
    }
    EXPECT_EQ(actual, expected);
    for (const QString& key : {u"Plus"_s, u"Exit"_s})
        EXPECT_FALSE(window->image(key).isNull()) << key.toStdString();
    EXPECT_TRUE(window->image(u"NoSuchImage"_s).isNull());
}

TEST_F(MainWindowTest, ToolbarButtonsRunTheirMenuItems) {
    auto* toolbar = child<QToolBar>(u"tlbToolBar"_s);
    const auto click = [&](const QString& key) {
        QTest::mouseClick(toolbar->widgetForAction(&item(key)), Qt::LeftButton);
    };
    click(u"mnuHelpContents"_s);
    EXPECT_EQ(fx.help->contentsShown, 1);

    fx.modal->expect([](QDialog& dialog) { dialog.findChild<QPushButton*>(u"btnOK"_s)->click(); });
    click(u"mnuHelpAbout"_s);
    EXPECT_EQ(fx.modal->opened, std::vector<QString>{u"frmAbout"_s});

    fx.printer->succeeds = true;
    click(u"mnuPrintChart"_s);
    EXPECT_EQ(fx.printer->calls, 1);

    int mode = -1;
    fx.modal->expect([&](QDialog& dialog) { mode = dynamic_cast<frmMealConsume&>(dialog).Mode; });
    click(u"mnuAddMeal"_s);
    EXPECT_EQ(fx.modal->opened.back(), u"frmMealConsume"_s);
    EXPECT_EQ(mode, 1); // adding mode
}

// In adding mode every stored row is on the day's chart at once, while the editor stays open.
TEST_F(MainWindowTest, AddingMealsFromTheMenuDrawsEachOneAtOnce) {
    showDay(SampleDay);
    const std::size_t before = graph().meals().size();
    std::vector<std::size_t> drawn;
    fx.modal->expect([&](QDialog& dialog) {
        // Adding mode's buttons carry the main window's "Plus" and "Exit" pictures.
        EXPECT_EQ(dialog.findChild<QPushButton*>(u"btnOK"_s)->icon().cacheKey(),
                  window->image(u"Plus"_s).cacheKey());
        EXPECT_EQ(dialog.findChild<QPushButton*>(u"btnCancel"_s)->icon().cacheKey(),
                  window->image(u"Exit"_s).cacheKey());
        for (const QTime time : {QTime(4, 0), QTime(4, 30)}) {
            dialog.findChild<DataCombo*>(u"dcbMealCategory"_s)->setBoundValue(1);
            dialog.findChild<QTimeEdit*>(u"dtpTime"_s)->setTime(time);
            dialog.findChild<QPushButton*>(u"btnOK"_s)->click();
            EXPECT_TRUE(dialog.isVisible());
            drawn.push_back(graph().meals().size());
        }
    });
    item(u"mnuAddMeal"_s).trigger();
    EXPECT_TRUE(fx.messages->shown.empty());
    EXPECT_EQ(drawn, (std::vector<std::size_t>{before + 1, before + 2}));

    // Opened for one row, the same editor has no pictures on its buttons.
    fx.modal->expect([](QDialog& dialog) {
        EXPECT_TRUE(dialog.findChild<QPushButton*>(u"btnOK"_s)->icon().isNull());
        EXPECT_TRUE(dialog.findChild<QPushButton*>(u"btnCancel"_s)->icon().isNull());
    });
    Q_EMIT graph().NewMeal(0.5);
}

// Copied meals are on the chart as soon as their window closes.
TEST_F(MainWindowTest, MealsCopiedFromTheDayBeforeAreDrawnAtOnce) {
    showDay(SampleDay);
    const std::size_t sampleBars = graph().meals().size();
    const qlonglong sampleMeals = count(u"select count(*) from MealConsume where ConsumeDate = %1"_s.arg(
        DateValue::fromQDate(SampleDay).serial()));
    ASSERT_GT(sampleBars, 0u);
    showDay(SampleDay.addDays(1));
    ASSERT_EQ(graph().meals().size(), 0u);
    fx.modal->expect([](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QDateEdit*>(u"dtpDate"_s)->date(), SampleDay);
        dialog.findChild<QPushButton*>(u"btnOK"_s)->click();
    });
    item(u"mnuCopyMeals"_s).trigger();
    EXPECT_EQ(fx.modal->opened, std::vector<QString>{u"frmCopyMeals"_s});
    EXPECT_TRUE(fx.messages->shown.empty());
    EXPECT_EQ(graph().meals().size(), sampleBars);
    EXPECT_EQ(count(u"select count(*) from MealConsume where ConsumeDate = %1"_s.arg(
                  DateValue::fromQDate(SampleDay.addDays(1)).serial())),
              sampleMeals);
}

// A date chosen in a day list is the day the main window shows once the list has closed.
TEST_F(MainWindowTest, ADateChosenInADayListIsShownAfterwards) {
    showDay(SampleDay);
    const QDate chosen = SampleDay.addDays(-3);
    insertMeal(88, 1, chosen, timeOfDay(3, 0), 1);
    const auto drawsTheChosenDay = [this] {
        for (const MealStruct& bar : graph().meals())
            if (bar.id == 88)
                return true;
        return false;
    };
    const std::pair<QString, QString> lists[] = {{u"mnuMealConsume"_s, u"frmMealConsumes"_s},
                                                 {u"mnuExercisePerformed"_s, u"frmExercisePerforms"_s}};
    for (const auto& [menuItem, list] : lists) {
        showDay(SampleDay);
        fx.modal->opened.clear();
        fx.modal->expect([&](QDialog& dialog) { dialog.findChild<QDateEdit*>()->setDate(chosen); });
        item(menuItem).trigger();
        EXPECT_EQ(fx.modal->opened, std::vector<QString>{list});
        EXPECT_EQ(shownDate(), QLocale().toString(chosen, u"dd-MMM-yy"_s)) << list.toStdString();
        EXPECT_TRUE(drawsTheChosenDay()) << list.toStdString();
    }
}

TEST_F(MainWindowTest, F1HelpButtonAndMainFormOpenTheMainWindowsTopic) {
    QTest::keyClick(window.get(), Qt::Key_F1);
    QTest::keyClick(child<QAbstractButton>(u"btnPrev"_s), Qt::Key_F1); // from a control, as the user would
    QTest::mouseClick(child<QAbstractButton>(u"btnHelp"_s), Qt::LeftButton);
    item(u"mnuHelpMainForm"_s).trigger();
    EXPECT_EQ(fx.help->topics, (std::vector<int>{4, 4, 4, 4}));
    EXPECT_EQ(fx.help->contentsShown, 0);
}

// The chart end to end: the user's clicks reach the journal windows with the clicked minute, and
// the day is redrawn after a day list closes.
class ChartClickTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        showDay(SampleDay);
    }
    void doubleClick(QPoint at) {
        QTest::mouseClick(&graph(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(&graph(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(&graph(), Qt::LeftButton, {}, at);
    }
    // The minute the chart reports for a click at x.
    DateValue minuteAt(int x) {
        const double minutes = nearest((x - 10) / double{graph().pixelsPerMinute()});
        return DateValue(graph().chartBegin()).addMinutes(static_cast<int>(minutes));
    }
    // A day list's selected tag, read while the list is open; a meal added meanwhile shows whether
    // the main window redraws once the list has closed.
    std::function<void(QDialog&)> lookAtList(qint64& selected) {
        return [this, &selected](QDialog& dialog) {
            selected = dialog.findChild<ReportList*>(u"lvwList"_s)->selectedTag();
            insertMeal(77, 1, SampleDay, timeOfDay(16, 0), 1);
        };
    }
    bool redrawn() const {
        for (const MealStruct& bar : graph().meals())
            if (bar.id == 77)
                return true;
        return false;
    }
};

TEST_F(ChartClickTest, DoubleClickOnEmptySpaceAboveTheAxisOpensANewMealAtThatMinute) {
    const QPoint at(220, graph().baselineY() - 60);
    const DateValue minute = minuteAt(at.x());
    int recordId = -1;
    QTime proposed;
    fx.modal->expect([&](QDialog& dialog) {
        auto& editor = dynamic_cast<frmMealConsume&>(dialog);
        recordId = editor.RecordID;
        proposed = editor.findChild<QTimeEdit*>(u"dtpTime"_s)->time();
        editor.findChild<DataCombo*>(u"dcbMealCategory"_s)->setBoundValue(1); // its first meal follows
        editor.findChild<QPushButton*>(u"btnOK"_s)->click();
    });
    doubleClick(at);
    EXPECT_EQ(fx.modal->opened, std::vector<QString>{u"frmMealConsume"_s});
    EXPECT_EQ(recordId, 0);
    EXPECT_EQ(proposed, minute.toQTime());
    // The stored meal is on the chart as soon as the editor has closed.
    bool drawn = false;
    for (const MealStruct& bar : graph().meals())
        drawn = drawn || std::abs(bar.tm - minute.serial()) < 1e-9;
    EXPECT_TRUE(drawn);
}

// An activity ending at 23:59 stretches the axis to 24:00; a double-click at its right end proposes
// the day's last minute, not midnight at the start of the day.
TEST_F(ChartClickTest, TheRightEndOfAnAxisReachingMidnightProposesTheLastMinute) {
    insertExercise(78, 23, SampleDay, timeOfDay(23, 0), timeOfDay(23, 59), 1);
    showDay(SampleDay);
    ASSERT_DOUBLE_EQ(graph().chartEnd(), 1.0);
    const std::function<void()> requests[] = {
        [&] { doubleClick(QPoint(graph().width() - 3, graph().baselineY() - 60)); },
        [&] { Q_EMIT graph().NewExercise(graph().chartEnd()); },
    };
    const QString editors[] = {u"frmMealConsume"_s, u"frmExercisePerform"_s};
    for (int i = 0; i < 2; ++i) {
        fx.modal->opened.clear();
        QTime proposed;
        fx.modal->expect([&](QDialog& dialog) {
            const auto* picker = dialog.findChild<QTimeEdit*>(i == 0 ? u"dtpTime"_s : u"dtpBeginTime"_s);
            proposed = picker->time();
        });
        requests[i]();
        EXPECT_EQ(fx.modal->opened, std::vector<QString>{editors[i]});
        EXPECT_EQ(proposed, QTime(23, 59)) << editors[i].toStdString();
        EXPECT_EQ(fx.app->state().currentTime.toQTime(), QTime(23, 59));
    }
}

TEST_F(ChartClickTest, DoubleClickOnAMergedBarOpensTheDayListWithThatMealSelected) {
    // 07:25 and 07:35 share the day's first bar.
    const MealStruct& bar = graph().meals()[0];
    ASSERT_TRUE(bar.complex);
    qint64 selected = 0;
    fx.modal->expect(lookAtList(selected));
    doubleClick(QPoint(bar.Left + 2, graph().baselineY() - 2));
    EXPECT_EQ(fx.modal->opened, std::vector<QString>{u"frmMealConsumes"_s});
    EXPECT_EQ(selected, bar.id);
    EXPECT_TRUE(redrawn());
}

TEST_F(ChartClickTest, RightClickBelowTheAxisOpensTheActivityListWithNothingSelected) {
    const QPoint at(400, graph().baselineY() + 40);
    qint64 selected = -1;
    fx.modal->expect(lookAtList(selected));
    QTest::mouseClick(&graph(), Qt::RightButton, {}, at);
    EXPECT_EQ(fx.modal->opened, std::vector<QString>{u"frmExercisePerforms"_s});
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(fx.app->state().currentTime, minuteAt(at.x()));
    EXPECT_TRUE(redrawn());
}

TEST_F(MainWindowTest, TrialDataRemovalRedrawsOnlyAfterARemoval) {
    showDay(SampleDay);
    insertMeal(9, 1, SampleDay, timeOfDay(10, 0), 1); // the user's own row, after the last redraw
    const QString sampleRows = u"select (select count(*) from MealConsume where MealConsumeID < 0) + "
                               "(select count(*) from ExercisePerform where ExercisePerformID < 0) + "
                               "(select count(*) from Body where BodyId < 0) + "
                               "(select count(*) from UserNote where UserNoteId < 0)"_s;
    const qlonglong shipped = count(sampleRows);
    ASSERT_GT(shipped, 0);

    fx.messages->answer(MessageButton::No);
    item(u"mnuDeleteTrialData"_s).trigger();
    ASSERT_EQ(fx.messages->shown.size(), 1u);
    EXPECT_EQ(fx.messages->last().title, u"Are you sure?"_s);
    EXPECT_EQ(count(sampleRows), shipped);
    EXPECT_EQ(graph().meals().size(), 3u); // not redrawn: the new row is not there

    fx.messages->answer(MessageButton::Yes);
    item(u"mnuDeleteTrialData"_s).trigger();
    EXPECT_EQ(count(sampleRows), 0);
    ASSERT_EQ(graph().meals().size(), 1u);
    EXPECT_EQ(graph().meals()[0].id, 9);
    EXPECT_TRUE(graph().exercises().empty());
}

TEST_F(MainWindowOnCatalogue, RecordsTheChartCannotHoldAreLeftOffAndTheRestDrawn) {
    const QDate day(2026, 12, 6);
    // White bread: 50.7375 kcal of carbohydrate a slice. 700 slices exceed 16 bits; 400 fit, but two
    // such meals five minutes apart would make one bar beyond 16 bits.
    insertMeal(1, 1, day, timeOfDay(7, 0), 700);
    insertMeal(2, 1, day, timeOfDay(8, 0), 400);
    insertMeal(3, 1, day, timeOfDay(8, 5), 400);
    insertMeal(4, 1, day, timeOfDay(12, 0), 2);
    // Stationary bike: 83.349 kcal per ten minutes; 400 units exceed 16 bits.
    insertExercise(1, 23, day, timeOfDay(9, 0), timeOfDay(10, 0), 400);
    insertExercise(2, 23, day, timeOfDay(18, 0), timeOfDay(18, 30), 3);
    showDay(day);

    const auto meals = graph().meals();
    ASSERT_EQ(meals.size(), 2u);
    EXPECT_EQ(meals[0].id, 2);
    EXPECT_EQ(meals[0].carbohydrate, 20295);
    EXPECT_FALSE(meals[0].complex);
    EXPECT_EQ(meals[1].id, 4);
    ASSERT_EQ(graph().exercises().size(), 1u);
    EXPECT_EQ(graph().exercises()[0].id, 2);
    EXPECT_EQ(graph().image().size(), graph().size());
}

TEST(MainLayoutRule, MinimumHeightAppliesToTheNormalStateOnly) {
    using mainlayout::MinimumOuterHeight;
    ASSERT_GE(MinimumOuterHeight * 15, 8000);
    ASSERT_LT((MinimumOuterHeight - 1) * 15, 8000);
    struct Case {
        Qt::WindowStates states;
        int frameHeight;
        int screenHeight;
        int minimum;
    };
    const Case cases[] = {
        {Qt::WindowNoState, 0, 1000, MinimumOuterHeight},
        {Qt::WindowNoState, 30, 1000, MinimumOuterHeight - 30},
        {Qt::WindowActive, 30, 1000, MinimumOuterHeight - 30},
        {Qt::WindowMinimized, 30, 1000, 0},
        {Qt::WindowMaximized, 30, 1000, 0},
        {Qt::WindowFullScreen, 0, 1000, 0},
        {Qt::WindowMinimized | Qt::WindowMaximized, 30, 1000, 0},
        // A screen lower than the rule leaves the window as high as the screen allows.
        {Qt::WindowNoState, 30, 500, 470},
        {Qt::WindowNoState, 30, 0, MinimumOuterHeight - 30}, // no screen known
    };
    for (const Case& c : cases)
        EXPECT_EQ(mainlayout::minimumHeight(c.states, c.frameHeight, c.screenHeight), c.minimum)
            << c.states.toInt() << " " << c.frameHeight << " " << c.screenHeight;
}

TEST(MainLayoutRule, ControlsFollowTheClientArea) {
    struct Case {
        QSize client;
        bool placed;
    };
    const Case cases[] = {
        {{685, 435}, true}, {{14, 80}, true}, {{13, 500}, false}, {{500, 79}, false}, {{1600, 1100}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.client.width() * 1000 + c.client.height());
        const auto placement = mainlayout::placeControls(c.client);
        ASSERT_EQ(placement.has_value(), c.placed);
        if (!placement)
            continue;
        const int h = c.client.height();
        EXPECT_EQ(placement->graph, QRect(4, 28, c.client.width() - 8, h - 70));
        EXPECT_EQ(placement->btnPrev, QRect(4, h - 39, 57, 37));
        EXPECT_EQ(placement->txtDate, QRect(76, h - 27, 85, 25));
        EXPECT_EQ(placement->btnNext, QRect(176, h - 39, 57, 37));
        EXPECT_EQ(placement->btnHelp, QRect(256, h - 39, 57, 37));
        EXPECT_EQ(placement->toolbarHeight, 24);
    }
    EXPECT_EQ(mainlayout::minimumClientWidth({}), 317);
}

// Controls that need more room than the design gives them get it, and those after them move along
// by the designed gaps; nothing overlaps and the chart ends above the buttons.
TEST(MainLayoutRule, ControlsThatNeedMoreRoomGetItAndTheOthersMoveAlong) {
    const mainlayout::ContentNeeds needs{.toolbarHeight = 31, .button = {67, 41}, .dateBox = {97, 29}};
    const auto placement = mainlayout::placeControls({685, 435}, needs);
    ASSERT_TRUE(placement);
    EXPECT_EQ(placement->toolbarHeight, 31);
    EXPECT_EQ(placement->btnPrev, QRect(4, 435 - 2 - 41, 67, 41));
    EXPECT_EQ(placement->txtDate, QRect(4 + 67 + 15, 435 - 2 - 29, 97, 29));
    EXPECT_EQ(placement->btnNext, QRect(86 + 97 + 15, 392, 67, 41));
    EXPECT_EQ(placement->btnHelp, QRect(198 + 67 + 23, 392, 67, 41));
    EXPECT_EQ(placement->graph, QRect(4, 31 + 4, 677, 392 - 3 - 35));
    EXPECT_EQ(mainlayout::minimumClientWidth(needs), placement->btnHelp.right() + 1 + 4);
}

TEST_F(MainWindowTest, AShortNormalWindowIsMadeTallAndLaidOut) {
    QApplication::processEvents();
    EXPECT_GE(window->frameGeometry().height(), mainlayout::MinimumOuterHeight); // already on showing
    EXPECT_TRUE(graph().image().isNull()); // nothing is drawn before the first load

    window->RePaintGraph();
    window->resize(760, 300);
    QApplication::processEvents();
    EXPECT_EQ(window->frameGeometry().height(), mainlayout::MinimumOuterHeight);
    EXPECT_EQ(window->width(), 760);

    const QSize client = window->centralWidget()->size();
    EXPECT_EQ(client.width(), 760);
    // The designed places, widened where the controls need more with the fonts at hand.
    const auto* toolbar = child<QToolBar>(u"tlbToolBar"_s);
    EXPECT_EQ(toolbar->geometry(), QRect(0, 0, client.width(), std::max(24, toolbar->sizeHint().height())));
    const QRect prev = child<QAbstractButton>(u"btnPrev"_s)->geometry();
    const QRect date = child<QLineEdit>(u"txtDate"_s)->geometry();
    const QRect next = child<QAbstractButton>(u"btnNext"_s)->geometry();
    const QRect help = child<QAbstractButton>(u"btnHelp"_s)->geometry();
    for (const char* name : {"btnPrev", "btnNext", "btnHelp"}) {
        const auto* button = child<QAbstractButton>(QString::fromLatin1(name));
        EXPECT_TRUE(button->width() >= std::max(57, button->sizeHint().width()) &&
                    button->height() >= std::max(37, button->sizeHint().height()))
            << name;
    }
    EXPECT_EQ(prev.topLeft(), QPoint(4, client.height() - 2 - prev.height()));
    EXPECT_EQ(date.left(), prev.right() + 1 + 15);
    EXPECT_EQ(date.bottom(), prev.bottom());
    EXPECT_EQ(next.left(), date.right() + 1 + 15);
    EXPECT_EQ(help.left(), next.right() + 1 + 23);
    EXPECT_EQ(graph().geometry(),
              QRect(4, toolbar->height() + 4, client.width() - 8, prev.top() - 3 - (toolbar->height() + 4)));
    EXPECT_EQ(graph().image().size(), graph().size()); // redrawn at its new size

    window->resize(900, 700);
    QApplication::processEvents();
    EXPECT_EQ(window->height(), 700);
    EXPECT_EQ(graph().image().size(), graph().size());
}

TEST_F(MainWindowTest, AMinimisedWindowKeepsItsHeightUntilRestored) {
    window->showMinimized();
    QApplication::processEvents();
    ASSERT_TRUE(window->windowState() & Qt::WindowMinimized);
    window->resize(760, 300);
    QApplication::processEvents();
    EXPECT_EQ(window->height(), 300);

    window->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(window->frameGeometry().height(), mainlayout::MinimumOuterHeight);
}

TEST_F(MainWindowTest, ClosingTheMainWindowClosesEveryOtherWindow) {
    QWidget other;
    other.show();
    item(u"mnuExit"_s).trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(other.isVisible());
}

} // namespace
