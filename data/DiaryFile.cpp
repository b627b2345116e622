#include "DiaryFile.h"

#include "DateValue.h"
#include "DiaryVersion.h"
#include "SeedSql.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

// Enough to tell the user what is wrong; a damaged file can have thousands of complaints.
constexpr int ReportedProblems = 5;

struct TableShape {
    QString name;
    QStringList columns;
};

// The tables and columns of the program's own schema, read from the schema the builder of a new
// diary runs (the 1.0 schema and the upgrade steps since), so the test of a file can never lag
// behind what the program reads and writes.
const std::vector<TableShape>& requiredTables() {
    static const std::vector<TableShape> tables = [] {
        Connection schema(u":memory:"_s, Connection::OpenMode::Create);
        for (const SeedFile& file : seedFiles()) {
            if (file.name[0] != '0') // 0x files hold the schema, the others rows
                continue;
            QByteArray sql;
            for (const char* part : file.parts)
                sql += part;
            schema.execute(QString::fromUtf8(sql));
        }
        applyUpgradeSteps(schema, FirstDiaryVersion, CurrentDiaryVersion);
        std::vector<TableShape> shapes;
        Statement list(schema, u"select name from sqlite_master where type = 'table' and name not like "
                               "'sqlite\\_%' escape '\\' order by name"_s);
        while (list.step())
            shapes.push_back({list.value(0).toString(), {}});
        for (TableShape& shape : shapes) {
            Statement columns(schema, u"select name from pragma_table_info(?1)"_s);
            columns.bind(1, shape.name);
            while (columns.step())
                shape.columns << columns.value(0).toString();
        }
        return shapes;
    }();
    return tables;
}

QStringList columnsOf(Connection& con, const QString& table) {
    Statement columns(con, u"select name from pragma_table_info(?1)"_s);
    columns.bind(1, table);
    QStringList names;
    while (columns.step())
        names << columns.value(0).toString();
    return names;
}

std::optional<QDate> dateOf(const QVariant& serial) {
    if (serial.isNull())
        return std::nullopt;
    return DateValue(serial.toDouble()).toQDate();
}

void renameOver(const QString& from, const QString& to) {
    // rename(2) replaces the file in one step: `to` holds the old file or the whole new one.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw DbError(u"Cannot put the copy in place at %1: %2"_s.arg(
                          QDir::toNativeSeparators(to), QString::fromLocal8Bit(std::strerror(errno))),
                      SQLITE_CANTOPEN);
}

} // namespace

QStringList databaseProblems(Connection& con, CheckDepth depth) {
    if (depth == CheckDepth::None)
        return {};
    const QString pragma = depth == CheckDepth::Quick ? u"quick_check"_s : u"integrity_check"_s;
    QStringList lines;
    try {
        Statement check(con, u"pragma %1(%2)"_s.arg(pragma).arg(ReportedProblems));
        while (check.step())
            lines << check.value(0).toString();
    } catch (const DbError& error) {
        return {error.message()};
    }
    if (lines == QStringList{u"ok"_s})
        return {};
    return lines.isEmpty() ? QStringList{pragma + u" gave no answer"_s} : lines;
}

void copyDatabase(Connection& from, Connection& to) {
    if (!from.isOpen() || !to.isOpen())
        throw DbError(u"The database is not open"_s);
    if (to.inTransaction())
        throw DbError(u"A database cannot be replaced in the middle of a transaction"_s);
    sqlite3_backup* backup = sqlite3_backup_init(to.handle(), "main", from.handle(), "main");
    if (!backup)
        to.fail(sqlite3_errcode(to.handle()));
    // One step for all pages: the receiving side writes them in one transaction, which its journal
    // undoes at the next opening should the process end half-way.
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    const int result = stepped == SQLITE_DONE ? finished : stepped;
    if (result != SQLITE_OK && result != SQLITE_DONE)
        throw DbError(QString::fromUtf8(sqlite3_errstr(result)), result);
}

void writeDatabaseCopy(Connection& from, const QString& path, CheckDepth check) {
    const QFileInfo target(path);
    // QTemporaryFile makes its file readable and writable by the owner only; the copy keeps that.
    QTemporaryFile partial(QDir(target.absolutePath()).filePath(u"."_s + target.fileName() + u".XXXXXX"_s));
    if (!partial.open())
        throw DbError(u"Cannot create a file in %1: %2"_s.arg(QDir::toNativeSeparators(target.absolutePath()),
                                                              partial.errorString()),
                      SQLITE_CANTOPEN);
    partial.close();
    {
        Connection copy(partial.fileName(), Connection::OpenMode::Existing);
        copyDatabase(from, copy);
        const QStringList problems = databaseProblems(copy, check);
        if (!problems.isEmpty())
            throw DbError(u"The copy failed its check: "_s + problems.join(u"; "_s), SQLITE_CORRUPT);
    }
    renameOver(partial.fileName(), path);
    partial.setAutoRemove(false);
}

bool failedItsCheck(const DbError& error) {
    return (error.code() & 0xff) == SQLITE_CORRUPT; // the primary code of an extended one
}

QString diaryShapeProblem(Connection& con) {
    try {
        for (const TableShape& table : requiredTables()) {
            const QStringList present = columnsOf(con, table.name);
            if (present.isEmpty())
                return u"it has no table %1"_s.arg(table.name);
            for (const QString& column : table.columns) {
                if (!present.contains(column, Qt::CaseInsensitive))
                    return u"its table %1 has no column %2"_s.arg(table.name, column);
            }
        }
        const qlonglong settings = con.scalar(u"select count(*) from Common"_s).toLongLong();
        if (settings != 1)
            return u"it holds %1 rows of settings instead of one"_s.arg(settings);
    } catch (const DbError& error) {
        return error.message();
    }
    return {};
}

DiarySummary summarizeDiary(Connection& con) {
    DiarySummary summary;
    summary.meals = con.scalar(u"select count(*) from MealConsume"_s).toLongLong();
    summary.activities = con.scalar(u"select count(*) from ExercisePerform"_s).toLongLong();
    summary.measurements = con.scalar(u"select count(*) from Body"_s).toLongLong();
    summary.notes = con.scalar(u"select count(*) from UserNote"_s).toLongLong();
    summary.firstDay = dateOf(con.scalar(u"select min(d) from ("
                                         "select min(ConsumeDate) as d from MealConsume "
                                         "union all select min(PerformDate) from ExercisePerform "
                                         "union all select min(DateMeasured) from Body "
                                         "union all select min(DateFrom) from UserNote)"_s));
    summary.lastDay = dateOf(con.scalar(u"select max(d) from ("
                                        "select max(ConsumeDate) as d from MealConsume "
                                        "union all select max(PerformDate) from ExercisePerform "
                                        "union all select max(DateMeasured) from Body "
                                        "union all select max(DateTo) from UserNote)"_s));
    return summary;
}

} // namespace kelvora
