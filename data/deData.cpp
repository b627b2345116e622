#include "deData.h"

#include "Commands.h"
#include "TableInfo.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

const QStringList& diaryTables() {
    static const QStringList tables{u"MealCategory"_s,    u"Meal"_s, u"Exercise"_s, u"MealConsume"_s,
                                    u"ExercisePerform"_s, u"Body"_s, u"UserNote"_s, u"Common"_s};
    return tables;
}

} // namespace

deData::deData(const QString& databasePath) : Con(databasePath, Connection::OpenMode::Existing) {
    for (const QString& table : diaryTables())
        tableInfo(table);
    for (const CommandDef& def : commandDefinitions()) {
        if (!def.returnsRows)
            continue;
        TableInfo* base = def.baseTable.isEmpty() ? nullptr : tableInfo(def.baseTable);
        m_recordsets.emplace(def.name.toLower(), std::make_unique<Recordset>(Con, def, base));
    }
}

deData::~deData() = default;

QString deData::databasePathIn(const QString& folder) {
    QString path = QDir::fromNativeSeparators(folder);
    if (!path.endsWith(u'/'))
        path += u'/';
    return path + QString::fromLatin1(DatabaseFileName);
}

void deData::reloadAfterReplacement() {
    for (auto& [name, recordset] : m_recordsets) {
        if (recordset->isOpen())
            recordset->close();
    }
    // In place: the recordsets of the updatable commands keep pointing at their table's columns.
    for (auto& [name, info] : m_tables)
        *info = TableInfo(Con, name);
}

TableInfo* deData::tableInfo(const QString& table) {
    auto it = m_tables.find(table);
    if (it == m_tables.end())
        it = m_tables.emplace(table, std::make_unique<TableInfo>(Con, table)).first;
    return it->second.get();
}

Recordset& deData::rs(const QString& command) {
    const auto it = m_recordsets.find(command.toLower());
    if (it == m_recordsets.end())
        throw DbError(u"There is no rows command named %1"_s.arg(command));
    return *it->second;
}

Recordset& deData::run(const QString& command, const QVariantList& params) {
    closeIfOpen(command);
    Recordset& recordset = rs(command);
    recordset.open(params);
    return recordset;
}

void deData::closeIfOpen(const QString& command) {
    Recordset& recordset = rs(command);
    if (recordset.isOpen())
        recordset.close();
}

void deData::execute(const QString& command, const QVariantList& params) {
    const CommandDef* def = findCommand(command);
    if (!def || def->returnsRows)
        throw DbError(u"There is no action command named %1"_s.arg(command));
    // An action shares the parameter conversion of the rows commands: run it through a throwaway
    // recordset, which an action leaves without rows.
    Recordset action(Con, *def, nullptr);
    action.open(params);
}

} // namespace kelvora
