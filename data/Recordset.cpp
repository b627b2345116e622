#include "Recordset.h"

#include "TableInfo.h"

#include "Currency.h"
#include "DateValue.h"
#include "Numeric.h"
#include "ValueConversion.h"

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

QVariant bindable(ParamKind kind, const QVariant& value, const QString& command) {
    if (value.isNull())
        return {};
    const QString what = u"a parameter of "_s + command;
    switch (kind) {
    case ParamKind::Identifier:
    case ParamKind::Int32:
    case ParamKind::Int16: {
        const double number = numberOf(value, what);
        std::optional<std::int32_t> whole = toInt32(number);
        if (kind == ParamKind::Int16 && !toInt16(number))
            whole.reset();
        if (!whole)
            throw DbError(u"Overflow: %1 does not fit %2"_s.arg(value.toString(), what));
        return QVariant(static_cast<qlonglong>(*whole));
    }
    case ParamKind::Date:
        // A calendar date carries no time of day, whatever the caller passed.
        return QVariant(DateValue(serialOf(value, what)).datePart().serial());
    case ParamKind::Single:
        return QVariant(static_cast<double>(static_cast<float>(numberOf(value, what))));
    case ParamKind::Currency: {
        const auto amount = value.metaType() == QMetaType::fromType<Currency>()
                                ? std::optional<Currency>(value.value<Currency>())
                                : Currency::fromDouble(numberOf(value, what));
        if (!amount)
            throw DbError(u"Overflow: %1 does not fit %2"_s.arg(value.toString(), what));
        return QVariant(amount->toDouble());
    }
    case ParamKind::Text:
        return QVariant(value.toString());
    }
    return value;
}

} // namespace

Recordset::Recordset(Connection& connection, const CommandDef& command, TableInfo* baseTable)
    : m_connection(connection), m_command(command), m_base(baseTable) {}

void Recordset::open(const QVariantList& params) {
    if (m_open)
        throw DbError(u"The recordset rs%1 is already open"_s.arg(m_command.name));
    if (params.size() != static_cast<qsizetype>(m_command.params.size()))
        throw DbError(u"The command %1 takes %2 parameter(s), %3 given"_s.arg(m_command.name)
                          .arg(m_command.params.size())
                          .arg(params.size()));
    Statement statement(m_connection, m_command.sql);
    for (qsizetype i = 0; i < params.size(); ++i)
        statement.bind(static_cast<int>(i + 1),
                       bindable(m_command.params[static_cast<std::size_t>(i)], params[i], m_command.name));
    std::vector<QString> columns;
    for (int c = 0; c < statement.columnCount(); ++c)
        columns.push_back(statement.columnName(c));
    std::vector<Row> rows;
    while (statement.step()) {
        Row row(columns.size());
        for (std::size_t c = 0; c < columns.size(); ++c)
            row[c] = statement.value(static_cast<int>(c));
        rows.push_back(std::move(row));
    }
    m_columns = std::move(columns);
    m_rows = std::move(rows);
    m_pos = 0;
    m_edit = EditMode::None;
    m_original.reset();
    m_open = true;
}

void Recordset::close() {
    m_open = false;
    m_rows.clear();
    m_columns.clear();
    m_pos = 0;
    m_edit = EditMode::None;
    m_original.reset();
}

bool Recordset::eof() const {
    return !m_open || m_pos >= m_rows.size();
}

void Recordset::moveNext() {
    requireOpen();
    if (m_edit != EditMode::None)
        throw DbError(u"rs%1 has a change that is neither stored nor cancelled"_s.arg(m_command.name));
    if (m_pos < m_rows.size())
        ++m_pos;
}

void Recordset::moveFirst() {
    requireOpen();
    m_pos = 0;
}

int Recordset::recordCount() const {
    return m_open ? static_cast<int>(m_rows.size()) : 0;
}

