// What a long diary costs the windows that work on one day or one period: a 20-year diary against a
// one-month diary ending on the same day, for the main window's RePaintGraph, each day list's
// refresh and the progress model of the last month. The date indexes should keep every figure of
// the 20 years within 1.2 times the same over the month; the end of the run prints the ratios of
// the medians of five repetitions, in processor time.
#include "App.h"
#include "DateValue.h"
#include "LargeDiary.h"
#include "ProgressModel.h"
#include "QtServices.h"
#include "Startup.h"
#include "deData.h"
#include "frmBody.h"
#include "frmExercisePerform.h"
#include "frmExercisePerforms.h"
#include "frmMain.h"
#include "frmMealConsume.h"
#include "frmMealConsumes.h"
#include "frmMeasurements.h"
#include "frmUserNote.h"

#include <QApplication>
#include <QDateEdit>
#include <QLocale>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace kelvora;
using namespace Qt::StringLiterals;

namespace {

const DateValue LastDay = DateValue::fromYmd(2026, 11, 30);

// Help is never asked for here.
class NoHelp final : public HelpService {
public:
    void showTopic(int) override {}
    void showContents() override {}
};

enum class Span { Month, TwentyYears };

// One diary with the program running over it: its context, and the main window on the last day.
// Only one program context exists at a time, so the benchmarks of one diary run together.
struct Session {
    QTemporaryDir folder;
    std::unique_ptr<App> context;
    std::unique_ptr<frmMain> mainWindow;

    explicit Session(Span span) {
        const DateValue first = span == Span::Month ? LastDay.addMonths(-1) : LastDay.addMonths(-240);
        const QString path = deData::databasePathIn(folder.path());
        makeDiary(path, first, LastDay);
        ServiceSet services{std::make_unique<QtMessageService>(), std::make_unique<QtModalService>(),
                            std::make_unique<SystemClock>(), std::make_unique<QtPrinterService>(),
                            std::make_unique<NoHelp>(), std::make_unique<QtFileDialogService>()};
        context = std::make_unique<App>(folder.path(), std::make_unique<deData>(path), std::move(services));
        initialiseState(context->state(), context->de(), QDateTime::currentDateTime(), QLocale());
        context->state().currentDate = LastDay;
        mainWindow = std::make_unique<frmMain>();
        mainWindow->show();
        QApplication::processEvents();
    }
    ~Session() {
        mainWindow.reset();
        context.reset();
    }
};

std::unique_ptr<Session> session;
Span sessionSpan = Span::Month;

Session& use(Span span) {
    if (!session || sessionSpan != span) {
        session.reset();
        session = std::make_unique<Session>(span);
        sessionSpan = span;
    }
    return *session;
}

void BM_RePaintGraph(benchmark::State& state, Span span) {
    frmMain& window = *use(span).mainWindow;
    for (auto _ : state)
        window.RePaintGraph();
}

template <typename List> void BM_DayList(benchmark::State& state, Span span) {
    List& list = use(span).mainWindow->dialog<List>();
    list.dtpDate->setDate(LastDay.toQDate());
    for (auto _ : state)
        list.RefreshList(0);
}

void BM_Measurements(benchmark::State& state, Span span) {
    auto& window = use(span).mainWindow->dialog<frmMeasurements>();
    // Showing the window sets its date a month back and fills both lists once.
    window.show();
    for (auto _ : state) {
        window.RefreshMeasurementList(0);
        window.RefreshNoteList(0);
    }
    window.hide();
}

void BM_ProgressModel(benchmark::State& state, Span span) {
    deData& de = use(span).context->de();
    for (auto _ : state) {
        ProgressModel model(de, LastDay.addMonths(-1), LastDay, 80);
        benchmark::DoNotOptimize(model.notes().size());
    }
}

void registerFor(Span span, const std::string& suffix) {
    const auto add = [&](const std::string& name, auto function) {
        benchmark::RegisterBenchmark((name + "/" + suffix).c_str(), function, span)
            ->Unit(benchmark::kMicrosecond);
    };
    add("RePaintGraph", BM_RePaintGraph);
    add("frmMealConsumes.RefreshList", BM_DayList<frmMealConsumes>);
    add("frmExercisePerforms.RefreshList", BM_DayList<frmExercisePerforms>);
    add("frmMeasurements.RefreshLists", BM_Measurements);
    add("ProgressModel.LastMonth", BM_ProgressModel);
}

// The console's report, and at the end the 20 years' time over the month's for each measurement.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            // With repetitions only their median counts: one slow repetition (another program
            // taking the processor) would otherwise decide the ratio.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            std::string name = run.run_name.function_name;
            const std::size_t slash = name.rfind('/');
            m_times[name.substr(0, slash)][name.substr(slash + 1)] = run.GetAdjustedCPUTime();
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-34s %10s %10s %7s\n", "20 years against one month", "month", "20 years", "ratio");
        for (const auto& [name, times] : m_times) {
            const auto month = times.find("Month"), years = times.find("TwentyYears");
            if (month == times.end() || years == times.end())
                continue;
            const double ratio = years->second / month->second;
            std::printf("%-34s %8.1fus %8.1fus %7.2f %s\n", name.c_str(), month->second, years->second, ratio,
                        ratio <= 1.2 ? "" : "(over 1.2)");
        }
    }

private:
    std::map<std::string, std::map<std::string, double>> m_times;
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // Unless told otherwise, each measurement is repeated and its median compared.
    std::vector<char*> arguments(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=5",
                aggregates = "--benchmark_report_aggregates_only=true";
    bool repeated = false;
    for (const char* argument : arguments)
        repeated = repeated || std::string(argument).starts_with("--benchmark_repetitions");
    if (!repeated) {
        arguments.push_back(repetitions.data());
        arguments.push_back(aggregates.data());
    }
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    registerFor(Span::Month, "Month");
    registerFor(Span::TwentyYears, "TwentyYears");
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    session.reset();
    benchmark::Shutdown();
    return 0;
}
