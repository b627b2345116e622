// Nothing the progress chart draws hides information: the value labels hold their whole text, every
// note has a label a reader can read, the date labels keep clear of the stems' dots and of the
// arrowhead, and the dots of neighbouring days never merge. Positions and overlaps come from the
// chart's record of what it drew; text is measured, never read back from pixels.
#include "ProgressChartTest.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QToolTip>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

// The outline of a box: its pixels run from x() to x() + width() and y() to y() + height().
QRect outline(const QRect& box) {
    return box.adjusted(0, 0, 1, 1);
}

// Every note has a label with its whole text, inside the lane, apart from every other label, hanging
// from its own range on a connector no other label crosses.
void expectNotesReadable(const frmGeneralProgress& w, const QStringList& texts) {
    const ProgressLayout& l = *w.chart().layout();
    const auto& notes = w.chart().drawing().notes;
    ASSERT_EQ(notes.size(), static_cast<std::size_t>(texts.size()));
    const QFontMetrics fm(w.chart().font());
    const int y0 = l.notesTop;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        SCOPED_TRACE(texts[static_cast<qsizetype>(i)].toStdString());
        const NoteGeometry& g = notes[i];
        ASSERT_FALSE(g.box.isEmpty());
        EXPECT_EQ(g.shownText, texts[static_cast<qsizetype>(i)]);
        const QRect needed = fm.boundingRect(g.textRect, Qt::TextWordWrap, g.shownText);
        EXPECT_LE(needed.width(), g.textRect.width());
        EXPECT_LE(needed.height(), g.textRect.height());
        EXPECT_TRUE(g.box.contains(g.textRect));
        // Inside the lane and the window.
        EXPECT_GE(g.box.left(), 46);
        EXPECT_LE(g.box.x() + g.box.width(), l.SW - 10);
        EXPECT_GE(g.box.top(), y0 + 6);
        EXPECT_LE(g.box.y() + g.box.height(), l.SH - 7);
        // The connector comes down from the note's own range and meets the box's top edge.
        EXPECT_GE(g.connectorX, g.x1);
        EXPECT_LE(g.connectorX, g.x2);
        EXPECT_GE(g.connectorX, g.box.left() + 3);
        EXPECT_LE(g.connectorX, g.box.x() + g.box.width() - 3);
        EXPECT_EQ(w.chart().image().pixel(g.connectorX, y0 + 1), Black);
        EXPECT_EQ(w.chart().image().pixel(g.connectorX, g.box.top() - 1), Black);
        for (std::size_t j = 0; j < notes.size(); ++j) {
            if (j == i)
                continue;
            const QRect other = outline(notes[j].box);
            EXPECT_FALSE(outline(g.box).intersects(other)) << "overlaps the label of " << j;
            const QRect connector(g.connectorX, y0, 1, g.box.top() - y0);
            EXPECT_FALSE(connector.intersects(other)) << "the connector crosses the label of " << j;
        }
    }
}

