#include "frmMeal.h"

#include "App.h"
#include "Common.h"
#include "Currency.h"
#include "DataCombo.h"
#include "ElidedLabel.h"
#include "FieldLabel.h"
#include "HelpContext.h"
#include "Numeric.h"
#include "ReadOnlyField.h"
#include "Recordset.h"
#include "deData.h"
#include "frmMealCategory.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {
constexpr int MaxNameLength = 30;
constexpr int MaxFieldLength = 50;
// Calories per gram in the ratio 9 : 4 : 4; only the ratio matters.
constexpr double FatFactor = 4.5;
constexpr Currency OtherFactor = Currency::fromInt(2);
const QString CategoryCommand = u"MealCategorySorted"_s;
} // namespace

frmMeal::frmMeal(QWidget* parent, frmMealCategory& categoryEditor)
    : CatalogEditor(
          parent, HelpContext::frmMeal, u"Meal Description"_s, u"Meal"_s, u"MealNameCheck"_s,
          u"Can't store this record in database. Please check whether there is already Meal with the "
          u"same name in the database"_s),
      m_categoryEditor(categoryEditor) {
    setObjectName(u"frmMeal"_s);

    dcbMealCategory = new DataCombo(this);
    dcbMealCategory->setObjectName(u"dcbMealCategory"_s);
    btnNewCategory = makeButton(u"btnNewCategory"_s, u"&New Category"_s);
    btnNewCategory->setToolTip(u"New record"_s);
    btnNewCategory->setAutoDefault(false);
    auto field = [this](const QString& name, int maxLength) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setMaxLength(maxLength);
        return edit;
    };
    txtName = field(u"txtName"_s, MaxNameLength);
    txtUnit = field(u"txtUnit"_s, MaxFieldLength);
    txtDefaultQty = field(u"txtDefaultQty"_s, MaxFieldLength);
    txtIncrement = field(u"txtIncrement"_s, MaxFieldLength);
    txtCalories = field(u"txtCalories"_s, MaxFieldLength);
    txtFat = field(u"txtFat"_s, MaxFieldLength);
    txtCarboHydrate = field(u"txtCarboHydrate"_s, MaxFieldLength);
    txtProtein = field(u"txtProtein"_s, MaxFieldLength);
    txtFatBC = field(u"txtFatBC"_s, MaxFieldLength);
    txtCarboHydrateBC = field(u"txtCarboHydrateBC"_s, MaxFieldLength);
    txtProteinBC = field(u"txtProteinBC"_s, MaxFieldLength);
    for (QLineEdit* bc : {txtFatBC, txtCarboHydrateBC, txtProteinBC}) {
        bc->setReadOnly(true);
        bc->setFocusPolicy(Qt::ClickFocus);
        greyAsReadOnly(*bc);
    }
    // A long unit ("tablespoon heaped (about 15 grams of the product)") is shortened here, not
    // allowed to squeeze the fields beside it.
    lblCaloriesPer = new ElidedLabel(u"Calories per Unit"_s, this);
    lblCaloriesPer->setObjectName(u"lblFieldLabel8"_s);

    const EditorButtons buttons = makeEditorButtons();
    btnOK = buttons.ok;
    btnCancel = buttons.cancel;
    btnHelp = buttons.help;

    auto* byWeight = new QGroupBox(u"By Weight"_s, this);
    auto* weightGrid = new QGridLayout(byWeight);
    weightGrid->addWidget(fieldLabel(u"Fat"_s, txtFat, byWeight), 0, 0);
    weightGrid->addWidget(txtFat, 0, 1);
    weightGrid->addWidget(fieldLabel(u"Carbohydr."_s, txtCarboHydrate, byWeight), 1, 0);
    weightGrid->addWidget(txtCarboHydrate, 1, 1);
    weightGrid->addWidget(fieldLabel(u"Protein"_s, txtProtein, byWeight), 2, 0);
    weightGrid->addWidget(txtProtein, 2, 1);
    auto* byCalories = new QGroupBox(u"By Calories"_s, this);
    auto* caloriesGrid = new QGridLayout(byCalories);
    caloriesGrid->addWidget(fieldLabel(u"Fat"_s, txtFatBC, byCalories), 0, 0);
    caloriesGrid->addWidget(txtFatBC, 0, 1);
    caloriesGrid->addWidget(fieldLabel(u"Carbohydr."_s, txtCarboHydrateBC, byCalories), 1, 0);
    caloriesGrid->addWidget(txtCarboHydrateBC, 1, 1);
    caloriesGrid->addWidget(fieldLabel(u"Protein"_s, txtProteinBC, byCalories), 2, 0);
    // The same three captions stand in both frames; spoken, each field says which frame it is in.
    for (const auto& [field, name] :
         {std::pair{txtFat, u"Fat by weight"_s}, std::pair{txtCarboHydrate, u"Carbohydrate by weight"_s},
          std::pair{txtProtein, u"Protein by weight"_s}, std::pair{txtFatBC, u"Fat calories"_s},
          std::pair{txtCarboHydrateBC, u"Carbohydrate calories"_s},
          std::pair{txtProteinBC, u"Protein calories"_s}})
        nameField(field, name);
    caloriesGrid->addWidget(txtProteinBC, 2, 1);

    auto* layout = new QGridLayout(this);
    layout->addWidget(fieldLabel(u"Meal Category"_s, dcbMealCategory, this), 0, 0);
    layout->addWidget(dcbMealCategory, 0, 1);
    layout->addWidget(btnNewCategory, 0, 2);
    layout->addWidget(fieldLabel(u"Meal Name"_s, txtName, this), 1, 0);
    layout->addWidget(txtName, 1, 1, 1, 2);
    layout->addWidget(fieldLabel(u"Unit"_s, txtUnit, this), 2, 0);
    layout->addWidget(txtUnit, 2, 1, 1, 2);
    layout->addWidget(fieldLabel(u"Default Qty"_s, txtDefaultQty, this), 3, 0);
    layout->addWidget(txtDefaultQty, 3, 1);
    layout->addWidget(fieldLabel(u"Increment"_s, txtIncrement, this), 4, 0);
    layout->addWidget(txtIncrement, 4, 1);
    lblCaloriesPer->setBuddy(txtCalories);
    layout->addWidget(lblCaloriesPer, 5, 0);
    layout->addWidget(txtCalories, 5, 1);
    layout->addWidget(byWeight, 6, 0, 1, 2);
    layout->addWidget(byCalories, 6, 2);
    layout->addLayout(buttons.row, 7, 0, 1, 3);

    // Top to bottom, as the fields stand; the "By Calories" results are skipped.
    setTabOrder({dcbMealCategory, btnNewCategory, txtName, txtUnit, txtDefaultQty, txtIncrement, txtCalories,
                 txtFat, txtCarboHydrate, txtProtein, btnOK, btnCancel, btnHelp});

    connect(txtUnit, &QLineEdit::textChanged, this, &frmMeal::ShowCaloriesLabel);
    for (QLineEdit* input : {txtCalories, txtFat, txtCarboHydrate, txtProtein})
        connect(input, &QLineEdit::textChanged, this, &frmMeal::RecalcByCalories);
    connect(btnNewCategory, &QPushButton::clicked, this, &frmMeal::onNewCategory);
    connect(btnOK, &QPushButton::clicked, this, &frmMeal::onOK);
}

