// Find in the meal editor over a catalogue of 10,000 meals and a 20-year diary: what opening the
// search costs (reading every meal with the time it was last eaten, folding the names once), and what
// each keystroke costs, for the match alone and for the drop-down answering it (the match, the list
// reset and the events that follow, painting included). Budget: 10 ms a keystroke.
#include "Connection.h"
#include "LargeDiary.h"
#include "QuickFind.h"
#include "QuickFindPopup.h"
#include "deData.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

using namespace kelvora;
using namespace Qt::StringLiterals;

namespace {

constexpr int CatalogueSize = 10'000;
const DateValue LastDay = DateValue::fromYmd(2026, 11, 30);

// What a user types, one keystroke after another, and a text that matches nothing.
const char* const Typed[] = {"c", "cr", "cre", "crem", "creme", "creme b", "zzz"};

std::unique_ptr<deData> diary;
std::unique_ptr<QWidget> owner; // the editor the drop-down opens over

// Fills the shipped catalogue up to CatalogueSize meals, with names in several languages and their
// accents, spread over its categories.
void growCatalogue(deData& de) {
    const QStringList first{u"Crème"_s,   u"Café"_s,   u"Piña"_s,    u"Smørrebrød"_s, u"Jalapeño"_s,
                            u"Crêpe"_s,   u"Gâteau"_s, u"Soufflé"_s, u"Purée"_s,      u"Müsli"_s,
                            u"Chicken"_s, u"Bean"_s,   u"Tomato"_s,  u"Rice"_s,       u"Apple"_s};
    const QStringList second{u"brûlée"_s, u"au lait"_s, u"colada"_s, u"salad"_s, u"soup"_s,
                             u"bowl"_s,   u"wrap"_s,    u"pie"_s,    u"tart"_s,  u"stew"_s};
    std::vector<QVariant> categories = column(de.Con, u"select MealCategoryID from MealCategory"_s);
    const int existing = column(de.Con, u"select count(*) from Meal"_s).front().toInt();
    Transaction adding(de.Con);
    const QString sql =
        u"insert into Meal (MealCategoryID, Name, Calories, FatBC, CarbohydrateBC, ProteinBC) "
        "values (?1, ?2, 100, 30, 50, 20)"_s;
    for (int i = existing; i < CatalogueSize; ++i) {
        Statement insert(de.Con, sql);
        insert.bind(1, categories[static_cast<std::size_t>(i) % categories.size()]);
        insert.bind(
            2, u"%1 %2 %3"_s.arg(first[i % first.size()], second[(i / first.size()) % second.size()]).arg(i));
        insert.step();
    }
    adding.commit();
}

void BM_OpenSearch(benchmark::State& state) {
    for (auto _ : state) {
        QuickFind find(mealsToFind(*diary));
        benchmark::DoNotOptimize(find.entries().data());
    }
    state.counters["meals"] = static_cast<double>(mealsToFind(*diary).size());
}
BENCHMARK(BM_OpenSearch)->Unit(benchmark::kMillisecond);

void BM_KeystrokeMatch(benchmark::State& state) {
    static const QuickFind find(mealsToFind(*diary));
    const QString typed = QString::fromUtf8(Typed[state.range(0)]);
    std::vector<int> positions;
    for (auto _ : state) {
        find.match(typed, positions);
        benchmark::DoNotOptimize(positions.data());
    }
    state.SetLabel(Typed[state.range(0)]);
    state.counters["matches"] = static_cast<double>(positions.size());
}
BENCHMARK(BM_KeystrokeMatch)->DenseRange(0, std::size(Typed) - 1)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeDropDown(benchmark::State& state) {
    static QuickFindPopup* popup = [] {
        owner = std::make_unique<QWidget>();
        owner->resize(400, 300);
        owner->show();
        auto* made = new QuickFindPopup(owner.get(), {u"Find Meal"_s,
                                                      u"Matching meals"_s,
                                                      {u"Meal"_s, u"Category"_s},
                                                      u"No meal's name holds this text."_s});
        made->open(owner.get(), mealsToFind(*diary));
        QApplication::processEvents();
        return made;
    }();
    auto* field = popup->findChild<QLineEdit*>(u"txtFind"_s);
    const QString typed = QString::fromUtf8(Typed[state.range(0)]);
    for (auto _ : state) {
        // From the text before it, as the user types this keystroke.
        state.PauseTiming();
        field->setText(typed.chopped(1));
        QApplication::processEvents();
        state.ResumeTiming();
        field->setText(typed);
        QApplication::processEvents();
    }
    state.SetLabel(Typed[state.range(0)]);
    state.counters["matches"] = static_cast<double>(popup->matches().size());
}
BENCHMARK(BM_KeystrokeDropDown)->DenseRange(0, std::size(Typed) - 1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir folder;
    diary = makeDiary(deData::databasePathIn(folder.path()), LastDay.addMonths(-240), LastDay);
    growCatalogue(*diary);
    std::printf("%d meals, %s meals eaten\n", CatalogueSize,
                qPrintable(column(diary->Con, u"select count(*) from MealConsume"_s).front().toString()));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    owner.reset();
    diary.reset();
    return 0;
}
