#pragma once

#include "Connection.h"
#include "Recordset.h"

#include <QString>
#include <QVariantList>

#include <map>
#include <memory>

namespace kelvora {

class TableInfo;

// The data environment: the program's one connection `Con` and one recordset per named command
// that returns rows ("rs" + command name). Every window reads and writes through it.
class deData {
public:
    static constexpr auto DatabaseFileName = "Kelvora.mdb";

    // Opens the database file at `databasePath`. Throws DbError when the file is missing, is not a
    // database, or lacks the tables of the diary.
    explicit deData(const QString& databasePath);
    ~deData();
    deData(const deData&) = delete;
    deData& operator=(const deData&) = delete;

    // The path of the database in a program folder: the folder, a separator, "Kelvora.mdb".
    static QString databasePathIn(const QString& folder);

    Connection Con;

    // The recordset of a rows command, by command name without regard to case. Throws DbError for
    // an unknown name.
    Recordset& rs(const QString& command);
    // Closes the command's recordset if it is open and runs the command again.
    Recordset& run(const QString& command, const QVariantList& params = {});
    // Closes the command's recordset if it is open, as every window does when it closes.
    void closeIfOpen(const QString& command);
    // Runs an action command.
    void execute(const QString& command, const QVariantList& params = {});

    // After the whole database under Con was replaced (a diary restored into it): every recordset
    // is closed, so no window reads rows of the diary that was, and the columns of the tables are
    // read again. Throws DbError when the new database lacks a table of the diary.
    void reloadAfterReplacement();

private:
    TableInfo* tableInfo(const QString& table);

    std::map<QString, std::unique_ptr<TableInfo>> m_tables;
    std::map<QString, std::unique_ptr<Recordset>> m_recordsets; // keyed by lower-case name
};

} // namespace kelvora
