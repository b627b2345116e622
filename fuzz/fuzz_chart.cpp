// Fuzzes the daily chart control the way a host and a user drive it: the input is decoded into a
// sequence of resets, meals, activities, property changes, resizes, paints and mouse clicks on a
// control of random size. Beyond "no crash, no sanitizer finding" it checks what the control
// promises its host: a refused record changes nothing, an accepted one moves the day's sums by
// exactly its own amounts, the axis stays within the day, the picture has the control's size, and
// a click reports a minute on the axis and the id of a stored record.

#include "FuzzCheck.h"
#include "ZelmarGraph.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Enough steps for full bars and activity lists; bounded so one input stays fast.
constexpr int MaxSteps = 400;
constexpr int MaxPaints = 4;
// Most controls are of a window's size; now and then one is wide or tall enough to reach the 16-bit
// limits of the records. The area bound keeps every image cheap to allocate and fill.
constexpr int MaxSide = 70000;
constexpr int UsualWidth = 640;
constexpr int UsualHeight = 480;
constexpr qint64 MaxArea = 120'000;

struct DayState {
    std::size_t meals = 0;
    std::size_t exercises = 0;
    double begin = 0;
    double end = 0;
    qint64 balance = 0;
    qint64 carbohydrate = 0;
    qint64 fat = 0;
    qint64 protein = 0;

    explicit DayState(const ZelmarGraph& g)
        : meals(g.meals().size()), exercises(g.exercises().size()), begin(g.chartBegin()), end(g.chartEnd()),
          balance(g.dayBalance()), carbohydrate(g.carbohydrateTotal()), fat(g.fatTotal()),
          protein(g.proteinTotal()) {}
    bool operator==(const DayState&) const = default;
};

double pickTime(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: // any bit pattern: NaN, infinities, serials far outside the calendar
        return std::bit_cast<double>(in.ConsumeIntegral<std::uint64_t>());
    case 1: // a whole second on one of a few days, including before the zero day
        return in.ConsumeIntegralInRange(-2, 2) + in.ConsumeIntegralInRange(0, 86399) / 86400.0;
    case 2: // a real diary date
        return 46000 + in.ConsumeIntegralInRange(0, 3) + in.ConsumeIntegralInRange(-1440, 2880) / 1440.0;
    default:
        return in.ConsumeFloatingPointInRange(-3e6, 3e6);
    }
}

double pickRate(FuzzedDataProvider& in) {
    if (in.ConsumeBool())
        return std::bit_cast<double>(in.ConsumeIntegral<std::uint64_t>());
    return in.ConsumeFloatingPointInRange(-5.0, 20.0);
}

QSize pickSize(FuzzedDataProvider& in) {
    const bool extreme = in.ConsumeIntegralInRange(0, 3) == 0;
    const int w = in.ConsumeIntegralInRange(0, extreme ? MaxSide : UsualWidth);
    const int h = in.ConsumeIntegralInRange(0, extreme ? MaxSide : UsualHeight);
    if (qint64{w} * h <= MaxArea)
        return {w, h};
    // Keep the longer side, shrink the other to fit the area.
    return w >= h ? QSize(w, static_cast<int>(MaxArea / w)) : QSize(static_cast<int>(MaxArea / h), h);
}

Qt::MouseButton pickButton(FuzzedDataProvider& in) {
    constexpr Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton, Qt::BackButton};
    return buttons[in.ConsumeIntegralInRange<std::size_t>(0, std::size(buttons) - 1)];
}

QPointF pickPoint(FuzzedDataProvider& in, const QWidget& w) {
    if (in.ConsumeIntegralInRange(0, 7) == 0)
        return {in.ConsumeFloatingPointInRange(-1e7, 1e7), in.ConsumeFloatingPointInRange(-1e7, 1e7)};
    return {in.ConsumeIntegralInRange(-20, w.width() + 20) + 0.5 * in.ConsumeIntegralInRange(0, 1),
            static_cast<double>(in.ConsumeIntegralInRange(-20, w.height() + 20))};
}

void send(QWidget& w, QEvent::Type type, QPointF at, Qt::MouseButton button) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, at, at, button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
}

