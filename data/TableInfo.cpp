#include "TableInfo.h"

#include "Currency.h"
#include "DateValue.h"
#include "Numeric.h"
#include "ValueConversion.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

ColumnKind kindOfDeclaredType(const QString& declared) {
    const QString type = declared.toUpper();
    if (type.startsWith(u"CURRENCY"_s))
        return ColumnKind::Currency;
    if (type.startsWith(u"DATE"_s))
        return ColumnKind::Date;
    if (type.startsWith(u"TIME"_s))
        return ColumnKind::Time;
    if (type.contains(u"INT"_s))
        return ColumnKind::Integer;
    if (type.contains(u"TEXT"_s) || type.contains(u"CHAR"_s))
        return ColumnKind::Text;
    if (type.contains(u"REAL"_s) || type.contains(u"DOUB"_s) || type.contains(u"FLOA"_s))
        return ColumnKind::Double;
    return ColumnKind::Other;
}

} // namespace

TableInfo::TableInfo(Connection& connection, const QString& table) : m_name(table) {
    Statement info(connection, u"select name, type from pragma_table_info(?1)"_s);
    info.bind(1, table);
    while (info.step())
        m_columns.push_back({info.value(0).toString(), kindOfDeclaredType(info.value(1).toString())});
    if (m_columns.empty())
        throw DbError(u"The database has no table %1"_s.arg(table));
}

int TableInfo::indexOf(const QString& column) const {
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].name.compare(column, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

QVariant TableInfo::toStorage(int index, const QVariant& value) const {
    if (value.isNull())
        return {};
    const QString& column = columnName(index);
    switch (kind(index)) {
    case ColumnKind::Integer: {
        const auto whole = toInt32(numberOf(value, column));
        if (!whole)
            throw DbError(
                u"Overflow: the value %1 does not fit the column %2"_s.arg(value.toString(), column));
        return QVariant(static_cast<qlonglong>(*whole));
    }
    case ColumnKind::Double:
        return QVariant(numberOf(value, column));
    case ColumnKind::Currency: {
        std::optional<Currency> amount;
        if (value.metaType() == QMetaType::fromType<Currency>())
            amount = value.value<Currency>();
        else if (value.typeId() == QMetaType::QString)
            amount = Currency::fromText(value.toString()); // decimally, so typed halves round exactly
        else
            amount = Currency::fromDouble(numberOf(value, column));
        if (!amount)
            throw mismatch(value, column);
        return QVariant(amount->toDouble());
    }
    case ColumnKind::Date:
    case ColumnKind::Time:
        return QVariant(serialOf(value, column));
    case ColumnKind::Text:
        return QVariant(value.toString());
    case ColumnKind::Other:
        break;
    }
    return value;
}

} // namespace kelvora
