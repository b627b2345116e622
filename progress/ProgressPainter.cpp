#include "ProgressPainter.h"

#include "Common.h"
#include "Numeric.h"
#include "ProgressModel.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

const QColor BreastColour(0, 0, 255);
const QColor WaistColour(0, 255, 0);
const QColor HipsColour(0, 255, 255);
const QColor WeightColour(255, 0, 0);
const QColor Ink(0, 0, 0);

constexpr int EmptyNoteTextHeight = 27;
// Room kept between the box of a note and the point halfway to the next note.
constexpr int NoteGapMargin = 2;

int nearestInt(double v) {
    return static_cast<int>(nearest(v));
}

class ChartPainter {
public:
    ChartPainter(QPainter& p, const ProgressLayout& l, const ProgressModel& m, const QFont& font)
        : p(p), l(l), m(m), fm(font) {
        LW = fm.horizontalAdvance(u"May 30"_s);
        LH = fm.height();
        p.setFont(font);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setBrush(Qt::NoBrush);
    }

    void bodyLines();
    void calorieStems();
    void notesLane();
    void axes();

    ProgressDrawing result;

private:
    void segment(const QColor& colour, int xa, int ya, int xb, int yb) {
        p.setPen(colour);
        p.drawLine(xa, ya, xb, yb);
    }
    void arrowhead(const QPolygon& triangle) {
        p.setPen(Ink);
        p.setBrush(Ink);
        p.drawPolygon(triangle);
        p.setBrush(Qt::NoBrush);
    }
    int clampX(int x) const {
        return std::clamp(x, ProgressLayout::FirstDayX, std::max(ProgressLayout::FirstDayX, l.SW - 7));
    }
    void labels(const BandScale& band, const std::vector<Currency>& values);

    QPainter& p;
    const ProgressLayout& l;
    const ProgressModel& m;
    QFontMetrics fm;
    int LW = 0;
    int LH = 0;
};

void ChartPainter::bodyLines() {
    const int n = m.nDays();
    int k = 1;
    while (true) {
        while (k <= n && !m.day(k).hasBody())
            ++k;
        if (k > n)
            return;
        const int first = k;
        while (k < n && m.day(k + 1).Waist >= 0)
            ++k;
        const int last = k;
        for (int d = first; d < last; ++d) {
            const ProgressDay& a = m.day(d);
            const ProgressDay& b = m.day(d + 1);
            const int xa = l.xOfDay(d);
            const int xb = l.xOfDay(d + 1);
            segment(BreastColour, xa, l.girth.yOf(a.Breast), xb, l.girth.yOf(b.Breast));
            segment(HipsColour, xa, l.girth.yOf(a.Hips), xb, l.girth.yOf(b.Hips));
            segment(WaistColour, xa, l.girth.yOf(a.Waist), xb, l.girth.yOf(b.Waist));
            segment(WeightColour, xa, l.weight.yOf(a.Weight), xb, l.weight.yOf(b.Weight));
        }
        if (last > first)
            result.bodyRuns.emplace_back(first, last);
        k = last + 1;
    }
}

void ChartPainter::calorieStems() {
    p.setPen(Ink);
    for (int k = 1; k <= m.nDays(); ++k) {
        const ProgressDay& day = m.day(k);
        if (!day.HasCalories)
            continue;
        const int x = l.xOfDay(k);
        const int y = nearestInt(l.calZeroY - day.Calories * l.calories.scale);
        p.drawLine(x, l.calZeroY, x, y);
        p.drawEllipse(QPoint(x, y), 3, 3);
    }
}

