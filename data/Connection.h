#pragma once

#include "DbError.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace kelvora {

// The one SQLite connection of the program. It registers the functions every command relies on
// (round half to even after snapping to ten-thousandths, Int as floor, CurrencyProduct as the
// exact product of two Currency values), the order and the folding of catalogue names
// (CatalogueNames.h), and enforces foreign keys.
class Connection {
public:
    // ReadOnly opens an existing file without ever changing it, not even the statistics a closing
    // connection would refresh: for looking at a diary that is not (or not yet) the program's own.
    enum class OpenMode { Existing, Create, ReadOnly };

    Connection() = default;
    // Throws DbError when the file cannot be opened (a missing file is an error in Existing mode).
    explicit Connection(const QString& path, OpenMode mode = OpenMode::Existing);
    ~Connection();
    Connection(Connection&& other) noexcept;
    Connection& operator=(Connection&& other) noexcept;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool isOpen() const { return m_db != nullptr; }
    sqlite3* handle() const { return m_db; }
    const QString& path() const { return m_path; }

    // Runs literal SQL (one or more statements without parameters).
    void execute(const QString& sql);
    // The first column of the first row of `sql`; null when it gives no row.
    QVariant scalar(const QString& sql);
    int changes() const;
    std::int64_t lastInsertRowId() const;
    bool inTransaction() const;

    // Throws DbError carrying the connection's current error message.
    [[noreturn]] void fail(int code) const;

    // Closing refreshes the planner's statistics, a small write. A diary the program refuses, or
    // one it only looks at, is left exactly as it was found.
    void skipUpkeepOnClose() { m_upkeepOnClose = false; }

private:
    friend class Statement;
    // Statements are kept once prepared: preparing costs as much as running most of the program's
    // commands. One idle statement per text; a busy one's twin is prepared afresh.
    static constexpr int MaxCachedStatements = 128;
    sqlite3_stmt* takeCached(const QByteArray& sql);
    void giveBack(const QByteArray& sql, sqlite3_stmt* statement) noexcept;

    void close() noexcept;
    sqlite3* m_db = nullptr;
    QString m_path;
    QHash<QByteArray, sqlite3_stmt*> m_idle;
    // Tells this opening of a file from every other, even one whose handle has the same address.
    std::uint64_t m_opening = 0;
    bool m_upkeepOnClose = true;
};

// One prepared statement. Values are bound and read as QVariant: null, integer, double or text.
class Statement {
public:
    Statement(Connection& connection, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int index, const QVariant& value); // index counts from 1
    // Advances to the next row; false when the statement is done.
    bool step();
    int columnCount() const;
    QString columnName(int column) const;
    QVariant value(int column) const;

private:
    Connection& m_connection;
    std::uint64_t m_opening; // a statement goes back only to the opening that prepared it
    QByteArray m_sql;
    sqlite3_stmt* m_stmt = nullptr;
};

// What must not half-happen runs inside one Transaction: commit() makes it permanent, leaving the
// scope without commit() rolls everything back. Transactions nest (savepoints), so a routine that
// needs one may be called from inside another's.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Connection& m_connection;
    QString m_name;
    bool m_outermost;
    bool m_done = false;
};

} // namespace kelvora
