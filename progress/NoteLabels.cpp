#include "NoteLabels.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

// Room kept around a box: beside another box, above or below one, and beside a connector.
constexpr int BoxGap = 5;
constexpr int RowGap = 3;
constexpr int ConnectorGap = 3;
// Text sits this far inside its box, and a connector meets the box at least this far from a corner.
constexpr int Padding = 3;
constexpr int WrapFlags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;

// Sets of whole pixel positions as sorted, disjoint closed intervals.
struct Span {
    int from;
    int to;
};
using Spans = std::vector<Span>;

// Takes from..to out of the set. Most of what is taken out lies elsewhere, so the set is only
// rebuilt where it is cut.
void cut(Spans& spans, int from, int to) {
    const auto hit = [&](const Span& s) { return !(to < s.from || from > s.to); };
    if (std::none_of(spans.begin(), spans.end(), hit))
        return;
    Spans rest;
    rest.reserve(spans.size() + 1);
    for (const Span& s : spans) {
        if (!hit(s)) {
            rest.push_back(s);
            continue;
        }
        if (s.from < from)
            rest.push_back({s.from, from - 1});
        if (s.to > to)
            rest.push_back({to + 1, s.to});
    }
    spans = std::move(rest);
}

Spans common(const Spans& a, const Spans& b) {
    Spans both;
    for (const Span& x : a) {
        for (const Span& y : b) {
            const int from = std::max(x.from, y.from);
            const int to = std::min(x.to, y.to);
            if (from <= to)
                both.push_back({from, to});
        }
    }
    return both;
}

// Every position p + d for p in `spans` and d in [low, high].
Spans widened(const Spans& spans, int low, int high) {
    Spans wide;
    for (const Span& s : spans) {
        if (!wide.empty() && s.from + low <= wide.back().to + 1)
            wide.back().to = std::max(wide.back().to, s.to + high);
        else
            wide.push_back({s.from + low, s.to + high});
    }
    return wide;
}

std::optional<int> nearestTo(const Spans& spans, int x) {
    std::optional<int> best;
    for (const Span& s : spans) {
        const int p = std::clamp(x, s.from, s.to);
        if (!best || std::abs(p - x) < std::abs(*best - x))
            best = p;
    }
    return best;
}

// A label already laid out: its box (outline included) and its connector.
struct Placed {
    int left;
    int right;
    int top;
    int bottom;
    int connectorX;
};

// The room a row has for a box: its top, the widest box and the widest that leaves the next
// note's range a connector's room.
struct Room {
    int top = 0;
    int width = 0;
    int sparing = 0;
};

struct Placement {
    int left = 0;
    int top = 0;
    int connectorX = 0;
    int covered = 0; // later notes whose whole range the box leaves no connector room in
};

class Lane {
public:
    explicit Lane(const NoteLane& lane) : m_lane(lane) {}

    // The highest place for a box of `size` (outline to outline) hanging from the range x1..x2,
    // as near `desiredLeft` as it can be at that height, where possible one that leaves a connector
    // room in each of the `later` ranges still to be labelled.
    std::optional<Placement> place(QSize size, int x1, int x2, int middle, int desiredLeft,
                                   const Spans& later) const {
        const int w = size.width();
        const int h = size.height();
        if (w < 2 * Padding || m_lane.right - w < m_lane.left)
            return std::nullopt;
        std::optional<Placement> first;
        for (const int top : tops()) {
            if (top + h > m_lane.bottom)
                break;
            const std::optional<Placement> at = placeAt(top, size, x1, x2, middle, desiredLeft, later);
            if (at && at->covered == 0)
                return at;
            if (!first)
                first = at;
        }
        return first;
    }

    void add(const QRect& box, int connectorX) {
        m_placed.push_back({box.x(), box.x() + box.width(), box.y(), box.y() + box.height(), connectorX});
    }

    // For each row a box of `height` could stand in, highest first, the widest box, up to `widest`,
    // that could stand there hanging from x1..x2, and the widest that would also end before
    // `spareRight`.
    std::vector<Room> rooms(int height, int x1, int x2, int widest, int spareRight) const {
        std::vector<Room> result;
        for (const int top : tops()) {
            if (top + height > m_lane.bottom)
                break;
            const Band band = bandAt(top, height, x1, x2, widest);
            Room room{top, 0, 0};
            for (const Span& free : band.free) {
                if (!common(band.connectors, {{free.from + Padding, free.to - Padding}}).empty())
                    room.width = std::max(room.width, std::min(widest, free.to - free.from));
                const int right = std::min(free.to, spareRight);
                if (!common(band.connectors, {{free.from + Padding, right - Padding}}).empty())
                    room.sparing = std::max(room.sparing, std::min(widest, right - free.from));
            }
            if (room.width > 0)
                result.push_back(room);
        }
        return result;
    }

private:
    // Where a box may stand at one height: the stretches its outline may take, and where a
    // connector from the range may come down to it.
    struct Band {
        Spans free;
        Spans connectors;
    };

