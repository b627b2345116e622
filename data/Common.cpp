#include "Common.h"

#include "DbError.h"
#include "Numeric.h"
#include "deData.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

std::int32_t allocate(deData& de, const QString& counter) {
    Recordset& common = de.rs(u"Common"_s);
    if (!common.isOpen())
        common.open();
    const qlonglong next = common.field(counter).toLongLong() + 1;
    if (next > std::numeric_limits<std::int32_t>::max())
        throw DbError(u"No more identifiers can be issued: the counter %1 has reached its limit of %2"_s.arg(
            counter, QString::number(std::numeric_limits<std::int32_t>::max())));
    common.set(counter, next);
    try {
        common.update();
    } catch (const DbError&) {
        common.cancelUpdate();
        throw;
    }
    return static_cast<std::int32_t>(next);
}

} // namespace

std::int32_t AllocateMealConsumeID(deData& de) {
    return allocate(de, u"NextMealConsumeID"_s);
}
std::int32_t AllocateExercisePerformID(deData& de) {
    return allocate(de, u"NextExercisePerformID"_s);
}
std::int32_t AllocateBodyID(deData& de) {
    return allocate(de, u"NextBodyID"_s);
}
std::int32_t AllocateUserNoteID(deData& de) {
    return allocate(de, u"NextUserNoteID"_s);
}

QString NullToText(const QVariant& value) {
    if (value.isNull())
        return {};
    if (value.metaType() == QMetaType::fromType<Currency>())
        return value.value<Currency>().toString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
        return formatNumber(value.toDouble());
    default:
        return value.toString();
    }
}

std::int32_t NullToZero(const QVariant& value) {
    if (value.isNull())
        return 0;
    double number = 0.0;
    if (value.typeId() == QMetaType::QString) {
        const auto parsed = parseNumber(value.toString());
        if (!parsed)
            return 0;
        number = *parsed;
    } else {
        bool ok = false;
        number = value.toDouble(&ok);
        if (!ok)
            return 0;
    }
    return toInt32(number).value_or(0);
}

Currency RoundToStep(float value, bool roundDown, Currency step) {
    const double v = value;
    if (step <= Currency())
        return Currency::fromDouble(v).value_or(v < 0 ? Currency::Min : Currency::Max);
    const double s = step.toDouble();
    const auto multiple = Currency::fromDouble(nearest(v / s) * s);
    if (!multiple)
        return v < 0 ? Currency::Min : Currency::Max;
    Currency r = *multiple;
    try {
        if (roundDown && r.toDouble() > v)
            r = r - step;
        if (!roundDown && r.toDouble() < v)
            r = r + step;
    } catch (const std::overflow_error&) {
        return v < 0 ? Currency::Min : Currency::Max;
    }
    return r;
}

} // namespace kelvora
