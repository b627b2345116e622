#include "AxisLabels.h"

#include "ProgressLayout.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <tuple>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

constexpr int LabelGap = 4;  // between the zero line and a label, and between two labels
constexpr int ArrowGap = 3;  // between the last label and the arrowhead
constexpr int DotMargin = 1; // around a dot, so that no label touches one
constexpr int MaxDotRadius = 3;

struct Candidate {
    DateLabel label;
    int dots = 0;
    int stems = 0;
    int shift = 0;
    bool below = false;

    auto rank() const { return std::tuple(dots > 0, stems, shift, below); }
};

class DateAxis {
public:
    DateAxis(const ProgressLayout& l, const std::vector<StemGeometry>& stems, const QFontMetrics& fm,
             const std::function<QString(int)>& dateOf)
        : m_layout(l), m_stems(stems), m_fm(fm), m_dateOf(dateOf), m_height(fm.height()),
          m_end(timeArrowhead(l).left() - ArrowGap) {}

    std::vector<DateLabel> labels() {
        const double labelDays =
            (m_fm.horizontalAdvance(u"May 30"_s) + 8) / static_cast<double>(m_layout.pxPerDay);
        const int step = std::max(1, static_cast<int>(std::ceil(labelDays)));
        const int lastLabelled = m_layout.nDays - static_cast<int>(std::floor(labelDays));
        const int maxShift = (step - 1) / 2;
        std::vector<DateLabel> placed;
        for (int d = 1; d <= lastLabelled; d += step) {
            std::optional<Candidate> best;
            for (int shift = 0; shift <= maxShift; ++shift) {
                for (const int day : {d + shift, d - shift}) {
                    for (const bool below : {false, true}) {
                        auto candidate = at(day, below, placed.empty() ? nullptr : &placed.back());
                        if (!candidate)
                            continue;
                        candidate->shift = shift;
                        if (!best || candidate->rank() < best->rank())
                            best = candidate;
                    }
                }
            }
            if (best && best->dots > 0)
                best = raised(best->label);
            if (best)
                placed.push_back(best->label);
        }
        return placed;
    }

private:
    std::optional<Candidate> at(int day, bool below, const DateLabel* previous) const {
        if (day < 1 || day > m_layout.nDays)
            return std::nullopt;
        const QString text = m_dateOf(day);
        const int top = below ? m_layout.calZeroY + LabelGap : m_layout.calZeroY - m_height - LabelGap;
        const QRect rect(m_layout.xOfDay(day) + 2, top, m_fm.horizontalAdvance(text), m_height);
        if (rect.x() + rect.width() > m_end)
            return std::nullopt;
        if (previous && rect.x() < previous->rect.x() + previous->rect.width() + LabelGap)
            return std::nullopt;
        Candidate c{{day, text, rect}};
        c.below = below;
        for (const StemGeometry& s : m_stems) {
            if (rect.intersects(s.dot.marginsAdded(QMargins(DotMargin, DotMargin, DotMargin, DotMargin))))
                ++c.dots;
            if (rect.intersects(
                    QRect(s.x, std::min(s.y, m_layout.calZeroY), 1, std::abs(s.y - m_layout.calZeroY) + 1)))
                ++c.stems;
        }
        return c;
    }

    // Dots above and below the line in the label's way: the label rises above the dots over it, as
    // long as it stays within the calorie band.
    std::optional<Candidate> raised(DateLabel label) const {
        const int highestBottom = m_layout.calZeroY - LabelGap - 1;
        if (label.rect.bottom() > highestBottom)
            label.rect.moveBottom(highestBottom);
        while (label.rect.top() >= m_layout.calories.top) {
            std::optional<int> hit;
            for (const StemGeometry& s : m_stems) {
                const QRect around = s.dot.marginsAdded(QMargins(DotMargin, DotMargin, DotMargin, DotMargin));
                if (label.rect.intersects(around))
                    hit = std::min(hit.value_or(around.top()), around.top());
            }
            if (!hit)
                return Candidate{label};
            label.rect.moveBottom(*hit - 1);
        }
        return std::nullopt;
    }

    const ProgressLayout& m_layout;
    const std::vector<StemGeometry>& m_stems;
    const QFontMetrics& m_fm;
    const std::function<QString(int)>& m_dateOf;
    int m_height;
    int m_end; // no label reaches beyond this x
};

} // namespace

int stemDotRadius(float pxPerDay) {
    // A dot is 2r + 1 pixels wide; neighbouring days are at least floor(pxPerDay) pixels apart.
    const int closest = static_cast<int>(std::floor(pxPerDay));
    return std::clamp((closest - 1) / 2, 0, MaxDotRadius);
}

std::vector<DateLabel> placeDateLabels(const ProgressLayout& layout, const std::vector<StemGeometry>& stems,
                                       const QFontMetrics& metrics,
                                       const std::function<QString(int day)>& dateOf) {
    if (layout.nDays <= 1 || layout.pxPerDay <= 0)
        return {};
    return DateAxis(layout, stems, metrics, dateOf).labels();
}

QRect timeArrowhead(const ProgressLayout& layout) {
    return QRect(QPoint(layout.SW - 19, layout.calZeroY - 2), QPoint(layout.SW - 7, layout.calZeroY + 2));
}

QFont fittedFont(const QFont& font, const QPaintDevice& device, const QStringList& texts, int room) {
    QFont fitted = font;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QFontMetrics fm(fitted, &device);
        int widest = 0;
        for (const QString& text : texts)
            widest = std::max(widest, fm.horizontalAdvance(text));
        if (widest <= room || room <= 0)
            return fitted;
        const double shrink = std::min(0.97, static_cast<double>(room) / widest);
        if (fitted.pointSizeF() > 0)
            fitted.setPointSizeF(fitted.pointSizeF() * shrink);
        else
            fitted.setPixelSize(std::max(1, static_cast<int>(fitted.pixelSize() * shrink)));
    }
    return fitted;
}

} // namespace kelvora
