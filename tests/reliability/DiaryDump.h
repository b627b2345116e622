#pragma once

#include "Connection.h"

#include <QStringList>

#include <algorithm>
#include <map>

namespace kelvora::test {

// Every row of every table of a diary, each as one line of typed values, the rows of a table in
// a fixed order: two dumps are equal exactly when the diaries hold the same data.
using DiaryDump = std::map<QString, QStringList>;

inline DiaryDump dumpDiary(Connection& con) {
    QStringList tables;
    {
        // Statistics come and go as SQLite pleases (closing a connection may refresh them); the
        // AUTOINCREMENT counters in sqlite_sequence are data like any other.
        Statement list(con, QStringLiteral("select name from sqlite_master where type = 'table' and name not "
                                           "like 'sqlite\\_stat%' escape '\\' order by name"));
        while (list.step())
            tables << list.value(0).toString();
    }
    DiaryDump dump;
    for (const QString& table : tables) {
        Statement select(con, QStringLiteral("select * from \"%1\"").arg(table));
        QStringList rows;
        while (select.step()) {
            QStringList cells;
            for (int c = 0; c < select.columnCount(); ++c) {
                const QVariant value = select.value(c);
                cells << (value.isNull()
                              ? QStringLiteral("null")
                              : QString::fromLatin1(value.typeName()) + QLatin1Char(':') + value.toString());
            }
            rows << cells.join(QLatin1Char('|'));
        }
        std::sort(rows.begin(), rows.end());
        dump[table] = rows;
    }
    return dump;
}

// Where two dumps part: the first table that differs, with its first differing row on each side;
// empty when they are equal.
inline QString differenceOf(const DiaryDump& a, const DiaryDump& b) {
    for (const auto& [table, rows] : a) {
        const auto other = b.find(table);
        if (other == b.end())
            return table + QStringLiteral(" is missing");
        if (rows == other->second)
            continue;
        qsizetype i = 0;
        while (i < rows.size() && i < other->second.size() && rows[i] == other->second[i])
            ++i;
        return QStringLiteral("%1: %2 / %3")
            .arg(table, i < rows.size() ? rows[i] : QStringLiteral("(end)"),
                 i < other->second.size() ? other->second[i] : QStringLiteral("(end)"));
    }
    return a.size() == b.size() ? QString() : QStringLiteral("a table was added");
}

inline QString integrityOf(Connection& con) {
    Statement check(con, QStringLiteral("pragma integrity_check"));
    QStringList lines;
    while (check.step())
        lines << check.value(0).toString();
    return lines.join(QLatin1Char('\n'));
}

} // namespace kelvora::test
