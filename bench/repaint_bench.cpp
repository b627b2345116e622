// Redrawing the main window's day: RePaintGraph (the two commands, the chart fed and painted) on
// the last day of the shipped sample diary, in a window of the designed size. Budget: 3 ms.
#include "App.h"
#include "QtServices.h"
#include "Startup.h"
#include "ZelmarGraph.h"
#include "deData.h"
#include "frmMain.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

using namespace kelvora;
using namespace Qt::StringLiterals;

namespace {

// Help is never asked for here.
class NoHelp final : public HelpService {
public:
    void showTopic(int) override {}
    void showContents() override {}
};

frmMain* window = nullptr;

void BM_RePaintGraph(benchmark::State& state) {
    for (auto _ : state)
        window->RePaintGraph();
    state.counters["meal bars"] =
        static_cast<double>(window->findChild<ZelmarGraph*>(u"graph"_s)->meals().size());
}
BENCHMARK(BM_RePaintGraph)->Unit(benchmark::kMicrosecond);

void BM_LoadGraph(benchmark::State& state) {
    for (auto _ : state)
        window->LoadGraph();
}
BENCHMARK(BM_LoadGraph)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);

    QTemporaryDir folder;
    const QString database = deData::databasePathIn(folder.path());
    if (!folder.isValid() || !QFile::copy(QStringLiteral(KELVORA_SHIPPED_DATABASE), database)) {
        std::fprintf(stderr, "cannot copy %s\n", KELVORA_SHIPPED_DATABASE);
        return 1;
    }
    QFile::setPermissions(database, QFile::ReadOwner | QFile::WriteOwner);
    ServiceSet services{std::make_unique<QtMessageService>(), std::make_unique<QtModalService>(),
                        std::make_unique<SystemClock>(), std::make_unique<QtPrinterService>(),
                        std::make_unique<NoHelp>(), std::make_unique<QtFileDialogService>()};
    App context(folder.path(), std::make_unique<deData>(database), std::move(services));
    initialiseState(context.state(), context.de(), QDateTime::currentDateTime(), QLocale());
    // The sample diary ends on the installation day.
    context.state().currentDate = DateValue(context.de().run(u"Common"_s).field(u"installDate"_s).toDouble());

    frmMain mainWindow;
    mainWindow.show();
    QApplication::processEvents();
    window = &mainWindow;

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
