#pragma once

#include "ChartRecords.h"
#include "ChartScale.h"

#include <QColor>
#include <QPen>
#include <QPoint>
#include <QSize>

#include <array>
#include <vector>

class QFont;
class QPainter;

namespace zelmar {

class DayModel;

// Draws one day over an area of `size` pixels from the painter's origin and stores the geometry of
// every bar and triangle into the records. The control paints its backing image with it, and paper
// and files through a painter that scales those pixels to the device. It also keeps a model of what
// it drew (balance corners, labels), which is how the picture can be checked without reading text
// back from pixels.
class ChartPainter {
public:
    struct Options {
        double metabolicKoef = 0; // basal burn, kcal per minute
        bool time24 = false;
    };

    // False when the picture cannot be completed: a coordinate does not fit the 16-bit fields of the
    // records, or the balance is no longer a finite number (an absurd metabolic rate). Painting stops
    // there and what was drawn stays in the image.
    bool paint(QPainter& painter, QSize size, const QFont& font, DayModel& day, ChartScale& scale,
               Options options);

    const std::vector<BalanceVertex>& balanceVertices() const { return m_balance; }
    const std::vector<ChartLabel>& hourLabels() const { return m_hourLabels; }
    const std::vector<ChartLabel>& kcalLabels() const { return m_kcalLabels; }
    const ChartLabel& caption() const { return m_caption; }

private:
    // A point where the activity burn rate changes, or where an activity too short to have a rate
    // takes its whole burn at once.
    struct RateChange {
        int second = 0;  // of the day, for ordering
        double rate = 0; // change of the burn rate, kcal per minute
        double drop = 0; // kcal burnt at once
        int x = 0;
    };

    void drawFrame();
    bool drawMealBars();
    bool drawActivityTriangles();
    bool drawBalanceCurve();
    bool drawDayTotals();
    void drawAxes();
    void drawHourLabels(int textHeight);
    void drawKcalLabels(int textHeight);

    double xOfTime(double serial) const;
    bool lineTo(int x, double balance);
    void drawPolygons(int polygons, const QColor& outline, const QColor* fill);
    static QPen linePen(const QColor& colour);
    void drawStraightLine(QPoint from, QPoint to, const QColor& colour);
    void drawBox(int x1, int y1, int x2, int y2, const QColor* fill);
    ChartLabel drawText(int x, int y, QString text);

    // Set for the length of one paint.
    QPainter* m_painter = nullptr;
    DayModel* m_day = nullptr;
    ChartScale* m_scale = nullptr;
    Options m_options;
    int m_width = 0;
    int m_height = 0;
    QPoint m_pen;

    // Scratch vertices: four per meal bar or three per activity, one count per polygon.
    std::array<QPoint, MealCapacity * 4> m_polyPoints{};
    std::array<int, 200> m_polyCounts{};
    std::vector<RateChange> m_rateChanges;

    std::vector<BalanceVertex> m_balance;
    std::vector<ChartLabel> m_hourLabels;
    std::vector<ChartLabel> m_kcalLabels;
    ChartLabel m_caption;
};

} // namespace zelmar
