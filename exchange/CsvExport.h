#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace kelvora {

struct ExportPeriod;

// The spreadsheet form of a period: one file per table, RFC 4180 (comma-separated, CRLF line ends,
// fields quoted where they hold a comma, a quote or a line break, quotes doubled), UTF-8, with a
// header row. Dates are ISO 8601 (2026-11-30), times hours and minutes (07:25), numbers with a dot
// whatever the user's locale, units in columns of their own.

struct CsvFile {
    QString name; // "meals.csv", ...
    QByteArray content;
};

// meals.csv, activities.csv, body.csv, notes.csv and days.csv, in this order.
std::vector<CsvFile> csvFiles(const ExportPeriod& period);
QStringList csvFileNames();

// One field, quoted when it has to be.
QString csvField(const QString& text);
// A header row and the rows under it, each line ending in CRLF.
QByteArray csvTable(const QStringList& header, const std::vector<QStringList>& rows);

} // namespace kelvora
