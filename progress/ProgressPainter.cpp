#include "ProgressPainter.h"

#include "Common.h"
#include "NoteLabels.h"
#include "Numeric.h"
#include "ProgressModel.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPen>
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

// Room kept between the box of a note and the point halfway to the next note.
constexpr int NoteGapMargin = 2;
// The value labels are right-aligned at x = 36, in a box from x = 7 that grows left to the window's
// edge for a text wider than that.
constexpr int ValueBoxRight = 36;
constexpr int ValueBoxWidth = 30;
constexpr int ValueRoomLeft = 1;
// Between the lowest note and the summary line under the chart.
constexpr int SummaryGap = 3;
constexpr int NoteWrapFlags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;

int nearestInt(double v) {
    return static_cast<int>(nearest(v));
}

class ChartPainter {
public:
    ChartPainter(QPainter& p, const ProgressLayout& l, const ProgressModel& m, const QFont& font)
        : p(p), l(l), m(m), fm(font, p.device()) {
        LH = fm.height();
        p.setFont(font);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setBrush(Qt::NoBrush);
    }

    void bodyLines();
    void calorieStems();
    void targetLine();
    void budgetTicks();
    void summary(bool metric);
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
    std::vector<NoteLabelRequest> noteRequests();
    void drawDateLabels();
    void drawValueLabels();
    void drawBandLabels(const BandScale& band, const std::vector<Currency>& values,
                        const QFontMetrics& metrics);

    QPainter& p;
    const ProgressLayout& l;
    const ProgressModel& m;
    QFontMetrics fm;
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
    // Dots as wide as the days have room for, so that neighbouring days never merge into one band.
    const int radius = stemDotRadius(l.pxPerDay);
    for (int k = 1; k <= m.nDays(); ++k) {
        const ProgressDay& day = m.day(k);
        if (!day.HasCalories)
            continue;
        StemGeometry stem{k, l.xOfDay(k), nearestInt(l.calZeroY - day.Calories * l.calories.scale), {}};
        p.drawLine(stem.x, l.calZeroY, stem.x, stem.y);
        if (radius > 0) {
            p.drawEllipse(QPoint(stem.x, stem.y), radius, radius);
            stem.dot = QRect(stem.x - radius, stem.y - radius, 2 * radius + 1, 2 * radius + 1);
        }
        result.stems.push_back(stem);
    }
}

void ChartPainter::targetLine() {
    const auto target = m.goals().targetWeight;
    if (!target)
        return;
    TargetLine line{*target, l.weight.yOf(*target), ProgressLayout::FirstDayX, l.SW - 7, {}};
    QPen dashed(WeightColour);
    dashed.setStyle(Qt::DashLine);
    p.setPen(dashed);
    p.drawLine(line.x1, line.y, line.x2, line.y);
    // Above the line at its right end, inside the weight band.
    const QString text = u"Target"_s;
    const int width = fm.horizontalAdvance(text);
    const int top = std::max(l.weight.top, line.y - 1 - fm.height());
    line.label = QRect(line.x2 - width, top, width, fm.height());
    p.setPen(WeightColour);
    p.drawText(line.label, Qt::AlignRight | Qt::AlignTop | Qt::TextDontClip, text);
    result.target = line;
}

void ChartPainter::budgetTicks() {
    if (!m.goals().dailyCalorieBudget)
        return;
    // At the foot of the calorie band, below every stem and clear of the date labels over the zero line.
    const int bottom = l.calories.top + l.calH - 1;
    p.setPen(Ink);
    for (int k = 1; k <= m.nDays(); ++k) {
        if (!m.withinBudget(k))
            continue;
        const BudgetTick tick{k, l.xOfDay(k), bottom - 4, bottom};
        p.drawLine(tick.x, tick.y1, tick.x, tick.y2);
        result.budgetTicks.push_back(tick);
    }
}

void ChartPainter::summary(bool metric) {
    const QString text = summaryText(m.summary(), metric);
    const QRect rect(ProgressLayout::FirstDayX, l.SH - 7 - LH,
                     std::max(0, l.SW - 7 - ProgressLayout::FirstDayX), LH);
    p.setPen(Ink);
    p.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               fm.elidedText(text, Qt::ElideRight, rect.width()));
    result.summary = {text, rect};
}

std::vector<NoteLabelRequest> ChartPainter::noteRequests() {
    const auto& notes = m.notes();
    std::vector<NoteLabelRequest> requests;
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
        int maxRight = l.SW - 10;
        if (i + 1 < notes.size()) {
            const int nextStart = clampX(l.xOfDay(m.dayOf(notes[i + 1].DateFrom)));
            maxRight = (g.x2 + nextStart) / 2 - NoteGapMargin;
        }
        requests.push_back({g.x1, g.x2, maxRight, note.NoteText});
        result.notes.push_back(g);
    }
    return requests;
}