void frmMeal::reloadCategories() {
    Recordset& rs = app().de().run(CategoryCommand);
    dcbMealCategory->fill(rs, u"Name"_s, u"MealCategoryID"_s);
    rs.close();
}

void frmMeal::Populate(const Recordset& rs) {
    loading = true;
    reloadCategories();
    dcbMealCategory->setBoundValue(rs.field(u"MealCategoryID"_s));
    txtName->setText(rs.field(u"Name"_s).toString());
    txtUnit->setText(rs.field(u"Unit"_s).toString());
    txtCalories->setText(NullToText(rs.field(u"Calories"_s)));
    txtFat->setText(NullToText(rs.field(u"Fat"_s)));
    txtCarboHydrate->setText(NullToText(rs.field(u"Carbohydrate"_s)));
    txtProtein->setText(NullToText(rs.field(u"Protein"_s)));
    txtFatBC->setText(NullToText(rs.field(u"FatBC"_s)));
    txtCarboHydrateBC->setText(NullToText(rs.field(u"CarbohydrateBC"_s)));
    txtProteinBC->setText(NullToText(rs.field(u"ProteinBC"_s)));
    txtDefaultQty->setText(NullToText(rs.field(u"DefaultQty"_s)));
    txtIncrement->setText(NullToText(rs.field(u"Increment"_s)));
    loading = false;
}

void frmMeal::afterLoad() {
    CategoryAdded = false;
    if (RecordID == 0) {
        loading = true;
        reloadCategories();
        dcbMealCategory->setBoundValue(MealCategoryID == 0 ? QVariant() : QVariant(MealCategoryID));
        for (QLineEdit* f : {txtName, txtUnit, txtDefaultQty, txtIncrement, txtCalories, txtFat,
                             txtCarboHydrate, txtProtein, txtFatBC, txtCarboHydrateBC, txtProteinBC})
            f->clear();
        loading = false;
    }
    ShowCaloriesLabel();
}

void frmMeal::ShowCaloriesLabel() {
    lblCaloriesPer->setText(txtUnit->text().isEmpty() ? u"Calories per Unit"_s
                                                      : u"Calories per "_s + txtUnit->text());
}

