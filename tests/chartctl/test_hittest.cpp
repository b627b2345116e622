#include "ChartTestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <vector>

using charttest::at;
using charttest::nearest;

namespace {

struct ChartEvent {
    enum Kind { NewMeal, NewExercise, EditMeal, EditExercise } kind;
    qint32 id = 0;
    bool definite = false;
    double tm = 0;

    bool operator==(const ChartEvent&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ChartEvent& e) {
    static const char* const names[] = {"NewMeal", "NewExercise", "EditMeal", "EditExercise"};
    return out << names[e.kind] << "(" << e.id << ", " << e.definite << ", " << e.tm * 1440 << " min)";
}

constexpr qint32 SingleMeal = 11;
constexpr qint32 MergedMeal = 21;
constexpr qint32 EarlyActivity = 31;
constexpr qint32 OverlappingActivity = 32;
constexpr qint32 AfternoonActivity = 41;

// A shown 800 x 500 chart of one day, painted, with every event it raises recorded.
class ChartHitTest : public ::testing::Test {
public:
    ChartHitTest() {
        graph.resize(800, 500);
        graph.setMetabolicKoef(1);
        graph.addMeal(MergedMeal, at(8, 0), 300, 100, 50);
        graph.addMeal(22, at(8, 10), 200, 100, 50);
        graph.addMeal(SingleMeal, at(12, 0), 400, 200, 100);
        graph.addExercise(EarlyActivity, at(9, 0), at(10, 0), 300);
        graph.addExercise(OverlappingActivity, at(9, 30), at(10, 30), 300);
        graph.addExercise(AfternoonActivity, at(14, 0), at(15, 0), 500);
        EXPECT_TRUE(graph.PaintGraph());
        graph.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&graph));

        QObject::connect(&graph, &ZelmarGraph::NewMeal, [this](double tm) {
            events.push_back({ChartEvent::NewMeal, 0, false, tm});
        });
        QObject::connect(&graph, &ZelmarGraph::NewExercise, [this](double tm) {
            events.push_back({ChartEvent::NewExercise, 0, false, tm});
        });
        QObject::connect(&graph, &ZelmarGraph::EditMeal, [this](qint32 id, bool definite, double tm) {
            events.push_back({ChartEvent::EditMeal, id, definite, tm});
        });
        QObject::connect(&graph, &ZelmarGraph::EditExercise, [this](qint32 id, bool definite, double tm) {
            events.push_back({ChartEvent::EditExercise, id, definite, tm});
        });
    }

    const MealStruct& meal(qint32 id) const {
        for (const MealStruct& m : graph.meals()) {
            if (m.id == id)
                return m;
        }
        throw std::logic_error("no such meal");
    }
    const ExerciseStruct& activity(qint32 id) const {
        for (const ExerciseStruct& a : graph.exercises()) {
            if (a.id == id)
                return a;
        }
        throw std::logic_error("no such activity");
    }

    // The slanted side of an activity's triangle at x.
    double slantAt(const ExerciseStruct& a, int x) const {
        return graph.baselineY() + double(x - a.Left) / (a.Right - a.Left) * (a.Bottom - graph.baselineY());
    }

    // The whole minute under x, within the axis.
    double timeAt(int x) const {
        const double minutes = std::nearbyint((x - 10) / double{graph.pixelsPerMinute()});
        const double begin = graph.chartBegin() * 1440;
        return std::clamp(begin + minutes, begin, graph.chartEnd() * 1440) / 1440;
    }

    // A user's double click: press and release, then the second press that makes it a double click.
    void doubleClick(QPoint at) {
        QTest::mouseClick(&graph, Qt::LeftButton, {}, at);
        QTest::mouseDClick(&graph, Qt::LeftButton, {}, at);
        QTest::mouseRelease(&graph, Qt::LeftButton, {}, at);
    }

    ZelmarGraph graph;
    std::vector<ChartEvent> events;
};

struct DoubleClickCase {
    const char* name;
    std::function<QPoint(const ChartHitTest&)> point;
    std::function<ChartEvent(const ChartHitTest&, QPoint)> expected;
};

class DoubleClick : public ChartHitTest, public ::testing::WithParamInterface<DoubleClickCase> {};