    // Only what stands within `reach` of the range can be in the way of a box that wide.
    Band bandAt(int top, int height, int x1, int x2, int reach) const {
        Band band{{{std::max(m_lane.left, x1 - reach), std::min(m_lane.right, x2 + reach)}}, {{x1, x2}}};
        for (const Placed& p : m_placed) {
            if (p.right + BoxGap < x1 - reach || p.left - BoxGap > x2 + reach)
                continue;
            if (top <= p.bottom + RowGap - 1 && top + height >= p.top - RowGap + 1)
                cut(band.free, p.left - BoxGap + 1, p.right + BoxGap - 1);
            if (top <= p.top && top + height >= m_lane.rangeY)
                cut(band.free, p.connectorX - ConnectorGap + 1, p.connectorX + ConnectorGap - 1);
            // A connector on its way down passes every box above the new one.
            if (p.top <= top)
                cut(band.connectors, p.left - ConnectorGap + 1, p.right + ConnectorGap - 1);
        }
        return band;
    }

    std::optional<Placement> placeAt(int top, QSize size, int x1, int x2, int middle, int desiredLeft,
                                     const Spans& later) const {
        const int w = size.width();
        const Band band = bandAt(top, size.height(), x1, x2, w);
        Spans lefts;
        for (const Span& free : band.free) {
            if (free.to - w >= free.from)
                lefts.push_back({free.from, free.to - w});
        }
        // The box holds its connector a little way in from its corners.
        const Spans allowed = common(lefts, widened(band.connectors, Padding - w, -Padding));
        if (allowed.empty())
            return std::nullopt;
        Spans sparing = allowed;
        for (const Span& range : later)
            cut(sparing, range.to - w - ConnectorGap + 1, range.from + ConnectorGap - 1);
        const int desired = std::clamp(desiredLeft, m_lane.left, m_lane.right - w);
        const int left = nearestTo(sparing.empty() ? allowed : sparing, desired).value_or(desired);
        const Spans meeting = common(band.connectors, {{left + Padding, left + w - Padding}});
        Placement at{left, top, nearestTo(meeting, middle).value_or(left + w / 2), 0};
        for (const Span& range : later)
            at.covered += left - ConnectorGap + 1 <= range.from && left + w + ConnectorGap - 1 >= range.to;
        return at;
    }

    // The first row, and just below each box.
    std::vector<int> tops() const {
        std::vector<int> result{m_lane.boxTop};
        for (const Placed& p : m_placed)
            result.push_back(p.bottom + RowGap);
        std::sort(result.begin(), result.end());
        result.erase(std::unique(result.begin(), result.end()), result.end());
        return result;
    }

    const NoteLane& m_lane;
    std::vector<Placed> m_placed;
};

int nearestInt(double v) {
    return static_cast<int>(std::nearbyint(v));
}

// A candidate label and how it ranks: first by the later notes it leaves no room for a connector,
// then by its height in the lane, then by the order it was tried in.
struct Candidate {
    NoteLabel label;
    int covered = 0;

    bool betterThan(const Candidate& other) const {
        if (other.label.box.isEmpty())
            return true;
        return std::pair(covered, label.box.y()) < std::pair(other.covered, other.label.box.y());
    }
};

class NoteLayout {
public:
    NoteLayout(const NoteLane& lane, const QFontMetrics& metrics, const std::vector<NoteLabelRequest>& notes)
        : m_lane(lane), m_space(lane), m_fm(metrics), m_notes(notes), m_minLeft(lane.left) {}

    NoteLabel place(std::size_t index) {
        const NoteLabelRequest& note = m_notes[index];
        m_note = &note;
        m_middle = (note.x1 + note.x2) / 2;
        m_natural = m_fm.horizontalAdvance(note.text);
        m_later.clear();
        for (std::size_t j = index + 1; j < m_notes.size(); ++j)
            m_later.push_back({m_notes[j].x1, m_notes[j].x2});
        // Where a box of one line could stand: no box of the note can stand anywhere else, nor be wider.
        const int lane = m_lane.right - m_lane.left;
        const int spareRight = m_later.empty() ? m_lane.right : m_later.front().to - ConnectorGap;
        m_rooms = m_space.rooms(m_fm.height() + 2 * Padding, note.x1, note.x2, lane, spareRight);
        if (m_rooms.empty())
            return {};
        Candidate best = wholeText();
        if (best.label.box.isEmpty() || best.covered > 0) {
            const Candidate shortened = shortenedText();
            if (!shortened.label.box.isEmpty() &&
                (best.label.box.isEmpty() || shortened.covered < best.covered))
                best = shortened;
        }
        const NoteLabel& label = best.label;
        if (!label.box.isEmpty()) {
            m_space.add(label.box, label.connectorX);
            m_minLeft = label.box.x() + label.box.width() + BoxGap;
        }
        return label;
    }

private:
    QRect measure(int width, const QString& text) const {
        return m_fm.boundingRect(QRect(0, 0, std::max(width, 1), 100000), WrapFlags, text);
    }

