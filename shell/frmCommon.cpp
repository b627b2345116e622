#include "frmCommon.h"

#include "App.h"
#include "Common.h"
#include "CommonSettings.h"
#include "Currency.h"
#include "DiaryMessages.h"
#include "FieldLabel.h"
#include "HelpContext.h"
#include "Numeric.h"
#include "deData.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <optional>
#include <tuple>
#include <utility>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

constexpr int MaxFieldLength = 30;
constexpr int ImperialEntry = 0;
constexpr int MetricEntry = 1;

// The conversion factors the body conversion commands take, as Currency values.
constexpr Currency LbToKg = Currency::fromRaw(4536);
constexpr Currency InchToCm = Currency::fromRaw(25400);
constexpr double KgPerLb = 0.4536;
// The body weights the activities' CaloriesConsumeBase values were measured at.
constexpr double ReferenceWeightLb = 150.0;
constexpr double ReferenceWeightKg = 68.04;
// The body weight is carried as a 16-bit whole number.
constexpr int MaxWeight = 32767;
// Well above every rate the dialog's own estimate proposes (about 11912 at the heaviest accepted
// weight), so it only stops typing slips such as an extra digit or two.
constexpr int MaxMetabolicRate = 32767;
// The goals share the body weight's range; a budget beyond a 16-bit day of kcal is a typing slip.
constexpr int MaxTargetWeight = MaxWeight;
constexpr int MaxDailyCalorieBudget = 32767;

// An optional number: nothing for an empty field, the number for numeric text, and no value at all
// (the outer optional empty) for anything else.
std::optional<std::optional<Currency>> optionalNumber(const QString& text) {
    if (text.trimmed().isEmpty())
        return std::optional<Currency>();
    if (const auto number = Currency::fromText(text))
        return number;
    return std::nullopt;
}

bool isWithin(const std::optional<std::optional<Currency>>& value, int low, int high) {
    return value && (!*value || (**value >= Currency::fromInt(low) && **value <= Currency::fromInt(high)));
}

QLineEdit* numberField(const QString& name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setMaxLength(MaxFieldLength);
    return field;
}

QVariant storedGoal(const QString& text) {
    // Handed over as text, so the data layer converts it to Currency decimally; NULL for none.
    return text.trimmed().isEmpty() ? QVariant() : QVariant(text);
}

// The parameters as stored, in the form the application state holds them.
struct StoredParameters {
    std::int16_t bodyWeight = 0;
    QString measurementSystem;
    double metabolicRate = 0.0;
};

} // namespace

frmCommon::frmCommon(QWidget* parent) : KelvoraDialog(parent, HelpContext::frmCommon) {
    setObjectName(u"frmCommon"_s);
    setWindowTitle(u"Common Parameters"_s);

    txtWeight = numberField(u"txtWeight"_s, this);
    lblWeightUnit = new QLabel(u"lb"_s, this);
    lblWeightUnit->setObjectName(u"lblWeightUnit"_s);
    cbxMeasurement = new QComboBox(this);
    cbxMeasurement->setObjectName(u"cbxMeasurement"_s);
    cbxMeasurement->addItems({u"Imperial (lb, inch)"_s, u"Metric (kg, cm)"_s});
    txtMetabolicRate = numberField(u"txtMetabolicRate"_s, this);
    txtTargetWeight = numberField(u"txtTargetWeight"_s, this);
    lblTargetWeightUnit = new QLabel(u"lb"_s, this);
    lblTargetWeightUnit->setObjectName(u"lblTargetWeightUnit"_s);
    txtDailyCalorieBudget = numberField(u"txtDailyCalorieBudget"_s, this);

    const EditorButtons buttons = makeEditorButtons();
    btnOK = buttons.ok;
    btnCancel = buttons.cancel;
    btnHelp = buttons.help;

    auto* fields = new QGridLayout;
    fields->addWidget(fieldLabel(u"Body Weight"_s, txtWeight, this), 0, 0);
    fields->addWidget(txtWeight, 0, 1);
    fields->addWidget(lblWeightUnit, 0, 2);
    fields->addWidget(fieldLabel(u"Measurement"_s, cbxMeasurement, this), 1, 0);
    fields->addWidget(cbxMeasurement, 1, 1, 1, 2);
    fields->addWidget(fieldLabel(u"Background Calories Consume"_s, txtMetabolicRate, this), 2, 0);
    fields->addWidget(txtMetabolicRate, 2, 1);
    fields->addWidget(new QLabel(u"per hour"_s, this), 2, 2);
    fields->addWidget(fieldLabel(u"Target Weight"_s, txtTargetWeight, this), 3, 0);
    fields->addWidget(txtTargetWeight, 3, 1);
    fields->addWidget(lblTargetWeightUnit, 3, 2);
    fields->addWidget(fieldLabel(u"Daily Calorie Budget"_s, txtDailyCalorieBudget, this), 4, 0);
    fields->addWidget(txtDailyCalorieBudget, 4, 1);
    fields->addWidget(new QLabel(u"kcal eaten per day"_s, this), 4, 2);

    auto* layout = new QGridLayout(this);
    layout->addLayout(fields, 0, 0);
    layout->addLayout(buttons.row, 1, 0);

    connect(txtWeight, &QLineEdit::textChanged, this, &frmCommon::txtWeight_Change);
    connect(cbxMeasurement, &QComboBox::currentIndexChanged, this, &frmCommon::cbxMeasurement_Click);
    connect(btnOK, &QPushButton::clicked, this, &frmCommon::btnOK_Click);
    connect(txtTargetWeight, &QLineEdit::textChanged, this, [this] {
        if (!m_settingTarget)
            m_targetTyped = true;
    });
}

