// The main window in light and dark palettes: the date reads in its grey box, and every picture of
// the toolbar and the buttons stands out from the button face, also after the palette changed while
// the window was open.
#include "AppFixture.h"
#include "Contrast.h"
#include "Palettes.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <sstream>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

// A picture stands out when this share of its opaque pixels differs from the face it stands on by the
// 3:1 the accessibility guidelines ask of pictures and controls.
constexpr double PictureContrast = 3.0;
constexpr double StandingOutShare = 0.25;
// A picture in a light palette looks like a disabled one when more of it than this is light grey.
constexpr double LightGreyShare = 0.40;
constexpr double TextContrast = 4.5;

struct PictureFigures {
    double standingOut = 0; // share of the opaque pixels that stand out from the face
    double lightGrey = 0;   // share of the opaque pixels that are light grey
};

// The picture at `side` pixels laid on `face`, as a toolbar shows it.
PictureFigures measure(const QIcon& icon, int side, const QColor& face) {
    const QImage picture = icon.pixmap(side, side).toImage().convertToFormat(QImage::Format_ARGB32);
    QImage shown(picture.size(), QImage::Format_ARGB32);
    shown.fill(face);
    QPainter(&shown).drawImage(0, 0, picture);
    int opaque = 0, standing = 0, grey = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(picture.pixel(x, y)) < 128)
                continue;
            ++opaque;
            const QColor pixel = shown.pixelColor(x, y);
            standing += contrastRatio(pixel, face) >= PictureContrast ? 1 : 0;
            grey += pixel.hsvSaturationF() < 0.2 && relativeLuminance(pixel) > 0.45 ? 1 : 0;
        }
    }
    if (opaque == 0)
        return {};
    return {double(standing) / opaque, double(grey) / opaque};
}

class MainWindowPalettesTest : public ::testing::Test {
protected:
    AppFixture fx;

    // The pictures of a main window by key: the toolbar's, those its image list holds for the
    // journal editors, and those of the day buttons.
    static std::vector<std::pair<QString, QIcon>> pictures(const frmMain& window) {
        std::vector<std::pair<QString, QIcon>> found;
        for (QAction* action : window.findChild<QToolBar*>(u"tlbToolBar"_s)->actions()) {
            if (!action->isSeparator())
                found.emplace_back(action->objectName(), action->icon());
        }
        for (const QString& key : {u"Plus"_s, u"Exit"_s})
            found.emplace_back(key, window.image(key));
        for (const auto& [key, button] :
             {std::pair{u"Previous"_s, u"btnPrev"_s}, {u"Next"_s, u"btnNext"_s}, {u"Help"_s, u"btnHelp"_s}})
            found.emplace_back(key, window.findChild<QToolButton*>(button)->icon());
        return found;
    }
    // What the date box shows: its background beside the text, and its text.
    static ShownColours dateColours(frmMain& window) {
        auto* txtDate = window.findChild<QLineEdit*>(u"txtDate"_s);
        const QRect inside = txtDate->rect().adjusted(3, 3, -3, -3);
        return shownColours(txtDate->grab(inside).toImage(), QPoint(inside.width() - 3, inside.height() / 2));
    }
};

// The window is made in the light palette and sees every other palette arrive while it is open.
TEST_F(MainWindowPalettesTest, EveryPictureStandsOutFromLightAndDarkButtonFaces) {
    frmMain window;
    window.show();
    const auto all = pictures(window);
    ASSERT_EQ(all.size(), 19u); // 14 toolbar keys, Plus, Exit, Previous, Next, Help
    for (const NamedPalette& palette : lightAndDarkPalettes()) {
        const ScopedPalette inPalette(palette.palette);
        const QColor face = palette.palette.color(QPalette::Button);
        // The toolbar stands on the button face of the palette now in force.
        EXPECT_EQ(window.centralWidget()->palette().color(QPalette::Window), face)
            << palette.name.toStdString();
        for (const auto& [key, icon] : all) {
            for (const int side : {16, 24}) {
                const PictureFigures figures = measure(icon, side, face);
                std::ostringstream where;
                where << key.toStdString() << " at " << side << " px on " << palette.name.toStdString()
                      << " (" << face.name().toStdString() << "): " << int(figures.standingOut * 100)
                      << " % stand out, " << int(figures.lightGrey * 100) << " % light grey";
                EXPECT_GE(figures.standingOut, StandingOutShare) << where.str();
                if (!palette.dark) {
                    EXPECT_LE(figures.lightGrey, LightGreyShare) << where.str();
                }
            }
        }
    }
}

TEST_F(MainWindowPalettesTest, TheDateReadsInItsGreyBoxInLightAndDarkPalettes) {
    const QColor designedGrey(0xE0, 0xE0, 0xE0);
    auto opened = std::make_unique<frmMain>(); // made in the light palette, before any other arrives
    opened->show();
    opened->RePaintGraph();
    for (const NamedPalette& palette : lightAndDarkPalettes()) {
        const ScopedPalette inPalette(palette.palette);
        frmMain madeInIt;
        madeInIt.show();
        madeInIt.RePaintGraph();
        const ShownColours shown = dateColours(madeInIt);
        const std::string where = palette.name.toStdString() + ": " + shown.text.name().toStdString() +
                                  " on " + shown.background.name().toStdString();
        EXPECT_GE(contrastRatio(shown.text, shown.background), TextContrast) << where;
        // Greyed, not the white or black of a field to type in.
        EXPECT_NE(shown.background, palette.palette.color(QPalette::Base)) << where;
        if (!palette.dark) {
            EXPECT_EQ(shown.background, designedGrey) << where;
        }
        // A window open while the palette changes looks as one made in the new palette.
        const ShownColours switched = dateColours(*opened);
        EXPECT_EQ(switched.background, shown.background) << where;
        EXPECT_EQ(switched.text, shown.text) << where;
    }
}

} // namespace
} // namespace kelvora::test
