// The help as the program ships it: the copy of the help folder that the build puts beside the
// program (bin/help), which is what the help viewer reads at run time. Reading the copy rather than
// the sources also catches a file the topics use but the build does not copy.
#include "AllWindows.h"
#include "AppFixture.h"
#include "HelpFiles.h"
#include "HelpViewer.h"
#include "KelvoraDialog.h"
#include "frmMain.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <vector>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

QString helpFolder() {
    return QString::fromUtf8(KELVORA_HELP_BUILD_DIR);
}

QStringList pages() {
    return QDir(helpFolder()).entryList({u"*.html"_s}, QDir::Files, QDir::Name);
}

HelpMap loadMap() {
    QString error;
    std::optional<HelpMap> map = HelpMap::load(helpFolder(), &error);
    if (!map)
        ADD_FAILURE() << "no help map in " << helpFolder().toStdString() << ": " << error.toStdString();
    return map.value_or(HelpMap{});
}

// ---- the windows ----

// The windows that have no help topic on purpose.
const QSet<QString> WithoutTopic{u"frmAbout"_s};

TEST(HelpForEveryWindow, WindowsListedAreAllWindowsOfTheProgram) {
    QSet<QString> declared;
    const QRegularExpression windowClass(uR"re(\bclass\s+(frm\w+)\s*(?:final\s*)?:\s*public\b)re"_s);
    for (const char* folder : {"app", "shell", "widgets", "catalogs", "journal", "progress", "exchange"}) {
        const QString path = QDir(QString::fromUtf8(KELVORA_SOURCE_DIR)).filePath(QString::fromUtf8(folder));
        for (QDirIterator it(path, {u"*.h"_s}, QDir::Files); it.hasNext();) {
            const QString header = readText(it.next());
            for (auto match = windowClass.globalMatch(header); match.hasNext();)
                declared.insert(match.next().captured(1));
        }
    }
    QSet<QString> listed;
    for (const ProgramWindow& w : allWindows())
        listed.insert(w.name);
    EXPECT_GT(declared.size(), 15);
    EXPECT_EQ(declared, listed) << "a window class without a help check: add it to allWindows()";
}

// F1 in each window asks for the topic of its context number; each number must open a topic file
// that exists, and the map holds no topic that no window asks for.
TEST(HelpForEveryWindow, F1InEveryWindowOpensATopicOfTheShippedHelp) {
    const HelpMap map = loadMap();
    AppFixture fx;
    frmMain main;
    std::set<int> asked;
    QStringList problems;
    for (const ProgramWindow& w : allWindows()) {
        const QString& name = w.name;
        fx.help->topics.clear();
        sendF1(&w.make(main));
        if (WithoutTopic.contains(name)) {
            if (!fx.help->topics.empty())
                problems << u"%1 asks for topic %2, but is meant to have none"_s.arg(name).arg(
                    fx.help->topics.front());
            continue;
        }
        if (fx.help->topics.size() != 1) {
            problems << u"%1: F1 asked for %2 topics"_s.arg(name).arg(fx.help->topics.size());
            continue;
        }
        const int context = fx.help->topics.front();
        asked.insert(context);
        const QString file = map.topicFile(context);
        if (file.isEmpty()) {
            problems << u"%1: context %2 has no topic in the map"_s.arg(name).arg(context);
            continue;
        }
        const QString html = readText(QDir(helpFolder()).filePath(file));
        if (html.isEmpty())
            problems << u"%1: context %2 opens %3, which is missing or empty"_s.arg(name).arg(context).arg(
                file);
        else if (captures(html, u"<title>\\s*([^<\\s][^<]*)</title>"_s).isEmpty())
            problems << u"%1: %2 has no title"_s.arg(name, file);
    }
    // The commands without a window of their own answer F1 on their highlighted menu item.
    for (QAction* item : main.findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!item->property("kelvoraHelpContext").isValid())
            continue;
        QMenu* menu = nullptr;
        for (QObject* shownIn : item->associatedObjects())
            menu = menu ? menu : qobject_cast<QMenu*>(shownIn);
        if (!menu) {
            problems << item->objectName() + u" has a topic but is in no menu"_s;
            continue;
        }
        fx.help->topics.clear();
        menu->setActiveAction(item);
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QCoreApplication::sendEvent(menu, &f1);
        if (fx.help->topics.size() != 1) {
            problems << u"%1: F1 asked for %2 topics"_s.arg(item->objectName()).arg(fx.help->topics.size());
            continue;
        }
        asked.insert(fx.help->topics.front());
        if (map.topicFile(fx.help->topics.front()).isEmpty())
            problems << u"%1: context %2 has no topic in the map"_s.arg(item->objectName())
                            .arg(fx.help->topics.front());
    }
    for (const auto& [context, file] : map.topics) {
        if (!asked.contains(context))
            problems << u"the map's context %1 (%2) belongs to no window"_s.arg(context).arg(file);
    }
    EXPECT_TRUE(problems.isEmpty()) << joined(problems);
}

