#include "frmMeasurements.h"

#include "App.h"
#include "Common.h"
#include "DateFields.h"
#include "FieldLabel.h"
#include "HelpContext.h"
#include "MeasurementList.h"
#include "ReportList.h"
#include "deData.h"
#include "frmBody.h"
#include "frmUserNote.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

ReportList* makeList(QWidget* parent, const QString& name, const QStringList& columns) {
    auto* list = new ReportList(parent);
    list->setObjectName(name);
    list->setColumns(columns);
    return list;
}

QHBoxLayout* buttonRow(const QList<QPushButton*>& buttons) {
    auto* row = new QHBoxLayout;
    for (QPushButton* button : buttons)
        row->addWidget(button);
    row->addStretch();
    return row;
}

QStringList measurementTexts(const Recordset& row) {
    return {shortDateText(row.field(u"DateMeasured"_s)), NullToText(row.field(u"Weight"_s)),
            NullToText(row.field(u"Breast"_s)), NullToText(row.field(u"Waist"_s)),
            NullToText(row.field(u"Hips"_s))};
}

QStringList noteTexts(const Recordset& row) {
    return {shortDateText(row.field(u"DateFrom"_s)), shortDateText(row.field(u"DateTo"_s)),
            NullToText(row.field(u"NoteText"_s))};
}

} // namespace

frmMeasurements::frmMeasurements(QWidget* parent, frmBody& bodyEditor, frmUserNote& noteEditor)
    : KelvoraDialog(parent, HelpContext::frmMeasurements) {
    setObjectName(u"frmMeasurements"_s);
    setWindowTitle(u"Body Measurement and Notes"_s);

    dtpDate = makeDatePicker(this, u"dtpDate"_s);

    lvwMeasurementList =
        makeList(this, u"lvwMeasurementList"_s, {u"Date"_s, u"Weight"_s, u"Breast"_s, u"Waist"_s, u"Hips"_s});
    lvwMeasurementList->setNumericColumns({1, 2, 3, 4});
    const auto listButton = [this](const QString& name, const QString& caption, const QString& tooltip) {
        QPushButton* button = makeButton(name, caption);
        button->setToolTip(tooltip);
        return button;
    };
    btnMeasurementNew = listButton(u"btnMeasurementNew"_s, u"&New"_s, u"New record"_s);
    btnMeasurementEdit = listButton(u"btnMeasurementEdit"_s, u"&Edit"_s, u"Apply changes"_s);
    btnMeasurementDelete = listButton(u"btnMeasurementDelete"_s, u"&Delete"_s, u"Delete record"_s);
    lblWeightIn = new QLabel(this);
    lblWeightIn->setObjectName(u"lblWeightIn"_s);
    lblLinearIn = new QLabel(this);
    lblLinearIn->setObjectName(u"lblLinearIn"_s);

    lvwNoteList = makeList(this, u"lvwNoteList"_s, {u"From"_s, u"To"_s, u"Note"_s});
    lvwNoteList->setStretchColumn(2);
    // The figures of a measurement stand side by side; there is no name to widen.
    lvwMeasurementList->setStretchColumn(-1);
    btnNotetNew = listButton(u"btnNotetNew"_s, u"&New"_s, u"New record"_s);
    btnNotetEdit = listButton(u"btnNotetEdit"_s, u"&Edit"_s, u"Apply changes"_s);
    btnNotetDelete = listButton(u"btnNotetDelete"_s, u"&Delete"_s, u"Delete record"_s);
    btnHelp = makeButton(u"btnHelp"_s, u"&Help"_s);
    makeHelpButton(btnHelp);

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(fieldLabel(u"Date From"_s, dtpDate, this));
    dateRow->addWidget(dtpDate);
    dateRow->addStretch();
    dateRow->addWidget(btnHelp);

    auto* legend = new QVBoxLayout;
    legend->addWidget(lblWeightIn);
    legend->addWidget(lblLinearIn);
    legend->addStretch();
    auto* measurements = new QGridLayout;
    measurements->addWidget(fieldLabel(u"Body Measurement"_s, lvwMeasurementList, this), 0, 0);
    measurements->addWidget(lvwMeasurementList, 1, 0);
    measurements->addLayout(legend, 1, 1);
    measurements->addLayout(buttonRow({btnMeasurementNew, btnMeasurementEdit, btnMeasurementDelete}), 2, 0);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dateRow);
    layout->addLayout(measurements, 1);
    layout->addWidget(fieldLabel(u"Personal Notes"_s, lvwNoteList, this));
    layout->addWidget(lvwNoteList, 1);
    layout->addLayout(buttonRow({btnNotetNew, btnNotetEdit, btnNotetDelete}));
    resize(640, 520);

    m_measurements = new MeasurementList(
        this, lvwMeasurementList, dtpDate,
        {u"BodySorted"_s, u"Body"_s, u"BodyId"_s, measurementTexts, editorCall(bodyEditor)});
    m_measurements->connectButtons(btnMeasurementNew, btnMeasurementEdit, btnMeasurementDelete);
    m_notes = new MeasurementList(
        this, lvwNoteList, dtpDate,
        {u"UserNoteSorted"_s, u"UserNote"_s, u"UserNoteId"_s, noteTexts, editorCall(noteEditor)});
    m_notes->connectButtons(btnNotetNew, btnNotetEdit, btnNotetDelete);
    // Each list has its own New, Edit and Delete; spoken, each says which list it works on.
    for (const auto& [button, name] :
         {std::pair{btnMeasurementNew, u"New measurement"_s},
          std::pair{btnMeasurementEdit, u"Edit measurement"_s},
          std::pair{btnMeasurementDelete, u"Delete measurement"_s}, std::pair{btnNotetNew, u"New note"_s},
          std::pair{btnNotetEdit, u"Edit note"_s}, std::pair{btnNotetDelete, u"Delete note"_s}})
        nameField(button, name);

    connect(dtpDate, &QDateEdit::dateChanged, this, &frmMeasurements::dtpDate_Change);
}

void frmMeasurements::load() {
    showUnits();
    {
        // Both lists are filled once below, not again for the date's change.
        const QSignalBlocker blocker(dtpDate);
        dtpDate->setDate(app().state().currentDate.addMonths(-1).toQDate());
    }
    RefreshMeasurementList(0);
    RefreshNoteList(0);
}

void frmMeasurements::unload() {
    m_measurements->closeRecordsets();
    m_notes->closeRecordsets();
}

void frmMeasurements::showUnits() {
    const bool imperial = app().state().measurementSystem == u"I"_s;
    lblWeightIn->setText(u"Weight "_s + (imperial ? u"(lb)"_s : u"(kg)"_s));
    lblLinearIn->setText(u"Breast, Waist, Hips "_s + (imperial ? u"(inch)"_s : u"(cm)"_s));
}

void frmMeasurements::RefreshMeasurementList(qint32 id) {
    m_measurements->Refresh(id);
}

void frmMeasurements::RefreshNoteList(qint32 id) {
    m_notes->Refresh(id);
}

void frmMeasurements::dtpDate_Change() {
    RefreshMeasurementList(0);
    RefreshNoteList(0);
}

} // namespace kelvora
