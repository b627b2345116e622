#include "frmExercisePerform.h"

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
#include "frmExercise.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <cmath>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

constexpr int ProposedMinutes = 15;

QTime proposedEndTime(const QTime& begin) {
    // Times of day live on the zero day and the pickers hold no day at all, so an
    // activity never reaches past midnight: the proposal stops at the day's last
    // minute instead of wrapping round to an end that would come before the
    // beginning.
    const QTime lastMinute(23, 59);
    const int minutes = begin.hour() * 60 + begin.minute() + ProposedMinutes;
    return minutes >= 24 * 60 ? lastMinute : QTime(minutes / 60, minutes % 60);
}

} // namespace

frmExercisePerform::frmExercisePerform(QWidget* parent, frmExercise& exerciseEditor)
    : JournalEntryEditor(parent, HelpContext::frmExercisePerform, u"ExercisePerform"_s,
                         u"ExercisePerformID"_s),
      m_exerciseEditor(exerciseEditor) {
    setObjectName(u"frmExercisePerform"_s);
    setWindowTitle(u"Activity Performed"_s);

    dcbExercise = new DataCombo(this);
    dcbExercise->setObjectName(u"dcbExercise"_s);
    btnNewCategory = makeButton(u"btnNewCategory"_s, u"&New Activity"_s);
    btnNewCategory->setToolTip(u"New record"_s);
    btnNewCategory->setAutoDefault(false);
    makeFind(u"Find an activity by typing part of its name (Ctrl+F)"_s,
             {u"Find Activity"_s,
              u"Matching activities"_s,
              {u"Activity"_s},
              u"No activity's name holds this text."_s},
             dcbExercise, activitiesToFind);
    dtpBeginTime = new QTimeEdit(this);
    dtpBeginTime->setObjectName(u"dtpBeginTime"_s);
    dtpEndTime = new QTimeEdit(this);
    dtpEndTime->setObjectName(u"dtpEndTime"_s);

    auto* fields = new QGridLayout;
    const auto labelled = [this, fields](int row, const QString& caption, QWidget* field) {
        auto* label = fieldLabel(caption, field, this);
        fields->addWidget(label, row, 0);
        fields->addWidget(field, row, 1);
    };
    labelled(0, u"Activity"_s, dcbExercise);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnNewCategory);
    buttons->addWidget(btnFind);
    fields->addLayout(buttons, 0, 2);
    labelled(1, u"Begin Time"_s, dtpBeginTime);
    labelled(2, u"End Time"_s, dtpEndTime);
    labelled(3, u"Quantity"_s, txtQty);
    updSpin->setFieldName(u"Quantity"_s);
    auto* unit = new QHBoxLayout;
    unit->addWidget(updSpin);
    unit->addWidget(lblUnit, 1);
    fields->addLayout(unit, 3, 2);
    labelled(4, u"Calories Total"_s, lblCalories);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttonRow);
    // Find is reached where it stands, after the button beside it; the designed controls keep their
    // order among themselves. Ctrl+F reaches it from anywhere.
    setTabOrder(
        {dcbExercise, btnNewCategory, btnFind, dtpBeginTime, dtpEndTime, txtQty, btnOK, btnCancel, btnHelp});

    connect(dcbExercise, &DataCombo::boundValueChanged, this, &frmExercisePerform::dcbExercise_Change);
    connect(txtQty, &QLineEdit::textChanged, this, &frmExercisePerform::Recalculate);
    connect(updSpin, &UpDown::up, this, [this] { step(1.0f); });
    connect(updSpin, &UpDown::down, this, [this] { step(-1.0f); });
    connect(btnNewCategory, &QPushButton::clicked, this, &frmExercisePerform::btnNewCategory_Click);
}

frmExercisePerform::~frmExercisePerform() = default;

void frmExercisePerform::load() {
    startLoad(u"Activity Performed"_s);
    loading = false;

    deData& de = app().de();
    Recordset& record = de.run(u"ExercisePerform"_s, {RecordID});
    dcbExercise->fill(de.run(u"ExerciseSorted"_s), u"Name"_s, u"ExerciseID"_s);
    dcbExercise->setBoundValue(QVariant());
    txtQty->clear();
    lblUnit->clear();
    Recalculate();
    if (RecordID != 0 && !record.eof()) {
        loading = true;
        dcbExercise->setBoundValue(record.field(u"ExerciseID"_s));
        loading = false;
        dtpBeginTime->setTime(DateValue(record.field(u"timeBeg"_s).toDouble()).toQTime());
        dtpEndTime->setTime(DateValue(record.field(u"timeEnd"_s).toDouble()).toQTime());
        txtQty->setText(NullToText(record.field(u"Qty"_s)));
    } else {
        const QTime begin = app().state().currentTime.toQTime();
        dtpBeginTime->setTime(QTime(begin.hour(), begin.minute()));
        dtpEndTime->setTime(proposedEndTime(dtpBeginTime->time()));
    }

    const QString format = pickerDisplayFormat(app().state().timePickerFormat);
    dtpBeginTime->setDisplayFormat(format);
    dtpEndTime->setDisplayFormat(format);
}

