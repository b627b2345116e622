// The progress chart over a long diary: building the model of a six-month period and drawing it at
// 1280 x 720 against a database holding 20 years of daily entries (about six meals and one
// activity a day, a body measurement every second day, a note a month). Budget: 20 ms for both.
// The model's queries over that database are compared with the same over a database holding only
// the six months: the date indexes should keep them within 1.2 times. The large database is
// measured twice: as it is after filling (no statistics), and after SQLite's own "PRAGMA optimize"
// has taken statistics of the grown tables, as closing a connection does; the plan must not depend
// on which. A six-month diary with a note on every day measures the notes lane at its fullest,
// where most labels have to find a place in lower rows or be shortened: within the same budget.
#include "Connection.h"
#include "DateValue.h"
#include "LargeDiary.h"
#include "ProgressChart.h"
#include "ProgressModel.h"
#include "deData.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <vector>

using namespace kelvora;
using namespace Qt::StringLiterals;

namespace {

const DateValue LastDay = DateValue::fromYmd(2026, 11, 30);
const DateValue PeriodFrom = LastDay.addMonths(-6);

struct Diary {
    QTemporaryDir folder;
    std::unique_ptr<deData> de;

    explicit Diary(DateValue first) { de = makeDiary(deData::databasePathIn(folder.path()), first, LastDay); }
    // Lets SQLite refresh the statistics of the tables the model reads, as it would at the end of a
    // session that ran "PRAGMA optimize".
    void refreshStatistics() {
        de->run(u"GPCalories"_s, {PeriodFrom.serial(), LastDay.serial()}).close();
        de->Con.execute(u"PRAGMA optimize"_s);
    }
};

Diary* twentyYears = nullptr;
Diary* twentyYearsRefreshed = nullptr;
Diary* sixMonths = nullptr;
Diary* noteEveryDay = nullptr;

void modelAndChart(benchmark::State& state, Diary& diary) {
    ProgressChart chart;
    chart.resize(1280, 720);
    for (auto _ : state) {
        ProgressModel model(*diary.de, PeriodFrom, LastDay, 80);
        chart.setModel(&model, false);
        benchmark::DoNotOptimize(chart.image().constBits());
        chart.setModel(nullptr, false);
    }
}
void BM_ModelAndChart_20Years(benchmark::State& state) {
    modelAndChart(state, *twentyYears);
}
void BM_ModelAndChart_20YearsRefreshed(benchmark::State& state) {
    modelAndChart(state, *twentyYearsRefreshed);
}
void BM_ModelAndChart_NoteEveryDay(benchmark::State& state) {
    modelAndChart(state, *noteEveryDay);
}
BENCHMARK(BM_ModelAndChart_20Years)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModelAndChart_20YearsRefreshed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModelAndChart_NoteEveryDay)->Unit(benchmark::kMillisecond);

void modelOnly(benchmark::State& state, Diary& diary) {
    std::size_t notes = 0;
    for (auto _ : state) {
        ProgressModel model(*diary.de, PeriodFrom, LastDay, 80);
        notes = model.notes().size();
        benchmark::DoNotOptimize(notes);
    }
    state.counters["notes"] = static_cast<double>(notes);
}
void BM_Model_20Years(benchmark::State& state) {
    modelOnly(state, *twentyYears);
}
void BM_Model_20YearsRefreshed(benchmark::State& state) {
    modelOnly(state, *twentyYearsRefreshed);
}
void BM_Model_SixMonths(benchmark::State& state) {
    modelOnly(state, *sixMonths);
}
BENCHMARK(BM_Model_20Years)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Model_20YearsRefreshed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Model_SixMonths)->Unit(benchmark::kMicrosecond);

// The model's three commands one by one, over the 20 years as shipped and over the six months.
void BM_Command(benchmark::State& state, const char* name, bool large) {
    Diary& d = large ? *twentyYears : *sixMonths;
    for (auto _ : state) {
        auto& rs = d.de->run(QString::fromLatin1(name), {PeriodFrom.serial(), LastDay.serial()});
        benchmark::DoNotOptimize(rs.recordCount());
        rs.close();
    }
}
BENCHMARK_CAPTURE(BM_Command, GPBody_20Years, "GPBody", true);
BENCHMARK_CAPTURE(BM_Command, GPBody_SixMonths, "GPBody", false);
BENCHMARK_CAPTURE(BM_Command, GPCalories_20Years, "GPCalories", true);
BENCHMARK_CAPTURE(BM_Command, GPCalories_SixMonths, "GPCalories", false);
BENCHMARK_CAPTURE(BM_Command, GPNotes_20Years, "GPNotes", true);
BENCHMARK_CAPTURE(BM_Command, GPNotes_SixMonths, "GPNotes", false);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);

    Diary large(LastDay.addMonths(-240));
    Diary refreshed(LastDay.addMonths(-240));
    refreshed.refreshStatistics();
    Diary small(PeriodFrom);
    small.refreshStatistics();
    Diary daily(PeriodFrom);
    daily.de->Con.execute(u"delete from UserNote"_s);
    for (DateValue day = PeriodFrom; day <= LastDay; day = day.addDays(1))
        daily.de->Con.execute(
            u"insert into UserNote (DateFrom, DateTo, NoteText) values (%1, %1, "
            "'Slept badly, a long day at work, a short walk in the evening')"_s.arg(day.serial()));
    twentyYears = &large;
    twentyYearsRefreshed = &refreshed;
    sixMonths = &small;
    noteEveryDay = &daily;
    std::fprintf(
        stderr, "diary rows: %lld meals over 20 years, %lld over six months\n",
        static_cast<long long>(column(large.de->Con, u"select count(*) from MealConsume"_s)[0].toLongLong()),
        static_cast<long long>(column(small.de->Con, u"select count(*) from MealConsume"_s)[0].toLongLong()));

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
