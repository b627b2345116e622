#include "AppFixture.h"
#include "HelpContext.h"
#include "HelpFiles.h"
#include "HelpViewer.h"
#include "KelvoraDialog.h"
#include "QtHelpService.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimeEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <set>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

QString sourceHelp() {
    return QString::fromUtf8(KELVORA_HELP_SOURCE_DIR);
}

QStringList topicPages() {
    return QDir(sourceHelp()).entryList({u"*.html"_s}, QDir::Files);
}

bool isInternal(const QString& link) {
    return !link.contains(u':');
}

void copyHelp(const QString& to) {
    QDir().mkpath(to);
    for (const QString& name : QDir(sourceHelp()).entryList(QDir::Files))
        QFile::copy(QDir(sourceHelp()).filePath(name), QDir(to).filePath(name));
}

// URLs compare as text, so a failure shows which pages were meant.
std::string topicUrl(const QString& folder, const QString& file) {
    return QUrl::fromLocalFile(QDir(folder).filePath(file)).toString().toStdString();
}

const QString NotFoundText = u"The help files were not found in %1. Reinstall Kelvora to restore them."_s;

// ---- the help folder ----

TEST(HelpFolder, EveryWindowContextOpensTheTopicOfThatWindow) {
    struct Case {
        const char* window;
        int context;
        QString title;
    };
    const Case cases[] = {
        {"frmMain", HelpContext::frmMain, u"The Main Window"_s},
        {"frmMealCategories", HelpContext::frmMealCategories, u"Meal Categories"_s},
        {"frmMeals", HelpContext::frmMeals, u"Meals"_s},
        {"frmMeal", HelpContext::frmMeal, u"Meal Description"_s},
        {"frmExercises", HelpContext::frmExercises, u"Activities"_s},
        {"frmExercise", HelpContext::frmExercise, u"Activity Description"_s},
        {"frmWeightAdjustment", HelpContext::frmWeightAdjustment, u"Weight Adjustment"_s},
        {"frmCommon", HelpContext::frmCommon, u"Common Parameters"_s},
        {"frmMealConsumes", HelpContext::frmMealConsumes, u"Meal Consumed List"_s},
        {"frmMealConsume", HelpContext::frmMealConsume, u"Meal Consumed"_s},
        {"frmExercisePerforms", HelpContext::frmExercisePerforms, u"Activities Performed List"_s},
        {"frmExercisePerform", HelpContext::frmExercisePerform, u"Activity Performed"_s},
        {"frmMeasurements", HelpContext::frmMeasurements, u"Body Measurement and Notes"_s},
        {"frmBody", HelpContext::frmBody, u"Body Measurement"_s},
        {"frmUserNote", HelpContext::frmUserNote, u"User Note"_s},
        {"frmDate", HelpContext::frmDate, u"Set Current Date"_s},
        {"frmGeneralProgressSettings", HelpContext::frmGeneralProgressSettings, u"General Progress"_s},
        {"frmGeneralProgress", HelpContext::frmGeneralProgress, u"General Progress"_s},
        {"frmMealCategory", HelpContext::frmMealCategory, u"Meal Category"_s},
        {"frmExport", HelpContext::frmExport, u"Export"_s},
        {"mnuBackUp", HelpContext::mnuBackUp, u"Back Up Diary"_s},
        {"mnuRestore", HelpContext::mnuRestore, u"Restore Diary"_s},
        {"frmCopyMeals", HelpContext::frmCopyMeals, u"Copy Meals From Another Day"_s},
    };
    QString error;
    const std::optional<HelpMap> map = HelpMap::load(sourceHelp(), &error);
    ASSERT_TRUE(map) << error.toStdString();

    std::set<int> numbers;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        numbers.insert(c.context);
        const QString file = map->topicFile(c.context);
        ASSERT_FALSE(file.isEmpty());
        const QString html = readText(QDir(sourceHelp()).filePath(file));
        ASSERT_FALSE(html.isEmpty()) << file.toStdString();
        EXPECT_EQ(joined(captures(html, u"<title>([^<]*)</title>"_s)), c.title.toStdString())
            << file.toStdString();
    }
    std::set<int> mapped;
    for (const auto& [number, file] : map->topics)
        mapped.insert(number);
    EXPECT_EQ(mapped, numbers);
    EXPECT_TRUE(map->topicFile(HelpContext::None).isEmpty());
}

