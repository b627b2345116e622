#pragma once

#include "DbError.h"

#include <QString>
#include <QVariant>

namespace kelvora {

// Conversions of the values windows hand to the data layer (numbers, Currency, DateValue, Qt dates
// and times, numeric text in the user's locale). `what` names the column or parameter in the
// message of the DbError thrown for a value that cannot be converted.
bool isNumberType(const QVariant& value);
DbError mismatch(const QVariant& value, const QString& what);
double numberOf(const QVariant& value, const QString& what);
double serialOf(const QVariant& value, const QString& what);

} // namespace kelvora
