#include "ChartPainter.h"

#include "ChartDrawing.h"
#include "DayClock.h"
#include "DayModel.h"

#include <QPainter>

#include <algorithm>

namespace zelmar {

bool ChartPainter::paint(QPainter& painter, QSize size, const QFont& font, DayModel& day, ChartScale& scale,
                         Options options) {
    m_balance.clear();
    m_hourLabels.clear();
    m_kcalLabels.clear();
    m_caption = {};

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(), size), colour::Background);
    painter.setFont(font);
    m_painter = &painter;
    m_day = &day;
    m_scale = &scale;
    m_options = options;
    m_width = size.width();
    m_height = size.height();

    drawFrame();
    const int axisMinutes = (day.endHour() - day.beginHour()) * 60;
    scale.pixelsPerMinute = static_cast<float>((m_width - 2 * AxisInset) / static_cast<double>(axisMinutes));
    const bool complete = drawMealBars() && drawActivityTriangles() && drawBalanceCurve() && drawDayTotals();
    if (complete)
        drawAxes();

    painter.restore();
    m_painter = nullptr;
    m_day = nullptr;
    m_scale = nullptr;
    return complete;
}

void ChartPainter::drawFrame() {
    const int w = m_width;
    const int h = m_height;
    drawStraightLine({2, h - 2}, {w - 2, h - 2}, colour::FrameLight);
    drawStraightLine({w - 2, 2}, {w - 2, h - 2}, colour::FrameLight);
    drawStraightLine({1, h - 1}, {w - 1, h - 1}, colour::FrameHighlight);
    drawStraightLine({w - 1, 1}, {w - 1, h - 1}, colour::FrameHighlight);
    drawStraightLine({0, 0}, {0, h}, colour::FrameShadow);
    drawStraightLine({0, 0}, {w, 0}, colour::FrameShadow);
    drawStraightLine({1, 1}, {1, h - 1}, colour::FrameDarkShadow);
    drawStraightLine({1, 1}, {w - 1, 1}, colour::FrameDarkShadow);
}

bool ChartPainter::drawMealBars() {
    const std::span<MealStruct> bars = m_day->meals();
    for (MealStruct& bar : bars) {
        if (!toInt16(xOfTime(bar.tm), bar.Left) || !toInt16(bar.Left + 4.0, bar.Right))
            return false;
    }
    // Layers stack from the axis up: carbohydrate, fat, protein.
    const std::array<const QColor*, 3> fills{&colour::Carbohydrate, &colour::Fat, &colour::Protein};
    for (std::size_t layer = 0; layer < fills.size(); ++layer) {
        QPoint* corner = m_polyPoints.data();
        for (std::size_t i = 0; i < bars.size(); ++i) {
            MealStruct& bar = bars[i];
            const std::array<int, 3> kcal{bar.carbohydrate, bar.fat, bar.protein};
            int lower = m_scale->baselineY;
            int upper = lower;
            for (std::size_t below = 0; below <= layer; ++below) {
                lower = upper;
                upper = pixel(lower - kcal[below] * double{m_scale->pixelsPerKcal});
            }
            if (layer == fills.size() - 1 && !toInt16(upper, bar.Top))
                return false;
            *corner++ = {bar.Left, lower};
            *corner++ = {bar.Left, upper};
            *corner++ = {bar.Right, upper};
            *corner++ = {bar.Right, lower};
            m_polyCounts[i] = 4;
        }
        drawPolygons(static_cast<int>(bars.size()), colour::Ink, fills[layer]);
    }
    return true;
}

bool ChartPainter::drawActivityTriangles() {
    const std::span<ExerciseStruct> activities = m_day->exercises();
    const int axis = m_scale->baselineY;
    QPoint* corner = m_polyPoints.data();
    for (std::size_t i = 0; i < activities.size(); ++i) {
        ExerciseStruct& activity = activities[i];
        if (!toInt16(xOfTime(activity.tmBeg), activity.Left) ||
            !toInt16(xOfTime(activity.tmEnd), activity.Right) ||
            !toInt16(m_scale->yOfKcal(-activity.calories), activity.Bottom))
            return false;
        *corner++ = {activity.Left, axis};
        *corner++ = {activity.Right, axis};
        *corner++ = {activity.Right, activity.Bottom};
        m_polyCounts[i] = 3;
    }
    drawPolygons(static_cast<int>(activities.size()), colour::Activity, nullptr);
    return true;
}

