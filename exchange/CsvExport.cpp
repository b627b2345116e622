#include "CsvExport.h"

#include "DateValue.h"
#include "ExportPeriod.h"
#include "Numeric.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

QString isoDate(const QDate& date) {
    return date.toString(Qt::ISODate);
}

QString isoTime(const QVariant& serial) {
    if (serial.isNull())
        return {};
    return DateValue(serial.toDouble()).toQTime().toString(u"HH:mm"_s);
}

// A stored number in its shortest form with a dot; the empty field for null.
QString number(const QVariant& value) {
    if (value.isNull())
        return {};
    return formatNumber(value.toDouble(), QLocale::c());
}

QString whole(double kcal) {
    return formatNumber(nearest(kcal), QLocale::c());
}

QByteArray mealsTable(const ExportPeriod& period) {
    std::vector<QStringList> rows;
    for (const ExportedDay& day : period.days) {
        for (const ExportedMeal& meal : day.meals)
            rows.push_back({isoDate(day.date), isoTime(meal.time), meal.name, meal.category,
                            number(meal.quantity), meal.unit, whole(meal.kcal), whole(meal.fat),
                            whole(meal.carbohydrate), whole(meal.protein)});
    }
    return csvTable({u"Date"_s, u"Time"_s, u"Meal"_s, u"Category"_s, u"Quantity"_s, u"Unit"_s, u"kcal"_s,
                     u"Fat kcal"_s, u"Carbohydrate kcal"_s, u"Protein kcal"_s},
                    rows);
}

QByteArray activitiesTable(const ExportPeriod& period) {
    std::vector<QStringList> rows;
    for (const ExportedDay& day : period.days) {
        for (const ExportedActivity& activity : day.activities)
            rows.push_back({isoDate(day.date), isoTime(activity.begin), isoTime(activity.end), activity.name,
                            number(activity.quantity), activity.unit, whole(activity.kcal)});
    }
    return csvTable({u"Date"_s, u"Begin"_s, u"End"_s, u"Activity"_s, u"Quantity"_s, u"Unit"_s, u"kcal"_s},
                    rows);
}

QByteArray bodyTable(const ExportPeriod& period) {
    std::vector<QStringList> rows;
    for (const ExportedDay& day : period.days) {
        if (const auto& body = day.body)
            rows.push_back({isoDate(day.date), number(body->weight), weightUnit(body->system),
                            number(body->breast), number(body->waist), number(body->hips),
                            girthUnit(body->system)});
    }
    return csvTable(
        {u"Date"_s, u"Weight"_s, u"Weight unit"_s, u"Breast"_s, u"Waist"_s, u"Hips"_s, u"Girth unit"_s},
        rows);
}

QByteArray notesTable(const ExportPeriod& period) {
    std::vector<QStringList> rows;
    for (const ExportedNote& note : period.notes)
        rows.push_back({isoDate(note.from), isoDate(note.to), note.text});
    return csvTable({u"From"_s, u"To"_s, u"Note"_s}, rows);
}

QByteArray daysTable(const ExportPeriod& period) {
    std::vector<QStringList> rows;
    for (const ExportedDay& day : period.days)
        rows.push_back({isoDate(day.date), whole(day.eaten), whole(day.fat), whole(day.carbohydrate),
                        whole(day.protein), whole(day.burned), whole(day.backgroundBurn),
                        whole(day.balance)});
    return csvTable({u"Date"_s, u"kcal eaten"_s, u"Fat kcal"_s, u"Carbohydrate kcal"_s, u"Protein kcal"_s,
                     u"kcal burned by activities"_s, u"Background burn kcal"_s, u"Balance kcal"_s},
                    rows);
}

} // namespace

QStringList csvFileNames() {
    return {u"meals.csv"_s, u"activities.csv"_s, u"body.csv"_s, u"notes.csv"_s, u"days.csv"_s};
}

std::vector<CsvFile> csvFiles(const ExportPeriod& period) {
    const QStringList names = csvFileNames();
    return {{names[0], mealsTable(period)},
            {names[1], activitiesTable(period)},
            {names[2], bodyTable(period)},
            {names[3], notesTable(period)},
            {names[4], daysTable(period)}};
}

QString csvField(const QString& text) {
    const bool quoted =
        text.contains(u',') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r');
    if (!quoted)
        return text;
    QString field = text;
    field.replace(u"\""_s, u"\"\""_s);
    return u'"' + field + u'"';
}

QByteArray csvTable(const QStringList& header, const std::vector<QStringList>& rows) {
    QString text;
    const auto addLine = [&text](const QStringList& fields) {
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (i > 0)
                text += u',';
            text += csvField(fields[i]);
        }
        text += u"\r\n"_s;
    };
    addLine(header);
    for (const QStringList& row : rows)
        addLine(row);
    return text.toUtf8();
}

} // namespace kelvora
