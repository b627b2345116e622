#include "frmMeals.h"

#include "App.h"
#include "Common.h"
#include "DataCombo.h"
#include "FieldLabel.h"
#include "HelpContext.h"
#include "Numeric.h"
#include "Recordset.h"
#include "ReportList.h"
#include "deData.h"
#include "frmMeal.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {
const QString CategoryCommand = u"MealCategorySorted"_s;

QString plain(const QVariant& v) {
    return v.isNull() ? QString() : formatNumber(v.toDouble());
}
} // namespace

frmMeals::frmMeals(QWidget* parent, frmMeal& editor)
    : CatalogList(parent,
                  Config{u"frmMeals"_s,
                         u"Meals"_s,
                         HelpContext::frmMeals,
                         {u"Meal Name"_s, u"Unit"_s, u"Fat"_s, u"CarboHyd."_s, u"Protein"_s, u"Calor."_s,
                          u"Def."_s, u"Increm."_s},
                         {2, 3, 4, 5, 6, 7},
                         u"MealSorted"_s,
                         u"Meal"_s,
                         Refusal::NoneSelected,
                         Refusal::NoneSelected},
                  editor),
      m_editor(editor) {
    dcbMealCategory = new DataCombo(this);
    dcbMealCategory->setObjectName(u"dcbMealCategory"_s);
    auto* row = new QHBoxLayout;
    row->addWidget(fieldLabel(u"Meal Category"_s, dcbMealCategory, this));
    row->addWidget(dcbMealCategory, 1);
    topArea()->addLayout(row);
    setTabOrder({dcbMealCategory, lvwList, btnNew, btnEdit, btnDelete, btnHelp});
    resize(640, 400);
    connect(dcbMealCategory, &DataCombo::boundValueChanged, this, [this] {
        if (!suppressCategoryChange)
            RefreshList(QString());
    });
}

void frmMeals::load() {
    suppressCategoryChange = false;
    Recordset& rs = app().de().run(CategoryCommand);
    // Each showing starts on the first category by name, with one fill of the list.
    suppressCategoryChange = true;
    dcbMealCategory->clearEntries();
    dcbMealCategory->fill(rs, u"Name"_s, u"MealCategoryID"_s);
    rs.moveFirst();
    if (!rs.eof())
        dcbMealCategory->setBoundValue(rs.field(u"MealCategoryID"_s));
    suppressCategoryChange = false;
    RefreshList(QString());
}

void frmMeals::unload() {
    Recordset& rs = app().de().rs(CategoryCommand);
    if (rs.isOpen())
        rs.close();
}

bool frmMeals::canList() const {
    return !dcbMealCategory->boundValue().isNull();
}

QVariantList frmMeals::listParams() const {
    return {dcbMealCategory->boundValue().toInt()};
}

void frmMeals::addItem(const Recordset& rs) {
    lvwList->addRow(rs.field(u"Name"_s).toString(), rs.field(u"MealID"_s).toLongLong(),
                    {rs.field(u"Unit"_s).toString(), plain(rs.field(u"Fat"_s)),
                     plain(rs.field(u"Carbohydrate"_s)), plain(rs.field(u"Protein"_s)),
                     plain(rs.field(u"Calories"_s)), NullToText(rs.field(u"DefaultQty"_s)),
                     NullToText(rs.field(u"Increment"_s))});
}

void frmMeals::ReloadCategories(const QString& name) {
    Recordset& rs = app().de().run(CategoryCommand);
    dcbMealCategory->fill(rs, u"Name"_s, u"MealCategoryID"_s);
    rs.close();
    dcbMealCategory->setText(name);
}

bool frmMeals::runEditor(qint32 recordId, QString& savedName) {
    if (recordId == 0)
        m_editor.MealCategoryID = NullToZero(dcbMealCategory->boundValue());
    const bool saved = CatalogList::runEditor(recordId, savedName);
    // A category made in the editor is listed even when the meal itself was not stored.
    if (m_editor.CategoryAdded)
        ReloadCategories(m_editor.NewCategoryName);
    if (!saved)
        return false;
    if (NullToZero(dcbMealCategory->boundValue()) != m_editor.MealCategoryID) {
        suppressCategoryChange = true;
        dcbMealCategory->setBoundValue(m_editor.MealCategoryID);
        suppressCategoryChange = false;
    }
    return true;
}

} // namespace kelvora