void frmExercisePerform::unload() {
    findPopup->hide();
    app().de().closeIfOpen(u"ExercisePerform"_s);
    app().de().closeIfOpen(u"ExerciseSorted"_s);
}

void frmExercisePerform::dcbExercise_Change() {
    const QVariant exercise = dcbExercise->boundValue();
    Recordset& exercises = app().de().rs(u"ExerciseSorted"_s);
    if (!exercise.isNull() && exercises.isOpen()) {
        for (exercises.moveFirst(); !exercises.eof() && exercises.field(u"ExerciseID"_s) != exercise;)
            exercises.moveNext();
    }
    if (!exercise.isNull() && exercises.isOpen() && !exercises.eof()) {
        lblUnit->setText(NullToText(exercises.field(u"Unit"_s)));
        if (!loading) {
            const QString quantity = NullToText(exercises.field(u"DefaultQty"_s));
            txtQty->setText(quantity.isEmpty() ? u"1"_s : quantity);
        }
    } else {
        lblUnit->clear();
        txtQty->clear();
    }
    Recalculate();
}

void frmExercisePerform::Recalculate() {
    Recordset& exercises = app().de().rs(u"ExerciseSorted"_s);
    const std::optional<Currency> quantity = Currency::fromText(txtQty->text());
    if (dcbExercise->boundValue().isNull() || !exercises.isOpen() || exercises.eof() ||
        exercises.field(u"ExerciseID"_s).isNull() || !quantity) {
        lblCalories->clear();
        return;
    }
    const QVariant rate = exercises.field(u"CaloriesConsume"_s);
    try {
        const Currency calories =
            *quantity *
            (rate.isNull() ? Currency() : Currency::fromDouble(rate.toDouble()).value_or(Currency()));
        lblCalories->setText(QString::number(static_cast<qint64>(std::floor(calories.toDouble()))));
    } catch (const std::overflow_error&) {
        lblCalories->clear();
    }
}

void frmExercisePerform::step(float delta) {
    if (const auto text = singleStep(txtQty->text(), delta))
        txtQty->setText(*text);
}

bool frmExercisePerform::Validate() {
    bool numeric = false;
    dcbExercise->boundValue().toString().toLongLong(&numeric);
    if (!numeric)
        return refuse(dcbExercise, u"The Exercise is not specified or specified incorrect"_s);
    if (dtpBeginTime->time() >= dtpEndTime->time())
        return refuse(dtpEndTime, u"The End Time value should be more than the Begin Time value"_s);
    if (txtQty->text().trimmed().isEmpty())
        return refuse(txtQty, u"The Quantity should be specified"_s);
    if (!isNumeric(txtQty->text()))
        return refuse(txtQty, u"The Quantity field contains illegal data"_s);
    return true;
}

void frmExercisePerform::Gather() {
    Recordset& record = app().de().rs(u"ExercisePerform"_s);
    if (appendsRow()) {
        record.set(u"ExercisePerformID"_s, AllocateExercisePerformID(app().de()));
        record.set(u"PerformDate"_s, app().state().currentDate.serial());
    }
    record.set(u"ExerciseID"_s, dcbExercise->boundValue());
    record.set(u"timeBeg"_s, DateValue::fromQTime(dtpBeginTime->time()).serial());
    record.set(u"timeEnd"_s, DateValue::fromQTime(dtpEndTime->time()).serial());
    record.set(u"Qty"_s, Currency::fromText(txtQty->text())->toDouble());
}

QTime frmExercisePerform::storedTime() const {
    return dtpBeginTime->time();
}

void frmExercisePerform::clearForNextRow() {
    dcbExercise->setBoundValue(QVariant());
    txtQty->clear();
    lblUnit->clear();
}

void frmExercisePerform::btnNewCategory_Click() {
    frmExercise& editor = m_exerciseEditor;
    editor.RecordID = 0;
    app().modal().exec(editor);
    if (!editor.Saved)
        return;
    dcbExercise->fill(app().de().run(u"ExerciseSorted"_s), u"Name"_s, u"ExerciseID"_s);
    dcbExercise->setText(editor.SavedName);
}

// Chosen through the box, as the user would choose it: the unit, the default quantity and the
// calories follow as always.
void frmExercisePerform::findChosen(const QuickFindEntry& activity) {
    dcbExercise->setBoundValue(activity.id);
    txtQty->setFocus(Qt::OtherFocusReason);
    txtQty->selectAll();
}

} // namespace kelvora
