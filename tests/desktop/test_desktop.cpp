// The program's icon on its windows, and the installed program starting on its own folder. Runs
// under the program's own application object, as the program does.
#include "FakeServices.h"
#include "KelvoraApplication.h"
#include "Startup.h"
#include "ZelmarGraph.h"
#include "frmMain.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace Qt::StringLiterals;
using namespace kelvora;
using namespace kelvora::test;

namespace {

const std::vector<int> ShippedSizes{16, 22, 24, 32, 48, 64, 128, 256};

QImage picture(const QIcon& icon, int size) {
    return icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
}

bool showsTheProgramIcon(const QWidget& window) {
    return picture(window.windowIcon(), 32) == picture(QApplication::windowIcon(), 32);
}

TEST(DesktopEntry, NamesTheProgramsWindowsSoThatTaskBarsFindTheirEntry) {
    // Wayland matches a window to the entry by the desktop file name, X11 task bars by the class
    // of the window's WM_CLASS, which Qt takes from the application name.
    QFile entry(QStringLiteral(KELVORA_DESKTOP_ENTRY));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly | QIODevice::Text));
    QString wmClass;
    for (const QString& line : QString::fromUtf8(entry.readAll()).split(u'\n'))
        if (line.startsWith(u"StartupWMClass="_s))
            wmClass = line.mid(15);
    EXPECT_EQ(wmClass, QCoreApplication::applicationName());
    EXPECT_EQ(QGuiApplication::desktopFileName() + u".desktop"_s, QFileInfo(entry).fileName());
}

TEST(ApplicationIcon, IsSetForTheWholeProgramAtEveryShippedSize) {
    const QIcon icon = QApplication::windowIcon();
    ASSERT_FALSE(icon.isNull());
    std::vector<int> sizes;
    for (const QSize& size : icon.availableSizes()) {
        EXPECT_EQ(size.width(), size.height());
        sizes.push_back(size.width());
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, ShippedSizes);

    for (const int size : ShippedSizes) {
        SCOPED_TRACE(size);
        // Every size holds the drawing: a rounded tile whose corners stay clear and whose middle is
        // covered.
        const QImage image = picture(icon, size);
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_LT(image.pixelColor(0, 0).alpha(), 128);
        EXPECT_LT(image.pixelColor(size - 1, size - 1).alpha(), 128);
        EXPECT_EQ(image.pixelColor(size / 2, size / 2).alpha(), 255);
        EXPECT_EQ(image.pixelColor(size / 6, size / 6).alpha(), 255);
    }
    // The small sizes are the big picture's, not another one: scaled down, the 256 px picture
    // matches the 16 px one, pixel for pixel within a rendering tolerance.
    const QImage small = picture(icon, 16);
    const QImage reduced = picture(icon, 256).scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const auto distance = [](const QColor& a, const QColor& b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
    };
    int far = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
            far += distance(small.pixelColor(x, y), reduced.pixelColor(x, y)) > 120 ? 1 : 0;
    }
    EXPECT_LT(far, 16);
}

// Fake services handed over to start-up, with pointers kept for the test to look at.
struct Fakes {
    FakeMessages* messages = new FakeMessages;
    FakeModal* modal = new FakeModal;
    FakeClock* clock = new FakeClock;

    ServiceSet hand() {
        return {std::unique_ptr<MessageService>(messages),
                std::unique_ptr<ModalService>(modal),
                std::unique_ptr<ClockService>(clock),
                std::make_unique<FakePrinter>(),
                std::make_unique<FakeHelp>(),
                std::make_unique<FakeFileDialogs>()};
    }
};

// The program folder that CTest installs before this test runs (KELVORA_INSTALLED_PROGRAM); a fresh
// installation, so the first start has not run yet.
TEST(InstalledProgram, StartsOnItsFolderWithTheProgramIconAndShowsTheSampleDay) {
    const QString folder = QStringLiteral(KELVORA_INSTALLED_PROGRAM);
    ASSERT_TRUE(QFileInfo::exists(folder + u"/Kelvora"_s))
        << "no installation in " << folder.toStdString()
        << ": run this test through CTest, which installs first";
    Fakes fakes;
    FakeMessages* messages = fakes.messages;
    FakeModal* modal = fakes.modal;
    fakes.clock->current = QDateTime(QDate(2026, 12, 10), QTime(9, 30));
    bool dialogShowedTheIcon = false;
    modal->expect([&](QDialog& dialog) {
        dialogShowedTheIcon = showsTheProgramIcon(dialog);
        dialog.findChild<QPushButton*>(u"btnOK"_s)->click();
    });

    auto program = startKelvora(folder, fakes.hand());
    ASSERT_TRUE(program.has_value()) << "the installed database did not open";
    std::vector<QString> titles;
    for (const FakeMessages::Shown& shown : messages->shown)
        titles.push_back(shown.message.title);
    EXPECT_EQ(titles, (std::vector<QString>{u"You are welcome!"_s, u"Kelvora"_s}));
    EXPECT_EQ(modal->opened, std::vector<QString>{u"frmCommon"_s});
    EXPECT_TRUE(dialogShowedTheIcon);

    // The first start moved the sample diary so that its last day is today, and the main window
    // shows that day: its three meal bars and its activity.
    frmMain& window = *program->mainWindow;
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(showsTheProgramIcon(window));
    EXPECT_EQ(window.findChild<QLineEdit*>(u"txtDate"_s)->text(), u"10-Dec-26"_s);
    const ZelmarGraph* graph = window.findChild<ZelmarGraph*>(u"graph"_s);
    ASSERT_NE(graph, nullptr);
    std::vector<qint32> bars;
    for (const auto& meal : graph->meals())
        bars.push_back(meal.id);
    EXPECT_EQ(bars, (std::vector<qint32>{-278, -280, -282}));
    EXPECT_EQ(graph->exercises().size(), 1u);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
    KelvoraApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
