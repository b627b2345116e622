#pragma once

#include <QString>
#include <QVariant>

class QDate;
class QLocale;
class QDateEdit;
class QWidget;

namespace kelvora {

// The locale's short date format with the year in full, so a day far in the past never reads as a
// recent one. Every date picker and date column of the program shows dates in it.
QString shortDateFormat();

// A date picker with a calendar drop-down, named as designed.
QDateEdit* makeDatePicker(QWidget* parent, const QString& name);

// A day written out in full, as sentences name it ("Saturday, December 5, 2026" in US English).
QString longDateText(const QDate& day, const QLocale& locale);
QString longDateText(const QDate& day);

// A stored date (a day serial) as the lists show it; the empty text for null.
QString shortDateText(const QVariant& serial);

// A stored time of day (a day serial) in a time display format ("Hh:Nn" gives 08:05, "h:Nn am/pm"
// gives 8:05 pm), as the day lists show times; the empty text for null.
QString displayTime(const QVariant& serial, const QString& timeDisplayFormat);

} // namespace kelvora