void ChartPainter::notesLane() {
    const auto& notes = m.notes();
    const int y0 = l.notesTop;
    const int bottomLimit = l.SH - 7;
    int minLeft = ProgressLayout::FirstDayX + 3;
    p.setPen(Ink);
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const ProgressNote& note = notes[i];
        NoteGeometry g;
        g.x1 = clampX(l.xOfDay(m.dayOf(note.DateFrom)));
        g.x2 = std::min(l.SW - 7, l.xOfDay(m.dayOf(note.DateTo)));
        if (g.x1 == g.x2) {
            g.x1 = nearestInt(g.x1 - l.pxPerDay / 2.0);
            g.x2 = nearestInt(g.x1 + static_cast<double>(l.pxPerDay));
            g.x1 = clampX(g.x1);
            g.x2 = clampX(g.x2);
        }
        g.leftTick = note.DateFrom >= m.dateFrom();
        g.rightTick = note.DateTo <= m.dateTo();

        p.drawLine(g.x1, y0, g.x2, y0);
        if (g.leftTick)
            p.drawLine(g.x1, y0 - 5, g.x1, y0);
        if (g.rightTick)
            p.drawLine(g.x2, y0 - 5, g.x2, y0);
        const int middle = (g.x1 + g.x2) / 2;
        p.drawLine(middle, y0, middle, y0 + 6);

        int maxRight = l.SW - 10;
        if (i + 1 < notes.size()) {
            const int nextStart = clampX(l.xOfDay(m.dayOf(notes[i + 1].DateFrom)));
            maxRight = (g.x2 + nextStart) / 2 - NoteGapMargin;
        }

        const QString& text = note.NoteText;
        int width = (g.x2 - 3) - (g.x1 + 3);
        const int boxTop = y0 + 6;
        if (fm.horizontalAdvance(text.left(4)) > width) {
            const int left = std::max(g.x1, minLeft - 3);
            g.box = QRect(left, boxTop, g.x2 - left,
                          std::min(boxTop + EmptyNoteTextHeight + 6, bottomLimit) - boxTop);
        } else {
            const int flags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;
            QRect measured = fm.boundingRect(QRect(0, 0, std::max(width, 1), 100000), flags, text);
            if (y0 + 9 + measured.height() > bottomLimit || measured.width() > width) {
                const int widest = std::min(nearestInt(minLeft + 0.4 * (l.SW - 50)), maxRight) - minLeft - 6;
                width = std::max(width, widest);
                measured = fm.boundingRect(QRect(0, 0, std::max(width, 1), 100000), flags, text);
            }
            const int boxWidth = measured.width() + 6;
            int left = middle - boxWidth / 2;
            left = std::max(left, minLeft);
            if (left + boxWidth > maxRight)
                left = std::max(maxRight - boxWidth, minLeft);
            const int bottom = std::min(boxTop + measured.height() + 6, bottomLimit);
            g.box = QRect(left, boxTop, boxWidth, bottom - boxTop);
            g.textRect = QRect(left + 3, y0 + 9, boxWidth - 6, measured.height());
            // A box cut short by the bottom of the window cuts its text with it.
            p.save();
            p.setClipRect(g.box);
            p.drawText(g.textRect, flags, text);
            p.restore();
        }
        p.drawRoundedRect(g.box, 3, 2.5);
        // The outline is drawn on x + width, one pixel beyond QRect::right().
        minLeft = g.box.x() + g.box.width() + 5;
        result.notes.push_back(g);
    }
}

void ChartPainter::labels(const BandScale& band, const std::vector<Currency>& values) {
    for (const Currency& v : values) {
        const int y = band.yOf(v.toDouble());
        p.drawLine(38, y, 42, y);
        p.drawText(QRect(7, nearestInt(y - LH / 2.0), 30, LH), Qt::AlignRight | Qt::AlignTop, v.toString());
    }
}

void ChartPainter::axes() {
    p.setPen(Ink);
    p.drawLine(ProgressLayout::AxisX, ProgressLayout::BandTop, ProgressLayout::AxisX, l.SH - 6);
    p.drawLine(7, l.calZeroY, l.SW - 6, l.calZeroY);

    const double labelDays = (LW + 8) / static_cast<double>(l.pxPerDay);
    const int step = std::max(1, static_cast<int>(std::ceil(labelDays)));
    const int lastLabelled = l.nDays - static_cast<int>(std::floor(labelDays));
    const QLocale locale;
    for (int d = 1; d <= lastLabelled; d += step) {
        const QString text = locale.toString(m.dateFrom().addDays(d - 1).toQDate(), u"MMM d"_s);
        p.drawText(QRect(l.xOfDay(d) + 2, l.calZeroY - LH - 4, LW * 2, LH), Qt::AlignLeft | Qt::AlignTop,
                   text);
        result.dateLabels.emplace_back(d, text);
    }

    result.labels = valueLabels(l, LH);
    labels(l.girth, result.labels.girth);
    labels(l.weight, result.labels.weight);
    labels(l.calories, result.labels.caloriesUpper);
    labels(l.calories, result.labels.caloriesLower);

    arrowhead(QPolygon({QPoint(l.SW - 19, l.calZeroY - 2), QPoint(l.SW - 7, l.calZeroY),
                        QPoint(l.SW - 19, l.calZeroY + 2)}));
    for (int top : {l.girth.top, l.weight.top, l.calories.top})
        arrowhead(QPolygon({QPoint(38, top + 12), QPoint(40, top), QPoint(42, top + 12)}));
}

} // namespace

ProgressDrawing drawProgress(QPainter& painter, const ProgressLayout& layout, const ProgressModel& model,
                             const QFont& font) {
    if (model.nDays() <= 1)
        return {};
    ChartPainter chart(painter, layout, model, font);
    chart.bodyLines();
    chart.calorieStems();
    chart.notesLane();
    chart.axes();
    return std::move(chart.result);
}

} // namespace kelvora
