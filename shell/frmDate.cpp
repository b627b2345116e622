#include "frmDate.h"

#include "App.h"
#include "DateFields.h"
#include "FieldLabel.h"
#include "HelpContext.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kelvora {

frmDate::frmDate(QWidget* parent) : KelvoraDialog(parent, HelpContext::frmDate) {
    setObjectName(u"frmDate"_s);
    setWindowTitle(u"Set Current Date"_s);

    dtpDate = makeDatePicker(this, u"dtpDate"_s);

    const EditorButtons buttons = makeEditorButtons();
    btnOK = buttons.ok;
    btnCancel = buttons.cancel;
    btnHelp = buttons.help;

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(fieldLabel(u"Current Date"_s, dtpDate, this));
    dateRow->addWidget(dtpDate, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dateRow);
    layout->addLayout(buttons.row);

    connect(btnOK, &QPushButton::clicked, this, &frmDate::btnOK_Click);
}

void frmDate::load() {
    dtpDate->setDate(app().state().currentDate.toQDate());
}

void frmDate::btnOK_Click() {
    app().state().currentDate = DateValue::fromQDate(dtpDate->date());
    accept();
}

} // namespace kelvora