TEST_F(ProgressChartTest, NotesNarrowerThanTheirTextGetReadableLabels) {
    struct Case {
        const char* name;
        int lastDay;
        int width;
        std::vector<std::pair<int, int>> days;
        QStringList texts;
    };
    const std::vector<Case> cases{
        {"a month with two short notes among long ones",
         31,
         756,
         {{2, 6}, {9, 10}, {12, 12}, {20, 27}},
         {u"Holiday at the seaside: more eating out, but long walks on the beach every day."_s,
          u"Cold, stayed in bed"_s, u"Birthday party"_s,
          u"Sore knee: no running this week, stationary bike and swimming instead."_s}},
        {"one-day notes side by side",
         31,
         756,
         {{5, 5}, {6, 6}, {7, 7}, {8, 8}, {9, 9}},
         {u"Dinner out"_s, u"Wedding"_s, u"Long flight"_s, u"Jet lag"_s, u"Back home"_s}},
        {"a week's note every other week over six months",
         183,
         756,
         {{3, 9}, {24, 30}, {45, 51}, {66, 72}, {87, 93}, {108, 114}, {129, 135}, {150, 156}},
         {u"Started running"_s, u"Knee hurts"_s, u"Swimming instead"_s, u"Visiting parents"_s, u"New job"_s,
          u"Holiday"_s, u"Back to running"_s, u"Half marathon"_s}},
        {"a narrow window", 31, 480, {{3, 4}, {6, 7}, {9, 9}}, {u"Flu"_s, u"Still ill"_s, u"Better"_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        diary.exec(u"delete from UserNote"_s);
        for (std::size_t i = 0; i < c.days.size(); ++i)
            diary.note(day(c.days[i].first), day(c.days[i].second), c.texts[static_cast<qsizetype>(i)]);
        show([&](frmGeneralProgress& w) { expectNotesReadable(w, c.texts); }, c.lastDay, QSize(c.width, 520));
    }
}

TEST_F(ProgressChartTest, WhereTheFirstRowIsFullALabelGoesBelowIt) {
    // Three one-day notes on consecutive days of a six-month chart: too little room in one row.
    const QStringList texts{u"Dinner out"_s, u"Wedding"_s, u"Long flight"_s};
    for (int i = 0; i < texts.size(); ++i)
        diary.note(day(60 + i), day(60 + i), texts[i]);
    show(
        [&](frmGeneralProgress& w) {
            expectNotesReadable(w, texts);
            const auto& notes = w.chart().drawing().notes;
            const int firstRow = layoutOf(w).notesTop + 6;
            EXPECT_TRUE(std::any_of(notes.begin(), notes.end(),
                                    [&](const NoteGeometry& g) { return g.box.top() > firstRow; }));
        },
        183);
}

TEST_F(ProgressChartTest, AFullLaneShortensTextsButNeverOverlapsAndTheTooltipsTellThemWhole) {
    // A note a day for a month on a small window: not every text can be whole.
    for (int k = 1; k <= 31; ++k)
        diary.note(day(k), day(k), u"Note of day %1 with a few words more"_s.arg(k));
    show(
        [](frmGeneralProgress& w) {
            const ProgressLayout& l = layoutOf(w);
            const auto& notes = w.chart().drawing().notes;
            int labelled = 0;
            for (std::size_t i = 0; i < notes.size(); ++i) {
                const NoteGeometry& g = notes[i];
                const QString full = u"Note of day %1 with a few words more"_s.arg(i + 1);
                EXPECT_EQ(w.chart().noteTextAt(
                              QPoint(g.connectorX == 0 ? (g.x1 + g.x2) / 2 : g.connectorX, l.notesTop)),
                          full);
                if (g.box.isEmpty())
                    continue;
                ++labelled;
                EXPECT_EQ(w.chart().noteTextAt(g.textRect.center()), full);
                EXPECT_LE(g.box.y() + g.box.height(), l.SH - 7) << i;
                EXPECT_LE(g.box.x() + g.box.width(), l.SW - 10) << i;
                if (g.shownText != full) {
                    EXPECT_TRUE(g.shownText.endsWith(u"…"_s)) << g.shownText.toStdString();
                    EXPECT_TRUE(full.startsWith(g.shownText.chopped(1))) << g.shownText.toStdString();
                }
                for (std::size_t j = i + 1; j < notes.size(); ++j)
                    EXPECT_FALSE(outline(g.box).intersects(outline(notes[j].box))) << i << " and " << j;
            }
            EXPECT_GT(labelled, 5);
            // The tooltip over a label.
            const NoteGeometry& first = notes.front();
            QHelpEvent help(QEvent::ToolTip, first.textRect.center(),
                            w.chart().mapToGlobal(first.textRect.center()));
            QApplication::sendEvent(w.findChild<ProgressChart*>(), &help);
            EXPECT_EQ(QToolTip::text(), first.text);
        },
        31, QSize(600, 483));
}

TEST_F(ProgressChartTest, ValueLabelsHoldTheirWholeText) {
    struct Case {
        const char* name;
        double activity; // one day's activity, kcal: its balance widens the calorie range
        int height;
    };
    const Case cases[] = {
        {"the default range of -2000 to 2000", 0, 600},
        {"a day of -3000", 1080, 600},
        {"a day of -9920 on a low window", 8000, 483},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        diary.exec(u"delete from ExercisePerform"_s);
        if (c.activity > 0)
            diary.activity(day(5), c.activity);
        diary.meal(day(6), 1920);
        show(
            [](frmGeneralProgress& w) {
                const ProgressDrawing& d = w.chart().drawing();
                const QImage& image = w.chart().image();
                const QFontMetrics fm(d.valueFont, &image);
                ASSERT_FALSE(d.valueLabels.empty());
                bool negative = false;
                for (const ValueLabel& label : d.valueLabels) {
                    SCOPED_TRACE(label.text.toStdString());
                    negative = negative || label.text.startsWith(u'-');
                    EXPECT_LE(fm.horizontalAdvance(label.text), label.box.width());
                    EXPECT_GE(label.box.left(), 0);
                    EXPECT_LT(label.box.right(), 38); // left of the ticks
                    EXPECT_EQ(label.box.right(), 36); // right-aligned where designed
                }
                EXPECT_TRUE(negative);
                // The designed labels of the lower half, with their minus sign.
                const auto& lower = d.labels.caloriesLower;
                ASSERT_FALSE(lower.empty());
                EXPECT_TRUE(std::any_of(d.valueLabels.begin(), d.valueLabels.end(), [&](const ValueLabel& l) {
                    return l.text == lower.front().toString();
                }));
            },
            31, QSize(756, c.height));
    }
}

// Balance of a day as the diary gives it: the meals minus 24 hours of the fixture's 80 kcal.
void balance(ProgressDiary& diary, DateValue date, int kcal) {
    if (kcal + 1920 > 0)
        diary.meal(date, kcal + 1920);
    else
        diary.activity(date, -(kcal + 1920));
}

void expectDateLabelsClear(const frmGeneralProgress& w) {
    const ProgressDrawing& d = w.chart().drawing();
    const QFontMetrics fm(w.chart().font());
    ASSERT_FALSE(d.dateLabels.empty());
    for (std::size_t i = 0; i < d.dateLabels.size(); ++i) {
        const DateLabel& label = d.dateLabels[i];
        SCOPED_TRACE(label.text.toStdString());
        EXPECT_LE(fm.horizontalAdvance(label.text), label.rect.width());
        EXPECT_GT(label.rect.left(), ProgressLayout::AxisX);
        EXPECT_LT(label.rect.x() + label.rect.width(), d.timeArrow.left()); // clear of the arrowhead
        for (const StemGeometry& stem : d.stems)
            EXPECT_FALSE(label.rect.intersects(stem.dot)) << "the dot of day " << stem.day;
        if (i > 0) {
            EXPECT_GT(label.rect.left(), d.dateLabels[i - 1].rect.x() + d.dateLabels[i - 1].rect.width());
        }
    }
}

TEST_F(ProgressChartTest, DateLabelsKeepClearOfTheStemsDots) {
    struct Case {
        const char* name;
        int lastDay;
        std::vector<int> balances; // repeated over the period
    };
    const Case cases[] = {
        {"small surpluses every day", 31, {150}},
        {"small surpluses and deficits by turns", 31, {150, -150}},
        {"a six-month diary of mixed days", 183, {120, -80, -300, 40, -10, 260, -140}},
        {"three months of small surpluses", 92, {60, 200, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        diary.exec(u"delete from MealConsume; delete from ExercisePerform"_s);
        for (int k = 1; k <= c.lastDay; ++k)
            balance(diary, day(k), c.balances[static_cast<std::size_t>(k) % c.balances.size()]);
        show(
            [](frmGeneralProgress& w) {
                expectDateLabelsClear(w);
                // A label moved aside still names the day it stands at.
                const ProgressLayout& l = layoutOf(w);
                for (const DateLabel& label : w.chart().drawing().dateLabels)
                    EXPECT_EQ(label.rect.left(), l.xOfDay(label.day) + 2);
            },
            c.lastDay);
    }
}

TEST_F(ProgressChartTest, TheLastDateLabelStopsShortOfTheArrowhead) {
    for (int k = 1; k <= 31; k += 3)
        balance(diary, day(k), -400);
    for (const int width : {756, 809, 1000, 1300, 1490, 1920}) {
        SCOPED_TRACE(width);
        show([](frmGeneralProgress& w) { expectDateLabelsClear(w); }, 31, QSize(width, 600));
    }
}

TEST_F(ProgressChartTest, StemDotsOfNeighbouringDaysNeverOverlap) {
    struct Case {
        int lastDay;
        int radius; // the dots' radius on the default window
    };
    for (const Case c : {Case{31, 3}, Case{92, 3}, Case{183, 1}}) {
        SCOPED_TRACE(c.lastDay);
        diary.exec(u"delete from MealConsume; delete from ExercisePerform"_s);
        for (int k = 1; k <= c.lastDay; ++k)
            balance(diary, day(k), k % 2 == 0 ? -600 : -650);
        show(
            [&](frmGeneralProgress& w) {
                const auto& stems = w.chart().drawing().stems;
                ASSERT_EQ(stems.size(), static_cast<std::size_t>(c.lastDay));
                for (std::size_t i = 0; i < stems.size(); ++i) {
                    EXPECT_EQ(stems[i].dot.width(), 2 * c.radius + 1) << stems[i].day;
                    EXPECT_EQ(stems[i].dot.center(), QPoint(stems[i].x, stems[i].y)) << stems[i].day;
                    if (i > 0) {
                        EXPECT_FALSE(stems[i].dot.intersects(stems[i - 1].dot)) << stems[i].day;
                    }
                }
                // The dot is drawn where the record says.
                const StemGeometry& stem = stems[stems.size() / 2];
                EXPECT_EQ(pixel(w, stem.x, stem.dot.bottom()), Black);
            },
            c.lastDay);
    }
}

} // namespace
} // namespace kelvora::test
