#pragma once

#include "AppFixture.h"
#include "ProgressChart.h"
#include "ProgressDiary.h"
#include "frmGeneralProgress.h"

#include <QDialog>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace kelvora::test {

inline constexpr QRgb White = 0xffffffff;
inline constexpr QRgb Black = 0xff000000;
inline constexpr QRgb Green = 0xff00ff00;

// The progress window over a diary of the test's own making.
class ProgressChartTest : public ::testing::Test {
protected:
    // Day k of the periods from 1 April 2026: 1 .. 31 is the month to 1 May.
    static DateValue day(int k) { return DateValue::fromYmd(2026, 4, 1).addDays(k - 1); }

    // Shows the chart of days 1..lastDay at a client size of `client` and hands it to `inspect`.
    void show(const std::function<void(frmGeneralProgress&)>& inspect, int lastDay = 31,
              QSize client = QSize(756, 600)) {
        window.dateFrom = day(1);
        window.dateTo = day(lastDay);
        fx.modal->expect([&](QDialog&) {
            window.resize(client);
            inspect(window);
        });
        fx.app->modal().exec(window);
    }
    static const ProgressLayout& layoutOf(const frmGeneralProgress& w) { return *w.chart().layout(); }
    static QRgb pixel(const frmGeneralProgress& w, int x, int y) { return w.chart().image().pixel(x, y); }
    static int nearestInt(double v) { return static_cast<int>(std::nearbyint(v)); }

    AppFixture fx{SeedContents::SchemaOnly};
    ProgressDiary diary{fx};
    frmGeneralProgress window;

    void SetUp() override { fx.app->state().measurementSystem = QStringLiteral("M"); }
};

} // namespace kelvora::test
