#include "frmCopyMeals.h"

#include "App.h"
#include "Common.h"
#include "DateFields.h"
#include "DbError.h"
#include "DiaryMessages.h"
#include "FieldLabel.h"
#include "HelpContext.h"
#include "JournalTime.h"
#include "ReportList.h"
#include "deData.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

QDate currentDay() {
    return app().state().currentDate.toQDate();
}

} // namespace

frmCopyMeals::frmCopyMeals(QWidget* parent) : KelvoraDialog(parent, HelpContext::frmCopyMeals) {
    setObjectName(u"frmCopyMeals"_s);
    setWindowTitle(u"Copy Meals From Another Day"_s);

    dtpDate = makeDatePicker(this, u"dtpDate"_s);
    lvwList = new ReportList(this);
    lvwList->setObjectName(u"lvwList"_s);
    lvwList->setColumns({u"Time"_s, u"Meal"_s, u"Qty"_s, u"Calories"_s});
    lvwList->setNumericColumns({2, 3});
    lvwList->setStretchColumn(1);
    lblInfo = new QLabel(this);
    lblInfo->setObjectName(u"lblInfo"_s);
    lblInfo->setWordWrap(true);
    const EditorButtons buttons = makeEditorButtons();
    btnOK = buttons.ok;
    btnCancel = buttons.cancel;
    btnHelp = buttons.help;

    auto* fields = new QGridLayout;
    fields->addWidget(fieldLabel(u"Copy &From"_s, dtpDate, this), 0, 0);
    fields->addWidget(dtpDate, 0, 1);
    fields->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(fieldLabel(u"&Meals"_s, lvwList, this));
    layout->addWidget(lvwList, 1);
    layout->addWidget(lblInfo);
    layout->addLayout(buttons.row);
    setTabOrder({dtpDate, lvwList, btnOK, btnCancel, btnHelp});
    resize(480, 360);

    connect(dtpDate, &QDateEdit::dateChanged, this, &frmCopyMeals::dtpDate_Change);
    connect(btnOK, &QPushButton::clicked, this, &frmCopyMeals::btnOK_Click);
}

void frmCopyMeals::load() {
    Copied = 0;
    NewIDs.clear();
    const QDate proposed = currentDay().addDays(-1);
    if (dtpDate->date() == proposed)
        dtpDate_Change();
    else
        dtpDate->setDate(proposed);
}

void frmCopyMeals::unload() {
    app().de().closeIfOpen(u"MealConsumeSorted"_s);
}

void frmCopyMeals::dtpDate_Change() {
    lvwList->clearRows();
    const QDate day = dtpDate->date();
    Recordset& rows = app().de().run(u"MealConsumeSorted"_s, {day});
    for (; !rows.eof(); rows.moveNext()) {
        QTreeWidgetItem* item = lvwList->addRow(
            displayTime(rows.field(u"ConsumeTime"_s)), rows.field(u"MealConsumeID"_s).toLongLong(),
            {NullToText(rows.field(u"Name"_s)), NullToText(rows.field(u"Qty"_s)),
             QString::number(NullToZero(rows.field(u"sCalories"_s)))});
        item->setCheckState(0, Qt::Checked);
    }
    rows.close();
    if (lvwList->rowCount() > 0)
        lvwList->setCurrentItem(lvwList->row(1));
    if (day == currentDay())
        lblInfo->setText(u"This is the day the meals would be copied to. Choose another day."_s);
    else if (lvwList->rowCount() == 0)
        lblInfo->setText(u"No meals were recorded on this day."_s);
    else
        lblInfo->setText(
            u"The ticked meals are copied to %1, at the same times."_s.arg(longDateText(currentDay())));
    // Heard with the list, where a screen reader user goes after choosing the day.
    lvwList->setAccessibleDescription(lblInfo->text());
}

std::vector<qint64> frmCopyMeals::tickedMeals() const {
    std::vector<qint64> meals;
    for (int position = 1; position <= lvwList->rowCount(); ++position) {
        const QTreeWidgetItem* item = lvwList->row(position);
        if (item->checkState(0) == Qt::Checked)
            meals.push_back(ReportList::tagOf(item));
    }
    return meals;
}

std::vector<qint32> frmCopyMeals::copy(const std::vector<qint64>& meals) {
    deData& de = app().de();
    // The identifiers are taken first, each counter step committing on its own, as every new journal
    // row takes its identifier; a copy that then fails leaves them unused rather than given twice.
    std::vector<qint32> ids;
    ids.reserve(meals.size());
    for (std::size_t i = 0; i < meals.size(); ++i)
        ids.push_back(AllocateMealConsumeID(de));
    Transaction copying(de.Con);
    for (std::size_t i = 0; i < meals.size(); ++i) {
        de.execute(u"MealConsumeCopy"_s, {ids[i], currentDay(), meals[i]});
        if (de.Con.changes() != 1)
            throw DbError(u"The meal %1 to copy is no longer in the diary"_s.arg(meals[i]));
    }
    copying.commit();
    return ids;
}

void frmCopyMeals::btnOK_Click() {
    const QDate day = dtpDate->date();
    if (day == currentDay()) {
        refuse(dtpDate, u"The meals of a day can't be copied onto the same day. Choose another day."_s);
        return;
    }
    if (lvwList->rowCount() == 0) {
        refuse(dtpDate, u"No meals were recorded on %1. Choose another day."_s.arg(longDateText(day)));
        return;
    }
    const std::vector<qint64> meals = tickedMeals();
    if (meals.empty()) {
        refuse(lvwList, u"No meal is ticked. Tick the meals to copy."_s);
        return;
    }
    try {
        NewIDs = copy(meals);
    } catch (const DbError& error) {
        app().messages().error(
            this,
            storeFailureText(error, u"Can't copy the meals into the database. None of them was copied."_s));
        return;
    }
    Copied = static_cast<int>(NewIDs.size());
    accept();
}

} // namespace kelvora
