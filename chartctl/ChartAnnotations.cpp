#include "ChartDrawing.h"
#include "ChartPainter.h"
#include "DayModel.h"

#include <QPainter>

#include <algorithm>

// The parts of the picture that explain it: the day's totals in the top-right corner and the axes
// with their ticks and labels, drawn last so that they stay readable over everything else.
namespace zelmar {

namespace {

constexpr int TotalsTop = 10;
constexpr int LabelX = 14;
constexpr int TickLeft = 8;
constexpr int TickRight = 12;
constexpr int TickHalf = 2;
constexpr int ArrowLength = 14;
constexpr int ArrowHalfWidth = 2;

} // namespace

bool ChartPainter::drawDayTotals() {
    // The number is written out in full, however far it leaves the 16-bit range.
    const double balance = m_day->finalBalance(m_options.metabolicKoef);
    if (!std::isfinite(balance))
        return false;
    const QString text = QStringLiteral("Balance: ") + QString::number(balance, 'f', 0);
    const QFontMetrics metrics = m_painter->fontMetrics();
    const int textHeight = metrics.height();

    const int kcal1000 = pixel(1000 * double{m_scale->pixelsPerKcal});
    const int boxWidth =
        std::max(pixel(90 * double{m_scale->pixelsPerMinute}), metrics.horizontalAdvance(text) + 6);
    const int left = m_width - AxisInset - boxWidth;
    const int right = m_width - AxisInset;
    const int barBottom = kcal1000 + TotalsTop;

    const qint64 total = qint64{m_day->carbohydrateTotal()} + m_day->fatTotal() + m_day->proteinTotal();
    if (total >= 1) {
        // Protein takes what rounding leaves, so the three parts always fill the bar exactly.
        const double share = kcal1000 / double(total);
        const int fatHeight = pixel(share * m_day->fatTotal());
        const int carbohydrateHeight = pixel(share * m_day->carbohydrateTotal());
        const int proteinBottom = barBottom - (fatHeight + carbohydrateHeight);
        drawBox(left, TotalsTop, right, proteinBottom, &colour::Protein);
        drawBox(left, proteinBottom, right, proteinBottom + fatHeight, &colour::Fat);
        drawBox(left, proteinBottom + fatHeight, right, barBottom, &colour::Carbohydrate);
    }
    drawBox(left, barBottom, right, barBottom + textHeight + 6, nullptr);
    m_caption = drawText(left + 3, barBottom + 3, text);
    return true;
}

void ChartPainter::drawAxes() {
    const int axis = m_scale->baselineY;
    const int plotTop = TopBand + AxisInset;
    const int axisEnd = m_width - AxisInset;
    drawStraightLine({AxisInset, axis}, {axisEnd, axis}, colour::Ink);
    drawStraightLine({AxisInset, plotTop}, {AxisInset, m_height - AxisInset}, colour::Ink);

    m_polyPoints[0] = {AxisInset, plotTop};
    m_polyPoints[1] = {AxisInset - ArrowHalfWidth, plotTop + ArrowLength};
    m_polyPoints[2] = {AxisInset + ArrowHalfWidth, plotTop + ArrowLength};
    m_polyPoints[3] = {axisEnd, axis};
    m_polyPoints[4] = {axisEnd - ArrowLength, axis + ArrowHalfWidth};
    m_polyPoints[5] = {axisEnd - ArrowLength, axis - ArrowHalfWidth};
    m_polyCounts[0] = m_polyCounts[1] = 3;
    drawPolygons(2, colour::Ink, &colour::Ink);

    const int textHeight = m_painter->fontMetrics().height();
    drawHourLabels(textHeight);
    drawKcalLabels(textHeight);
}

void ChartPainter::drawHourLabels(int textHeight) {
    const int axis = m_scale->baselineY;
    const int hours = m_day->endHour() - m_day->beginHour();
    const double hourWidth = 60 * double{m_scale->pixelsPerMinute};
    const int labelWidth = m_painter->fontMetrics().horizontalAdvance(QStringLiteral("24"));
    const int slots = pixel((m_width - 2 * AxisInset) / double(labelWidth + 10));
    // Where not even one label fits, the axis keeps its ticks and shows no hours.
    if (slots >= 1) {
        const int step = std::max(1, (hours + slots - 1) / slots);
        for (int m = 0; m <= hours - 1; m += step) {
            int hour = m_day->beginHour() + m;
            if (!m_options.time24 && hour > 12)
                hour -= 12;
            const int x = pixel(m * hourWidth + AxisInset + (m == 0 ? 1 : 0));
            m_hourLabels.push_back(drawText(x, axis - TickHalf - textHeight, QString::number(hour)));
        }
    }
    for (int m = 0; m < hours; ++m) {
        const int x = pixel(m * hourWidth + AxisInset);
        m_painter->drawLine(x, axis - TickHalf, x, axis + TickHalf);
    }
}

void ChartPainter::drawKcalLabels(int textHeight) {
    // As many labels below the axis as fit there, at round steps.
    const double fit = std::floor((m_height - m_scale->baselineY - AxisInset) / double(textHeight + 10));
    const int step = fit < 2 ? 2000 : fit < 4 ? 1000 : 500;
    const double halfText = textHeight / 2.0;
    for (int kcal = step; kcal <= 2000; kcal += step) {
        const int top = pixel(m_scale->yOfKcal(-kcal) - halfText);
        m_kcalLabels.push_back(drawText(LabelX, top, QStringLiteral("-") + QString::number(kcal)));
    }
    for (int kcal = 500; kcal <= 2000; kcal += 500) {
        const int y = pixel(m_scale->yOfKcal(-kcal));
        m_painter->drawLine(TickLeft, y, TickRight, y);
    }
    for (int kcal = step; kcal <= 2800; kcal += step) {
        const int top = pixel(m_scale->yOfKcal(kcal) - halfText);
        m_kcalLabels.push_back(drawText(LabelX, top, QString::number(kcal)));
    }
    for (int kcal = 500; kcal <= 2500; kcal += 500) {
        const int y = pixel(m_scale->yOfKcal(kcal));
        m_painter->drawLine(TickLeft, y, TickRight, y);
    }
}

void ChartPainter::drawBox(int x1, int y1, int x2, int y2, const QColor* fill) {
    m_painter->setPen(linePen(colour::Ink));
    m_painter->setBrush(fill ? QBrush(*fill) : QBrush(Qt::NoBrush));
    m_painter->drawRect(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1));
}

ChartLabel ChartPainter::drawText(int x, int y, QString text) {
    m_painter->drawText(x, y + m_painter->fontMetrics().ascent(), text);
    return {std::move(text), {x, y}};
}

} // namespace zelmar
