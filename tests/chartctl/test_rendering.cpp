#include "ChartTestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using charttest::at;
using charttest::colourAt;
using charttest::Expected;
using charttest::nearest;

namespace {

const QColor Carbohydrate(0, 255, 0);
const QColor Fat(255, 0, 255);
const QColor Protein(0, 0, 255);
const QColor Black(0, 0, 0);
const QColor White(255, 255, 255);
const QColor ActivityBlue(0, 0, 255);
const QColor BalanceLine(192, 64, 0);

constexpr int W = 800;
constexpr int H = 500;

class ChartRendering : public ::testing::Test {
protected:
    ChartRendering() {
        graph.resize(W, H);
        graph.setMetabolicKoef(1);
    }

    Expected expected() const { return Expected(graph); }

    // Rows of column x that carry the colour.
    std::vector<int> rowsOf(int x, const QColor& colour) const {
        std::vector<int> rows;
        for (int y = 0; y < graph.image().height(); ++y) {
            if (colourAt(graph.image(), x, y) == colour)
                rows.push_back(y);
        }
        return rows;
    }

    std::vector<std::pair<int, double>> vertices() const {
        std::vector<std::pair<int, double>> out;
        for (const BalanceVertex& v : graph.balanceVertices())
            out.emplace_back(v.x, v.balance);
        return out;
    }

    static std::vector<QString> texts(const std::vector<ChartLabel>& labels) {
        std::vector<QString> out;
        for (const ChartLabel& l : labels)
            out.push_back(l.text);
        return out;
    }

    ZelmarGraph graph;
};

TEST_F(ChartRendering, ScalesFollowTheSizeAndTheAxis) {
    ASSERT_TRUE(graph.addExercise(1, at(21, 0), at(23, 10), 10));
    ASSERT_TRUE(graph.PaintGraph());
    EXPECT_EQ(graph.pixelsPerKcal(), static_cast<float>(473 / 5000.0));
    EXPECT_EQ(graph.baselineY(), 301);                                    // nearest(7 + 283.8 + 10)
    EXPECT_EQ(graph.pixelsPerMinute(), static_cast<float>(780 / 1080.0)); // 06:00-24:00
    EXPECT_EQ(graph.image().size(), QSize(W, H));
}

TEST_F(ChartRendering, ResizeRecomputesTheVerticalScaleAndDrawsNothing) {
    graph.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&graph));
    ASSERT_TRUE(graph.addMeal(1, at(12, 0), 400, 0, 0));
    ASSERT_TRUE(graph.PaintGraph());
    const QImage before = graph.image();

    graph.resize(W, 1000);
    QCoreApplication::processEvents();

    EXPECT_EQ(graph.pixelsPerKcal(), static_cast<float>(973 / 5000.0));
    EXPECT_EQ(graph.baselineY(), nearest(17 + 3000 * double{static_cast<float>(973 / 5000.0)}));
    EXPECT_EQ(graph.image(), before);
}

TEST_F(ChartRendering, TheWidgetShowsTheBackingImage) {
    ASSERT_TRUE(graph.addMeal(1, at(12, 0), 400, 300, 200));
    ASSERT_TRUE(graph.addExercise(2, at(14, 0), at(15, 0), 500));
    ASSERT_TRUE(graph.PaintGraph());
    EXPECT_EQ(graph.grab().toImage().convertToFormat(QImage::Format_RGB32), graph.image());
}

TEST_F(ChartRendering, FrameIsASunkenBorder) {
    ASSERT_TRUE(graph.PaintGraph());
    const QImage& image = graph.image();
    const struct {
        int x, y;
        QColor colour;
    } cases[] = {
        {0, 100, QColor(128, 128, 128)},
        {100, 0, QColor(128, 128, 128)},
        {1, 100, QColor(64, 64, 64)},
        {100, 1, QColor(64, 64, 64)},
        {W - 2, 100, QColor(192, 192, 192)},
        {100, H - 2, QColor(192, 192, 192)},
        {W - 1, 100, White},
        {100, H - 1, White},
    };
    for (const auto& c : cases)
        EXPECT_EQ(colourAt(image, c.x, c.y), c.colour) << c.x << "," << c.y;
}

// A steep basal burn keeps the balance line below the picture, clear of the shapes under test.
constexpr double LineOutOfSight = 20;

