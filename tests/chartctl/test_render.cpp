// The chart painted onto another device for paper and files: the same picture at any size, its text
// and lines drawn as such, the control itself left as it was.
#include "ChartTestSupport.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include <gtest/gtest.h>

using charttest::at;
using charttest::colourAt;

namespace {

constexpr int W = 800;
constexpr int H = 500;
const QColor Black(0, 0, 0);

class ChartOutput : public ::testing::Test {
protected:
    ChartOutput() {
        graph.resize(W, H);
        graph.setMetabolicKoef(1);
        EXPECT_TRUE(graph.addMeal(1, at(8, 0), 600, 400, 300));
        EXPECT_TRUE(graph.addMeal(2, at(13, 0), 300, 200, 500));
        EXPECT_TRUE(graph.addExercise(3, at(10, 0), at(11, 30), 450));
        EXPECT_TRUE(graph.PaintGraph());
    }

    // The chart rendered into an image of `size` filled with grey, into `target`.
    QImage rendered(QSize size, const QRectF& target) const {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter painter(&image);
        graph.renderChart(painter, target);
        return image;
    }

    ZelmarGraph graph;
};

TEST_F(ChartOutput, TwiceTheSizeIsTheSamePictureScaled) {
    const QImage big = rendered(QSize(2 * W, 2 * H), QRectF(0, 0, 2 * W, 2 * H));
    const QImage& screen = graph.image();
    // Every bar's layers and the activity's outline, at twice their place (away from the outlines
    // between the layers, which are twice as thick now).
    for (const MealStruct& bar : graph.meals()) {
        for (int y = bar.Top + 2; y < graph.baselineY() - 2; ++y) {
            const QPoint inside(bar.Left + 2, y);
            const QColor colour = colourAt(screen, inside.x(), y);
            if (colourAt(screen, inside.x(), y - 1) != colour ||
                colourAt(screen, inside.x(), y + 1) != colour)
                continue;
            ASSERT_EQ(colourAt(big, 2 * inside.x() + 1, 2 * inside.y() + 1),
                      colourAt(screen, inside.x(), inside.y()))
                << inside.x() << "," << inside.y();
        }
    }
    const ExerciseStruct& activity = graph.exercises()[0];
    EXPECT_EQ(colourAt(big, 2 * activity.Right, 2 * (activity.Bottom - 3)), QColor(0, 0, 255));
    // The axes, two pixels thick now.
    for (const int dy : {0, 1})
        EXPECT_EQ(colourAt(big, W, 2 * graph.baselineY() + dy), Black);
    EXPECT_EQ(colourAt(big, 2 * 10, H), Black);
    EXPECT_EQ(colourAt(big, 2 * 10 + 1, H), Black);
}

TEST_F(ChartOutput, AnotherShapeKeepsTheChartsProportionsCentred) {
    // Twice as wide as the chart's shape and as high: the chart at its own size in the middle.
    const QImage wide = rendered(QSize(4 * W, H), QRectF(0, 0, 4 * W, H));
    const int left = (4 * W - W) / 2;
    EXPECT_EQ(colourAt(wide, left - 1, graph.baselineY()), QColor(Qt::gray));
    EXPECT_EQ(colourAt(wide, left + 100, graph.baselineY()), Black);
    EXPECT_EQ(colourAt(wide, left + W, graph.baselineY()), QColor(Qt::gray));
    EXPECT_EQ(colourAt(wide, left + 100, 4), QColor(Qt::white));
}

TEST_F(ChartOutput, RenderingLeavesTheControlAsItWas) {
    const QImage screen = graph.image();
    const std::vector<MealStruct> meals(graph.meals().begin(), graph.meals().end());
    const ChartLabel caption = graph.caption();
    const std::size_t hourLabels = graph.hourLabels().size();
    rendered(QSize(3 * W, 3 * H), QRectF(0, 0, 3 * W, 3 * H));
    EXPECT_EQ(graph.image(), screen);
    ASSERT_EQ(graph.meals().size(), meals.size());
    for (std::size_t i = 0; i < meals.size(); ++i) {
        EXPECT_EQ(graph.meals()[i].Left, meals[i].Left);
        EXPECT_EQ(graph.meals()[i].Top, meals[i].Top);
    }
    EXPECT_EQ(graph.caption().text, caption.text);
    EXPECT_EQ(graph.caption().topLeft, caption.topLeft);
    EXPECT_EQ(graph.hourLabels().size(), hourLabels);
}

TEST_F(ChartOutput, OnAVectorDeviceTheTextStaysText) {
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(W, H));
    svg.setViewBox(QRect(0, 0, W, H));
    QPainter painter(&svg);
    graph.renderChart(painter, QRectF(0, 0, W, H));
    painter.end();
    const QString document = QString::fromUtf8(buffer.data());
    EXPECT_TRUE(document.contains(u'>' + graph.caption().text + u'<')) << graph.caption().text.toStdString();
    for (const ChartLabel& label : graph.hourLabels())
        EXPECT_TRUE(document.contains(u'>' + label.text + u'<')) << label.text.toStdString();
    EXPECT_FALSE(document.contains(QStringLiteral("<image")));
}

} // namespace
