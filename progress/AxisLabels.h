#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QFontMetrics;
class QPaintDevice;

namespace kelvora {

class ProgressLayout;

// One day's calorie stem as drawn: from the zero line to the day's balance at (x, y), with a dot
// around its end.
struct StemGeometry {
    int day = 0;
    int x = 0;
    int y = 0;
    QRect dot; // the pixels of the dot's outline; empty where the days stand too close for dots
};

// The radius of the stems' dots for days `pxPerDay` apart: 3 pixels where the days have room, less
// where the dots of neighbouring days would overlap, none where days are less than 3 pixels apart.
int stemDotRadius(float pxPerDay);

struct DateLabel {
    int day = 0;
    QString text;
    QRect rect; // where its text was drawn: the advance of the text by one line of the chart's font
};

// The date labels of the time axis, every few days where they fit: above the zero line as designed,
// below it where stems or dots are in the way above, a day or two aside within the step where both
// are, never over a dot, never into the arrowhead at the axis's right end and never over each
// other. `dateOf` gives the text of a day.
std::vector<DateLabel> placeDateLabels(const ProgressLayout& layout, const std::vector<StemGeometry>& stems,
                                       const QFontMetrics& metrics,
                                       const std::function<QString(int day)>& dateOf);

// The rectangle of the time axis's arrowhead.
QRect timeArrowhead(const ProgressLayout& layout);

// `font`, or a smaller size of it where the widest of `texts` would not fit into `room` pixels of
// `device`.
QFont fittedFont(const QFont& font, const QPaintDevice& device, const QStringList& texts, int room);

} // namespace kelvora
