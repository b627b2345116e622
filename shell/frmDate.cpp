#include "frmDate.h"

#include "App.h"
#include "HelpContext.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

// The locale's short date with the year in full: a day far in the past must not read as a recent one.
QString dateFormatWithFullYear() {
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(u"yyyy"_s))
        format.replace(u"yy"_s, u"yyyy"_s);
    return format;
}

} // namespace

frmDate::frmDate(QWidget* parent) : KelvoraDialog(parent, HelpContext::frmDate) {
    setObjectName(u"frmDate"_s);
    setWindowTitle(u"Set Current Date"_s);

    dtpDate = new QDateEdit(this);
    dtpDate->setObjectName(u"dtpDate"_s);
    dtpDate->setCalendarPopup(true);
    dtpDate->setDisplayFormat(dateFormatWithFullYear());

    const EditorButtons buttons = makeEditorButtons();
    btnOK = buttons.ok;
    btnCancel = buttons.cancel;
    btnHelp = buttons.help;

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(new QLabel(u"Current Date"_s, this));
    dateRow->addWidget(dtpDate, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dateRow);
    layout->addLayout(buttons.row);

    connect(btnOK, &QPushButton::clicked, this, &frmDate::btnOK_Click);
}

void frmDate::load() {
    dtpDate->setDate(app().state().currentDate.toQDate());
    dtpDate->setFocus();
}

void frmDate::btnOK_Click() {
    app().state().currentDate = DateValue::fromQDate(dtpDate->date());
    accept();
}

} // namespace kelvora
