#include "frmUserNote.h"

#include "App.h"
#include "Common.h"
#include "DateFields.h"
#include "DiaryMessages.h"
#include "FieldLabel.h"
#include "HelpContext.h"
#include "JournalEntryEditor.h"
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

constexpr int MaxNoteLength = 255;

const QString Caption = u"User Note"_s;

} // namespace

frmUserNote::frmUserNote(QWidget* parent) : KelvoraDialog(parent, HelpContext::frmUserNote) {
    setObjectName(u"frmUserNote"_s);
    setWindowTitle(Caption);

    dtpDateFrom = makeDatePicker(this, u"dtpDateFrom"_s);
    dtpDateTo = makeDatePicker(this, u"dtpDateTo"_s);
    txtNote = new QLineEdit(this);
    txtNote->setObjectName(u"txtNote"_s);
    txtNote->setMaxLength(MaxNoteLength);
    txtNote->setMinimumWidth(360);

    const EditorButtons buttons = makeEditorButtons();
    btnOK = buttons.ok;
    btnCancel = buttons.cancel;
    btnHelp = buttons.help;

    auto* dates = new QGridLayout;
    dates->addWidget(fieldLabel(u"Date From"_s, dtpDateFrom, this), 0, 0);
    dates->addWidget(dtpDateFrom, 0, 1);
    dates->addWidget(fieldLabel(u"Date To"_s, dtpDateTo, this), 1, 0);
    dates->addWidget(dtpDateTo, 1, 1);
    dates->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dates);
    layout->addWidget(fieldLabel(u"User Note Text"_s, txtNote, this));
    layout->addWidget(txtNote);
    layout->addLayout(buttons.row);

    connect(btnOK, &QPushButton::clicked, this, &frmUserNote::btnOK_Click);
}

void frmUserNote::load() {
    setWindowTitle(RecordID == 0 ? Caption + u" - New"_s : Caption);
    Saved = false;
    NewID = 0;
    app().de().run(u"UserNote"_s, {RecordID});
    Populate();
}

void frmUserNote::unload() {
    app().de().closeIfOpen(u"UserNote"_s);
}

void frmUserNote::Populate() {
    const Recordset& note = app().de().rs(u"UserNote"_s);
    if (RecordID != 0 && !note.eof()) {
        dtpDateFrom->setDate(DateValue(note.field(u"DateFrom"_s).toDouble()).toQDate());
        dtpDateTo->setDate(DateValue(note.field(u"DateTo"_s).toDouble()).toQDate());
        txtNote->setText(NullToText(note.field(u"NoteText"_s)));
        return;
    }
    const QDate today = app().state().currentDate.toQDate();
    dtpDateFrom->setDate(today);
    dtpDateTo->setDate(today);
    txtNote->clear();
}

void frmUserNote::Gather() {
    deData& de = app().de();
    Recordset& note = de.rs(u"UserNote"_s);
    if (RecordID == 0)
        note.set(u"UserNoteId"_s, AllocateUserNoteID(de));
    note.set(u"DateFrom"_s, dtpDateFrom->date());
    note.set(u"DateTo"_s, dtpDateTo->date());
    note.set(u"NoteText"_s, txtNote->text());
}

bool frmUserNote::Validate() {
    if (dtpDateTo->date() < dtpDateFrom->date())
        return refuse(dtpDateTo, u"The Date To is less than Date From"_s);
    if (txtNote->text().trimmed().isEmpty())
        return refuse(txtNote, u"The Note text should be specified"_s);
    return true;
}

void frmUserNote::btnOK_Click() {
    if (!Validate())
        return;
    Recordset& note = app().de().rs(u"UserNote"_s);
    try {
        if (RecordID == 0)
            note.addNew();
        Gather();
        if (const auto other = intersectingNote()) {
            refuseIntersection(*other);
            note.cancelUpdate();
            return;
        }
        note.update();
    } catch (const DbError& error) {
        if (note.isOpen() && note.hasPendingChange())
            note.cancelUpdate();
        app().messages().error(this, storeFailureText(error, journalStoreFailure()));
        return;
    }
    Saved = true;
    NewID = note.field(u"UserNoteId"_s).toInt();
    accept();
}

std::optional<QString> frmUserNote::intersectingNote() {
    const Recordset& note = app().de().rs(u"UserNote"_s);
    Recordset& check =
        app().de().run(u"UserNoteCheck"_s, {note.field(u"DateFrom"_s), note.field(u"DateTo"_s), RecordID});
    std::optional<QString> other;
    if (!check.eof())
        other = NullToText(check.field(u"NoteText"_s));
    check.close();
    return other;
}

void frmUserNote::refuseIntersection(const QString& otherNote) {
    const QString& newLine = app().state().newLine;
    app().messages().exclamation(this, u"Intersection"_s,
                                 u"This note intersects in time with the following another note: "_s +
                                     otherNote + newLine + u"The intersections are not allowed."_s + newLine +
                                     newLine +
                                     u"Tip: You can split notes with big time periods to smaller pieces"_s);
}

} // namespace kelvora
