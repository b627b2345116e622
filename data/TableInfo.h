#pragma once

#include "Connection.h"

#include <QString>
#include <QVariant>

#include <vector>

namespace kelvora {

enum class ColumnKind { Integer, Double, Currency, Date, Time, Text, Other };

// The columns of one table as the schema declares them, read once. The declared types tell how
// a value is stored ("CURRENCY REAL" columns hold values snapped to ten-thousandths).
class TableInfo {
public:
    TableInfo(Connection& connection, const QString& table);

    const QString& name() const { return m_name; }
    // -1 when the table has no such column (compared without regard to case).
    int indexOf(const QString& column) const;
    const QString& columnName(int index) const { return m_columns[static_cast<std::size_t>(index)].name; }
    ColumnKind kind(int index) const { return m_columns[static_cast<std::size_t>(index)].kind; }

    // The value as it is stored in a column of this kind; throws DbError for a value that cannot be
    // stored there (text that is not a number in a number column, a number out of range).
    QVariant toStorage(int index, const QVariant& value) const;

private:
    struct Column {
        QString name;
        ColumnKind kind;
    };
    QString m_name;
    std::vector<Column> m_columns;
};

} // namespace kelvora
