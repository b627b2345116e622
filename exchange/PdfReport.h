#pragma once

#include <QByteArray>
#include <QLocale>
#include <QPageSize>
#include <QString>

namespace kelvora {

struct AppState;
struct ExportPeriod;

// The report for a dietitian: a section per day with data (its meals, activities, totals and
// balance, body measurement and notes), then the period's averages. Numbers and dates are written
// in the user's locale (QLocale()), figures as the day lists round them, times as the lists show
// them; the text is real text, which a reader can search and copy. The paper is the locale's.

// Letter in the territories that use it, A4 everywhere else.
QPageSize::PageSizeId paperSizeFor(const QLocale& locale);

// The report as a PDF document.
QByteArray pdfReport(const ExportPeriod& period, const AppState& state);

} // namespace kelvora
