#include "frmMealConsumes.h"

#include "Common.h"
#include "FieldLabel.h"
#include "HelpContext.h"
#include "JournalTime.h"
#include "ReportList.h"
#include "deData.h"

using namespace Qt::StringLiterals;

namespace kelvora {

frmMealConsumes::frmMealConsumes(EditorCall editor, QWidget* parent)
    : DayList(std::move(editor), parent, HelpContext::frmMealConsumes, u"Consume Date"_s,
              {u"Time"_s, u"Meal"_s, u"Qty"_s, u"Fat"_s, u"Carboh."_s, u"Protein"_s, u"Calor."_s},
              {2, 3, 4, 5, 6}) {
    setObjectName(u"frmMealConsumes"_s);
    lvwList->setStretchColumn(1);
    nameField(lvwList, u"Meals consumed"_s);
    setWindowTitle(u"Meal Consumed List"_s);
}

void frmMealConsumes::unload() {
    app().de().closeIfOpen(u"MealConsumeSorted"_s);
}

void frmMealConsumes::fillRows(const QDate& day) {
    Recordset& rows = app().de().run(u"MealConsumeSorted"_s, {day});
    qint32 count = 0, fat = 0, carbohydrate = 0, protein = 0, calories = 0;
    for (; !rows.eof(); rows.moveNext()) {
        const qint32 rowFat = NullToZero(rows.field(u"sFat"_s));
        const qint32 rowCarbohydrate = NullToZero(rows.field(u"sCarbohydrate"_s));
        const qint32 rowProtein = NullToZero(rows.field(u"sProtein"_s));
        const qint32 rowCalories = NullToZero(rows.field(u"sCalories"_s));
        lvwList->addRow(
            displayTime(rows.field(u"ConsumeTime"_s)), rows.field(u"MealConsumeID"_s).toLongLong(),
            {NullToText(rows.field(u"Name"_s)), NullToText(rows.field(u"Qty"_s)), QString::number(rowFat),
             QString::number(rowCarbohydrate), QString::number(rowProtein), QString::number(rowCalories)});
        ++count;
        fat += rowFat;
        carbohydrate += rowCarbohydrate;
        protein += rowProtein;
        calories += rowCalories;
    }
    rows.close();
    addTotals(count,
              {u"   Total ("_s + QString::number(count) + u" items)"_s, QString(), QString::number(fat),
               QString::number(carbohydrate), QString::number(protein), QString::number(calories)});
}

void frmMealConsumes::deleteRecord(qint64 tag) {
    app().de().execute(u"MealConsumeDelete"_s, {tag});
}

} // namespace kelvora