void frmMeal::RecalcByCalories() {
    if (loading)
        return;
    // A value Currency cannot hold counts as not numeric, like any other text that is no amount.
    const std::optional<Currency> h = Currency::fromText(txtCarboHydrate->text());
    const std::optional<Currency> p = Currency::fromText(txtProtein->text());
    const std::optional<Currency> f = Currency::fromText(txtFat->text());
    const std::optional<Currency> k = Currency::fromText(txtCalories->text());
    if (!h || !p || !f || !k)
        return;
    const double fatWeighted = f->toDouble() * FatFactor;
    try {
        const std::optional<Currency> fatPart = Currency::fromDouble(fatWeighted);
        if (!fatPart)
            return;
        const Currency w = *fatPart + *p * OtherFactor + *h * OtherFactor;
        if (w == Currency())
            return;
        const std::optional<Currency> fatCalories =
            Currency::fromDouble(k->toDouble() * (fatWeighted / w.toDouble()));
        const std::optional<Currency> proteinCalories =
            Currency::fromDouble(k->toDouble() * ((*p * OtherFactor).toDouble() / w.toDouble()));
        if (!fatCalories || !proteinCalories)
            return;
        const Currency carbohydrateCalories = *k - *fatCalories - *proteinCalories;
        txtFatBC->setText(fatCalories->toString());
        txtProteinBC->setText(proteinCalories->toString());
        txtCarboHydrateBC->setText(carbohydrateCalories.toString());
    } catch (const std::overflow_error&) {
        // Amounts at the edge of the Currency range have no split; the fields keep their values.
    }
}

bool frmMeal::Validate() {
    if (dcbMealCategory->text().trimmed().isEmpty() || dcbMealCategory->boundValue().isNull())
        return refuse(dcbMealCategory, u"The Meal Category is not specified or specified incorrect"_s);
    if (txtName->text().trimmed().isEmpty())
        return refuse(txtName, u"The Meal Name should be specified"_s);
    if (txtUnit->text().trimmed().isEmpty())
        return refuse(txtUnit, u"The Unit should be specified"_s);
    if (!txtDefaultQty->text().isEmpty() && !isNumeric(txtDefaultQty->text()))
        return refuse(txtDefaultQty, u"The Default Quantity field contains illegal data"_s);
    if (!txtIncrement->text().isEmpty() && !isNumeric(txtIncrement->text()))
        return refuse(txtIncrement, u"The Increment field contains illegal data"_s);
    struct Amount {
        QLineEdit* field;
        QString name;
    };
    const Amount amounts[] = {{txtFat, u"Fat"_s},
                              {txtCarboHydrate, u"CarboHydrate"_s},
                              {txtProtein, u"Protein"_s},
                              {txtCalories, u"Calories"_s}};
    for (const Amount& a : amounts) {
        if (a.field->text().trimmed().isEmpty())
            return refuse(a.field, u"The %1 should be specified"_s.arg(a.name));
        if (!isNumeric(a.field->text()))
            return refuse(a.field, u"The %1 field contains illegal data"_s.arg(a.name));
    }
    return true;
}

void frmMeal::onNewCategory() {
    m_categoryEditor.RecordID = 0;
    app().modal().exec(m_categoryEditor);
    if (!m_categoryEditor.Saved)
        return;
    reloadCategories();
    dcbMealCategory->setText(m_categoryEditor.SavedName);
    CategoryAdded = true;
    NewCategoryName = m_categoryEditor.SavedName;
}

void frmMeal::onOK() {
    if (!Validate())
        return;
    const QVariant category = dcbMealCategory->boundValue();
    store(
        [&](Recordset& rs) {
            rs.set(u"MealCategoryID"_s, category);
            rs.set(u"Name"_s, txtName->text());
            rs.set(u"Unit"_s, txtUnit->text());
            // Columns after the first text that is no amount keep their values.
            const std::pair<const char16_t*, QLineEdit*> optional[] = {{u"DefaultQty", txtDefaultQty},
                                                                       {u"Increment", txtIncrement}};
            for (const auto& [column, f] : optional) {
                if (f->text().trimmed().isEmpty()) {
                    rs.set(QString::fromUtf16(column), QVariant());
                    continue;
                }
                const std::optional<Currency> v = Currency::fromText(f->text());
                if (!v)
                    return;
                rs.set(QString::fromUtf16(column), v->toDouble());
            }
            const std::pair<const char16_t*, QLineEdit*> amounts[] = {{u"Calories", txtCalories},
                                                                      {u"Fat", txtFat},
                                                                      {u"Carbohydrate", txtCarboHydrate},
                                                                      {u"Protein", txtProtein},
                                                                      {u"FatBC", txtFatBC},
                                                                      {u"ProteinBC", txtProteinBC},
                                                                      {u"CarbohydrateBC", txtCarboHydrateBC}};
            for (const auto& [column, f] : amounts) {
                const std::optional<Currency> v = Currency::fromText(f->text());
                if (!v)
                    return;
                rs.set(QString::fromUtf16(column), v->toDouble());
            }
        },
        txtName->text());
    if (Saved)
        MealCategoryID = category.toInt();
}

} // namespace kelvora
