#include "frmMealConsume.h"

#include "App.h"
#include "Common.h"
#include "DataCombo.h"
#include "DbError.h"
#include "FieldLabel.h"
#include "HelpContext.h"
#include "JournalTime.h"
#include "Numeric.h"
#include "QuantitySteps.h"
#include "UpDown.h"
#include "deData.h"
#include "frmMeal.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

// A catalogue value as Currency; null and values out of range count as 0.
Currency currencyOf(const QVariant& value) {
    if (value.isNull())
        return Currency();
    return Currency::fromDouble(value.toDouble()).value_or(Currency());
}

} // namespace

frmMealConsume::frmMealConsume(QWidget* parent, frmMeal& mealEditor)
    : JournalEntryEditor(parent, HelpContext::frmMealConsume, u"MealConsume"_s, u"MealConsumeID"_s),
      m_mealEditor(mealEditor) {
    setObjectName(u"frmMealConsume"_s);
    setWindowTitle(u"Meal Consumed"_s);

    dcbMealCategory = new DataCombo(this);
    dcbMealCategory->setObjectName(u"dcbMealCategory"_s);
    dcbMeal = new DataCombo(this);
    dcbMeal->setObjectName(u"dcbMeal"_s);
    btnNewMeal = makeButton(u"btnNewMeal"_s, u"&New Meal"_s);
    btnNewMeal->setToolTip(u"New record"_s);
    btnNewMeal->setAutoDefault(false);
    makeFind(u"Find a meal of any category by typing part of its name (Ctrl+F)"_s,
             {u"Find Meal"_s,
              u"Matching meals"_s,
              {u"Meal"_s, u"Category"_s},
              u"No meal's name holds this text."_s},
             dcbMealCategory, mealsToFind);
    dtpTime = new QTimeEdit(this);
    dtpTime->setObjectName(u"dtpTime"_s);
    lblFat = makeValueLabel(u"lblFat"_s);
    lblCarboHydrate = makeValueLabel(u"lblCarboHydrate"_s);
    lblProtein = makeValueLabel(u"lblProtein"_s);

    auto* fields = new QGridLayout;
    const auto labelled = [this, fields](int row, const QString& caption, QWidget* field) {
        auto* label = fieldLabel(caption, field, this);
        fields->addWidget(label, row, 0);
        fields->addWidget(field, row, 1);
    };
    labelled(0, u"Meal Category"_s, dcbMealCategory);
    fields->addWidget(btnFind, 0, 2);
    labelled(1, u"Meal"_s, dcbMeal);
    fields->addWidget(btnNewMeal, 1, 2);
    labelled(2, u"Time"_s, dtpTime);
    labelled(3, u"Quantity"_s, txtQty);
    updSpin->setFieldName(u"Quantity"_s);
    auto* unit = new QHBoxLayout;
    unit->addWidget(updSpin);
    unit->addWidget(lblUnit, 1);
    fields->addLayout(unit, 3, 2);
    auto* values = new QGridLayout;
    int column = 0;
    for (const auto& [caption, label] :
         {std::pair{u"Fat Cal."_s, lblFat}, std::pair{u"Carboh. Cal."_s, lblCarboHydrate},
          std::pair{u"Protein Cal."_s, lblProtein}, std::pair{u"Calories Total"_s, lblCalories}}) {
        // The caption labels the figure under it, for screen readers too.
        auto* heading = new QLabel(caption, this);
        heading->setBuddy(label);
        values->addWidget(heading, 0, column);
        values->addWidget(label, 1, column++);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(values);
    layout->addLayout(buttonRow);
    // Find is reached where it stands, beside the category; the designed controls keep their order
    // among themselves. Ctrl+F reaches it from anywhere.
    setTabOrder({dcbMealCategory, btnFind, dcbMeal, btnNewMeal, dtpTime, txtQty, btnOK, btnCancel, btnHelp});

    connect(dcbMealCategory, &DataCombo::boundValueChanged, this, &frmMealConsume::dcbMealCategory_Change);
    connect(dcbMeal, &DataCombo::boundValueChanged, this, &frmMealConsume::dcbMeal_Change);
    connect(txtQty, &QLineEdit::textChanged, this, &frmMealConsume::Recalculate);
    connect(updSpin, &UpDown::up, this, &frmMealConsume::updSpin_Up);
    connect(updSpin, &UpDown::down, this, &frmMealConsume::updSpin_Down);
    connect(btnNewMeal, &QPushButton::clicked, this, &frmMealConsume::btnNewMeal_Click);
}

frmMealConsume::~frmMealConsume() = default;

void frmMealConsume::load() {
    startLoad(u"Meal Consumed"_s);
    loading = false;
    increment = Currency::fromInt(1);
    dtpTime->setTime(app().state().currentTime.toQTime());

    deData& de = app().de();
    de.run(u"MealConsume"_s, {RecordID});
    dcbMealCategory->fill(de.run(u"MealCategorySorted"_s), u"Name"_s, u"MealCategoryID"_s);
    dcbMealCategory->setBoundValue(QVariant());
    dcbMeal->clearEntries();
    txtQty->clear();
    lblUnit->clear();
    Recalculate();

    Recordset& record = de.rs(u"MealConsume"_s);
    if (Mode != 1 && RecordID != 0 && !record.eof()) {
        dcbMealCategory->setBoundValue(record.field(u"MealCategoryID"_s));
        loading = true;
        dcbMeal->setBoundValue(record.field(u"MealID"_s));
        loading = false;
        dtpTime->setTime(DateValue(record.field(u"ConsumeTime"_s).toDouble()).toQTime());
        txtQty->setText(NullToText(record.field(u"Qty"_s)));
    }

    dtpTime->setDisplayFormat(pickerDisplayFormat(app().state().timePickerFormat));
}

void frmMealConsume::unload() {
    findPopup->hide();
    deData& de = app().de();
    for (const QString& command : {u"MealConsume"_s, u"MealForCategory"_s, u"MealCategorySorted"_s})
        de.closeIfOpen(command);
}

void frmMealConsume::dcbMealCategory_Change() {
    const QVariant category = dcbMealCategory->boundValue();
    if (category.isNull())
        return;
    Recordset& meals = app().de().run(u"MealForCategory"_s, {category});
    dcbMeal->fill(meals, u"Name"_s, u"MealID"_s);
    meals.moveFirst();
    dcbMeal->setBoundValue(meals.eof() ? QVariant() : meals.field(u"MealID"_s));
}

void frmMealConsume::dcbMeal_Change() {
    const QVariant meal = dcbMeal->boundValue();
    if (meal.isNull()) {
        lblUnit->clear();
        txtQty->clear();
        increment = Currency::fromInt(1);
        return;
    }
    Recordset& meals = app().de().rs(u"MealForCategory"_s);
    for (meals.moveFirst(); !meals.eof() && meals.field(u"MealID"_s) != meal;)
        meals.moveNext();
    if (meals.eof())
        return;
    lblUnit->setText(NullToText(meals.field(u"Unit"_s)));
    const QVariant step = meals.field(u"Increment"_s);
    increment = step.isNull() ? Currency::fromInt(1) : currencyOf(step);
    if (!loading) {
        const QString quantity = NullToText(meals.field(u"DefaultQty"_s));
        txtQty->setText(quantity.isEmpty() ? u"1"_s : quantity);
    }
    Recalculate();
}

void frmMealConsume::Recalculate() {
    const auto clear = [this] {
        for (QLabel* label : {lblFat, lblCarboHydrate, lblProtein, lblCalories})
            label->clear();
    };
    Recordset& meals = app().de().rs(u"MealForCategory"_s);
    const std::optional<Currency> quantity = Currency::fromText(txtQty->text());
    if (dcbMeal->boundValue().isNull() || !meals.isOpen() || meals.eof() ||
        meals.field(u"MealID"_s).isNull() || !quantity) {
        clear();
        return;
    }
    try {
        const auto part = [&](const QString& column) {
            return static_cast<qint64>(nearest((*quantity * currencyOf(meals.field(column))).toDouble()));
        };
        const qint64 fat = part(u"FatBC"_s);
        const qint64 carbohydrate = part(u"CarbohydrateBC"_s);
        const qint64 protein = part(u"ProteinBC"_s);
        lblFat->setText(QString::number(fat));
        lblCarboHydrate->setText(QString::number(carbohydrate));
        lblProtein->setText(QString::number(protein));
        lblCalories->setText(QString::number(fat + carbohydrate + protein));
    } catch (const std::overflow_error&) {
        clear();
    }
}

void frmMealConsume::updSpin_Up() {
    if (const auto text = mealStepUp(txtQty->text(), increment))
        txtQty->setText(*text);
}

void frmMealConsume::updSpin_Down() {
    if (const auto text = mealStepDown(txtQty->text(), increment))
        txtQty->setText(*text);
}

bool frmMealConsume::Validate() {
    bool numericCategory = false;
    dcbMealCategory->boundValue().toString().toLongLong(&numericCategory);
    if (dcbMealCategory->text().trimmed().isEmpty() || !numericCategory)
        return refuse(dcbMealCategory, u"The Meal Category is not specified or specified incorrect"_s);
    if (dcbMeal->boundValue().isNull())
        return refuse(dcbMeal, u"The Meal should be specified"_s);
    if (txtQty->text().trimmed().isEmpty())
        return refuse(txtQty, u"The Quantity should be specified"_s);
    if (!isNumeric(txtQty->text()))
        return refuse(txtQty, u"The Quantity field contains illegal data"_s);
    return true;
}

// Adding mode appends a row at every OK, whatever row it may have stored before.
bool frmMealConsume::appendsRow() const {
    return RecordID == 0 || Mode == 1;
}

void frmMealConsume::Gather() {
    Recordset& record = app().de().rs(u"MealConsume"_s);
    if (appendsRow()) {
        record.set(u"MealConsumeID"_s, AllocateMealConsumeID(app().de()));
        record.set(u"ConsumeDate"_s, app().state().currentDate.serial());
    }
    record.set(u"MealID"_s, dcbMeal->boundValue());
    record.set(u"ConsumeTime"_s, DateValue::fromQTime(dtpTime->time()).serial());
    record.set(u"Qty"_s, Currency::fromText(txtQty->text())->toDouble());
}

QTime frmMealConsume::storedTime() const {
    return dtpTime->time();
}

void frmMealConsume::clearForNextRow() {
    dcbMealCategory->setBoundValue(QVariant());
    dcbMeal->setBoundValue(QVariant());
    txtQty->clear();
    lblUnit->clear();
}

void frmMealConsume::ReloadCategories(const QString& selectName) {
    dcbMealCategory->fill(app().de().run(u"MealCategorySorted"_s), u"Name"_s, u"MealCategoryID"_s);
    dcbMealCategory->setText(selectName);
}

void frmMealConsume::btnNewMeal_Click() {
    frmMeal& editor = m_mealEditor;
    editor.RecordID = 0;
    const qint32 category = NullToZero(dcbMealCategory->boundValue());
    editor.MealCategoryID = category;
    app().modal().exec(editor);
    if (editor.CategoryAdded)
        ReloadCategories(editor.NewCategoryName);
    if (!editor.Saved)
        return;
    if (editor.MealCategoryID != NullToZero(dcbMealCategory->boundValue()))
        dcbMealCategory->setBoundValue(editor.MealCategoryID);
    dcbMealCategory_Change();
    dcbMeal->setText(editor.SavedName);
}

// The meal found is chosen through the two boxes, as the user would choose it, so the category's
// meals are listed and the meal's default quantity and values follow as always.
void frmMealConsume::findChosen(const QuickFindEntry& meal) {
    dcbMealCategory->setBoundValue(meal.categoryId);
    dcbMeal->setBoundValue(meal.id);
    txtQty->setFocus(Qt::OtherFocusReason);
    txtQty->selectAll();
}

} // namespace kelvora