TEST(HelpFolder, EveryLinkInsideTheHelpLeadsToAPageAndAnchor) {
    const std::optional<HelpMap> map = HelpMap::load(sourceHelp());
    ASSERT_TRUE(map);
    QStringList broken;
    int checked = 0;
    for (const QString& page : topicPages()) {
        for (const QString& link :
             captures(readText(QDir(sourceHelp()).filePath(page)), uR"re(href\s*=\s*"([^"]*)")re"_s)) {
            if (!isInternal(link))
                continue;
            ++checked;
            if (const QString why = brokenTarget(sourceHelp(), link, page); !why.isEmpty())
                broken << why;
        }
    }
    const auto checkTree = [&](const auto& self, const std::vector<HelpMap::TreeNode>& nodes) -> void {
        for (const HelpMap::TreeNode& node : nodes) {
            if (!node.target.isEmpty()) {
                ++checked;
                if (const QString why = brokenTarget(sourceHelp(), node.target, u"contents tree"_s);
                    !why.isEmpty())
                    broken << why;
            }
            self(self, node.children);
        }
    };
    checkTree(checkTree, map->tree);
    for (const HelpMap::IndexEntry& entry : map->index) {
        ++checked;
        if (const QString why = brokenTarget(sourceHelp(), entry.target, u"index"_s); !why.isEmpty())
            broken << why;
    }
    ++checked;
    if (const QString why = brokenTarget(sourceHelp(), map->contentsFile, u"map"_s); !why.isEmpty())
        broken << why;

    EXPECT_GT(checked, 100);
    EXPECT_TRUE(broken.isEmpty()) << joined(broken);
}

TEST(HelpFolder, EveryImageOfATopicExists) {
    QStringList missing;
    int images = 0;
    for (const QString& page : topicPages()) {
        for (const QString& source : captures(readText(QDir(sourceHelp()).filePath(page)),
                                              uR"re(<img\s[^>]*src\s*=\s*"([^"]*)")re"_s)) {
            ++images;
            if (!QFileInfo(QDir(sourceHelp()).filePath(source)).isFile())
                missing << u"%1 (in %2)"_s.arg(source, page);
        }
    }
    EXPECT_GT(images, 0);
    EXPECT_TRUE(missing.isEmpty()) << joined(missing);
}

TEST(HelpFolder, TheContentsPageLinksEveryTopic) {
    const std::optional<HelpMap> map = HelpMap::load(sourceHelp());
    ASSERT_TRUE(map);
    QSet<QString> linked;
    for (const QString& link :
         captures(readText(QDir(sourceHelp()).filePath(map->contentsFile)), uR"re(href\s*=\s*"([^"#]*))re"_s))
        linked.insert(link);
    for (const auto& [number, file] : map->topics)
        EXPECT_TRUE(linked.contains(file)) << file.toStdString() << " (context " << number << ")";
}

TEST(HelpMap, AMapThatIsNotWholeIsNoMap) {
    struct Case {
        const char* what;
        QByteArray json;
    };
    const Case cases[] = {
        {"not JSON", "{\"contents\": \"contents.html\", "},
        {"no contents page", R"({"topics": [{"context": 4, "file": "a.html"}]})"},
        {"a topic without a file", R"({"contents": "c.html", "topics": [{"context": 4}]})"},
        {"a context number that is not a number",
         R"({"contents": "c.html", "topics": [{"context": "4", "file": "a.html"}]})"},
        {"a context twice", R"({"contents": "c.html", "topics": [{"context": 4, "file": "a.html"},
                                {"context": 4, "file": "b.html"}]})"},
        {"a tree entry without a title",
         R"({"contents": "c.html", "tree": [{"title": "A", "children": [{"topic": "a.html"}]}]})"},
        {"an index entry without a topic", R"({"contents": "c.html", "index": [{"keyword": "k"}]})"},
    };
    const QTemporaryDir folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile file(QDir(folder.path()).filePath(QLatin1StringView(HelpMap::FileName)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.json);
        file.close();
        QString error;
        EXPECT_FALSE(HelpMap::load(folder.path(), &error));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_FALSE(HelpMap::load(QDir(folder.path()).filePath(u"nowhere"_s)));
}

// ---- the viewer ----

class HelpViewerTest : public ::testing::Test {
protected:
    explicit HelpViewerTest(const QString& folder = sourceHelp()) : viewer(folder) {
        viewer.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    }

    template <typename T> T* child(const QString& name) { return viewer.findChild<T*>(name); }
    QTextBrowser* browser() { return child<QTextBrowser>(u"brwTopic"_s); }
    std::string shown() { return browser()->source().toString().toStdString(); }
    QString text() { return browser()->toPlainText(); }
    void click(const QString& button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }

    HelpViewer viewer;
};

TEST_F(HelpViewerTest, OpensTheTopicOfAContextNumber) {
    EXPECT_EQ(viewer.windowTitle().toStdString(), "Kelvora Help");
    viewer.showTopic(HelpContext::frmCommon);
    EXPECT_EQ(shown(), topicUrl(sourceHelp(), u"common-parameters.html"_s));
    EXPECT_EQ(browser()->documentTitle().toStdString(), "Common Parameters");
    viewer.showTopic(HelpContext::frmMain);
    EXPECT_EQ(shown(), topicUrl(sourceHelp(), u"main-window.html"_s));
}

TEST_F(HelpViewerTest, ContentsShowsTheContentsPageAndATreeThatOpensTopics) {
    auto* tabs = child<QTabWidget>(u"tabPanes"_s);
    auto* tree = child<QTreeWidget>(u"tvwContents"_s);
    tabs->setCurrentIndex(1);
    viewer.showContents();
    EXPECT_EQ(tabs->currentWidget(), tree);
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()).toStdString(), "Contents");
    EXPECT_EQ(shown(), topicUrl(sourceHelp(), u"contents.html"_s));

    struct Entry {
        QString title;
        std::string shows;
    };
    const Entry entries[] = {
        {u"Meal Description"_s, topicUrl(sourceHelp(), u"meal-description.html"_s)},
        {u"Printing the daily chart"_s, topicUrl(sourceHelp(), u"main-window.html"_s) + "#printing"},
    };
    for (const Entry& e : entries) {
        const QList<QTreeWidgetItem*> found = tree->findItems(e.title, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1);
        tree->scrollToItem(found.front());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(found.front()).center());
        EXPECT_EQ(shown(), e.shows);
        EXPECT_EQ(tree->currentItem(), found.front());
    }

    // A book only groups its pages: clicking it leaves the topic where it is.
    const QList<QTreeWidgetItem*> books = tree->findItems(u"Settings"_s, Qt::MatchExactly);
    ASSERT_EQ(books.size(), 1);
    tree->scrollToItem(books.front());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(books.front()).center());
    EXPECT_EQ(shown(), topicUrl(sourceHelp(), u"main-window.html"_s) + "#printing");
}

TEST_F(HelpViewerTest, BackAndForwardWalkTheTopicsRead) {
    viewer.showTopic(HelpContext::frmMain);
    viewer.showTopic(HelpContext::frmCommon);
    EXPECT_TRUE(child<QPushButton>(u"btnBack"_s)->isEnabled());
    EXPECT_FALSE(child<QPushButton>(u"btnForward"_s)->isEnabled());

    click(u"btnBack"_s);
    EXPECT_EQ(shown(), topicUrl(sourceHelp(), u"main-window.html"_s));
    EXPECT_FALSE(child<QPushButton>(u"btnBack"_s)->isEnabled());
    EXPECT_TRUE(child<QPushButton>(u"btnForward"_s)->isEnabled());

    click(u"btnForward"_s);
    EXPECT_EQ(shown(), topicUrl(sourceHelp(), u"common-parameters.html"_s));

    click(u"btnContents"_s);
    EXPECT_EQ(shown(), topicUrl(sourceHelp(), u"contents.html"_s));
}

TEST_F(HelpViewerTest, ALinkInATopicOpensTheTopicItNames) {
    viewer.showContents();
    QTextBrowser* b = browser();
    QString href;
    int position = -1;
    for (QTextBlock block = b->document()->begin(); block.isValid() && position < 0; block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isAnchor() && !it.fragment().charFormat().anchorHref().isEmpty()) {
                href = it.fragment().charFormat().anchorHref();
                position = it.fragment().position() + 1;
                break;
            }
        }
    }
    ASSERT_GE(position, 0);
    QTextCursor cursor(b->document());
    cursor.setPosition(position);
    b->setTextCursor(cursor);
    b->ensureCursorVisible();
    QTest::mouseClick(b->viewport(), Qt::LeftButton, {}, b->cursorRect(cursor).center());
    const QUrl contents = QUrl::fromLocalFile(QDir(sourceHelp()).filePath(u"contents.html"_s));
    EXPECT_EQ(shown(), contents.resolved(QUrl(href)).toString().toStdString());
    EXPECT_NE(b->source().fileName(), u"contents.html"_s);
}