void ChartPainter::notesLane() {
    const int y0 = l.notesTop;
    const NoteLane lane{.rangeY = y0,
                        .boxTop = y0 + 6,
                        .left = ProgressLayout::FirstDayX + 3,
                        .right = l.SW - 10,
                        .bottom = l.SH - 7 - LH - SummaryGap,
                        .widest = nearestInt(0.4 * (l.SW - 50))};
    const std::vector<NoteLabelRequest> requests = noteRequests();
    const std::vector<NoteLabel> placed = placeNoteLabels(requests, lane, fm);
    p.setPen(Ink);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        NoteGeometry& g = result.notes[i];
        const NoteLabel& label = placed[i];
        p.drawLine(g.x1, y0, g.x2, y0);
        if (g.leftTick)
            p.drawLine(g.x1, y0 - 5, g.x1, y0);
        if (g.rightTick)
            p.drawLine(g.x2, y0 - 5, g.x2, y0);
        g.box = label.box;
        g.textRect = label.textRect;
        g.text = requests[i].text;
        g.shownText = label.text;
        g.connectorX = label.connectorX;
        if (label.box.isEmpty())
            continue;
        p.drawLine(label.connectorX, y0, label.connectorX, label.box.top());
        p.save();
        p.setClipRect(label.box);
        p.drawText(label.textRect,
                   label.wrapped ? NoteWrapFlags : Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   label.text);
        p.restore();
        p.drawRoundedRect(label.box, 3, 2.5);
    }
}

void ChartPainter::drawBandLabels(const BandScale& band, const std::vector<Currency>& values,
                                  const QFontMetrics& metrics) {
    const int height = metrics.height();
    for (const Currency& v : values) {
        const int y = band.yOf(v.toDouble());
        p.drawLine(38, y, 42, y);
        const QString text = v.toString();
        const int width = std::max(ValueBoxWidth, metrics.horizontalAdvance(text));
        const QRect box(ValueBoxRight + 1 - width, nearestInt(y - height / 2.0), width, height);
        p.drawText(box, Qt::AlignRight | Qt::AlignTop | Qt::TextDontClip, text);
        result.valueLabels.push_back({text, box});
    }
}

void ChartPainter::drawValueLabels() {
    result.labels = valueLabels(l, LH);
    QStringList texts;
    for (const auto* values : {&result.labels.girth, &result.labels.weight, &result.labels.caloriesUpper,
                               &result.labels.caloriesLower})
        for (const Currency& v : *values)
            texts.append(v.toString());
    // One size for every value label: the chart's, unless the widest text would not fit left of the
    // ticks.
    result.valueFont = fittedFont(p.font(), *p.device(), texts, ValueBoxRight + 1 - ValueRoomLeft);
    const QFont chartFont = p.font();
    p.setFont(result.valueFont);
    const QFontMetrics metrics(result.valueFont, p.device());
    drawBandLabels(l.girth, result.labels.girth, metrics);
    drawBandLabels(l.weight, result.labels.weight, metrics);
    drawBandLabels(l.calories, result.labels.caloriesUpper, metrics);
    drawBandLabels(l.calories, result.labels.caloriesLower, metrics);
    p.setFont(chartFont);
}

void ChartPainter::drawDateLabels() {
    const QLocale locale;
    result.dateLabels = placeDateLabels(l, result.stems, fm, [&](int day) {
        return locale.toString(m.dateFrom().addDays(day - 1).toQDate(), u"MMM d"_s);
    });
    for (const DateLabel& label : result.dateLabels)
        p.drawText(label.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, label.text);
}

void ChartPainter::axes() {
    p.setPen(Ink);
    p.drawLine(ProgressLayout::AxisX, ProgressLayout::BandTop, ProgressLayout::AxisX, l.SH - 6);
    p.drawLine(7, l.calZeroY, l.SW - 6, l.calZeroY);

    drawDateLabels();
    drawValueLabels();

    result.timeArrow = timeArrowhead(l);
    arrowhead(QPolygon({QPoint(l.SW - 19, l.calZeroY - 2), QPoint(l.SW - 7, l.calZeroY),
                        QPoint(l.SW - 19, l.calZeroY + 2)}));
    for (int top : {l.girth.top, l.weight.top, l.calories.top})
        arrowhead(QPolygon({QPoint(38, top + 12), QPoint(40, top), QPoint(42, top + 12)}));
}

} // namespace

QString summaryText(const ProgressSummary& summary, bool metric) {
    QStringList parts;
    if (summary.daysWithinBudget)
        parts << u"Days within budget: %1 of %2"_s.arg(*summary.daysWithinBudget).arg(summary.daysEaten);
    parts << (summary.averageEaten
                  ? u"Average eaten: %1 kcal a day"_s.arg(formatNumber(nearest(*summary.averageEaten)))
                  : u"Average eaten: no meals recorded"_s);
    if (summary.weightChange) {
        const double change = *summary.weightChange;
        parts << u"Weight change: %1%2 %3"_s.arg(change > 0 ? u"+"_s : QString(), formatNumber(change + 0.0),
                                                 metric ? u"kg"_s : u"lb"_s);
    } else {
        parts << u"Weight change: fewer than two days measured"_s;
    }
    return parts.join(u"; "_s);
}

ProgressDrawing drawProgress(QPainter& painter, const ProgressLayout& layout, const ProgressModel& model,
                             const QFont& font, bool metric) {
    if (model.nDays() <= 1)
        return {};
    painter.save();
    ChartPainter chart(painter, layout, model, font);
    chart.bodyLines();
    chart.targetLine();
    chart.calorieStems();
    chart.budgetTicks();
    chart.summary(metric);
    chart.notesLane();
    chart.axes();
    painter.restore();
    return std::move(chart.result);
}

} // namespace kelvora
