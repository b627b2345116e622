#include "ValueConversion.h"

#include "Currency.h"
#include "DateValue.h"
#include "Numeric.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

using namespace Qt::StringLiterals;

namespace kelvora {

bool isNumberType(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

DbError mismatch(const QVariant& value, const QString& what) {
    return DbError(u"Data type mismatch: the value \"%1\" cannot be stored in the column %2"_s.arg(
        value.toString().left(40), what));
}

// A number from any value a window may hand over: a number, a Currency, or numeric text in the
// user's locale.
double numberOf(const QVariant& value, const QString& what) {
    if (value.metaType() == QMetaType::fromType<Currency>())
        return value.value<Currency>().toDouble();
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? 1.0 : 0.0;
    if (isNumberType(value))
        return value.toDouble();
    if (value.typeId() == QMetaType::QString) {
        if (const auto number = parseNumber(value.toString()))
            return *number;
    }
    throw mismatch(value, what);
}

double serialOf(const QVariant& value, const QString& what) {
    if (value.metaType() == QMetaType::fromType<DateValue>())
        return value.value<DateValue>().serial();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return DateValue::fromQDate(value.toDate()).serial();
    case QMetaType::QTime:
        return DateValue::fromQTime(value.toTime()).serial();
    case QMetaType::QDateTime:
        return DateValue::fromQDateTime(value.toDateTime()).serial();
    default:
        if (isNumberType(value))
            return value.toDouble();
        throw mismatch(value, what);
    }
}

} // namespace kelvora