TEST_F(ChartRendering, BarsStackTheNutrientsAtTheDesignedGeometry) {
    graph.setMetabolicKoef(LineOutOfSight);
    ASSERT_TRUE(graph.addMeal(1, at(8, 0), 600, 400, 300));
    ASSERT_TRUE(graph.addMeal(2, at(12, 37), 250, 0, 125));
    ASSERT_TRUE(graph.addMeal(3, at(18, 30), 0, 800, 0));
    ASSERT_TRUE(graph.PaintGraph());
    const Expected e = expected();
    const double ppk = graph.pixelsPerKcal();

    for (const MealStruct& bar : graph.meals()) {
        SCOPED_TRACE(bar.id);
        const int left = e.x(bar.tm);
        const int y1 = nearest(e.baselineY - bar.carbohydrate * ppk);
        const int y2 = nearest(y1 - bar.fat * ppk);
        const int y3 = nearest(y2 - bar.protein * ppk);
        EXPECT_EQ(bar.Left, left);
        EXPECT_EQ(bar.Right, left + 4);
        EXPECT_EQ(bar.Top, y3);

        const int middle = left + 2;
        const std::pair<std::pair<int, int>, QColor> layers[] = {
            {{e.baselineY, y1}, Carbohydrate}, {{y1, y2}, Fat}, {{y2, y3}, Protein}};
        for (const auto& [span, colour] : layers) {
            if (span.first - span.second >= 3) {
                EXPECT_EQ(colourAt(graph.image(), middle, (span.first + span.second) / 2), colour);
            }
        }
        EXPECT_EQ(colourAt(graph.image(), left, y3 + 2), Black) << "outline";
        EXPECT_EQ(colourAt(graph.image(), left + 4, y3 + 2), Black) << "outline";
        EXPECT_EQ(colourAt(graph.image(), middle, y3), Black) << "outline";
        EXPECT_EQ(colourAt(graph.image(), middle, y3 - 2), White) << "nothing above";
    }
}

TEST_F(ChartRendering, TrianglesHangFromTheAxisAtTheDesignedGeometry) {
    graph.setMetabolicKoef(LineOutOfSight);
    ASSERT_TRUE(graph.addExercise(1, at(9, 0), at(10, 30), 900));
    ASSERT_TRUE(graph.addExercise(2, at(15, 10), at(15, 40), 1500));
    ASSERT_TRUE(graph.PaintGraph());
    const Expected e = expected();

    for (const ExerciseStruct& a : graph.exercises()) {
        SCOPED_TRACE(a.id);
        EXPECT_EQ(a.Left, e.x(a.tmBeg));
        EXPECT_EQ(a.Right, e.x(a.tmEnd));
        EXPECT_EQ(a.Bottom, e.yPixel(-a.calories));
        // The vertical side at the end, and the slanted side halfway.
        EXPECT_EQ(colourAt(graph.image(), a.Right, (e.baselineY + a.Bottom) / 2), ActivityBlue);
        const int midX = (a.Left + a.Right) / 2;
        const double slantY =
            e.baselineY + (midX - a.Left) * double(a.Bottom - e.baselineY) / (a.Right - a.Left);
        bool onSlant = false;
        for (int y = nearest(slantY) - 1; y <= nearest(slantY) + 1; ++y)
            onSlant = onSlant || colourAt(graph.image(), midX, y) == ActivityBlue;
        EXPECT_TRUE(onSlant);
        EXPECT_EQ(colourAt(graph.image(), a.Right - 2, a.Bottom - (a.Bottom - e.baselineY) / 4), White)
            << "outline only";
    }
}

TEST_F(ChartRendering, EmptyDayFallsWithTheBasalBurnOnly) {
    ASSERT_TRUE(graph.PaintGraph());
    const Expected e = expected();

    EXPECT_EQ(vertices(), (std::vector<std::pair<int, double>>{{10, -360}, {W - 10, -1320}}));
    EXPECT_EQ(graph.caption().text, QStringLiteral("Balance: -1440"));
    // The straight line between y(-360) and y(-1320), sampled where it is not under the axes.
    for (int x : {11, 200, 400, 600, W - 11}) {
        const double y = e.y(-360) + (x - 10) * (e.y(-1320) - e.y(-360)) / (W - 20);
        const std::vector<int> rows = rowsOf(x, BalanceLine);
        ASSERT_EQ(rows.size(), 1u) << x;
        EXPECT_NEAR(rows[0], y, 1.0) << x;
    }
    for (const QColor& nutrient : {Carbohydrate, Fat, Protein})
        EXPECT_TRUE(rowsOf(W - 30, nutrient).empty()) << "no proportion bar";
}