TEST_F(HelpViewerTest, TheIndexShowsTheKeywordsTypedAndOpensTheChosenOne) {
    auto* list = child<QListWidget>(u"lstIndex"_s);
    const int all = list->count();
    ASSERT_GT(all, 10);
    const auto visibleKeywords = [list] {
        QStringList visible;
        for (int row = 0; row < list->count(); ++row) {
            if (!list->item(row)->isHidden())
                visible << list->item(row)->text();
        }
        return visible;
    };
    QStringList withPrint; // every keyword holding the letters typed, whatever their case
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->text().contains(u"print"_s, Qt::CaseInsensitive))
            withPrint << list->item(row)->text();
    }
    ASSERT_GE(withPrint.size(), 2);
    ASSERT_LT(withPrint.size(), all);
    QTest::keyClicks(child<QLineEdit>(u"txtIndexFilter"_s), u"PRINT"_s);
    EXPECT_EQ(visibleKeywords(), withPrint);

    QTest::keyClicks(child<QLineEdit>(u"txtIndexFilter"_s), u" Daily"_s);
    EXPECT_EQ(joined(visibleKeywords()), "Print Daily Chart");
    QTest::keyClick(child<QLineEdit>(u"txtIndexFilter"_s), Qt::Key_Return);
    EXPECT_EQ(shown(), topicUrl(sourceHelp(), u"main-window.html"_s) + "#printing");
}

