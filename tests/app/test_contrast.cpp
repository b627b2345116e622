// Colour contrast as the accessibility guidelines (WCAG 2) measure it, and the colours the pictures
// and read-only fields take to stand out from light and dark palettes.
#include "Contrast.h"

#include <gtest/gtest.h>

namespace kelvora {
namespace {

TEST(Contrast, MatchesTheGuidelinesFigures) {
    struct Case {
        QColor a, b;
        double ratio;
    };
    // The guidelines' own reference points: 21:1 for black on white, and the greys either side of 4.5:1.
    for (const Case& c :
         {Case{Qt::black, Qt::white, 21.0}, Case{Qt::white, Qt::black, 21.0},
          Case{QColor(0x77, 0x77, 0x77), Qt::white, 4.48}, Case{QColor(0x76, 0x76, 0x76), Qt::white, 4.54},
          Case{QColor(0x2a, 0x6c, 0xd6), Qt::white, 4.98}, Case{Qt::red, Qt::red, 1.0}}) {
        EXPECT_NEAR(contrastRatio(c.a, c.b), c.ratio, 0.005)
            << c.a.name().toStdString() << " on " << c.b.name().toStdString();
    }
    EXPECT_NEAR(relativeLuminance(QColor(0x80, 0x80, 0x80)), 0.2159, 0.0001);
    EXPECT_NEAR(relativeLuminance(Qt::red), 0.2126, 0.0001);
}

TEST(Contrast, AColourThatStandsOutIsKept) {
    const QColor blue(0x1f, 0x5f, 0xbf);
    EXPECT_EQ(standingOut(blue, QColor(0xef, 0xef, 0xef), 3.5), blue);
    EXPECT_EQ(standingOut(Qt::white, QColor(0x35, 0x35, 0x35), 3.5), QColor(Qt::white));
}

TEST(Contrast, OneThatDoesNotTurnsJustDarkerOrLighterInItsOwnHue) {
    struct Case {
        const char* name;
        QColor designed, background;
        bool lighter;
    };
    for (const Case& c :
         {Case{"blue on dark grey", QColor(0x1f, 0x5f, 0xbf), QColor(0x35, 0x35, 0x35), true},
          Case{"red on near-black", QColor(0xd0, 0x38, 0x2c), QColor(0x20, 0x23, 0x26), true},
          Case{"green on light grey", QColor(0x2e, 0x9e, 0x3e), QColor(0xef, 0xef, 0xef), false},
          Case{"yellow on white", QColor(0xf2, 0xc0, 0x2c), Qt::white, false}}) {
        SCOPED_TRACE(c.name);
        const QColor shown = standingOut(c.designed, c.background, 3.5);
        EXPECT_GE(contrastRatio(shown, c.background), 3.5);
        // Just enough: a step less of the change would not stand out.
        EXPECT_LT(contrastRatio(shown, c.background), 3.8);
        EXPECT_NEAR(shown.hslHueF(), c.designed.hslHueF(), 0.01);
        EXPECT_EQ(relativeLuminance(shown) > relativeLuminance(c.designed), c.lighter);
    }
}

TEST(Contrast, WhatNoShadeCanReachEndsAtBlackOrWhite) {
    EXPECT_EQ(standingOut(QColor(0x80, 0x80, 0x80), QColor(0x90, 0x90, 0x90), 21.0), QColor(Qt::black));
    EXPECT_EQ(standingOut(QColor(0x80, 0x80, 0x80), QColor(0x30, 0x30, 0x30), 21.0), QColor(Qt::white));
}

TEST(Contrast, MixingGoesTheShareOfTheWay) {
    // The read-only grey is 12 % of the way from white to black.
    EXPECT_EQ(mixed(Qt::white, Qt::black, 0.12), QColor(0xe0, 0xe0, 0xe0));
    EXPECT_EQ(mixed(QColor(0x20, 0x40, 0x60), QColor(0x20, 0x40, 0x60), 0.5), QColor(0x20, 0x40, 0x60));
    EXPECT_EQ(mixed(Qt::black, Qt::white, 0.0), QColor(Qt::black));
    EXPECT_EQ(mixed(Qt::black, Qt::white, 1.0), QColor(Qt::white));
}

} // namespace
} // namespace kelvora