void frmCommon::load() {
    Saved = false;
    Recordset& common = app().de().rs(u"Common"_s);
    if (!common.isOpen())
        common.open();
    btnCancel->setEnabled(!firstStart);
    Populate();
}

void frmCommon::unload() {
    app().de().closeIfOpen(u"Common"_s);
}

void frmCommon::reject() {
    if (firstStart)
        return;
    KelvoraDialog::reject();
}

void frmCommon::Populate() {
    const Recordset& common = app().de().rs(u"Common"_s);
    m_storedTarget = common.field(u"TargetWeight"_s);
    m_storedSystem = common.field(u"Measurement"_s).toString() == u"M"_s ? u"M"_s : u"I"_s;
    m_targetTyped = false;
    txtWeight->setText(NullToText(common.field(u"weight"_s)));
    cbxMeasurement->setCurrentIndex(common.field(u"Measurement"_s).toString() == u"M"_s ? MetricEntry
                                                                                        : ImperialEntry);
    showWeightUnit();
    // Last, so the stored rate replaces the estimate the two fields above have just made.
    txtMetabolicRate->setText(NullToText(common.field(u"metabolicRate"_s)));
    setTargetText(NullToText(m_storedTarget));
    txtDailyCalorieBudget->setText(NullToText(common.field(u"DailyCalorieBudget"_s)));
}

void frmCommon::Gather() {
    Recordset& common = app().de().rs(u"Common"_s);
    // Handed over as text, so the data layer converts it to Currency decimally.
    common.set(u"weight"_s, txtWeight->text());
    common.set(u"Measurement"_s, cbxMeasurement->currentIndex() == MetricEntry ? u"M"_s : u"I"_s);
    common.set(u"metabolicRate"_s, txtMetabolicRate->text());
    // A target the user has not typed over is stored as it was, in its own unit system; the unit
    // switch converts it with the body rows.
    common.set(u"TargetWeight"_s, m_targetTyped ? storedGoal(txtTargetWeight->text()) : m_storedTarget);
    common.set(u"DailyCalorieBudget"_s, storedGoal(txtDailyCalorieBudget->text()));
}

bool frmCommon::Validate() {
    const auto weight = Currency::fromText(txtWeight->text());
    if (!weight)
        return refuse(txtWeight, u"The Weight is not specified or specified incorrect"_s);
    // A weight of nothing would scale every weight-dependent activity down to nothing. The typed
    // figure is checked, not its rounding, so that the message holds for every figure it refuses.
    if (*weight < Currency::fromInt(1) || *weight > Currency::fromInt(MaxWeight))
        return refuse(txtWeight, u"The Weight should be a number from 1 to 32767"_s);

    const auto rate = Currency::fromText(txtMetabolicRate->text());
    if (!rate)
        return refuse(txtMetabolicRate,
                      u"The Background Calories Consume is not specified or specified incorrect"_s);
    // A negative burn would make the balance climb while the user sits still.
    if (*rate < Currency() || *rate > Currency::fromInt(MaxMetabolicRate))
        return refuse(txtMetabolicRate,
                      u"The Background Calories Consume should be a number from 0 to 32767"_s);

    if (!isWithin(optionalNumber(txtTargetWeight->text()), 1, MaxTargetWeight))
        return refuse(txtTargetWeight,
                      u"The Target Weight should be a number from 1 to 32767, or empty for no target"_s);
    if (!isWithin(optionalNumber(txtDailyCalorieBudget->text()), 1, MaxDailyCalorieBudget))
        return refuse(
            txtDailyCalorieBudget,
            u"The Daily Calorie Budget should be a number from 1 to 32767, or empty for no budget"_s);
    return true;
}

void frmCommon::btnOK_Click() {
    if (!Validate())
        return;
    if (!storeAndRecalculate())
        return;
    Saved = true;
    accept();
    if (!firstStart)
        app().messages().information(parentWidget(), programTitle(),
                                     u"All existing data will be recalculated according with new common "
                                     "parameters. Your results may change now"_s);
}

