// Exporting the last year of a 20-year diary (about six meals and one activity a day, a body
// measurement every second day, a note a month), as the export window does it: the period read
// through the day commands, then written as the report for a dietitian (PDF) and as the five
// spreadsheet files (CSV), each to a temporary name and renamed. Budget: both formats together,
// each export reading the period itself, under one second. The parts are measured too: reading the
// period, making the PDF and making the CSV files from what was read.
#include "AppState.h"
#include "CsvExport.h"
#include "DateValue.h"
#include "ExportFiles.h"
#include "ExportPeriod.h"
#include "LargeDiary.h"
#include "PdfReport.h"
#include "deData.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

using namespace kelvora;
using namespace Qt::StringLiterals;

namespace {

const DateValue LastDay = DateValue::fromYmd(2026, 11, 30);
const QDate To = LastDay.toQDate();
const QDate From = LastDay.addMonths(-12).addDays(1).toQDate();

struct Diary {
    QTemporaryDir folder;
    QTemporaryDir out;
    std::unique_ptr<deData> de;
    AppState state;

    Diary() {
        de = makeDiary(deData::databasePathIn(folder.path()), LastDay.addMonths(-240), LastDay);
        state.metabolicRate = 80;
        state.measurementSystem = u"I"_s;
        state.timeDisplayFormat = u"Hh:Nn"_s;
    }
};

Diary* diary = nullptr;

void exportReport() {
    const ExportPeriod period = readPeriod(*diary->de, diary->state, From, To);
    const QString failed =
        writeFilesTogether({{diary->out.filePath(u"report.pdf"_s), pdfReport(period, diary->state)}});
    if (!failed.isEmpty())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(failed));
}

void exportSpreadsheet() {
    const ExportPeriod period = readPeriod(*diary->de, diary->state, From, To);
    std::vector<FileContent> files;
    for (CsvFile& file : csvFiles(period))
        files.push_back({QDir(diary->out.path()).filePath(file.name), std::move(file.content)});
    if (const QString failed = writeFilesTogether(files); !failed.isEmpty())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(failed));
}

void BM_ExportBothFormats_LastYear(benchmark::State& state) {
    for (auto _ : state) {
        exportReport();
        exportSpreadsheet();
    }
}
void BM_ExportReport_LastYear(benchmark::State& state) {
    for (auto _ : state)
        exportReport();
}
void BM_ExportSpreadsheet_LastYear(benchmark::State& state) {
    for (auto _ : state)
        exportSpreadsheet();
}
void BM_ReadPeriod_LastYear(benchmark::State& state) {
    std::size_t days = 0;
    for (auto _ : state) {
        const ExportPeriod period = readPeriod(*diary->de, diary->state, From, To);
        days = period.days.size();
        benchmark::DoNotOptimize(days);
    }
    state.counters["days"] = static_cast<double>(days);
}
void BM_MakePdf_LastYear(benchmark::State& state) {
    const ExportPeriod period = readPeriod(*diary->de, diary->state, From, To);
    qsizetype bytes = 0;
    for (auto _ : state) {
        bytes = pdfReport(period, diary->state).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
void BM_MakeCsv_LastYear(benchmark::State& state) {
    const ExportPeriod period = readPeriod(*diary->de, diary->state, From, To);
    for (auto _ : state)
        benchmark::DoNotOptimize(csvFiles(period).size());
}

BENCHMARK(BM_ExportBothFormats_LastYear)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ExportReport_LastYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportSpreadsheet_LastYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPeriod_LastYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakePdf_LastYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakeCsv_LastYear)->Unit(benchmark::kMillisecond);

// Prints the figure the budget is about once the runs are done.
class BudgetReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                m_times[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        const Time both = m_times["BM_ExportBothFormats_LastYear"];
        if (both.real <= 0)
            return;
        std::printf("a year in both formats: %.0f ms real, %.0f ms CPU (budget 1000 ms)%s\n", both.real,
                    both.cpu, both.real < 1000 ? "" : " -- OVER BUDGET");
    }

private:
    struct Time {
        double real = 0; // milliseconds
        double cpu = 0;
    };
    std::map<std::string, Time> m_times;
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    benchmark::Initialize(&argc, argv);
    Diary large;
    diary = &large;
    std::fprintf(
        stderr, "diary: %lld meals over 20 years, %lld in the year exported\n",
        static_cast<long long>(column(large.de->Con, u"select count(*) from MealConsume"_s)[0].toLongLong()),
        static_cast<long long>(
            column(large.de->Con, u"select count(*) from MealConsume where ConsumeDate "
                                  "between %1 and %2"_s.arg(DateValue::fromQDate(From).serial())
                                      .arg(LastDay.serial()))[0]
                .toLongLong()));
    BudgetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
