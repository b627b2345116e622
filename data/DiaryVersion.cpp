#include "DiaryVersion.h"

#include "Connection.h"

#include <QStringList>

#include <vector>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

struct UpgradeStep {
    int toVersion;
    QString table;
    QString column;
    QString definition;
};

// Each step adds one column, and only where it is missing: a diary that holds it already (one a
// step put it in before an older program set user_version back) is taken as it is.
const std::vector<UpgradeStep>& upgradeSteps() {
    static const std::vector<UpgradeStep> steps{
        // The goals: NULL for none. Weights in the Common row's unit system, budgets in kcal a day.
        {2, u"Common"_s, u"TargetWeight"_s, u"CURRENCY REAL CHECK (TargetWeight > 0)"_s},
        {2, u"Common"_s, u"DailyCalorieBudget"_s, u"CURRENCY REAL CHECK (DailyCalorieBudget > 0)"_s},
    };
    return steps;
}

bool hasColumn(Connection& con, const QString& table, const QString& column) {
    Statement columns(con, u"select 1 from pragma_table_info(?1) where name = ?2 collate nocase"_s);
    columns.bind(1, table);
    columns.bind(2, column);
    return columns.step();
}

bool hasTable(Connection& con, const QString& table) {
    Statement tables(con, u"select 1 from sqlite_master where type = 'table' and name = ?1 collate nocase"_s);
    tables.bind(1, table);
    return tables.step();
}

} // namespace

int diaryVersion(Connection& con) {
    Statement version(con, u"pragma user_version"_s);
    const int stored = version.step() ? version.value(0).toInt() : 0;
    // Kelvora 1.0 never wrote a version; a negative one is no version either.
    return stored < FirstDiaryVersion ? FirstDiaryVersion : stored;
}

void applyUpgradeSteps(Connection& con, int from, int to) {
    for (const UpgradeStep& step : upgradeSteps()) {
        if (step.toVersion <= from || step.toVersion > to || hasColumn(con, step.table, step.column))
            continue;
        con.execute(u"alter table %1 add column %2 %3"_s.arg(step.table, step.column, step.definition));
    }
}

bool needsUpgrade(Connection& con) {
    return diaryVersion(con) < CurrentDiaryVersion && hasTable(con, u"Common"_s);
}

UpgradeResult upgradeDiary(Connection& con) {
    const int version = diaryVersion(con);
    if (version >= CurrentDiaryVersion)
        return UpgradeResult::Current;
    if (!hasTable(con, u"Common"_s))
        return UpgradeResult::NotADiary;
    Transaction transaction(con);
    applyUpgradeSteps(con, version, CurrentDiaryVersion);
    con.execute(u"pragma user_version = %1"_s.arg(CurrentDiaryVersion));
    transaction.commit();
    return UpgradeResult::Upgraded;
}

} // namespace kelvora