struct CurveCase {
    const char* name;
    std::vector<std::tuple<double, qint16, qint16, qint16>> meals;
    std::vector<std::tuple<double, double, qint16>> activities;
    // Vertices as (x given as a time of day, balance); the first is the axis start, the last its end.
    std::vector<std::pair<double, double>> corners;
    QString caption;
};

class BalanceCurve : public ChartRendering, public ::testing::WithParamInterface<CurveCase> {};

TEST_P(BalanceCurve, FollowsTheRunningBalance) {
    for (const auto& [tm, c, f, p] : GetParam().meals)
        ASSERT_TRUE(graph.addMeal(1, tm, c, f, p));
    for (const auto& [begin, end, kcal] : GetParam().activities)
        ASSERT_TRUE(graph.addExercise(2, begin, end, kcal));
    ASSERT_TRUE(graph.PaintGraph());
    const Expected e = expected();

    std::vector<std::pair<int, double>> want;
    for (const auto& [tm, balance] : GetParam().corners)
        want.emplace_back(e.x(tm), balance);
    EXPECT_EQ(vertices(), want);
    EXPECT_EQ(graph.caption().text, GetParam().caption);
    // The line passes through every corner that is not under a black axis.
    for (const auto& [x, balance] : want) {
        if (x <= 10 || x >= W - 10 || std::abs(e.y(balance) - e.baselineY) < 2)
            continue;
        bool found = false;
        for (int y = nearest(e.y(balance)) - 1; y <= nearest(e.y(balance)) + 1; ++y)
            found = found || colourAt(graph.image(), x, y) == BalanceLine;
        EXPECT_TRUE(found) << x << "," << balance;
    }
}