template <typename Records> bool holdsId(const Records& records, qint32 id) {
    return std::any_of(records.begin(), records.end(), [id](const auto& r) { return r.id == id; });
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_chart";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own statics go away at exit before a static application would, and its
    // destructor would then touch them.
    static QApplication* app = new QApplication(argc, argv);
    Q_UNUSED(app);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    ZelmarGraph graph;
    graph.resize(pickSize(in));

    // Every signal must name a minute on the axis and, when it names a record, one that is stored.
    const auto checkTime = [&graph](double tm) {
        FUZZ_CHECK(tm >= graph.chartBegin() - 1e-9 && tm <= graph.chartEnd() + 1e-9);
    };
    QObject::connect(&graph, &ZelmarGraph::NewMeal, checkTime);
    QObject::connect(&graph, &ZelmarGraph::NewExercise, checkTime);
    QObject::connect(&graph, &ZelmarGraph::EditMeal, [&](qint32 id, bool definite, double tm) {
        checkTime(tm);
        FUZZ_CHECK(definite ? holdsId(graph.meals(), id) : id == 0 || holdsId(graph.meals(), id));
    });
    QObject::connect(&graph, &ZelmarGraph::EditExercise, [&](qint32 id, bool definite, double tm) {
        checkTime(tm);
        FUZZ_CHECK(definite ? holdsId(graph.exercises(), id) : id == 0 || holdsId(graph.exercises(), id));
    });

    int paints = 0;
    for (int step = 0; step < MaxSteps && in.remaining_bytes() > 0; ++step) {
        const DayState before(graph);
        switch (in.ConsumeIntegralInRange(0, 9)) {
        case 0: {
            graph.Reset();
            const DayState after(graph);
            FUZZ_CHECK(after.meals == 0 && after.exercises == 0 && after.balance == 0 &&
                       after.carbohydrate == 0 && after.fat == 0 && after.protein == 0);
            FUZZ_CHECK(after.begin == 6 / 24.0 && after.end == 22 / 24.0);
            break;
        }
        case 1:
        case 2: {
            const auto id = in.ConsumeIntegral<qint32>();
            const double tm = pickTime(in);
            const auto carbohydrate = in.ConsumeIntegral<qint16>();
            const auto fat = in.ConsumeIntegral<qint16>();
            const auto protein = in.ConsumeIntegral<qint16>();
            const bool added = graph.addMeal(id, tm, carbohydrate, fat, protein);
            DayState expected = before;
            if (added) {
                expected.carbohydrate += carbohydrate;
                expected.fat += fat;
                expected.protein += protein;
                expected.balance += qint64{carbohydrate} + fat + protein;
            }
            const DayState after(graph);
            FUZZ_CHECK(after.carbohydrate == expected.carbohydrate && after.fat == expected.fat &&
                       after.protein == expected.protein && after.balance == expected.balance);
            FUZZ_CHECK(added ? after.meals - before.meals <= 1 : after == before);
            FUZZ_CHECK(!added || std::isfinite(tm));
            break;
        }
        case 3: {
            const auto id = in.ConsumeIntegral<qint32>();
            const double tmBeg = pickTime(in);
            const double tmEnd =
                in.ConsumeBool() ? tmBeg + in.ConsumeIntegralInRange(-120, 600) / 1440.0 : pickTime(in);
            const auto calories = in.ConsumeIntegral<qint16>();
            const bool added = graph.addExercise(id, tmBeg, tmEnd, calories);
            const DayState after(graph);
            if (added) {
                FUZZ_CHECK(after.balance == before.balance - calories);
                FUZZ_CHECK(after.exercises - before.exercises <= 1 && after.meals == before.meals);
            } else {
                FUZZ_CHECK(after == before);
            }
            break;
        }
        case 4:
            if (in.ConsumeBool())
                graph.setMetabolicKoef(pickRate(in));
            else
                graph.setProperty("metabolicKoef", pickRate(in));
            graph.setProperty("time24", in.ConsumeBool());
            break;
        case 5:
            graph.resize(pickSize(in));
            break;
        case 6:
        case 7: {
            if (paints++ >= MaxPaints)
                break;
            const bool complete = graph.PaintGraph();
            // In a control of a window's size every coordinate fits the 16-bit record fields
            // (three full 16-bit layers stay within them), so only an absurd burn rate can stop
            // the picture.
            const double rate = graph.metabolicKoef();
            if (graph.width() <= UsualWidth && graph.height() <= UsualHeight && std::isfinite(rate) &&
                std::fabs(rate) <= 1e6)
                FUZZ_CHECK(complete);
            if (graph.width() > 0 && graph.height() > 0)
                FUZZ_CHECK(graph.image().size() == graph.size());
            else
                FUZZ_CHECK(graph.image().isNull());
            // The widget's own paint event shows the backing image.
            if (!graph.size().isEmpty() && in.ConsumeBool()) {
                QImage shown(graph.size(), QImage::Format_RGB32);
                graph.render(&shown);
            }
            break;
        }
        case 8: {
            const Qt::MouseButton button = pickButton(in);
            send(graph, QEvent::MouseButtonPress, pickPoint(in, graph), button);
            send(graph, QEvent::MouseMove, pickPoint(in, graph), button);
            send(graph, QEvent::MouseButtonRelease, pickPoint(in, graph), button);
            break;
        }
        default: {
            // A double click as Qt delivers it: press, release, double click, release.
            const Qt::MouseButton button = pickButton(in);
            const QPointF at = pickPoint(in, graph);
            send(graph, QEvent::MouseButtonPress, at, button);
            send(graph, QEvent::MouseButtonRelease, at, button);
            send(graph, QEvent::MouseButtonDblClick, at, button);
            send(graph, QEvent::MouseButtonRelease, at, button);
            break;
        }
        }

        const DayState now(graph);
        FUZZ_CHECK(now.meals <= ZelmarGraph::MealCapacity && now.exercises <= ZelmarGraph::ExerciseCapacity);
        FUZZ_CHECK(now.begin >= 0 && now.begin < now.end && now.end <= 1);
    }
    return 0;
}
