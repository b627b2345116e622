#pragma once

#include "ProgressLayout.h"

#include <QFont>
#include <QRect>
#include <QString>

#include <utility>
#include <vector>

class QPainter;

namespace kelvora {

class ProgressModel;

// Where one note's range and box were drawn.
struct NoteGeometry {
    int x1 = 0;
    int x2 = 0;
    bool leftTick = false;
    bool rightTick = false;
    QRect box;
    QRect textRect; // empty when the text did not fit the note's range at all
};

// What the last drawing put where, for the window's callers and its tests.
struct ProgressDrawing {
    std::vector<std::pair<int, int>> bodyRuns; // first and last day of each drawn run
    std::vector<NoteGeometry> notes;
    std::vector<std::pair<int, QString>> dateLabels; // day and its text
    ValueLabels labels;
};

// Draws the progress chart of `model` over a cleared SW x SH area. `font` is used for every text;
// one date label ("May 30") measured in it sizes the labels.
ProgressDrawing drawProgress(QPainter& painter, const ProgressLayout& layout, const ProgressModel& model,
                             const QFont& font);

} // namespace kelvora