bool ChartPainter::drawBalanceCurve() {
    m_rateChanges.clear();
    for (const ExerciseStruct& activity : m_day->exercises()) {
        const int begin = secondsOfDay(activity.tmBeg);
        const int end = secondsOfDay(activity.tmEnd);
        const int minutes = end / 60 - begin / 60;
        if (minutes == 0) {
            // No minute to spread the burn over: it all goes at the activity's moment.
            m_rateChanges.push_back(
                {.second = begin, .drop = static_cast<double>(activity.calories), .x = activity.Left});
            continue;
        }
        const double rate = activity.calories / static_cast<double>(minutes);
        m_rateChanges.push_back({.second = begin, .rate = rate, .x = activity.Left});
        m_rateChanges.push_back({.second = end, .rate = -rate, .x = activity.Right});
    }
    std::stable_sort(m_rateChanges.begin(), m_rateChanges.end(),
                     [](const RateChange& a, const RateChange& b) { return a.second < b.second; });

    const double basal = m_options.metabolicKoef;
    int minute = m_day->beginHour() * 60;
    double balance = -minute * basal; // burnt since midnight
    double activityRate = 0;
    m_painter->setPen(linePen(colour::Balance));
    if (!std::isfinite(balance))
        return false;
    m_pen = {AxisInset, pixel(m_scale->yOfKcal(balance))};
    m_balance.push_back({AxisInset, balance});

    const std::span<const MealStruct> bars = m_day->meals();
    auto bar = bars.begin();
    auto change = m_rateChanges.cbegin();
    while (bar != bars.end() || change != m_rateChanges.cend()) {
        if (change != m_rateChanges.cend() &&
            (bar == bars.end() || change->second <= secondsOfDay(bar->tm))) {
            balance -= (activityRate + basal) * (change->second / 60 - minute);
            if (!lineTo(change->x, balance))
                return false;
            minute = change->second / 60;
            activityRate += change->rate;
            if (change->drop != 0) {
                balance -= change->drop;
                if (!lineTo(change->x, balance))
                    return false;
            }
            ++change;
        } else {
            const int barMinute = minuteOfDay(bar->tm);
            balance -= (activityRate + basal) * (barMinute - minute);
            if (!lineTo(bar->Left, balance))
                return false;
            // One more than the bar's kcal, so that even an empty bar shows as a step.
            balance += bar->carbohydrate + bar->fat + bar->protein + 1;
            if (!lineTo(bar->Left, balance))
                return false;
            minute = barMinute;
            ++bar;
        }
    }
    balance -= basal * (m_day->endHour() * 60 - minute);
    return lineTo(m_width - AxisInset, balance);
}

double ChartPainter::xOfTime(double serial) const {
    const int minutes = minuteOfDay(serial) - m_day->beginHour() * 60;
    return minutes * double{m_scale->pixelsPerMinute} + AxisInset;
}

bool ChartPainter::lineTo(int x, double balance) {
    if (!std::isfinite(balance))
        return false;
    const QPoint to{x, pixel(m_scale->yOfKcal(balance))};
    m_painter->drawLine(m_pen, to);
    m_pen = to;
    m_balance.push_back({x, balance});
    return true;
}

QPen ChartPainter::linePen(const QColor& colour) {
    // A one-pixel line with flat caps leaves out its end point, so the joints of the balance line
    // are not drawn twice and every line ends where its formula says. One pixel of the chart, not of
    // the device: on paper and in files the lines keep the weight they have on the screen.
    return QPen(colour, 1, Qt::SolidLine, Qt::FlatCap);
}

void ChartPainter::drawStraightLine(QPoint from, QPoint to, const QColor& colour) {
    // Filled as a one-pixel rectangle, a fraction of the cost of stroking the long frame and axis
    // lines; like every line of the chart it leaves out its end point.
    if (from == to)
        return;
    const auto towards = [](int from, int to) { return to > from ? 1 : to < from ? -1 : 0; };
    const QPoint last(to.x() - towards(from.x(), to.x()), to.y() - towards(from.y(), to.y()));
    m_painter->fillRect(QRect(from, last).normalized(), colour);
}

void ChartPainter::drawPolygons(int polygons, const QColor& outline, const QColor* fill) {
    m_painter->setPen(linePen(outline));
    m_painter->setBrush(fill ? QBrush(*fill) : QBrush(Qt::NoBrush));
    const QPoint* first = m_polyPoints.data();
    for (int i = 0; i < polygons; ++i) {
        const int corners = m_polyCounts[static_cast<std::size_t>(i)];
        m_painter->drawPolygon(first, corners);
        first += corners;
    }
}

} // namespace zelmar
