#include "frmExercise.h"

#include "App.h"
#include "Common.h"
#include "Currency.h"
#include "FieldLabel.h"
#include "HelpContext.h"
#include "Numeric.h"
#include "Recordset.h"
#include "frmWeightAdjustment.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {
constexpr int MaxNameLength = 30;
constexpr int MaxUnitLength = 50;
constexpr double ReferenceWeightKg = 68.04;
constexpr double ReferenceWeightLb = 150.0;
} // namespace

frmExercise::frmExercise(QWidget* parent, frmWeightAdjustment& calculator)
    : CatalogEditor(
          parent, HelpContext::frmExercise, u"Activity Description"_s, u"Exercise"_s, u"ExerciseNameCheck"_s,
          u"Can't store this record in database. Please check whether there is already Activity with "
          u"the same name in the database"_s),
      m_calculator(calculator) {
    setObjectName(u"frmExercise"_s);

    txtName = new QLineEdit(this);
    txtName->setObjectName(u"txtName"_s);
    txtName->setMaxLength(MaxNameLength);
    txtCaloriesConsume = new QLineEdit(this);
    txtCaloriesConsume->setObjectName(u"txtCaloriesConsume"_s);
    // The label and the button beside it squeeze the field; a rate with four decimals must show whole.
    txtCaloriesConsume->setMinimumWidth(
        txtCaloriesConsume->fontMetrics().horizontalAdvance(u"00000.00000"_s) +
        txtCaloriesConsume->textMargins().left() + txtCaloriesConsume->textMargins().right() + 12);
    lblPerWhat = new QLabel(u"per unit"_s, this);
    lblPerWhat->setObjectName(u"lblPerWhat"_s);
    btnWeightAdjust = makeButton(u"btnWeightAdjust"_s, u"For Me"_s);
    btnWeightAdjust->setToolTip(u"Weight Adjustment Calculator"_s);
    btnWeightAdjust->setAutoDefault(false);
    txtUnit = new QLineEdit(this);
    txtUnit->setObjectName(u"txtUnit"_s);
    txtUnit->setMaxLength(MaxUnitLength);
    txtDefaultQty = new QLineEdit(this);
    txtDefaultQty->setObjectName(u"txtDefaultQty"_s);
    chkWeightDependent = new QCheckBox(u"Weight Dependent"_s, this);
    chkWeightDependent->setObjectName(u"chkWeightDependent"_s);

    const EditorButtons buttons = makeEditorButtons();
    btnOK = buttons.ok;
    btnCancel = buttons.cancel;
    btnHelp = buttons.help;

    auto* layout = new QGridLayout(this);
    layout->addWidget(fieldLabel(u"Activity Name"_s, txtName, this), 0, 0);
    layout->addWidget(txtName, 0, 1, 1, 3);
    layout->addWidget(fieldLabel(u"Calories Consume"_s, txtCaloriesConsume, this), 1, 0);
    layout->addWidget(txtCaloriesConsume, 1, 1);
    layout->addWidget(lblPerWhat, 1, 2);
    layout->addWidget(btnWeightAdjust, 1, 3);
    layout->addWidget(fieldLabel(u"Unit"_s, txtUnit, this), 2, 0);
    layout->addWidget(txtUnit, 2, 1, 1, 3);
    layout->addWidget(fieldLabel(u"Default Qty"_s, txtDefaultQty, this), 3, 0);
    layout->addWidget(txtDefaultQty, 3, 1);
    layout->addWidget(chkWeightDependent, 4, 1, 1, 3);
    layout->addLayout(buttons.row, 5, 0, 1, 4);

    connect(txtCaloriesConsume, &QLineEdit::textChanged, this, [this] { caloriesTouched = true; });
    connect(chkWeightDependent, &QCheckBox::stateChanged, this, [this] {
        caloriesTouched = true;
        ShowWeightDependence();
    });
    connect(btnWeightAdjust, &QPushButton::clicked, this, &frmExercise::onWeightAdjust);
    connect(btnOK, &QPushButton::clicked, this, &frmExercise::onOK);
}

