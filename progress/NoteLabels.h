#pragma once

#include <QRect>
#include <QString>

#include <vector>

class QFontMetrics;

namespace kelvora {

// The lane beneath the bands where the notes' labels go: their boxes start at `boxTop` or lower,
// stay between `left` and `right` (the outline included) and end at `bottom` at the lowest.
struct NoteLane {
    int rangeY = 0; // the notes' ranges are drawn along this line
    int boxTop = 0;
    int left = 0;
    int right = 0;
    int bottom = 0;
    int widest = 0; // the widest a label grows from its note's left limit before more rows are tried
};

// One note as its label is asked for: its range, the text and how far its box should reach right
// to leave the next note room (the lane's right end for the last).
struct NoteLabelRequest {
    int x1 = 0;
    int x2 = 0;
    int maxRight = 0;
    QString text;
};

struct NoteLabel {
    QRect box;      // the rounded box, outline from x() to x() + width(); empty when no room was left
    QRect textRect; // where the text is drawn, word-wrapped
    QString text;   // the note's text, or its beginning and an ellipsis where the lane was full
    int connectorX = 0;
    bool wrapped = true; // false for a shortened text, which stays on one line
};

// Lays out the labels of the notes in their order. A label whose text fits its note's range, or the
// designed wider box beside it, stands under the range as designed; one that does not gets a box
// wider than its range, in a lower row where the row above has no room, always on a connector that
// comes straight down from its own range. No box overlaps another box or a connector, and none
// leaves the lane. A text is cut short only where the lane has no room for it whole, or where the
// whole text would take the last room a later note has for its connector; a note gets no box only
// when not even a few letters have room.
std::vector<NoteLabel> placeNoteLabels(const std::vector<NoteLabelRequest>& notes, const NoteLane& lane,
                                       const QFontMetrics& metrics);

} // namespace kelvora
