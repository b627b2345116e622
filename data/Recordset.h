#pragma once

#include "Commands.h"
#include "Connection.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <optional>
#include <vector>

namespace kelvora {

class TableInfo;

// The rows of one named command, materialised when the command runs. Windows walk them with
// eof()/moveNext() and read columns by name without regard to case. The recordsets of the
// single-row commands (and Common) are updatable: addNew()/set()/update() append or change one
// row, cancelUpdate() drops the pending change, deleteCurrent() removes the row. Only the columns
// of the base table that were set are written back.
class Recordset {
public:
    Recordset(Connection& connection, const CommandDef& command, TableInfo* baseTable);

    const QString& commandName() const { return m_command.name; }
    bool isOpen() const { return m_open; }

    // Runs the command with its parameters in order and positions on the first row. Running an
    // open recordset again is a misuse (close it first) and throws DbError.
    void open(const QVariantList& params = {});
    void close();

    bool eof() const;
    void moveNext();
    void moveFirst();
    int recordCount() const;

    // A column of the current row; throws DbError for an unknown column or when there is no row.
    QVariant field(const QString& column) const;
    bool hasColumn(const QString& column) const;

    bool isUpdatable() const { return m_base != nullptr; }
    bool hasPendingChange() const { return m_edit != EditMode::None; }
    void addNew();
    // Changes a column of the current (or new) row; the value is converted to the column's stored
    // kind (Currency snapped to ten-thousandths, dates and times to day serials).
    void set(const QString& column, const QVariant& value);
    // Writes the pending change. On failure it throws DbError and keeps the change pending, so the
    // caller reports it and calls cancelUpdate().
    void update();
    void cancelUpdate();
    void deleteCurrent();

private:
    enum class EditMode { None, Editing, Adding };
    using Row = std::vector<QVariant>;

    int columnIndex(const QString& column) const; // -1 when unknown
    void requireOpen() const;
    void requireRow() const;
    void requireUpdatable() const;
    void beginEdit();
    QVariant currentKey() const;
    void insertPending();
    void updatePending();
    void reloadCurrentFromBase(const QVariant& key);

    Connection& m_connection;
    const CommandDef& m_command;
    TableInfo* m_base;
    bool m_open = false;
    std::vector<QString> m_columns;
    std::vector<Row> m_rows;
    std::size_t m_pos = 0;
    EditMode m_edit = EditMode::None;
    std::optional<Row> m_original;
    std::vector<bool> m_dirty;
};

} // namespace kelvora
