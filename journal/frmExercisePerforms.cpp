#include "frmExercisePerforms.h"

#include "Common.h"
#include "FieldLabel.h"
#include "HelpContext.h"
#include "JournalTime.h"
#include "ReportList.h"
#include "deData.h"

using namespace Qt::StringLiterals;

namespace kelvora {

frmExercisePerforms::frmExercisePerforms(EditorCall editor, QWidget* parent)
    : DayList(std::move(editor), parent, HelpContext::frmExercisePerforms, u"Date Performed"_s,
              {u"Begin"_s, u"End"_s, u"Exercise"_s, u"Qty"_s, u"Calories"_s}, {3, 4}) {
    setObjectName(u"frmExercisePerforms"_s);
    lvwList->setStretchColumn(2);
    nameField(lvwList, u"Activities performed"_s);
    setWindowTitle(u"Activities Performed List"_s);
}

void frmExercisePerforms::unload() {
    app().de().closeIfOpen(u"ExercisePerformSorted"_s);
    app().de().closeIfOpen(u"ExercisePerform"_s);
}

void frmExercisePerforms::fillRows(const QDate& day) {
    Recordset& rows = app().de().run(u"ExercisePerformSorted"_s, {day});
    qint32 count = 0, calories = 0;
    for (; !rows.eof(); rows.moveNext()) {
        const qint32 rowCalories = NullToZero(rows.field(u"sCalories"_s));
        lvwList->addRow(displayTime(rows.field(u"timeBeg"_s)),
                        rows.field(u"ExercisePerformID"_s).toLongLong(),
                        {displayTime(rows.field(u"timeEnd"_s)), NullToText(rows.field(u"Name"_s)),
                         NullToText(rows.field(u"Qty"_s)), QString::number(rowCalories)});
        ++count;
        calories += rowCalories;
    }
    rows.close();
    addTotals(count, {QString(), u"   Total ("_s + QString::number(count) + u" items)"_s, QString(),
                      QString::number(calories)});
}

void frmExercisePerforms::deleteRecord(qint64 tag) {
    Recordset& record = app().de().run(u"ExercisePerform"_s, {tag});
    record.deleteCurrent();
    record.close();
}

void frmExercisePerforms::recoverFromDelete() {
    Recordset& record = app().de().rs(u"ExercisePerform"_s);
    if (!record.isOpen())
        return;
    if (record.hasPendingChange())
        record.cancelUpdate();
    record.close();
}

} // namespace kelvora
