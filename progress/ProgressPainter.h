#pragma once

#include "AxisLabels.h"
#include "ProgressLayout.h"

#include <QFont>
#include <QRect>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

class QPainter;

namespace kelvora {

class ProgressModel;
struct ProgressSummary;

// Where one note's range and label were drawn.
struct NoteGeometry {
    int x1 = 0;
    int x2 = 0;
    bool leftTick = false;
    bool rightTick = false;
    QRect box;          // the label's rounded box; empty when the lane had no room left for it
    QRect textRect;     // where the text was drawn, word-wrapped, inside the box
    QString text;       // the note's whole text
    QString shownText;  // the note's text, or its beginning and an ellipsis where the lane was full
    int connectorX = 0; // the connector runs down from the range to the box at this x
};

// A value label left of the vertical axis: the box its text is right-aligned in.
struct ValueLabel {
    QString text;
    QRect box;
};

// The target weight's dashed line across the weight band, and its "Target" label at the right end.
struct TargetLine {
    double value = 0;
    int y = 0;
    int x1 = 0;
    int x2 = 0;
    QRect label;
};

// A mark under the stem of a day whose kcal eaten stayed within the budget.
struct BudgetTick {
    int day = 0;
    int x = 0;
    int y1 = 0;
    int y2 = 0;
};

// The period's summary line under the chart.
struct SummaryLine {
    QString text;
    QRect rect;
};

// What the last drawing put where, for the window's callers and its tests.
struct ProgressDrawing {
    std::vector<std::pair<int, int>> bodyRuns; // first and last day of each drawn run
    std::vector<StemGeometry> stems;
    std::vector<NoteGeometry> notes;
    std::vector<DateLabel> dateLabels;
    ValueLabels labels;
    std::vector<ValueLabel> valueLabels; // girths, weight, upper and lower calories, as in `labels`
    QFont valueFont;                     // the font of the value labels
    QRect timeArrow;                     // the arrowhead at the right end of the zero line
    std::optional<TargetLine> target;    // none without a target weight
    std::vector<BudgetTick> budgetTicks;
    SummaryLine summary;
};

// The summary line of a period: days within budget, average kcal eaten, weight change.
QString summaryText(const ProgressSummary& summary, bool metric);

// Draws the progress chart of `model` over a cleared SW x SH area from the painter's origin, in the
// painter's units. `font` is used for every text and measured on the painter's device; one date
// label ("May 30") measured in it sizes the labels.
// `metric` names the weight change's unit in the summary line.
ProgressDrawing drawProgress(QPainter& painter, const ProgressLayout& layout, const ProgressModel& model,
                             const QFont& font, bool metric = false);

} // namespace kelvora