// ---- the folder ----

TEST(ShippedHelp, EveryTargetOfTheMapLeadsToAFileAndAnchor) {
    const HelpMap map = loadMap();
    QStringList broken;
    int checked = 0;
    const auto check = [&](const QString& target, const QString& where) {
        ++checked;
        if (const QString why = brokenTarget(helpFolder(), target, where); !why.isEmpty())
            broken << why;
    };
    check(map.contentsFile, u"map contents"_s);
    for (const auto& [context, file] : map.topics)
        check(file, u"map topic %1"_s.arg(context));
    const std::function<void(const std::vector<HelpMap::TreeNode>&)> tree =
        [&](const std::vector<HelpMap::TreeNode>& nodes) {
            for (const HelpMap::TreeNode& node : nodes) {
                if (!node.target.isEmpty())
                    check(node.target, u"tree entry \"%1\""_s.arg(node.title));
                tree(node.children);
            }
        };
    tree(map.tree);
    for (const HelpMap::IndexEntry& entry : map.index)
        check(entry.target, u"index keyword \"%1\""_s.arg(entry.keyword));
    EXPECT_GT(checked, 100);
    EXPECT_TRUE(broken.isEmpty()) << joined(broken);
}

TEST(ShippedHelp, EveryLinkAndImageOfEveryTopicLeadsToAFileAndAnchor) {
    QStringList broken;
    int links = 0;
    int images = 0;
    for (const QString& page : pages()) {
        const QString html = readText(QDir(helpFolder()).filePath(page));
        // Links to the web would leave the help viewer; only links inside the folder are checked.
        for (const QString& link : captures(html, uR"re(\shref\s*=\s*"([^"]*)")re"_s)) {
            if (link.contains(u':'))
                continue;
            ++links;
            if (const QString why = brokenTarget(helpFolder(), link, page); !why.isEmpty())
                broken << why;
        }
        for (const QString& source : captures(html, uR"re(<img\s[^>]*src\s*=\s*"([^"]*)")re"_s)) {
            ++images;
            if (const QString why = brokenTarget(helpFolder(), source, page); !why.isEmpty())
                broken << u"image "_s + why;
        }
    }
    EXPECT_GT(links, 200);
    EXPECT_GT(images, 5);
    EXPECT_TRUE(broken.isEmpty()) << joined(broken);
}

TEST(ShippedHelp, NoTopicIsStillAPlaceholder) {
    QStringList placeholders;
    for (const QString& page : pages()) {
        if (readText(QDir(helpFolder()).filePath(page)).contains(u"This page is the help for the window"_s))
            placeholders << page;
    }
    EXPECT_GT(pages().size(), 15);
    EXPECT_TRUE(placeholders.isEmpty()) << joined(placeholders);
}

// The checks above only mean something when each would notice a fault.
TEST(ShippedHelp, ABrokenTargetIsNoticed) {
    const QString page = u"common-parameters.html"_s;
    EXPECT_TRUE(brokenTarget(helpFolder(), u"common-parameters.html#units"_s, page).isEmpty());
    EXPECT_TRUE(brokenTarget(helpFolder(), u"#units"_s, page).isEmpty());
    EXPECT_TRUE(brokenTarget(helpFolder(), u"help.css"_s, page).isEmpty());
    for (const QString& target : {u"common-parameters.html#no-such-anchor"_s, u"#no-such-anchor"_s,
                                  u"no-such-page.html"_s, u"../help/common-parameters.html"_s}) {
        EXPECT_FALSE(brokenTarget(helpFolder(), target, page).isEmpty()) << target.toStdString();
    }
}

} // namespace
} // namespace kelvora::test