bool frmCommon::storeAndRecalculate() {
    deData& de = app().de();
    Recordset& common = de.rs(u"Common"_s);
    StoredParameters stored;
    std::pair<std::optional<double>, std::optional<double>> goals;
    try {
        if (!common.isOpen())
            common.open();
        Transaction transaction(de.Con);
        Gather();
        common.update();

        const auto bodyWeight = toInt16(common.field(u"weight"_s).toDouble());
        if (!bodyWeight)
            throw DbError(u"The stored weight does not fit a 16-bit body weight"_s);
        stored = {*bodyWeight, common.field(u"Measurement"_s).toString(),
                  common.field(u"metabolicRate"_s).toDouble()};

        const QVariantList factors{QVariant::fromValue(LbToKg), QVariant::fromValue(InchToCm)};
        const bool targetToConvert = !m_targetTyped && stored.measurementSystem != m_storedSystem;
        float weightFactor = 0.0f;
        if (stored.measurementSystem == u"I"_s) {
            weightFactor = static_cast<float>(stored.bodyWeight / ReferenceWeightLb);
            de.execute(u"RecalculateBodyToImperial"_s, factors);
            if (targetToConvert)
                de.execute(u"RecalculateTargetToImperial"_s, {QVariant::fromValue(LbToKg)});
        } else {
            weightFactor = static_cast<float>(stored.bodyWeight / ReferenceWeightKg);
            de.execute(u"RecalculateBodyToMetric"_s, factors);
            if (targetToConvert)
                de.execute(u"RecalculateTargetToMetric"_s, {QVariant::fromValue(LbToKg)});
        }
        de.execute(u"RecalculateWeightDependent"_s, {QVariant(weightFactor)});
        // The conversion wrote the row behind the recordset's back.
        common.close();
        common.open();
        goals = {goal(common.field(u"TargetWeight"_s)), goal(common.field(u"DailyCalorieBudget"_s))};
        transaction.commit();
    } catch (const DbError& error) {
        if (common.hasPendingChange())
            common.cancelUpdate();
        // After a rollback the recordset may still show the row as it was meant to be stored; the
        // next attempt reads the row afresh.
        common.close();
        app().messages().error(this, storeFailureText(error, u"Can't store information in database."_s));
        return false;
    }

    AppState& state = app().state();
    state.bodyWeight = stored.bodyWeight;
    state.measurementSystem = stored.measurementSystem;
    state.metabolicRate = stored.metabolicRate;
    std::tie(state.targetWeight, state.dailyCalorieBudget) = goals;
    m_storedTarget = common.field(u"TargetWeight"_s);
    m_storedSystem = stored.measurementSystem;
    m_targetTyped = false;
    return true;
}

void frmCommon::txtWeight_Change() {
    estimateMetabolicRate();
}

void frmCommon::cbxMeasurement_Click() {
    showWeightUnit();
    estimateMetabolicRate();
    showTargetWeight();
}

void frmCommon::showWeightUnit() {
    const QString unit = cbxMeasurement->currentIndex() == ImperialEntry ? u"lb"_s : u"kg"_s;
    lblWeightUnit->setText(unit);
    lblTargetWeightUnit->setText(unit);
}

void frmCommon::setTargetText(const QString& text) {
    m_settingTarget = true;
    txtTargetWeight->setText(text);
    m_settingTarget = false;
}

void frmCommon::showTargetWeight() {
    if (m_targetTyped || m_storedTarget.isNull())
        return;
    const QString selected = cbxMeasurement->currentIndex() == MetricEntry ? u"M"_s : u"I"_s;
    if (selected == m_storedSystem) {
        setTargetText(NullToText(m_storedTarget));
        return;
    }
    Recordset& converted =
        app().de().run(selected == u"M"_s ? u"TargetWeightInMetric"_s : u"TargetWeightInImperial"_s,
                       {m_storedTarget, QVariant::fromValue(LbToKg)});
    setTargetText(NullToText(converted.field(u"Weight"_s)));
    converted.close();
}

void frmCommon::estimateMetabolicRate() {
    const auto weight = parseNumber(txtWeight->text());
    if (!weight)
        return;
    const double kg = cbxMeasurement->currentIndex() == MetricEntry ? *weight : *weight * KgPerLb;
    // 0.4536 and 8.7 have no exact binary form: snapping the day's burn to the ten-thousandths the
    // constants are given in keeps an exact multiple of 24 from landing just below it.
    const double perHour = snapToCurrency(kg * 8.7 + 830.0) / 24.0;
    // Adding zero turns the -0 of a small negative weight into 0.
    txtMetabolicRate->setText(formatNumber(std::trunc(perHour) + 0.0));
}

} // namespace kelvora