    // The box is centred under the range and kept from the room the next note needs.
    int desiredLeft(int boxWidth) const {
        int left = m_middle - boxWidth / 2;
        if (left + boxWidth > m_note->maxRight)
            left = m_note->maxRight - boxWidth;
        return left;
    }

    // The widths tried for the whole text, in order: the note's range, the designed wider box, a box
    // as wide as any label grows, then narrower boxes for the room between other labels and wider
    // ones, of fewer lines, for the room left below them.
    std::vector<int> textWidths() const {
        const QString& text = m_note->text;
        const int rangeWidth = m_note->x2 - m_note->x1 - 2 * Padding;
        std::vector<int> widths;
        if (m_fm.horizontalAdvance(text.left(4)) <= rangeWidth) {
            const QRect measured = measure(rangeWidth, text);
            if (measured.width() <= rangeWidth &&
                m_lane.boxTop + Padding + measured.height() <= m_lane.bottom)
                widths.push_back(rangeWidth);
        }
        const int designedWidest =
            std::min(nearestInt(m_minLeft + m_lane.widest), m_note->maxRight) - m_minLeft - 2 * Padding;
        widths.push_back(std::max(rangeWidth, designedWidest));
        widths.push_back(m_lane.widest - 2 * Padding);
        const int lane = m_lane.right - m_lane.left;
        for (const int quarters : {1, 2, 4})
            widths.push_back(lane * quarters / 4 - 2 * Padding);
        return widths;
    }

    Candidate wholeText() const {
        int widestRoom = 0;
        for (const Room& room : m_rooms)
            widestRoom = std::max(widestRoom, room.width);
        Candidate best;
        std::vector<int> tried;
        for (const int wanted : textWidths()) {
            // A box wider than every row's room stands nowhere: its text is wrapped within the room.
            const int width = std::min(wanted, widestRoom - 2 * Padding);
            if (std::find(tried.begin(), tried.end(), width) != tried.end())
                continue;
            tried.push_back(width);
            const QRect measured = measure(width, m_note->text);
            const QSize box(measured.width() + 2 * Padding, measured.height() + 2 * Padding);
            const Candidate candidate = candidateFor(box, measured.height(), m_note->text);
            if (!candidate.label.box.isEmpty() && candidate.betterThan(best))
                best = candidate;
            if (!best.label.box.isEmpty() && best.covered == 0 && best.label.box.y() == m_lane.boxTop)
                break;
        }
        return best;
    }

    // The lane is full: one line, as much of the text as has room, highest first, then widest.
    Candidate shortenedText() const {
        const QString& text = m_note->text;
        const int shortest = m_fm.horizontalAdvance(text.left(3) + u"…"_s);
        const int lineHeight = m_fm.height();
        Candidate best;
        for (const Room& room : m_rooms) {
            // As wide as the row has room for without taking the next note's, else as wide as it has.
            for (const int roomWidth : {room.sparing, room.width}) {
                const int width = std::min(m_natural, roomWidth - 2 * Padding);
                if (width < shortest)
                    continue;
                const QString shown = m_fm.elidedText(text, Qt::ElideRight, width);
                const QSize box(m_fm.horizontalAdvance(shown) + 2 * Padding, lineHeight + 2 * Padding);
                Candidate candidate = candidateFor(box, lineHeight, shown);
                candidate.label.wrapped = false;
                if (!candidate.label.box.isEmpty() && candidate.betterThan(best))
                    best = candidate;
                // The rows come highest first: a label that leaves the later notes room is the best.
                if (!best.label.box.isEmpty() && best.covered == 0)
                    return best;
            }
        }
        return best;
    }

    Candidate candidateFor(QSize box, int textHeight, const QString& text) const {
        const auto at =
            m_space.place(box, m_note->x1, m_note->x2, m_middle, desiredLeft(box.width()), m_later);
        if (!at)
            return {};
        return {{QRect(QPoint(at->left, at->top), box),
                 QRect(at->left + Padding, at->top + Padding, box.width() - 2 * Padding, textHeight), text,
                 at->connectorX},
                at->covered};
    }

    const NoteLane& m_lane;
    Lane m_space;
    const QFontMetrics& m_fm;
    const std::vector<NoteLabelRequest>& m_notes;
    // The designed left limit of the next box: 5 pixels right of the last one.
    int m_minLeft;
    const NoteLabelRequest* m_note = nullptr;
    int m_middle = 0;
    int m_natural = 0; // the width of the note's text on one line
    std::vector<Room> m_rooms;
    Spans m_later; // the ranges of the notes after this one
};

} // namespace

std::vector<NoteLabel> placeNoteLabels(const std::vector<NoteLabelRequest>& notes, const NoteLane& lane,
                                       const QFontMetrics& metrics) {
    NoteLayout layout(lane, metrics, notes);
    std::vector<NoteLabel> labels;
    labels.reserve(notes.size());
    for (std::size_t i = 0; i < notes.size(); ++i)
        labels.push_back(layout.place(i));
    return labels;
}

} // namespace kelvora
