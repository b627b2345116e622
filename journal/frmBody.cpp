#include "frmBody.h"

#include "App.h"
#include "Common.h"
#include "DateFields.h"
#include "DiaryMessages.h"
#include "FieldLabel.h"
#include "HelpContext.h"
#include "JournalEntryEditor.h"
#include "Numeric.h"
#include "deData.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

constexpr int MaxFieldLength = 50;

const QString Caption = u"Body Measurement"_s;
const QString SameDateQuestion =
    u"There is already Body Measurement for this date in the database. Do you want to replace it?"_s;

QLineEdit* makeNumberField(QWidget* parent, const QString& name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setMaxLength(MaxFieldLength);
    return field;
}

} // namespace

frmBody::frmBody(QWidget* parent) : KelvoraDialog(parent, HelpContext::frmBody) {
    setObjectName(u"frmBody"_s);
    setWindowTitle(Caption);

    dtpDate = makeDatePicker(this, u"dtpDate"_s);
    txtWeight = makeNumberField(this, u"txtWeight"_s);
    lblWeightUnit = new QLabel(this);
    lblWeightUnit->setObjectName(u"lblWeightUnit"_s);
    txtBreast = makeNumberField(this, u"txtBreast"_s);
    txtWaist = makeNumberField(this, u"txtWaist"_s);
    txtHips = makeNumberField(this, u"txtHips"_s);
    lblLinearUnit = new QLabel(this);
    lblLinearUnit->setObjectName(u"lblLinearUnit"_s);

    const EditorButtons buttons = makeEditorButtons();
    btnOK = buttons.ok;
    btnCancel = buttons.cancel;
    btnHelp = buttons.help;

    auto* fields = new QGridLayout;
    fields->addWidget(fieldLabel(u"Date"_s, dtpDate, this), 0, 0);
    fields->addWidget(dtpDate, 0, 1);
    fields->addWidget(fieldLabel(u"Weight"_s, txtWeight, this), 1, 0);
    fields->addWidget(txtWeight, 1, 1);
    fields->addWidget(lblWeightUnit, 1, 2);
    fields->addWidget(fieldLabel(u"Breast"_s, txtBreast, this), 2, 0);
    fields->addWidget(txtBreast, 2, 1);
    fields->addWidget(fieldLabel(u"Waist"_s, txtWaist, this), 3, 0);
    fields->addWidget(txtWaist, 3, 1);
    fields->addWidget(fieldLabel(u"Hips"_s, txtHips, this), 4, 0);
    fields->addWidget(txtHips, 4, 1);
    fields->addWidget(lblLinearUnit, 4, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons.row);

    setTabOrder({dtpDate, txtWeight, txtBreast, txtWaist, txtHips, btnOK, btnCancel, btnHelp});

    connect(btnOK, &QPushButton::clicked, this, &frmBody::btnOK_Click);
}

void frmBody::load() {
    setWindowTitle(RecordID == 0 ? Caption + u" - New"_s : Caption);
    Saved = false;
    NewID = 0;
    showUnits();
    app().de().run(u"Body"_s, {RecordID});
    Populate();
}

void frmBody::unload() {
    app().de().closeIfOpen(u"Body"_s);
}

void frmBody::showUnits() {
    const bool imperial = app().state().measurementSystem == u"I"_s;
    lblWeightUnit->setText(imperial ? u"lb"_s : u"kg"_s);
    lblLinearUnit->setText(imperial ? u"inch"_s : u"cm"_s);
}

void frmBody::Populate() {
    const Recordset& body = app().de().rs(u"Body"_s);
    if (RecordID != 0 && !body.eof()) {
        dtpDate->setDate(DateValue(body.field(u"DateMeasured"_s).toDouble()).toQDate());
        txtWeight->setText(NullToText(body.field(u"Weight"_s)));
        txtWaist->setText(NullToText(body.field(u"Waist"_s)));
        txtBreast->setText(NullToText(body.field(u"Breast"_s)));
        txtHips->setText(NullToText(body.field(u"Hips"_s)));
        return;
    }
    dtpDate->setDate(app().state().currentDate.toQDate());
    for (QLineEdit* field : {txtWeight, txtBreast, txtWaist, txtHips})
        field->clear();
}

void frmBody::Gather() {
    deData& de = app().de();
    Recordset& body = de.rs(u"Body"_s);
    if (RecordID == 0) {
        body.set(u"BodyId"_s, AllocateBodyID(de));
        body.set(u"Measurement"_s, app().state().measurementSystem);
    }
    body.set(u"DateMeasured"_s, dtpDate->date());
    // Handed over as text, so the data layer converts them to Currency decimally.
    body.set(u"Weight"_s, txtWeight->text());
    body.set(u"Breast"_s, txtBreast->text());
    body.set(u"Waist"_s, txtWaist->text());
    body.set(u"Hips"_s, txtHips->text());
}

bool frmBody::Validate() {
    if (!isNumeric(txtWeight->text()))
        return refuse(txtWeight, u"The Weight is not specified or contains illegal data"_s);
    if (!isNumeric(txtBreast->text()))
        return refuse(txtBreast, u"The Breast measurement is not specified or contains illegal data"_s);
    if (!isNumeric(txtWaist->text()))
        return refuse(txtWaist, u"The Waist measurement is not specified or contains illegal data"_s);
    if (!isNumeric(txtHips->text()))
        return refuse(txtHips, u"The Hips measurement is not specified or contains illegal data"_s);
    return true;
}

void frmBody::btnOK_Click() {
    if (!Validate())
        return;
    Recordset& body = app().de().rs(u"Body"_s);
    try {
        if (RecordID == 0)
            body.addNew();
        Gather();
        const qint32 other = otherMeasurementOn(body.field(u"DateMeasured"_s));
        if (other != 0 && !app().messages().ask(this, u"Same date"_s, SameDateQuestion, MessageButton::No)) {
            body.cancelUpdate();
            return;
        }
        store(other);
    } catch (const DbError& error) {
        if (body.isOpen() && body.hasPendingChange())
            body.cancelUpdate();
        app().messages().error(this, storeFailureText(error, journalStoreFailure()));
        return;
    }
    Saved = true;
    NewID = body.field(u"BodyId"_s).toInt();
    accept();
}

qint32 frmBody::otherMeasurementOn(const QVariant& date) {
    Recordset& check = app().de().run(u"BodyCheck"_s, {date, RecordID});
    const qint32 other = check.eof() ? 0 : check.field(u"BodyId"_s).toInt();
    check.close();
    return other;
}

void frmBody::store(qint32 other) {
    deData& de = app().de();
    // The other row must go first, since a day may hold only one measurement; should the store
    // then fail, the rollback brings it back.
    Transaction transaction(de.Con);
    if (other != 0)
        de.execute(u"BodyDelete"_s, {other});
    de.rs(u"Body"_s).update();
    transaction.commit();
}

} // namespace kelvora
