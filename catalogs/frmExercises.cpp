#include "frmExercises.h"

#include "App.h"
#include "Common.h"
#include "HelpContext.h"
#include "Numeric.h"
#include "Recordset.h"
#include "ReportList.h"
#include "frmExercise.h"

using namespace Qt::StringLiterals;

namespace kelvora {

frmExercises::frmExercises(QWidget* parent, frmExercise& editor)
    : CatalogList(parent,
                  Config{u"frmExercises"_s,
                         u"Activities"_s,
                         HelpContext::frmExercises,
                         {u"Exercise Name"_s, u"Calor."_s, u"Unit"_s, u"Def. Qty"_s},
                         {1, 3},
                         u"ExerciseSorted"_s,
                         u"Exercise"_s,
                         Refusal::ListEmpty,
                         Refusal::ListEmpty},
                  editor) {}

void frmExercises::addItem(const Recordset& rs) {
    const QVariant qty = rs.field(u"DefaultQty"_s);
    lvwList->addRow(rs.field(u"Name"_s).toString(), rs.field(u"ExerciseID"_s).toLongLong(),
                    {formatNumber(rs.field(u"CaloriesConsume"_s).toDouble()), rs.field(u"Unit"_s).toString(),
                     qty.isNull() ? QString() : formatNumber(qty.toDouble())});
}

} // namespace kelvora
