#include "Connection.h"

#include "CatalogueNames.h"
#include "Currency.h"
#include "DateValue.h"

#include <QDate>
#include <QTime>

#include <sqlite3.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

constexpr int BusyTimeoutMs = 3000;

// Rounds a value already snapped to ten-thousandths to `digits` decimals (0..4), a half going to
// the even neighbour. Working on the integer count of ten-thousandths keeps it exact.
double roundSnapped(double snapped, int digits) {
    const double scaled = snapped * Currency::Scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) > 9.0e18)
        return snapped; // beyond fixed point: no fractional digits left to round
    const auto raw = static_cast<std::int64_t>(std::llround(scaled));
    std::int64_t divisor = 1;
    for (int i = digits; i < 4; ++i)
        divisor *= 10;
    std::int64_t quotient = raw / divisor;
    const std::int64_t remainder = raw % divisor;
    const std::int64_t twice = 2 * (remainder < 0 ? -remainder : remainder);
    const int direction = raw < 0 ? -1 : 1;
    if (twice > divisor || (twice == divisor && quotient % 2 != 0))
        quotient += direction;
    return static_cast<double>(quotient * divisor) / Currency::Scale;
}

void sqlRound(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    int digits = 0;
    if (argc == 2) {
        if (sqlite3_value_type(argv[1]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return;
        }
        digits = sqlite3_value_int(argv[1]);
        if (digits < 0) {
            sqlite3_result_error(context, "Invalid procedure call: round to a negative number of digits", -1);
            return;
        }
    }
    const double snapped = snapToCurrency(sqlite3_value_double(argv[0]));
    sqlite3_result_double(context, digits >= 4 ? snapped : roundSnapped(snapped, digits));
}

void sqlInt(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    // Snapping first keeps a quotient such as 68.04 / 0.4536, which binary arithmetic leaves just
    // under 150, at the whole number a fixed-point computation gives.
    sqlite3_result_double(context, std::floor(snapToCurrency(sqlite3_value_double(argv[0]))));
}

// The product of two Currency values is a Currency value: the exact decimal product rounded half
// to even at the fourth decimal. A binary product rounded afterwards decides ties at the fifth
// decimal by the binary noise instead (9.6667 x 1.5 = 14.50005 is 14.5000, not 14.5001).
void sqlCurrencyProduct(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const double a = sqlite3_value_double(argv[0]);
    const double b = sqlite3_value_double(argv[1]);
    const std::optional<Currency> x = Currency::fromDouble(a);
    const std::optional<Currency> y = Currency::fromDouble(b);
    if (x && y) {
        try {
            sqlite3_result_double(context, (*x * *y).toDouble());
            return;
        } catch (const std::overflow_error&) {
        }
    }
    // Beyond the fixed-point range there are no ten-thousandths left to decide.
    sqlite3_result_double(context, a * b);
}

void registerFunctions(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    for (const int argc : {1, 2})
        sqlite3_create_function(db, "round", argc, flags, nullptr, sqlRound, nullptr, nullptr);
    sqlite3_create_function(db, "Int", 1, flags, nullptr, sqlInt, nullptr, nullptr);
    sqlite3_create_function(db, "CurrencyProduct", 2, flags, nullptr, sqlCurrencyProduct, nullptr, nullptr);
    registerNameFunctions(db);
}

void checkSchemaReadable(sqlite3* db) {
    // Opening is lazy in SQLite: reading the schema is what tells a database from any other file.
    char* error = nullptr;
    const int rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errstr(rc));
        sqlite3_free(error);
        throw DbError(message, rc);
    }
}

// Numbers the openings of database files; see Connection::m_opening.
std::atomic<std::uint64_t> openings{0};

} // namespace

Connection::Connection(const QString& path, OpenMode mode) : m_path(path), m_opening(++openings) {
    int flags =
        (mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    if (mode == OpenMode::Create)
        flags |= SQLITE_OPEN_CREATE;
    m_upkeepOnClose = mode != OpenMode::ReadOnly;
    const QByteArray utf8 = path.toUtf8();
    const int rc = sqlite3_open_v2(utf8.constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message =
            QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc)) + u": "_s + path;
        close();
        throw DbError(message, rc);
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, BusyTimeoutMs);
    try {
        checkSchemaReadable(m_db);
        execute(u"PRAGMA foreign_keys = ON"_s);
    } catch (...) {
        // A file that could not even be read is left as it was found.
        m_upkeepOnClose = false;
        close();
        throw;
    }
    registerFunctions(m_db);
}

Connection::~Connection() {
    close();
}

Connection::Connection(Connection&& other) noexcept
    : m_db(std::exchange(other.m_db, nullptr)), m_path(std::move(other.m_path)),
      m_idle(std::exchange(other.m_idle, {})), m_opening(std::exchange(other.m_opening, 0)),
      m_upkeepOnClose(other.m_upkeepOnClose) {}

Connection& Connection::operator=(Connection&& other) noexcept {
    if (this != &other) {
        close();
        m_db = std::exchange(other.m_db, nullptr);
        m_path = std::move(other.m_path);
        m_idle = std::exchange(other.m_idle, {});
        m_opening = std::exchange(other.m_opening, 0);
        m_upkeepOnClose = other.m_upkeepOnClose;
    }
    return *this;
}

sqlite3_stmt* Connection::takeCached(const QByteArray& sql) {
    return m_idle.take(sql);
}