INSTANTIATE_TEST_SUITE_P(
    ChartRendering, BalanceCurve,
    ::testing::Values(
        // 06:00-12:00 burns 360 on top of the 360 since midnight; the bar adds one more than its kcal.
        CurveCase{"MealRaisesTheLineByOneMoreThanItsKcal",
                  {{at(12, 0), 200, 120, 80}},
                  {},
                  {{at(6, 0), -360}, {at(12, 0), -720}, {at(12, 0), -319}, {at(22, 0), -919}},
                  QStringLiteral("Balance: -1040")},
        // 300 kcal over 60 minutes: 5 kcal a minute faster than the basal burn.
        CurveCase{"ActivityFallsFasterBetweenItsEnds",
                  {},
                  {{at(10, 0), at(11, 0), 300}},
                  {{at(6, 0), -360}, {at(10, 0), -600}, {at(11, 0), -960}, {at(22, 0), -1620}},
                  QStringLiteral("Balance: -1740")},
        // Points are ordered by time, whatever order the activities came in.
        CurveCase{"RateChangesAreSortedByTime",
                  {},
                  {{at(10, 0), at(12, 0), 240}, {at(8, 0), at(8, 30), 60}},
                  {{at(6, 0), -360},
                   {at(8, 0), -480},
                   {at(8, 30), -570},
                   {at(10, 0), -660},
                   {at(12, 0), -1020},
                   {at(22, 0), -1620}},
                  QStringLiteral("Balance: -1740")},
        // At the same time the rate change comes first, then the meal.
        CurveCase{"RateChangeBeforeAMealAtTheSameTime",
                  {{at(10, 0), 99, 0, 0}},
                  {{at(9, 0), at(10, 0), 120}},
                  {{at(6, 0), -360},
                   {at(9, 0), -540},
                   {at(10, 0), -720},
                   {at(10, 0), -720},
                   {at(10, 0), -620},
                   {at(22, 0), -1340}},
                  QStringLiteral("Balance: -1461")},
        // Begin and end in the same minute: no rate to spread it over, so it all goes at once.
        CurveCase{"ActivityWithinOneMinuteDropsAtOnce",
                  {},
                  {{at(10, 0, 10), at(10, 0, 50), 200}},
                  {{at(6, 0), -360}, {at(10, 0), -600}, {at(10, 0), -800}, {at(22, 0), -1520}},
                  QStringLiteral("Balance: -1640")},
        // A dated meal is drawn at its time of day.
        CurveCase{"DatedMealAtItsTimeOfDay",
                  {{45123 + at(12, 0), 400, 0, 0}},
                  {},
                  {{at(6, 0), -360}, {at(12, 0), -720}, {at(12, 0), -319}, {at(22, 0), -919}},
                  QStringLiteral("Balance: -1040")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChartRendering, InstantActivityHasAFlatTriangleAndCountsInTheCaption) {
    ASSERT_TRUE(graph.addExercise(1, at(10, 0, 10), at(10, 0, 50), 200));
    ASSERT_TRUE(graph.PaintGraph());
    EXPECT_EQ(graph.exercises()[0].Left, graph.exercises()[0].Right);
    EXPECT_EQ(graph.dayBalance(), -200);
}

TEST_F(ChartRendering, ProportionBarSplitsTheHeightOf1000Kcal) {
    ASSERT_TRUE(graph.addMeal(1, at(8, 0), 300, 200, 100));
    ASSERT_TRUE(graph.addMeal(2, at(13, 0), 200, 100, 100));
    ASSERT_TRUE(graph.PaintGraph());
    const Expected e = expected();
    const int v = nearest(1000 * double{e.pixelsPerKcal});
    const double share = v / 1000.0;
    const int hf = nearest(share * 300);
    const int hc = nearest(share * 500);
    const int yp = v - (hf + hc) + 10;
    const int th = charttest::paintMetrics(graph).height();
    const int tw = charttest::paintMetrics(graph).horizontalAdvance(graph.caption().text);
    const int bw = std::max(nearest(90 * double{graph.pixelsPerMinute()}), tw + 6);
    const int xl = W - 10 - bw;
    const int xm = (xl + W - 10) / 2;

    EXPECT_EQ(colourAt(graph.image(), xm, (10 + yp) / 2), Protein);
    EXPECT_EQ(colourAt(graph.image(), xm, yp + hf / 2), Fat);
    EXPECT_EQ(colourAt(graph.image(), xm, (yp + hf + v + 10) / 2), Carbohydrate);
    EXPECT_EQ(colourAt(graph.image(), xl, 12), Black) << "outline";
    EXPECT_EQ(colourAt(graph.image(), xm, v + 10 + th + 6), Black) << "caption box bottom";
    EXPECT_EQ(graph.caption().topLeft, QPoint(xl + 3, v + 13));
    EXPECT_EQ(graph.caption().text, QStringLiteral("Balance: -440"));
}

struct CaptionCase {
    const char* name;
    double metabolicKoef;
    int meals;      // of 32767 carbohydrate kcal each, on successive dates
    int activities; // of 32767 kcal each
    QString caption;
};

class Caption : public ChartRendering, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(Caption, ShowsTheWholeNumberBeyond16Bits) {
    graph.setMetabolicKoef(GetParam().metabolicKoef);
    for (int i = 0; i < GetParam().meals; ++i)
        ASSERT_TRUE(graph.addMeal(i, i + at(8, 0), 32767, 0, 0));
    for (int i = 0; i < GetParam().activities; ++i)
        ASSERT_TRUE(graph.addExercise(i, at(9, 0), at(10, 0), 32767));
    // What the host reads back is the caption's number, before a paint as after it.
    EXPECT_EQ(QStringLiteral("Balance: ") + QString::number(graph.balance(), 'f', 0), GetParam().caption);
    ASSERT_TRUE(graph.PaintGraph());
    EXPECT_EQ(graph.caption().text, GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(
    ChartRendering, Caption,
    ::testing::Values(CaptionCase{"Positive", 0, 2, 0, QStringLiteral("Balance: 65534")},
                      CaptionCase{"Negative", 1, 0, 2, QStringLiteral("Balance: -66974")},
                      // 1440 / 64 is 22.5: halves go to the even neighbour.
                      CaptionCase{"HalfToEven", 1 / 64.0, 0, 0, QStringLiteral("Balance: -22")},
                      CaptionCase{"NoNegativeZero", 0.0001, 0, 0, QStringLiteral("Balance: 0")}),
    [](const auto& info) { return std::string(info.param.name); });

struct HourCase {
    const char* name;
    bool time24;
    int labelSlots; // how many "24" labels the width is made for
    std::vector<QString> labels;
};

class HourLabels : public ChartRendering, public ::testing::WithParamInterface<HourCase> {};

TEST_P(HourLabels, StepThroughTheAxisAndSkipItsEnd) {
    const int w24 = charttest::paintMetrics(graph).horizontalAdvance(QStringLiteral("24"));
    const int width = 20 + GetParam().labelSlots * (w24 + 10);
    graph.resize(width, H);
    graph.setTime24(GetParam().time24);
    ASSERT_TRUE(graph.PaintGraph());
    const Expected e = expected();
    const int th = charttest::paintMetrics(graph).height();

    EXPECT_EQ(texts(graph.hourLabels()), GetParam().labels);
    ASSERT_FALSE(graph.hourLabels().empty());
    const int step = GetParam().labelSlots >= 16 ? 1 : 2;
    for (std::size_t i = 0; i < graph.hourLabels().size(); ++i) {
        const int m = static_cast<int>(i) * step;
        EXPECT_EQ(graph.hourLabels()[i].topLeft,
                  QPoint(nearest(m * 60 * double{e.pixelsPerMinute} + 10 + (m == 0)), e.baselineY - 2 - th));
    }
}

const std::vector<QString> Every2Hours12{"6", "8", "10", "12", "2", "4", "6", "8"};
const std::vector<QString> Every2Hours24{"6", "8", "10", "12", "14", "16", "18", "20"};
const std::vector<QString> EveryHour12{"6", "7", "8", "9", "10", "11", "12", "1",
                                       "2", "3", "4", "5", "6",  "7",  "8",  "9"};

INSTANTIATE_TEST_SUITE_P(ChartRendering, HourLabels,
                         ::testing::Values(HourCase{"TwelveHourClock", false, 10, Every2Hours12},
                                           HourCase{"TwentyFourHourClock", true, 10, Every2Hours24},
                                           HourCase{"EveryHourWhenAllFit", false, 16, EveryHour12}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChartRendering, MidnightAndNoonLabelsOnATwelveHourClock) {
    ASSERT_TRUE(graph.addMeal(1, at(0, 30), 10, 10, 10));
    ASSERT_TRUE(graph.PaintGraph());
    const std::vector<QString> labels = texts(graph.hourLabels());
    ASSERT_GE(labels.size(), 14u);
    EXPECT_EQ(labels[0], QStringLiteral("0"));
    EXPECT_EQ(labels[12], QStringLiteral("12"));
    EXPECT_EQ(labels[13], QStringLiteral("1"));
}

TEST_F(ChartRendering, NoHourLabelWhereNotEvenOneFits) {
    graph.resize(25, H);
    ASSERT_TRUE(graph.PaintGraph());
    EXPECT_TRUE(graph.hourLabels().empty());
    EXPECT_FALSE(graph.kcalLabels().empty());
}

struct KcalCase {
    const char* name;
    int minFit, maxFit; // the label count below the axis the height is chosen for
    std::vector<QString> labels;
};

class KcalLabels : public ChartRendering, public ::testing::WithParamInterface<KcalCase> {};

TEST_P(KcalLabels, StepWithTheRoomBelowTheAxis) {
    const int th = charttest::paintMetrics(graph).height();
    // The smallest height that fits minFit labels below the axis.
    int height = 40;
    auto fit = [&](int h) {
        const Expected e(W, h, at(6, 0), at(22, 0));
        return static_cast<int>(std::floor((h - e.baselineY - 10) / double(th + 10)));
    };
    while (fit(height) < GetParam().minFit)
        ++height;
    ASSERT_LE(fit(height), GetParam().maxFit);
    graph.resize(W, height);
    ASSERT_TRUE(graph.PaintGraph());
    EXPECT_EQ(texts(graph.kcalLabels()), GetParam().labels);

    const Expected e = expected();
    for (const ChartLabel& label : graph.kcalLabels()) {
        EXPECT_EQ(label.topLeft, QPoint(14, nearest(e.y(label.text.toInt()) - th / 2.0)))
            << label.text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    ChartRendering, KcalLabels,
    ::testing::Values(
        KcalCase{"Short", 0, 1, {"-2000", "2000"}},
        KcalCase{"Medium", 2, 3, {"-1000", "-2000", "1000", "2000"}},
        KcalCase{"Tall", 4, 100, {"-500", "-1000", "-1500", "-2000", "500", "1000", "1500", "2000", "2500"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChartRendering, AxesAndArrowheadsAreDrawnOverEverything) {
    ASSERT_TRUE(graph.addMeal(1, at(12, 0), 300, 0, 0));
    ASSERT_TRUE(graph.PaintGraph());
    const Expected e = expected();
    const MealStruct& bar = graph.meals()[0];
    EXPECT_EQ(colourAt(graph.image(), bar.Left + 2, e.baselineY), Black) << "axis over the bar";
    EXPECT_EQ(colourAt(graph.image(), 10, 200), Black);
    EXPECT_EQ(colourAt(graph.image(), 10, 19), Black) << "up arrow";
    EXPECT_EQ(colourAt(graph.image(), W - 22, e.baselineY - 1), Black) << "right arrow";
    EXPECT_EQ(colourAt(graph.image(), W - 22, e.baselineY + 1), Black) << "right arrow";
    EXPECT_EQ(colourAt(graph.image(), 9, e.yPixel(-1000)), Black) << "kcal tick";
    EXPECT_EQ(colourAt(graph.image(), 9, e.yPixel(2500)), Black) << "kcal tick";
    EXPECT_EQ(colourAt(graph.image(), e.x(at(14, 0)), e.baselineY + 1), Black) << "hour tick";
}

TEST_F(ChartRendering, CoordinatesBeyond16BitsFailThePaintAndTheControlRecovers) {
    graph.resize(W, 2000); // 3 x 32767 kcal rise about 38800 pixels
    ASSERT_TRUE(graph.addMeal(1, at(8, 0), 32767, 0, 0));
    ASSERT_TRUE(graph.addMeal(2, at(8, 5), 0, 32767, 0));
    ASSERT_TRUE(graph.addMeal(3, at(8, 10), 0, 0, 32767));
    EXPECT_FALSE(graph.PaintGraph());

    graph.Reset();
    ASSERT_TRUE(graph.addMeal(4, at(8, 0), 500, 0, 0));
    EXPECT_TRUE(graph.PaintGraph());
    EXPECT_EQ(graph.meals()[0].Top, Expected(graph).yPixel(500));
}

TEST_F(ChartRendering, AnInfiniteBalanceFailsThePaint) {
    ASSERT_TRUE(graph.addMeal(1, at(8, 0), 500, 0, 0));
    for (double koef :
         {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(), 1e306}) {
        graph.setMetabolicKoef(koef);
        EXPECT_FALSE(graph.PaintGraph()) << koef;
        EXPECT_EQ(graph.meals()[0].Left, Expected(graph).x(at(8, 0))) << "bars drawn before the failure";
    }
    graph.setMetabolicKoef(1);
    EXPECT_TRUE(graph.PaintGraph());
    EXPECT_EQ(graph.caption().text, QStringLiteral("Balance: -940"));
}

class TinyControl : public ChartRendering, public ::testing::WithParamInterface<QSize> {};

TEST_P(TinyControl, PaintsWhateverFitsWithoutFailing) {
    graph.resize(GetParam());
    ASSERT_TRUE(graph.addMeal(1, at(8, 0), 300, 200, 100));
    ASSERT_TRUE(graph.addExercise(2, at(9, 0), at(10, 0), 300));
    ASSERT_TRUE(graph.addExercise(3, at(11, 0), at(11, 0, 30), 100));
    EXPECT_TRUE(graph.PaintGraph());
    EXPECT_EQ(graph.image().size(), GetParam().isEmpty() ? QSize(0, 0) : GetParam());
}

INSTANTIATE_TEST_SUITE_P(ChartRendering, TinyControl,
                         ::testing::Values(QSize(0, 0), QSize(0, 300), QSize(300, 0), QSize(1, 1),
                                           QSize(12, 9), QSize(20, 27), QSize(21, 28), QSize(40, 40),
                                           QSize(300, 30)));

} // namespace
