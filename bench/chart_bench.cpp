// Painting the daily chart at 1280 x 720: an empty day, a typical day and a full one, against the
// cost of clearing the backing image alone. Budget: the full day under 2 ms, the typical day at most
// three times the clearing.
#include "ZelmarGraph.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr int Width = 1280;
constexpr int Height = 720;

double at(int hour, int minute) {
    return (hour * 60 + minute) / 1440.0;
}

void typicalDay(ZelmarGraph& graph) {
    const double meals[] = {at(7, 30), at(10, 0), at(12, 30), at(15, 30), at(18, 30), at(21, 0)};
    qint32 id = 1;
    for (double tm : meals)
        graph.addMeal(id++, tm, 350, 180, 90);
    graph.addExercise(id++, at(8, 0), at(8, 45), 300);
    graph.addExercise(id, at(17, 0), at(18, 0), 450);
}

// Bars at least 16 minutes apart fit only 90 to a day, so the full load of 110 bars comes from meals
// on successive dates, each drawn at its time of day.
void fullDay(ZelmarGraph& graph) {
    for (int i = 0; i < ZelmarGraph::MealCapacity; ++i)
        graph.addMeal(i + 1, i + at(6, 0) + i * 8 / 1440.0, 300, 150, 60);
    for (int i = 0; i < ZelmarGraph::ExerciseCapacity; ++i)
        graph.addExercise(i + 1, at(6, 0) + i * 9 / 1440.0, at(6, 20) + i * 9 / 1440.0, 150);
}

void paint(benchmark::State& state, void (*fill)(ZelmarGraph&)) {
    ZelmarGraph graph;
    graph.resize(Width, Height);
    graph.setMetabolicKoef(1.2);
    if (fill)
        fill(graph);
    if (!graph.PaintGraph())
        state.SkipWithError("PaintGraph failed");
    for (auto _ : state)
        benchmark::DoNotOptimize(graph.PaintGraph());
}

void BM_ClearImage(benchmark::State& state) {
    QImage image(Width, Height, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_PaintEmptyDay(benchmark::State& state) {
    paint(state, nullptr);
}

void BM_PaintTypicalDay(benchmark::State& state) {
    paint(state, typicalDay);
}

void BM_PaintFullDay(benchmark::State& state) {
    paint(state, fullDay);
}

BENCHMARK(BM_ClearImage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintEmptyDay)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintTypicalDay)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintFullDay)->Unit(benchmark::kMicrosecond);

// Prints the figures the budget is about once the runs are done.
class BudgetReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // With repetitions the median stands for the benchmark.
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                m_times[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        const Time clear = m_times["BM_ClearImage"];
        const Time full = m_times["BM_PaintFullDay"];
        const Time typical = m_times["BM_PaintTypicalDay"];
        if (clear.real <= 0 || clear.cpu <= 0)
            return;
        // Both clocks: on a shared machine the CPU time is the one other work does not inflate.
        std::printf("full day: %.3f ms real, %.3f ms CPU (budget 2 ms)\n", full.real / 1000, full.cpu / 1000);
        std::printf("typical day / clearing: %.2f real, %.2f CPU (budget 3)\n", typical.real / clear.real,
                    typical.cpu / clear.cpu);
    }

private:
    struct Time {
        double real = 0; // microseconds
        double cpu = 0;
    };
    std::map<std::string, Time> m_times;
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    BudgetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