TEST_P(DoubleClick, RaisesExactlyTheDesignedEvent) {
    const QPoint p = GetParam().point(*this);
    doubleClick(p);
    EXPECT_EQ(events, std::vector<ChartEvent>{GetParam().expected(*this, p)}) << p.x() << "," << p.y();
}

using Chart = const ChartHitTest&;

ChartEvent editMeal(qint32 id, bool definite, double tm) {
    return {ChartEvent::EditMeal, id, definite, tm};
}
ChartEvent editExercise(qint32 id, bool definite, double tm) {
    return {ChartEvent::EditExercise, id, definite, tm};
}
ChartEvent newMeal(double tm) {
    return {ChartEvent::NewMeal, 0, false, tm};
}
ChartEvent newExercise(double tm) {
    return {ChartEvent::NewExercise, 0, false, tm};
}

INSTANTIATE_TEST_SUITE_P(
    ChartHitTest, DoubleClick,
    ::testing::Values(
        DoubleClickCase{"SingleBarIsDefinite",
                        [](Chart t) {
                            const auto& m = t.meal(SingleMeal);
                            return QPoint(m.Left + 2, (m.Top + t.graph.baselineY()) / 2);
                        },
                        [](Chart t, QPoint p) { return editMeal(SingleMeal, true, t.timeAt(p.x())); }},
        DoubleClickCase{"BarEdgesAndTopAreInside",
                        [](Chart t) {
                            const auto& m = t.meal(SingleMeal);
                            return QPoint(m.Right, m.Top);
                        },
                        [](Chart t, QPoint p) { return editMeal(SingleMeal, true, t.timeAt(p.x())); }},
        DoubleClickCase{"MergedBarIsNotDefinite",
                        [](Chart t) {
                            const auto& m = t.meal(MergedMeal);
                            return QPoint(m.Left, m.Top + 3);
                        },
                        [](Chart t, QPoint p) { return editMeal(MergedMeal, false, t.timeAt(p.x())); }},
        DoubleClickCase{"TheAxisLineBelongsToTheMeals",
                        [](Chart t) {
                            const auto& m = t.meal(SingleMeal);
                            return QPoint(m.Left + 1, t.graph.baselineY());
                        },
                        [](Chart t, QPoint p) { return editMeal(SingleMeal, true, t.timeAt(p.x())); }},
        DoubleClickCase{"TheAxisLineUnderAnActivityIsStillAboveIt",
                        [](Chart t) {
                            const auto& a = t.activity(AfternoonActivity);
                            return QPoint(a.Left + 5, t.graph.baselineY());
                        },
                        [](Chart t, QPoint p) { return newMeal(t.timeAt(p.x())); }},
        DoubleClickCase{"AboveABarIsANewMeal",
                        [](Chart t) {
                            const auto& m = t.meal(SingleMeal);
                            return QPoint(m.Left + 2, m.Top - 1);
                        },
                        [](Chart t, QPoint p) { return newMeal(t.timeAt(p.x())); }},
        DoubleClickCase{
            "InsideTwoOverlappingActivities",
            [](Chart t) {
                // At 09:50 the second triangle is shallow; just under the axis lies in both.
                const auto& a = t.activity(OverlappingActivity);
                return QPoint(a.Left + (a.Right - a.Left) / 3, t.graph.baselineY() + 2);
            },
            [](Chart t, QPoint p) { return editExercise(EarlyActivity, false, t.timeAt(p.x())); }},
        DoubleClickCase{"InsideOnlyTheFirstOfTwo",
                        [](Chart t) {
                            const auto& first = t.activity(EarlyActivity);
                            const auto& second = t.activity(OverlappingActivity);
                            const int x = second.Left + (second.Right - second.Left) / 3;
                            return QPoint(x, nearest((t.slantAt(first, x) + t.slantAt(second, x)) / 2));
                        },
                        [](Chart t, QPoint p) { return editExercise(EarlyActivity, true, t.timeAt(p.x())); }},
        DoubleClickCase{
            "InsideOnlyTheSecondOfTwo",
            [](Chart t) {
                const auto& second = t.activity(OverlappingActivity);
                return QPoint(second.Right - 1, second.Bottom - 2);
            },
            [](Chart t, QPoint p) { return editExercise(OverlappingActivity, true, t.timeAt(p.x())); }},
        DoubleClickCase{"UnderTheBoundingBoxButOutsideTheTriangle",
                        [](Chart t) {
                            const auto& a = t.activity(AfternoonActivity);
                            const int x = a.Left + (a.Right - a.Left) / 4;
                            return QPoint(x, nearest(t.slantAt(a, x)) + 5);
                        },
                        [](Chart t, QPoint p) { return newExercise(t.timeAt(p.x())); }},
        DoubleClickCase{"BelowTheLowestCornerIsNoHit",
                        [](Chart t) {
                            const auto& a = t.activity(AfternoonActivity);
                            return QPoint(a.Right, a.Bottom + 1);
                        },
                        [](Chart t, QPoint p) { return newExercise(t.timeAt(p.x())); }},
        DoubleClickCase{"LeftOfTheAxisGivesItsBegin",
                        [](Chart t) { return QPoint(3, t.graph.baselineY() - 50); },
                        [](Chart, QPoint) { return newMeal(at(6, 0)); }},
        DoubleClickCase{"RightOfTheAxisGivesItsEnd",
                        [](Chart t) { return QPoint(797, t.graph.baselineY() + 50); },
                        [](Chart, QPoint) { return newExercise(at(22, 0)); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChartHitTest, TimeIsTheNearestWholeMinuteUnderThePointer) {
    for (int x : {10, 11, 107, 400, 555, 789, 790}) {
        events.clear();
        doubleClick({x, 100});
        ASSERT_EQ(events.size(), 1u);
        EXPECT_DOUBLE_EQ(events[0].tm, timeAt(x)) << x;
        EXPECT_EQ(std::nearbyint(events[0].tm * 1440), events[0].tm * 1440) << "a whole minute";
    }
    events.clear();
    doubleClick({10, 100});
    doubleClick({790, 100});
    EXPECT_EQ(events[0].tm, at(6, 0));
    EXPECT_EQ(events[1].tm, at(22, 0));
}

TEST_F(ChartHitTest, RightButtonAsksForTheListAndNeverPicksARecord) {
    const MealStruct& m = meal(SingleMeal);
    const ExerciseStruct& a = activity(AfternoonActivity);
    const QPoint overBar(m.Left + 2, (m.Top + graph.baselineY()) / 2);
    const QPoint inTriangle(a.Right - 1, a.Bottom - 2);
    const QPoint onAxis(400, graph.baselineY());

    for (const QPoint& p : {overBar, inTriangle, onAxis})
        QTest::mouseClick(&graph, Qt::RightButton, {}, p);

    EXPECT_EQ(events, (std::vector<ChartEvent>{editMeal(0, false, timeAt(overBar.x())),
                                               editExercise(0, false, timeAt(inTriangle.x())),
                                               editMeal(0, false, timeAt(onAxis.x()))}));
}

TEST_F(ChartHitTest, OtherButtonsRaiseNothing) {
    const MealStruct& m = meal(SingleMeal);
    const QPoint overBar(m.Left + 2, m.Top + 2);
    QTest::mouseClick(&graph, Qt::LeftButton, {}, overBar);
    QTest::mouseClick(&graph, Qt::MiddleButton, {}, overBar);
    QTest::mouseDClick(&graph, Qt::MiddleButton, {}, overBar);
    QTest::mouseDClick(&graph, Qt::RightButton, {}, overBar);
    EXPECT_TRUE(events.empty());
}

TEST_F(ChartHitTest, DoubleClickUsesThePositionOfTheLastRelease) {
    const MealStruct& m = meal(SingleMeal);
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, QPoint(m.Left + 2, m.Top + 2));
    QTest::mouseDClick(&graph, Qt::LeftButton, {}, QPoint(600, graph.baselineY() + 100));
    EXPECT_EQ(events, std::vector<ChartEvent>{editMeal(SingleMeal, true, timeAt(m.Left + 2))});
}

TEST_F(ChartHitTest, AfterResetNothingIsHitUntilTheNextPaint) {
    const MealStruct bar = meal(SingleMeal);
    const ExerciseStruct triangle = activity(AfternoonActivity);
    graph.Reset();
    doubleClick({bar.Left + 2, bar.Top + 2});
    doubleClick({triangle.Right - 1, triangle.Bottom - 2});
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, ChartEvent::NewMeal);
    EXPECT_EQ(events[1].kind, ChartEvent::NewExercise);
}

} // namespace