int Recordset::columnIndex(const QString& column) const {
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].compare(column, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

bool Recordset::hasColumn(const QString& column) const {
    return columnIndex(column) >= 0;
}

QVariant Recordset::field(const QString& column) const {
    requireRow();
    const int index = columnIndex(column);
    if (index < 0)
        throw DbError(u"rs%1 has no column %2"_s.arg(m_command.name, column));
    return m_rows[m_pos][static_cast<std::size_t>(index)];
}

void Recordset::requireOpen() const {
    if (!m_open)
        throw DbError(u"The recordset rs%1 is not open"_s.arg(m_command.name));
}

void Recordset::requireRow() const {
    requireOpen();
    if (m_pos >= m_rows.size())
        throw DbError(u"rs%1: there is no current row"_s.arg(m_command.name));
}

void Recordset::requireUpdatable() const {
    if (!m_base)
        throw DbError(u"The recordset rs%1 cannot be updated"_s.arg(m_command.name));
}

void Recordset::addNew() {
    requireOpen();
    requireUpdatable();
    if (m_edit != EditMode::None)
        cancelUpdate();
    m_rows.emplace_back(m_columns.size());
    m_pos = m_rows.size() - 1;
    m_dirty.assign(m_columns.size(), false);
    m_edit = EditMode::Adding;
}

void Recordset::beginEdit() {
    if (m_edit != EditMode::None)
        return;
    requireRow();
    m_original = m_rows[m_pos];
    m_dirty.assign(m_columns.size(), false);
    m_edit = EditMode::Editing;
}

void Recordset::set(const QString& column, const QVariant& value) {
    requireUpdatable();
    beginEdit();
    const int index = columnIndex(column);
    const int baseIndex = m_base->indexOf(column);
    if (index < 0 || baseIndex < 0)
        throw DbError(u"rs%1 has no column %2 to change"_s.arg(m_command.name, column));
    m_rows[m_pos][static_cast<std::size_t>(index)] = m_base->toStorage(baseIndex, value);
    m_dirty[static_cast<std::size_t>(index)] = true;
}

QVariant Recordset::currentKey() const {
    const int keyIndex = columnIndex(m_command.keyColumn);
    if (keyIndex < 0)
        throw DbError(u"rs%1 does not show its key %2"_s.arg(m_command.name, m_command.keyColumn));
    if (m_edit == EditMode::Editing)
        return (*m_original)[static_cast<std::size_t>(keyIndex)];
    return m_rows[m_pos][static_cast<std::size_t>(keyIndex)];
}

void Recordset::update() {
    requireUpdatable();
    if (m_edit == EditMode::None)
        return;
    if (m_edit == EditMode::Adding)
        insertPending();
    else
        updatePending();
    m_edit = EditMode::None;
    m_original.reset();
}

void Recordset::insertPending() {
    QStringList names;
    QStringList slots;
    QVariantList values;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (!m_dirty[i] || m_base->indexOf(m_columns[i]) < 0)
            continue;
        names << m_columns[i];
        slots << u"?%1"_s.arg(values.size() + 1);
        values << m_rows[m_pos][i];
    }
    const QString sql = names.isEmpty() ? u"insert into %1 default values"_s.arg(m_base->name())
                                        : u"insert into %1 (%2) values (%3)"_s.arg(
                                              m_base->name(), names.join(u", "_s), slots.join(u", "_s));
    Statement insert(m_connection, sql);
    for (qsizetype i = 0; i < values.size(); ++i)
        insert.bind(static_cast<int>(i + 1), values[i]);
    insert.step();
    // The database fills the key of a catalogue row and the table defaults; show them as stored.
    const int keyIndex = columnIndex(m_command.keyColumn);
    QVariant key = keyIndex >= 0 && m_dirty[static_cast<std::size_t>(keyIndex)]
                       ? m_rows[m_pos][static_cast<std::size_t>(keyIndex)]
                       : QVariant(static_cast<qlonglong>(m_connection.lastInsertRowId()));
    reloadCurrentFromBase(key);
}

void Recordset::updatePending() {
    QStringList assignments;
    QVariantList values;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (!m_dirty[i] || m_base->indexOf(m_columns[i]) < 0)
            continue;
        values << m_rows[m_pos][i];
        assignments << u"%1 = ?%2"_s.arg(m_columns[i]).arg(values.size());
    }
    if (assignments.isEmpty())
        return;
    values << currentKey();
    Statement update(m_connection, u"update %1 set %2 where %3 = ?%4"_s
                                       .arg(m_base->name(), assignments.join(u", "_s), m_command.keyColumn)
                                       .arg(values.size()));
    for (qsizetype i = 0; i < values.size(); ++i)
        update.bind(static_cast<int>(i + 1), values[i]);
    update.step();
    if (m_connection.changes() == 0)
        throw DbError(u"The row being changed no longer exists in %1"_s.arg(m_base->name()));
}

void Recordset::reloadCurrentFromBase(const QVariant& key) {
    Statement select(m_connection,
                     u"select * from %1 where %2 = ?1"_s.arg(m_base->name(), m_command.keyColumn));
    select.bind(1, key);
    if (!select.step())
        return;
    for (int c = 0; c < select.columnCount(); ++c) {
        const int index = columnIndex(select.columnName(c));
        if (index >= 0)
            m_rows[m_pos][static_cast<std::size_t>(index)] = select.value(c);
    }
}

void Recordset::cancelUpdate() {
    if (m_edit == EditMode::Adding) {
        m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(m_pos));
        m_pos = m_rows.size();
    } else if (m_edit == EditMode::Editing && m_original) {
        m_rows[m_pos] = *m_original;
    }
    m_edit = EditMode::None;
    m_original.reset();
}

void Recordset::deleteCurrent() {
    requireUpdatable();
    requireRow();
    if (m_edit != EditMode::None)
        cancelUpdate();
    requireRow();
    const QVariant key = currentKey();
    Statement remove(m_connection,
                     u"delete from %1 where %2 = ?1"_s.arg(m_base->name(), m_command.keyColumn));
    remove.bind(1, key);
    remove.step();
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(m_pos));
}

} // namespace kelvora
