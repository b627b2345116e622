#include "frmGeneralProgressSettings.h"

#include "App.h"
#include "DateFields.h"
#include "HelpContext.h"
#include "ProgressChecks.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

QRadioButton* makeOption(QWidget* parent, const QString& name, const QString& caption) {
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(name);
    return option;
}

} // namespace

frmGeneralProgressSettings::frmGeneralProgressSettings(QWidget* parent)
    : KelvoraDialog(parent, HelpContext::frmGeneralProgressSettings) {
    setObjectName(u"frmGeneralProgressSettings"_s);
    setWindowTitle(u"General Progress Parameters"_s);

    lblFieldLabel = new QLabel(u"Date From"_s, this);
    lblFieldLabel->setObjectName(u"lblFieldLabel"_s);
    dtpDate = makeDatePicker(this, u"dtpDate"_s);
    dtpDate->setDateRange(QDate(1900, 1, 1), QDate(9998, 12, 31));
    lblFieldLabel->setBuddy(dtpDate);

    Frame1 = new QGroupBox(u"For Period"_s, this);
    Frame1->setObjectName(u"Frame1"_s);
    opt1Month = makeOption(Frame1, u"opt1Month"_s, u"1 Month"_s);
    opt3Month = makeOption(Frame1, u"opt3Month"_s, u"3 Months"_s);
    opt6Month = makeOption(Frame1, u"opt6Month"_s, u"6 Months"_s);
    auto* options = new QVBoxLayout(Frame1);
    options->addWidget(opt1Month);
    options->addWidget(opt3Month);
    options->addWidget(opt6Month);

    const EditorButtons buttons = makeEditorButtons();
    btnOK = buttons.ok;
    btnCancel = buttons.cancel;
    btnHelp = buttons.help;

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(lblFieldLabel);
    dateRow->addWidget(dtpDate, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dateRow);
    layout->addWidget(Frame1);
    layout->addLayout(buttons.row);

    connect(btnOK, &QPushButton::clicked, this, &frmGeneralProgressSettings::btnOK_Click);
}

void frmGeneralProgressSettings::load() {
    dtpDate->setDate(app().state().currentDate.addMonths(-1).toQDate());
    confirmed = false;
    opt1Month->setChecked(true);
}

int frmGeneralProgressSettings::months() const {
    if (opt6Month->isChecked())
        return 6;
    if (opt3Month->isChecked())
        return 3;
    return 1;
}

void frmGeneralProgressSettings::btnOK_Click() {
    dateFrom = DateValue::fromQDate(dtpDate->date());
    dateTo = dateFrom.addMonths(months());

    deData& de = app().de();
    DataRange range;
    if (!coverageCheck(de, dateFrom, dateTo, range) &&
        !app().messages().ask(
            this, u"Not enough data"_s,
            u"Present data cover less then 30% of selected time period. The Chart will be too "
            "small. Build the Chart anyway?"_s,
            MessageButton::No))
        return;
    if (!contiguityCheck(de, range) &&
        !app().messages().ask(
            this, u"Not enough data"_s,
            u"Data selected to be shown on Chart are not contiguous. Either Calories data "
            "(meal/activity) are not present for every day or Body measurement is not present "
            "for each 3 days period. The Chart will be ripped. Build the Chart anyway?"_s,
            MessageButton::No))
        return;
    confirmed = true;
    accept();
}

} // namespace kelvora