void frmExercise::Populate(const Recordset& rs) {
    txtName->setText(rs.field(u"Name"_s).toString());
    txtCaloriesConsume->setText(NullToText(rs.field(u"CaloriesConsume"_s)));
    txtUnit->setText(rs.field(u"Unit"_s).toString());
    chkWeightDependent->setChecked(rs.field(u"WeightDependent"_s).toInt() != 0);
    txtDefaultQty->setText(NullToText(rs.field(u"DefaultQty"_s)));
}

void frmExercise::afterLoad() {
    if (RecordID == 0) {
        for (QLineEdit* field : {txtName, txtCaloriesConsume, txtUnit, txtDefaultQty})
            field->clear();
        chkWeightDependent->setChecked(false);
    }
    ShowWeightDependence();
    caloriesTouched = false;
    calculatorUsed = false;
}

void frmExercise::ShowWeightDependence() {
    const bool dependent = chkWeightDependent->isChecked();
    btnWeightAdjust->setEnabled(dependent);
    lblPerWhat->setText(dependent ? u"per unit, for my body"_s : u"per unit"_s);
}

void frmExercise::onWeightAdjust() {
    m_calculator.txtCaloriesConsume->setText(txtCaloriesConsume->text());
    app().modal().exec(m_calculator);
    if (m_calculator.Saved) {
        txtCaloriesConsume->setText(QString::number(m_calculator.Result));
        caloriesTouched = true;
        calculatorUsed = true;
    }
}

bool frmExercise::Validate() {
    if (txtName->text().trimmed().isEmpty())
        return refuse(txtName, u"The Name should be specified"_s);
    if (txtCaloriesConsume->text().isEmpty())
        return refuse(txtCaloriesConsume, u"The Calories Consume should be specified"_s);
    if (!isNumeric(txtCaloriesConsume->text()))
        return refuse(txtCaloriesConsume, u"The Calories Consume field contains illegal data"_s);
    if (txtUnit->text().trimmed().isEmpty())
        return refuse(txtUnit, u"The Unit should be specified"_s);
    if (!txtDefaultQty->text().isEmpty() && !isNumeric(txtDefaultQty->text()))
        return refuse(txtDefaultQty, u"The Default Quantity field contains illegal data"_s);
    if (chkWeightDependent->isChecked() && caloriesTouched) {
        // The base is the calories scaled to the reference weight; with no body weight there is none.
        if (app().state().bodyWeight == 0)
            return refuse(
                txtCaloriesConsume,
                u"Your body weight is 0. Please specify it in the Common Parameters before storing a "
                u"weight dependent activity"_s);
        if (!calculatorUsed && !app().messages().ask(this, u"Are you sure?"_s,
                                                     u"This activity is body weight dependent. Are you sure "
                                                     u"you've specified the Calories Consume value "
                                                     u"exactly for your body weight? If No, please press "
                                                     u"'For Me' button and use our weight adjustment "
                                                     u"calculator."_s,
                                                     MessageButton::No))
            return false;
    }
    return true;
}

void frmExercise::onOK() {
    if (!Validate())
        return;
    const bool dependent = chkWeightDependent->isChecked();
    const QString defaultQty = txtDefaultQty->text();
    const QString calories = txtCaloriesConsume->text();
    const bool touched = caloriesTouched;
    store(
        [&](Recordset& rs) {
            rs.set(u"Name"_s, txtName->text());
            rs.set(u"Unit"_s, txtUnit->text());
            rs.set(u"WeightDependent"_s, dependent ? 1 : 0);
            if (defaultQty.trimmed().isEmpty()) {
                rs.set(u"DefaultQty"_s, QVariant());
            } else {
                const std::optional<Currency> qty = Currency::fromText(defaultQty);
                if (!qty)
                    return;
                rs.set(u"DefaultQty"_s, qty->toDouble());
            }
            if (!touched)
                return;
            const std::optional<Currency> k = Currency::fromText(calories);
            if (!k)
                return;
            rs.set(u"CaloriesConsume"_s, k->toDouble());
            if (dependent) {
                const double reference =
                    app().state().measurementSystem == u"M"_s ? ReferenceWeightKg : ReferenceWeightLb;
                rs.set(u"CaloriesConsumeBase"_s, k->toDouble() * (reference / app().state().bodyWeight));
            } else {
                rs.set(u"CaloriesConsumeBase"_s, k->toDouble());
            }
        },
        txtName->text());
}

} // namespace kelvora
