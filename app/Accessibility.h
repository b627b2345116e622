#pragma once

class QString;
class QWidget;

namespace kelvora {

// Makes screen readers call every combo box of the program by its name (the caption of its
// label), with the entry it shows as its value. Left to itself, Qt on Linux reports a combo box's
// shown entry as its name, so a reader would announce "Prepared Dishes" instead of "Meal
// Category, Prepared Dishes". Safe to call more than once.
void nameCombosForScreenReaders();

// A picture drawn by the program, such as the daily chart, reported to screen readers as a chart
// with `name`; what it shows goes in its description.
void presentAsChart(QWidget& chart, const QString& name);
// Sets what the chart shows, in words; a screen reader on the chart hears when that changes.
void describeChart(QWidget& chart, const QString& description);

} // namespace kelvora