void Connection::giveBack(const QByteArray& sql, sqlite3_stmt* statement) noexcept {
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    if (m_idle.size() >= MaxCachedStatements || m_idle.contains(sql)) {
        sqlite3_finalize(statement);
        return;
    }
    m_idle.insert(sql, statement);
}

void Connection::close() noexcept {
    for (sqlite3_stmt* statement : std::as_const(m_idle))
        sqlite3_finalize(statement);
    m_idle.clear();
    if (m_db) {
        // Statistics taken as the diary grows keep the planner on the date indexes; a bounded
        // analysis keeps closing quick on a large file. A read-only file simply skips it.
        if (m_upkeepOnClose)
            sqlite3_exec(m_db, "PRAGMA analysis_limit = 400; PRAGMA optimize;", nullptr, nullptr, nullptr);
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void Connection::fail(int code) const {
    throw DbError(QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(code)),
                  m_db ? sqlite3_extended_errcode(m_db) : code);
}

void Connection::execute(const QString& sql) {
    if (!m_db)
        throw DbError(u"The database is not open"_s);
    char* error = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_exec(m_db, utf8.constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errstr(rc));
        sqlite3_free(error);
        throw DbError(message, sqlite3_extended_errcode(m_db));
    }
}

int Connection::changes() const {
    return m_db ? sqlite3_changes(m_db) : 0;
}

std::int64_t Connection::lastInsertRowId() const {
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

QVariant Connection::scalar(const QString& sql) {
    Statement statement(*this, sql);
    return statement.step() ? statement.value(0) : QVariant();
}

bool Connection::inTransaction() const {
    return m_db && sqlite3_get_autocommit(m_db) == 0;
}

Statement::Statement(Connection& connection, const QString& sql)
    : m_connection(connection), m_opening(connection.m_opening), m_sql(sql.toUtf8()) {
    if (!connection.isOpen())
        throw DbError(u"The database is not open"_s);
    m_stmt = connection.takeCached(m_sql);
    if (m_stmt)
        return;
    const int rc = sqlite3_prepare_v3(connection.handle(), m_sql.constData(), int(m_sql.size()),
                                      SQLITE_PREPARE_PERSISTENT, &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        connection.fail(rc);
    }
}

Statement::~Statement() {
    if (m_stmt && m_connection.isOpen() && m_connection.m_opening == m_opening)
        m_connection.giveBack(m_sql, m_stmt);
    else
        sqlite3_finalize(m_stmt);
}

void Statement::bind(int index, const QVariant& value) {
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
            // The stored flag is 0 or 1, never the -1 of a 16-bit True.
            rc = sqlite3_bind_int64(m_stmt, index, value.toBool() ? 1 : 0);
            break;
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
            rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
            break;
        case QMetaType::Float:
        case QMetaType::Double:
            rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
            break;
        case QMetaType::QDate:
            rc = sqlite3_bind_double(m_stmt, index, DateValue::fromQDate(value.toDate()).serial());
            break;
        case QMetaType::QTime:
            rc = sqlite3_bind_double(m_stmt, index, DateValue::fromQTime(value.toTime()).serial());
            break;
        default:
            if (value.metaType() == QMetaType::fromType<Currency>()) {
                rc = sqlite3_bind_double(m_stmt, index, value.value<Currency>().toDouble());
            } else if (value.metaType() == QMetaType::fromType<DateValue>()) {
                rc = sqlite3_bind_double(m_stmt, index, value.value<DateValue>().serial());
            } else {
                const QByteArray text = value.toString().toUtf8();
                rc = sqlite3_bind_text(m_stmt, index, text.constData(), static_cast<int>(text.size()),
                                       SQLITE_TRANSIENT);
            }
        }
    }
    if (rc != SQLITE_OK)
        m_connection.fail(rc);
}

bool Statement::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    m_connection.fail(rc);
}

int Statement::columnCount() const {
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int column) const {
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

QVariant Statement::value(int column) const {
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column)),
                                          sqlite3_column_bytes(m_stmt, column)));
    case SQLITE_NULL:
        return QVariant();
    default:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(m_stmt, column)),
                                   sqlite3_column_bytes(m_stmt, column)));
    }
}

Transaction::Transaction(Connection& connection)
    : m_connection(connection), m_outermost(!connection.inTransaction()) {
    static std::atomic<unsigned> counter{0};
    m_name = u"kelvora_tx_"_s + QString::number(++counter);
    m_connection.execute(u"SAVEPOINT "_s + m_name);
}

Transaction::~Transaction() {
    if (m_done)
        return;
    try {
        if (m_outermost) {
            // Rolled back to its savepoint and then released, the transaction would still be
            // committed: the pages it had changed written back as they were, the file's change
            // counter moved on, the disk synced several times over, all for nothing.
            m_connection.execute(u"ROLLBACK"_s);
        } else {
            m_connection.execute(u"ROLLBACK TO "_s + m_name);
            m_connection.execute(u"RELEASE "_s + m_name);
        }
    } catch (const DbError&) {
        // After a full disk or an I/O error SQLite refuses to go on until the whole transaction is
        // rolled back; left open, it would hold every later change of the program back from the
        // file and keep the database locked.
        if (m_connection.inTransaction()) {
            try {
                m_connection.execute(u"ROLLBACK"_s);
            } catch (const DbError&) {
                // SQLite rolls back what it could not release when the connection closes.
            }
        }
    }
}

void Transaction::commit() {
    m_connection.execute(u"RELEASE "_s + m_name);
    m_done = true;
}

} // namespace kelvora