TEST_F(HelpViewerTest, AContextWithoutATopicIsReportedInTheViewerAndBackLeavesTheReport) {
    viewer.showTopic(HelpContext::frmMain);
    viewer.showTopic(99);
    EXPECT_TRUE(text().contains(u"No help topic is available for this window (context 99)."_s))
        << text().toStdString();
    click(u"btnBack"_s);
    EXPECT_EQ(shown(), topicUrl(sourceHelp(), u"main-window.html"_s));
}

TEST(HelpViewerReports, MissingHelpFilesAreReportedInTheViewer) {
    struct Case {
        const char* what;
        const char* removed; // from a copy of the help folder; nullptr: no folder at all
        bool contents;       // ask for the contents instead of the topic of frmCommon
    };
    const Case cases[] = {
        {"no help folder, topic", nullptr, false},   {"no help folder, contents", nullptr, true},
        {"no map", HelpMap::FileName, false},        {"no topic file", "common-parameters.html", false},
        {"no contents page", "contents.html", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QTemporaryDir program;
        const QString folder = QDir(program.path()).filePath(u"help"_s);
        if (c.removed) {
            copyHelp(folder);
            ASSERT_TRUE(QFile::remove(QDir(folder).filePath(QString::fromUtf8(c.removed))));
        }
        HelpViewer viewer(folder);
        if (c.contents)
            viewer.showContents();
        else
            viewer.showTopic(HelpContext::frmCommon);
        const QString shown = viewer.findChild<QTextBrowser*>(u"brwTopic"_s)->toPlainText();
        EXPECT_TRUE(shown.contains(NotFoundText.arg(QDir::toNativeSeparators(folder))))
            << shown.toStdString();
    }
}

TEST(HelpViewerReports, HelpFilesRestoredWhileTheProgramRunsAreFound) {
    const QTemporaryDir program;
    const QString folder = QDir(program.path()).filePath(u"help"_s);
    HelpViewer viewer(folder);
    viewer.showTopic(HelpContext::frmMain);
    copyHelp(folder);
    viewer.showTopic(HelpContext::frmMain);
    EXPECT_EQ(viewer.findChild<QTextBrowser*>(u"brwTopic"_s)->source().toString().toStdString(),
              topicUrl(folder, u"main-window.html"_s));
    EXPECT_GT(viewer.findChild<QTreeWidget*>(u"tvwContents"_s)->topLevelItemCount(), 0);
}

// ---- the help service of the running program ----

class QtHelpServiceTest : public ::testing::Test {
protected:
    QtHelpServiceTest() { fx.app->setMainWindow(nullptr, &mainWindow); }

    QString helpFolder() const { return QDir(fx.app->programFolder()).filePath(u"help"_s); }
    std::string shown() const {
        return help.viewer()->findChild<QTextBrowser*>(u"brwTopic"_s)->source().toString().toStdString();
    }

    AppFixture fx;
    QWidget mainWindow;
    QtHelpService help;
};

TEST_F(QtHelpServiceTest, OpensOneViewerOverTheHelpFolderBesideTheProgram) {
    copyHelp(helpFolder());
    EXPECT_EQ(help.viewer(), nullptr);

    help.showTopic(HelpContext::frmMain);
    HelpViewer* viewer = help.viewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(viewer->isWindow());
    EXPECT_EQ(viewer->parentWidget(), &mainWindow);
    EXPECT_EQ(shown(), topicUrl(helpFolder(), u"main-window.html"_s));

    viewer->close();
    help.showContents();
    EXPECT_EQ(help.viewer(), viewer);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(shown(), topicUrl(helpFolder(), u"contents.html"_s));
}

TEST_F(QtHelpServiceTest, AProgramWithoutItsHelpFolderIsToldSoInTheViewer) {
    help.showTopic(HelpContext::frmMain);
    const QString shownText = help.viewer()->findChild<QTextBrowser*>(u"brwTopic"_s)->toPlainText();
    EXPECT_TRUE(shownText.contains(NotFoundText.arg(QDir::toNativeSeparators(helpFolder()))))
        << shownText.toStdString();
}

TEST_F(QtHelpServiceTest, HelpAskedForInAModalDialogAnswersTheMouse) {
    copyHelp(helpFolder());
    mainWindow.show();
    QDialog dialog(&mainWindow);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    help.showTopic(HelpContext::frmMain);
    help.showTopic(HelpContext::frmCommon);
    HelpViewer* viewer = help.viewer();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
    // Through the window system, where a window blocked by the dialog would not hear the click.
    auto* back = viewer->findChild<QPushButton*>(u"btnBack"_s);
    QTest::mouseClick(viewer->windowHandle(), Qt::LeftButton, {}, back->mapTo(viewer, back->rect().center()));
    EXPECT_EQ(shown(), topicUrl(helpFolder(), u"main-window.html"_s));

    // Once the dialog has closed, help asked for in the main window comes back to it.
    dialog.close();
    help.showContents();
    EXPECT_EQ(viewer->parentWidget(), &mainWindow);
    EXPECT_TRUE(viewer->isVisible());
}

// ---- F1 in a dialog ----

class HelpedDialog : public KelvoraDialog {
public:
    HelpedDialog(QWidget* parent, int context) : KelvoraDialog(parent, context) {
        txtField = new QLineEdit(this);
        btnHelp = new QPushButton(u"&Help"_s, this);
        makeHelpButton(btnHelp);
    }
    QLineEdit* txtField;
    QPushButton* btnHelp;
};

TEST(HelpKey, F1AndTheHelpButtonOfADialogAskForItsTopic) {
    struct Case {
        int context;
        std::vector<int> asked;
    };
    const Case cases[] = {
        {HelpContext::frmDate, {HelpContext::frmDate, HelpContext::frmDate}},
        {HelpContext::None, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.context);
        AppFixture fx;
        HelpedDialog dialog(nullptr, c.context);
        dialog.show();
        dialog.txtField->setFocus();
        QTest::keyClick(dialog.txtField, Qt::Key_F1);
        QTest::mouseClick(dialog.btnHelp, Qt::LeftButton);
        EXPECT_EQ(fx.help->topics, c.asked);
        EXPECT_EQ(fx.help->contentsShown, 0);
        EXPECT_TRUE(dialog.isVisible());
    }
}

TEST(HelpKey, F1ReachesTheDialogFromEveryKindOfControl) {
    struct Case {
        const char* kind;
        std::function<QWidget*(QWidget*)> make;
    };
    const Case cases[] = {
        {"text box", [](QWidget* p) { return new QLineEdit(p); }},
        {"note text", [](QWidget* p) { return new QPlainTextEdit(p); }},
        {"rich text", [](QWidget* p) { return new QTextEdit(p); }},
        {"date picker", [](QWidget* p) { return new QDateEdit(p); }},
        {"time picker", [](QWidget* p) { return new QTimeEdit(p); }},
        {"drop-down list",
         [](QWidget* p) {
             auto* combo = new QComboBox(p);
             combo->addItems({u"Imperial (lb, inch)"_s, u"Metric (kg, cm)"_s});
             return combo;
         }},
        {"editable combo",
         [](QWidget* p) {
             auto* combo = new QComboBox(p);
             combo->setEditable(true);
             return combo;
         }},
        {"list view",
         [](QWidget* p) {
             auto* list = new QTreeWidget(p);
             new QTreeWidgetItem(list, {u"Breakfast"_s});
             return list;
         }},
        {"spinner", [](QWidget* p) { return new QSpinBox(p); }},
        {"check box", [](QWidget* p) { return new QCheckBox(p); }},
        {"button", [](QWidget* p) { return new QPushButton(u"&OK"_s, p); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        AppFixture fx;
        HelpedDialog dialog(nullptr, HelpContext::frmDate);
        QWidget* control = c.make(&dialog);
        dialog.show();
        control->setFocus();
        QTest::keyClick(control, Qt::Key_F1);
        EXPECT_EQ(fx.help->topics, std::vector<int>{HelpContext::frmDate});
    }
}

} // namespace
} // namespace kelvora::test
